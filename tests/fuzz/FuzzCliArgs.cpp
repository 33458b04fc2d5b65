// vexa-cli's command line, parsed as the program parses it; nothing runs.  Input: the
// arguments, each ended by a zero byte.
#include <vector>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "cli/CliOptions.h"
#include "cli/CliParser.h"

namespace {

// More arguments than any command takes.
constexpr std::size_t kMaxArguments = 64;

}  // namespace

int FuzzCliArgs(const std::uint8_t* data, std::size_t size) {
    const std::string text = FuzzText(data, size);
    std::vector<std::string> arguments{"vexa-cli"};
    std::size_t start = 0;
    while (start < text.size() && arguments.size() <= kMaxArguments) {
        std::size_t end = text.find('\0', start);
        if (end == std::string::npos) end = text.size();
        arguments.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    const QuietOutput quiet;
    SCliOptions options;
    const int code = ParseCommandLine(static_cast<int>(arguments.size()), argv.data(), options);
    if (code < 0) {
        FuzzCheck(!options.command.empty(), "a command to run");
        FuzzCheck(options.line.parity <= CCommSettings::kParityEven, "a known parity");
        FuzzCheck(options.unit >= 0 && options.unit <= 99, "an addressable unit");
    } else {
        FuzzCheck(code == kExitOk || code == kExitUsage, "help, version or a usage error");
    }
    return 0;
}
