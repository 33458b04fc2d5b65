#include "cli/CliDevice.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "app/ConfigFiles.h"
#include "app/Folders.h"

namespace {

std::string DeviceGroup(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return "dialout";
    const group* g = getgrgid(st.st_gid);
    return g ? g->gr_name : std::to_string(st.st_gid);
}

std::string PortOpenProblem(const std::string& port, int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "port " + port + " does not exist";
        case EBUSY:
        case EWOULDBLOCK:
            return "port " + port + " is busy: another program has it open";
        case EACCES:
        case EPERM: {
            const std::string group = DeviceGroup(port);
            return "no permission to open port " + port + ": add your user to the group '" + group +
                   "' (sudo usermod -aG " + group + " $USER) and log in again";
        }
        default:
            return "cannot open port " + port + ": " + std::strerror(error);
    }
}

}  // namespace

bool LoadCatalogue(CMessageTable& catalogue) {
    if (LoadMessageCatalogue(catalogue)) return true;
    std::string folder;
    GetModuleFolder(folder);
    std::cerr << "vexa-cli: " << kConfigFileName << " is missing in " << folder
              << " (name the folder that holds it with --home)\n";
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
    return -1;
}

CCliDevice::CCliDevice(const SCliOptions& options, CTerminalUi::SAnswers answers)
    : m_options(options), m_ui(options.json, std::move(answers)), m_session(m_ui, m_catalogue) {
    LoadCatalogue(m_catalogue);
    // The port's own reports would be several lines each; one clear line is printed
    // where the failure matters, so keep the last one for it.
    m_session.Port().SetErrorReporter([this](const std::string& text) { m_lastPortError = text; });
    m_session.ApplyCommSettings(options.line, options.unit);
}

CCliDevice::~CCliDevice() {
    if (m_session.IsConnected()) m_session.ConnectButton();
}

bool CCliDevice::Connect(EView view) {
    if (view == EView::Clone) m_session.CloneViewClicked();
    m_session.ConnectButton();
    if (m_session.IsConnected()) return true;
    ReportConnectFailure();
    return false;
}

void CCliDevice::ReportConnectFailure() const {
    const std::string& port = m_options.line.portName;
    std::string problem;
    if (m_session.Port().OpenError() != 0)
        problem = PortOpenProblem(port, m_session.Port().OpenError());
    else if (m_session.ModelText().empty())
        problem = "unit " + std::to_string(m_options.unit) + " on " + port +
                  " does not answer the model request";
    else
        problem = "the model \"" + m_session.ModelText() + "\" of unit " +
                  std::to_string(m_options.unit) +
                  " could not be loaded (model files, key or parameter table; see the log)";
    std::cerr << "vexa-cli: " << problem << "\n";
}
