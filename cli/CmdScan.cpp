// scan: which units answer on the line.
#include <iostream>

#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"

int RunScan(const SCliOptions& options) {
    CCliDevice device(options, {});
    CDeviceSession& s = device.Session();
    if (const SResult opened = s.OpenLine(); !opened.Ok()) {
        PrintError(opened.message);
        return kExitFailure;
    }
    nlohmann::json found = nlohmann::json::array();
    for (const int unit : options.units) {
        std::string modelText;
        const SExchangeOutcome answer =
            s.ProbeModel(unit, static_cast<uint16_t>(options.scanTimeoutMs), modelText);
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
    if (options.json) PrintJson({{"units", found}});
    if (found.empty()) {
        PrintError("no unit answered on " + options.line.portName + " within " +
                   std::to_string(options.scanTimeoutMs) + " ms");
        return kExitFailure;
    }
    return kExitOk;
}
