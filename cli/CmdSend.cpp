// send: one typed command, as the maintenance dialog sends it.
#include <iostream>

#include "app/Folders.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/TerminalUi.h"
#include "protocol/DirectCommand.h"
#include "protocol/FramePort.h"
#include "serial/OpenFailure.h"

int RunSend(const SCliOptions& options) {
    const SDirectFrame frame = CompleteDirectCommand(options.sendText);
    CFramePort port;
    // One clear line for a port that does not open; the port's own report would be several.
    port.SetErrorReporter([](const std::string&) {});
    // Ctrl-C ends the wait for the answer and the retries at once.
    port.SetCancelCheck([] { return CTerminalUi::Interrupted(); });
    port.SetWakeDescriptor(CTerminalUi::WakeDescriptor());
    port.SetSettings(options.line.portName, options.line.baudRate, options.line.dataBits,
                     options.line.stopBits, options.line.parity);
    if (!port.Open()) {
        PrintError(DescribeOpenFailure(options.line.portName, port.OpenError()).message);
        return kExitFailure;
    }
    const SDirectResult result =
        SendDirectCommand(port, frame, options.retry, static_cast<uint16_t>(options.timeoutMs));
    port.Close();
    if (options.json) {
        SetJsonDocument({{"sent", frame.sentText},
                         {"response", result.responseText},
                         {"ok", result.result.Ok()},
                         {"result_class", ResultClassNumber(result.resultClass)}});
    } else {
        std::cout << "Sent:     " << frame.sentText << "\nResponse: " << result.responseText
                  << "\n";
    }
    if (!result.result.Ok()) PrintError(result.result.message);
    return result.result.Ok() ? kExitOk : kExitFailure;
}
