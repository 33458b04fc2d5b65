#include "cli/CliDevice.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iostream>
#include <vector>

#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "cli/CliOutput.h"
#include "cli/RunRecord.h"

bool LoadCatalogue(CMessageTable& catalogue) {
    if (LoadMessageCatalogue(catalogue)) return true;
    std::string folder;
    GetModuleFolder(folder);
    PrintError(std::string(kConfigFileName) + " is missing in " + folder +
               " (name the folder that holds it with --home)");
    return false;
}

namespace {

// The name without surrounding spaces, in lower case: how an operator's typing is compared.
std::string Folded(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    std::string folded = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

int FindParameter(const CMenuParamTable& table, const std::string& key) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(key.c_str(), &end, 10);
    if (!key.empty() && *end == '\0' && errno == 0 && number >= 0 && number <= 0xFFFF)
        return table.IndexOfNumber(static_cast<uint16_t>(number));
    for (size_t i = 0; i < table.GetCount(); ++i)
        if (table.GetItem(i)->name == key) return static_cast<int>(i);
    // Typed loosely: taken only when one name alone matches.
    int found = -1;
    for (size_t i = 0; i < table.GetCount(); ++i) {
        if (Folded(table.GetItem(i)->name) != Folded(key)) continue;
        if (found >= 0) return -1;
        found = static_cast<int>(i);
    }
    return found;
}

std::string NoParameterMessage(const CMenuParamTable& table, const std::string& key,
                               const std::string& tablePath) {
    const std::string typed = Folded(key);
    std::string nearest;
    size_t best = std::max<size_t>(2, typed.size() / 3) + 1;  // farther is no typing slip
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const std::string& name = table.GetItem(i)->name;
        if (const size_t distance = EditDistance(typed, Folded(name)); distance < best) {
            best = distance;
            nearest = name;
        }
    }
    if (nearest.empty()) return "no parameter \"" + key + "\" in " + tablePath;
    return "no parameter \"" + key + "\"; did you mean \"" + nearest + "\"?";
}

CCliDevice::CCliDevice(const SCliOptions& options)
    : m_options(options), m_ui(options.json), m_session(m_ui, m_catalogue) {
    LoadCatalogue(m_catalogue);
    // The port's own reports would be several lines each; the session's result gives the one
    // clear line printed where the failure matters.
    m_session.Port().SetErrorReporter([](const std::string&) {});
    m_session.ApplyCommSettings(options.line, options.unit);
    m_session.SetLineWait(options.waitPortSeconds);
    const int attempts = options.retries >= 0 ? options.retries + 1 : 0;
    const auto timeoutMs = static_cast<uint16_t>(options.waitTimeoutMs);
    m_session.Port().SetWaitOverride({timeoutMs, attempts});
    m_session.SetModelRequestWait(attempts > 0 ? attempts : 3, timeoutMs > 0 ? timeoutMs : 5000);
    m_session.SetCutFilesRefused(true);
    m_session.SetOtherModelRefused(!options.allowOtherModel);
}

CCliDevice::~CCliDevice() {
    if (m_session.IsConnected()) m_session.Disconnect();
}

bool CCliDevice::Connect(EView view) {
    if (view == EView::Clone) m_session.SetView(EView::Clone);
    const SResult result = m_session.Connect(m_session.UnitNumber());
    CommandRecord().Note(m_session);
    if (result.Ok()) return true;
    PrintError(result.message);
    return false;
}

int CCliDevice::Finish(int code) {
    CommandRecord().Note(m_session);
    if (!m_session.IsConnected()) return code;
    // Asked twice to stop: the operator wants out now, and has been told what was not put back.
    if (CTerminalUi::StopCount() >= 2) {
        m_session.Release();
        return code;
    }
    const SResult disconnected = m_session.Disconnect();
    if (disconnected.Ok()) return code;
    PrintError(disconnected.message);
    return code == kExitOk || code == kExitIncomplete ? kExitFailure : code;
}
