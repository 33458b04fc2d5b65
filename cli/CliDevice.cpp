#include "cli/CliDevice.h"

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <vector>

#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "cli/CliOutput.h"
#include "cli/NearestName.h"
#include "cli/RunRecord.h"

bool LoadCatalogue(CMessageTable& catalogue) {
    if (LoadMessageCatalogue(catalogue)) return true;
    std::string folder;
    GetModuleFolder(folder);
    PrintError(std::string(kConfigFileName) + " is missing in " + folder +
               " (name the folder that holds it with --home)");
    return false;
}

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
        if (FoldedName(table.GetItem(i)->name) != FoldedName(key)) continue;
        if (found >= 0) return -1;
        found = static_cast<int>(i);
    }
    return found;
}

std::string NoParameterMessage(const CMenuParamTable& table, const std::string& key,
                               const std::string& tablePath) {
    std::vector<std::string> names;
    for (size_t i = 0; i < table.GetCount(); ++i) names.push_back(table.GetItem(i)->name);
    const std::string nearest = NearestName(key, names);
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

int CCliDevice::Finish(int code, EWrites writes) {
    CommandRecord().Note(m_session);
    if (!m_session.IsConnected()) return code;
    // Asked twice to stop: the operator wants out now, and has been told what was not put back.
    if (CTerminalUi::StopCount() >= 2) {
        m_session.Release();
        return code;
    }
    // Whole data: every parameter read (a verify's differences are data too). The statuses go
    // with the disconnect.
    const std::vector<SParamStatus>& statuses = m_session.ParamStatuses();
    const bool whole =
        code == kExitOk ||
        (code == kExitIncomplete &&
         std::none_of(statuses.begin(), statuses.end(), [](const SParamStatus& entry) {
             return entry.status == EParamStatus::Failed;
         }));
    const SResult disconnected = m_session.Disconnect();
    if (disconnected.Ok()) return code;
    if (whole && writes == EWrites::None) {
        PrintWarning(disconnected.message);
        return code;
    }
    PrintError(disconnected.message);
    return code == kExitOk || code == kExitIncomplete ? kExitFailure : code;
}
