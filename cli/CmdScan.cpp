// scan: which units answer on the line.
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"

namespace {

// A line on a terminal that says how far a scan of many silent units has come; written over in
// place, and wiped before anything else is printed.
class CScanProgress {
  public:
    CScanProgress() : m_shown(isatty(STDERR_FILENO) == 1) {}
    ~CScanProgress() { Wipe(); }
    void Show(int unit, size_t done, size_t total, size_t found) {
        if (!m_shown) return;
        std::fprintf(stderr, "\rscan: unit %d (%zu of %zu), %zu answered\033[K", unit, done + 1,
                     total, found);
        std::fflush(stderr);
    }
    void Wipe() {
        if (!m_shown) return;
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
    }

  private:
    bool m_shown;
};

}  // namespace

int RunScan(const SCliOptions& options) {
    CCliDevice device(options);
    CDeviceSession& s = device.Session();
    if (const SResult opened = s.OpenLine(); !opened.Ok()) {
        PrintError(opened.message);
        return kExitFailure;
    }
    nlohmann::json found = nlohmann::json::array();
    CScanProgress progress;
    for (size_t i = 0; i < options.units.size(); ++i) {
        const int unit = options.units[i];
        progress.Show(unit, i, options.units.size(), found.size());
        std::string modelText;
        const SExchangeOutcome answer =
            s.ProbeModel(unit, static_cast<uint16_t>(options.scanTimeoutMs), modelText);
        progress.Wipe();
        if (CTerminalUi::Interrupted()) return CTerminalUi::InterruptedExitCode();
        if (answer.end == ExchangeEnd::kLineLost) {
            PrintError("the line was lost while asking unit " + std::to_string(unit));
            return kExitFailure;
        }
        if (answer.end != ExchangeEnd::kAnswered) {
            // A unit that is not there is silent; one that sent something else is said.
            const CFramePort& port = s.Port();
            if (!answer.timedOut || !port.ReceivedBytes().empty() || !port.StaleAnswers().empty())
                PrintError("unit " + std::to_string(unit) + ": " + answer.reason);
            continue;
        }
        const std::string modelName = CDeviceSession::KnownModelName(modelText);
        found.push_back(
            {{"unit", unit},
             {"model_text", modelText},
             {"model_name", modelName.empty() ? nlohmann::json() : nlohmann::json(modelName)}});
        if (!options.json)
            std::cout << "unit " << unit << ": " << modelText
                      << (modelName.empty() ? "" : " (" + modelName + ")") << std::endl;
    }
    if (options.json) SetJsonDocument({{"units", found}});
    if (found.empty()) {
        PrintError("no unit answered on " + options.line.portName + " within " +
                   std::to_string(options.scanTimeoutMs) + " ms");
        return kExitFailure;
    }
    return kExitOk;
}
