#include "protocol/AnswerMatch.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "protocol/ControlBytes.h"

namespace {

// Quadrel: STX, node (2), sub-address (2), SID in a command / end code (2) in an answer.
constexpr size_t kQuadrelNode = 1;
constexpr size_t kQuadrelCommandCode = 6;
constexpr size_t kQuadrelAnswerCode = 7;
constexpr size_t kQuadrelCodeLength = 4;
// at-frame: "@", unit (2), header code (2).
constexpr size_t kAtUnit = 1;
constexpr size_t kAtHeaderCode = 3;
constexpr size_t kFieldLength = 2;

// Where command and answer name their unit and their command.
struct SNames {
    std::string_view sentUnit, answeredUnit, sentCode, answeredCode;
};

// Nothing when the frame cannot be told apart from the command by these fields: another
// protocol, too short, the command itself, or an at-frame "IC", which names no command.
std::optional<SNames> Names(std::string_view command, std::string_view frame) {
    // A second echo of the command is no answer to anything: the exchange judges it.
    if (command.empty() || frame.empty() || command.front() != frame.front() || frame == command)
        return std::nullopt;
    if (frame.front() == kStx) {
        if (command.size() < kQuadrelCommandCode + kQuadrelCodeLength ||
            frame.size() < kQuadrelAnswerCode + kQuadrelCodeLength)
            return std::nullopt;
        return SNames{command.substr(kQuadrelNode, kFieldLength),
                      frame.substr(kQuadrelNode, kFieldLength),
                      command.substr(kQuadrelCommandCode, kQuadrelCodeLength),
                      frame.substr(kQuadrelAnswerCode, kQuadrelCodeLength)};
    }
    if (frame.front() == kAtStart) {
        if (command.size() < kAtHeaderCode + kFieldLength ||
            frame.size() < kAtHeaderCode + kFieldLength)
            return std::nullopt;
        SNames names{command.substr(kAtUnit, kFieldLength), frame.substr(kAtUnit, kFieldLength),
                     command.substr(kAtHeaderCode, kFieldLength),
                     frame.substr(kAtHeaderCode, kFieldLength)};
        if (names.answeredCode == "IC") names.sentCode = names.answeredCode = {};
        return names;
    }
    return std::nullopt;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

}  // namespace

bool IsStaleAnswer(std::string_view command, std::string_view frame) {
    const std::optional<SNames> names = Names(command, frame);
    return names && (names->sentUnit != names->answeredUnit ||
                     !SameIgnoringCase(names->sentCode, names->answeredCode));
}

std::string CodeInOtherCase(std::string_view command, std::string_view frame) {
    const std::optional<SNames> names = Names(command, frame);
    if (!names || names->sentCode == names->answeredCode ||
        !SameIgnoringCase(names->sentCode, names->answeredCode))
        return {};
    return std::string(names->answeredCode);
}
