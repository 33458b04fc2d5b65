#include "protocol/AnswerMatch.h"

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

bool Differ(std::string_view a, size_t aAt, std::string_view b, size_t bAt, size_t length) {
    return a.substr(aAt, length) != b.substr(bAt, length);
}

}  // namespace

bool IsStaleAnswer(std::string_view command, std::string_view frame) {
    // A second echo of the command is no answer to anything: the exchange judges it.
    if (command.empty() || frame.empty() || command.front() != frame.front() || frame == command)
        return false;
    if (frame.front() == kStx) {
        if (command.size() < kQuadrelCommandCode + kQuadrelCodeLength ||
            frame.size() < kQuadrelAnswerCode + kQuadrelCodeLength)
            return false;
        return Differ(command, kQuadrelNode, frame, kQuadrelNode, kFieldLength) ||
               Differ(command, kQuadrelCommandCode, frame, kQuadrelAnswerCode, kQuadrelCodeLength);
    }
    if (frame.front() == kAtStart) {
        if (command.size() < kAtHeaderCode + kFieldLength ||
            frame.size() < kAtHeaderCode + kFieldLength)
            return false;
        if (Differ(command, kAtUnit, frame, kAtUnit, kFieldLength)) return true;
        return frame.substr(kAtHeaderCode, kFieldLength) != "IC" &&
               Differ(command, kAtHeaderCode, frame, kAtHeaderCode, kFieldLength);
    }
    return false;
}
