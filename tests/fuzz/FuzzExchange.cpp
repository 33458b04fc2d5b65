// A controller's answer, byte by byte through the receive path, judged and logged as a
// parameter command does it.  Input: a command as the parameter table writes it
// ("0503;2;1;0;1": text, seconds, retries, frame kind, reply required), then the answers to
// the attempts, each after "<|>".
#include "FakeLine.h"
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "ops/DeviceLink.h"
#include "ops/ParamExchange.h"
#include "params/MenuCmdItem.h"
#include "support/LogCapture.h"

int FuzzExchange(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> pieces = SplitAtSeparator(FuzzText(data, size));
    CMenuCmdItem command(5);
    if (!command.Parse(pieces.front())) return 0;
    // Every attempt after the last answer only times out again.
    if (command.retries > 3) command.retries = 3;
    pieces.erase(pieces.begin());

    LogCapture log;
    FakeLine line(std::move(pieces));
    if (line.Port() == nullptr) return 0;
    const DeviceLink link{line.Port(), 1, ""};
    const SResultOf<std::string> response = ExecuteCommand(link, command, "0001");
    if (response.Ok())
        FuzzCheck(response.value.size() < CFramePort::kFrameBufferSize,
                  "response data within a frame");
    FuzzCheck(log.Text().empty() || log.Text().back() == '\n', "log lines end in a line feed");
    return 0;
}
