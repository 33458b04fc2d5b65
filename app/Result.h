#pragma once

#include <string>
#include <utility>

#include "app/Reason.h"

// What an operation that a front end called came to: a code to branch on and the reason, so the
// desktop program and vexa-cli give the same reason without reading the log.
enum class ResultCode {
    kOk,
    kBusy,            // another operation was running: nothing was done
    kCancelled,       // the operator stopped it, or declined a question it asked
    kNotConnected,    // no controller model is loaded
    kPortMissing,     // the serial device does not exist
    kPortBusy,        // another program holds the serial device
    kPortDenied,      // no permission to open the serial device
    kPortFailed,      // any other reason the serial device could not be opened or set up
    kNoAnswer,        // the controller did not answer
    kLineLost,        // the serial device vanished in the middle of the operation
    kBadAnswer,       // the controller answered, but with an error or an unusable frame
    kModelNotLoaded,  // the controller's model files, key or parameter table could not be used
    kIncomplete,      // the operation ran through, but some parameters were not transferred
    kNotRestored,     // the controller did not confirm leaving write mode, restarting or storing
    kFileError,       // a parameter or CSV file could not be read or written
    kOtherModel,      // the set was made for another model than the controller's: refused
    kBadValue,        // the operator's value does not fit the parameter: nothing was sent
};

struct SResult {
    ResultCode code = ResultCode::kOk;
    std::string message;  // the reason in English
    int systemError = 0;  // the platform's error number behind it, 0 when none
    SReason reason;

    bool Ok() const { return code == ResultCode::kOk; }
    // Ran to its end: done, or done with some parameters not transferred.
    bool Completed() const { return Ok() || code == ResultCode::kIncomplete; }
    static SResult Success() { return {}; }
    static SResult Failure(ResultCode code, SReason reason, int systemError = 0) {
        std::string message = English(reason);
        return {code, std::move(message), systemError, std::move(reason)};
    }
    // The same code, for another reason.
    SResult Explained(SReason why) const { return Failure(code, std::move(why), systemError); }
};

// A result that also carries what the step obtained: the response data of a command, the value
// of a routine.  On a failure `value` holds what was obtained before it failed, if anything.
template <typename T>
struct SResultOf : SResult {
    T value{};

    SResultOf() = default;
    SResultOf(SResult result, T obtained = T{})
        : SResult(std::move(result)), value(std::move(obtained)) {}
};

// `what`, followed by the result's message when there is one: "not written: answered with …".
inline std::string WithReason(const std::string& what, const SResult& result) {
    return result.message.empty() ? what : what + ": " + result.message;
}

// The same as a reason.
inline SReason Because(SReason what, const SResult& result) {
    return Because(std::move(what), result.reason);
}
