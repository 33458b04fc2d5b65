#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Why an operation failed, as a sentence id and its values, so that a front end words it in the
// operator's language without reading English.  The English sentences are kReasonEnglish below;
// the desktop's catalogue has each one under kFirstReasonNumber + its id.
enum class ReasonId : std::uint16_t {
    kText,  // a value shown as it stands: a path, a name, what came back, the system's words
    // Reasons joined into one
    kBecause,
    kThen,
    kAlso,
    // What an exchange with the controller came to
    kStoppedByOperator,
    kLineWasLost,
    kOnlyEcho,
    kOneByte,
    kBytes,
    kNoFrameEnd,
    kNoOwnAnswerWithin,
    kNoAnswerWithin,
    kAnsweredWithoutEnd,
    kBadCheckByte,
    kEndCode,
    kResponseCode,
    kHeaderCodeIC,
    kOtherLetterCase,
    kUnreadableFrame,
    kNoLineToSend,
    kNoAttemptMade,
    kTries,
    kRetryCountZero,
    // Commands, routines and the session
    kBusy,
    kNotConnected,
    kLineNotOpen,
    kCannotFrame,
    kNoCommands,
    kNoNumber,
    kRoutineUnreadable,
    kRoutineNotLoaded,
    kScriptCannotFrame,
    kAnswerLacksField,
    kRoutineStoppedAt,
    kUnitOnPort,
    kParameterNamed,
    // Connecting
    kFixedTableNotLoaded,
    kFixedTableNoAnswer,
    kModelRequestTo,
    kNoModelInAnswer,
    kModelNamesNoFile,
    kModelNoScript,
    kModelNotIdentified,
    kModelNoIndex,
    kModelNoTable,
    kModelTableNotLoaded,
    kNoKey,
    kLineToLost,
    // Transfers
    kNothingRead,
    kIncompleteNotDownloaded,
    kAfterDownloadStopped,
    kAfterDownloadFailed,
    kBeforeDownloadFailed,
    kDisConnectStopped,
    kDisConnectFailed,
    kMayBeStoppedInWriteMode,
    kMayBeInWriteMode,
    kUploadStopped,
    kVerifyStopped,
    kDownloadStopped,
    kDryRunStopped,
    kParameterFailure,
    kOneFailed,
    kManyFailed,
    kOneFailedAt,
    kManyFailedFirstAt,
    kOneDiffers,
    kManyDiffer,
    kLineLostAt,
    kCameBackAsOther,
    kModelRequestAfterReturn,
    kDidNotComeBack,
    kCameBackOtherValues,
    kUnreadAfterReturn,
    kWaitingForLine,
    // Files
    kNotParameterFile,
    kFileRefused,
    kNoParameterOfModel,
    kNoRecord,
    kCutInside,
    kEndsInsideRecord,
    kMadeForModel,
    kSetIsFor,
    kOtherModelRefused,
    kNotRegularFile,
    kPathError,
    kNoParamList,
    kNoValidItem,
    // The setting view
    kCannotBeRead,
    kWriteModeNotEntered,
    kWriteModeNotLeft,
    kLeavingStopped,
    kLeaveNotConfirmed,
    kCannotBeWritten,
    kTakesNoValue,
    kNotANumber,
    kOutOfRange,
    kNothingWritten,
    kNotWritten,
    kReadBackFailed,
    // The serial port
    kPortNotSetUp,
    kPortMissing,
    kPortBusy,
    kPortDenied,
    kCheckPermissions,
    kJoinGroup,
    kCannotOpenPort,
    kNotNetAddress,
    kUnknownHost,
    kConnectionRefused,
    kNoConnectionWithin,
    kHostUnreachable,
    kNoPortControl,
    // The desktop's questions
    kNoFileChosen,
    kNoUnitGiven,
    kIncompleteNotSaved,
    // Parameter files and tables, read and written, and the question an incomplete set asks
    kNotParamFileNotRegular,
    kNotParamFileTooLarge,
    kNotParamFileCutHeader,
    kModelNameControlByte,
    kSetValueTooLong,
    kDateTooLong,
    kModelNameTooLong,
    kNotOpenForWriting,
    kNotOpenForReading,
    kNotPlainInteger,
    kValueOutOfRange,
    kGivenTwice,
    kRecordDamage,
    kRecordDamageNamed,
    kItemLinesSkipped,
    kDownloadIncompleteSet,
    kCount
};

struct SReasonSentence {
    ReasonId id;
    std::string_view english;
};

// In the order of ReasonId; "%1" ... "%9" stand for the values.
inline constexpr std::array<SReasonSentence, static_cast<std::size_t>(ReasonId::kCount)>
    kReasonEnglish{{
        {ReasonId::kText, "%1"},
        {ReasonId::kBecause, "%1: %2"},
        {ReasonId::kThen, "%1; %2"},
        {ReasonId::kAlso, "%1, %2"},
        {ReasonId::kStoppedByOperator, "stopped by the operator"},
        {ReasonId::kLineWasLost, "the line was lost"},
        {ReasonId::kOnlyEcho, "only its own command came back"},
        {ReasonId::kOneByte, "%1 byte"},
        {ReasonId::kBytes, "%1 bytes"},
        {ReasonId::kNoFrameEnd, "%1 without a frame end"},
        {ReasonId::kNoOwnAnswerWithin, "no answer of its own within %1 ms"},
        {ReasonId::kNoAnswerWithin, "no answer within %1 ms"},
        {ReasonId::kAnsweredWithoutEnd, "answered with %1 and no frame end within %2 ms"},
        {ReasonId::kBadCheckByte, "answered with a bad check byte"},
        {ReasonId::kEndCode, "answered with end code %1"},
        {ReasonId::kResponseCode, "answered with response code %1"},
        {ReasonId::kHeaderCodeIC, "answered with header code IC"},
        {ReasonId::kOtherLetterCase, "answered with its code in other letter case: %1"},
        {ReasonId::kUnreadableFrame, "answered with a frame that cannot be read"},
        {ReasonId::kNoLineToSend, "no line to send on"},
        {ReasonId::kNoAttemptMade, "no attempt made"},
        {ReasonId::kTries, "%1, %2 tries"},
        {ReasonId::kRetryCountZero, "no attempt made: the retry count is %1"},
        {ReasonId::kBusy, "another operation is running"},
        {ReasonId::kNotConnected, "no controller is connected"},
        {ReasonId::kLineNotOpen, "the line is not open"},
        {ReasonId::kCannotFrame, "the command %1 cannot be framed"},
        {ReasonId::kNoCommands, "the table gives no commands for it"},
        {ReasonId::kNoNumber, "the routine %1 returned no number"},
        {ReasonId::kRoutineUnreadable, "the routine %1 cannot be read"},
        {ReasonId::kRoutineNotLoaded, "the routine %1 does not load"},
        {ReasonId::kScriptCannotFrame, "the script's command %1 cannot be framed"},
        {ReasonId::kAnswerLacksField, "the answer to %1 lacks the field read"},
        {ReasonId::kRoutineStoppedAt, "the routine stopped at line %1"},
        {ReasonId::kUnitOnPort, "unit %1 on %2"},
        {ReasonId::kParameterNamed, "parameter %1 (%2)"},
        {ReasonId::kFixedTableNotLoaded, "the fixed parameter table %1 could not be loaded"},
        {ReasonId::kFixedTableNoAnswer,
         "%1 does not answer the read of the fixed table's first parameter"},
        {ReasonId::kModelRequestTo, "the model request to %1: %2"},
        {ReasonId::kNoModelInAnswer, "%1 answers the model request without a model"},
        {ReasonId::kModelNamesNoFile, "the model \"%1\" of unit %2 names no model file"},
        {ReasonId::kModelNoScript, "the model \"%1\" of unit %2 has no script file %3"},
        {ReasonId::kModelNotIdentified,
         "the model \"%1\" of unit %2 could not be identified: its \"Connect\" routine failed: %3"},
        {ReasonId::kModelNoIndex, "the model \"%1\" of unit %2 has no model index %3"},
        {ReasonId::kModelNoTable,
         "the model \"%1\" of unit %2 has no parameter table for the key \"%3\" in %4"},
        {ReasonId::kModelTableNotLoaded,
         "the model \"%1\" of unit %2 has a parameter table that could not be loaded: %3"},
        {ReasonId::kNoKey, "it returned no key"},
        {ReasonId::kLineToLost, "the line to %1 was lost"},
        {ReasonId::kNothingRead, "no parameter could be read from %1"},
        {ReasonId::kIncompleteNotDownloaded, "the incomplete set was not downloaded"},
        {ReasonId::kAfterDownloadStopped, "the model's AfterDownload routine was stopped"},
        {ReasonId::kAfterDownloadFailed, "the model's AfterDownload routine failed on %1"},
        {ReasonId::kBeforeDownloadFailed, "the model's BeforeDownload routine failed on %1"},
        {ReasonId::kDisConnectStopped, "the model's DisConnect routine was stopped"},
        {ReasonId::kDisConnectFailed, "the model's DisConnect routine failed on %1"},
        {ReasonId::kMayBeStoppedInWriteMode, "%1; unit %2 may still be stopped and in write mode"},
        {ReasonId::kMayBeInWriteMode, "%1; unit %2 may still be in write mode"},
        {ReasonId::kUploadStopped, "the upload was stopped"},
        {ReasonId::kVerifyStopped, "the verify was stopped"},
        {ReasonId::kDownloadStopped, "the download was stopped"},
        {ReasonId::kDryRunStopped, "the dry run was stopped"},
        {ReasonId::kParameterFailure, "parameter %1 (%2): %3"},
        {ReasonId::kOneFailed, "%1 parameter failed"},
        {ReasonId::kManyFailed, "%1 parameters failed"},
        {ReasonId::kOneFailedAt, "%1 parameter failed at %2"},
        {ReasonId::kManyFailedFirstAt, "%1 parameters failed, the first at %2"},
        {ReasonId::kOneDiffers, "%1 parameter differs"},
        {ReasonId::kManyDiffer, "%1 parameters differ"},
        {ReasonId::kLineLostAt, "line lost at parameter %1 (%2)"},
        {ReasonId::kCameBackAsOther, "unit %1 came back as model \"%2\", not \"%3\""},
        {ReasonId::kModelRequestAfterReturn,
         "after it came back, the model request to unit %1: %2"},
        {ReasonId::kDidNotComeBack, "%1 did not come back within %2 s"},
        {ReasonId::kCameBackOtherValues,
         "unit %1 came back holding other values: %2 reads %3, was %4"},
        {ReasonId::kUnreadAfterReturn, "after it came back, %1 could not be read again"},
        {ReasonId::kWaitingForLine,
         "the line was lost: waiting up to %1 s for %2 to come back with unit %3 (%4)"},
        {ReasonId::kNotParameterFile, "%1 is not a parameter file."},
        {ReasonId::kFileRefused, "%1 is refused: %2"},
        {ReasonId::kNoParameterOfModel, "%1 holds no parameter of this controller model."},
        {ReasonId::kNoRecord, "%1 is refused: it holds no parameter record"},
        {ReasonId::kCutInside, "%1 is refused: cut inside record %2 of %3"},
        {ReasonId::kEndsInsideRecord, "%1: the file ends inside record %2: %3 parameters read"},
        {ReasonId::kMadeForModel, "%1 was made for model \"%2\""},
        {ReasonId::kSetIsFor, "the set is for the %1"},
        {ReasonId::kOtherModelRefused,
         "%1, not for the %2 at %3: refused, as its values would go by parameter number into "
         "other parameters"},
        {ReasonId::kNotRegularFile, "%1 is not a regular file"},
        {ReasonId::kPathError, "%1 %2"},
        {ReasonId::kNoParamList, "%1 has no [ParamList] section"},
        {ReasonId::kNoValidItem, "%1 has no valid item"},
        {ReasonId::kCannotBeRead, "cannot be read"},
        {ReasonId::kWriteModeNotEntered, "write mode not entered"},
        {ReasonId::kWriteModeNotLeft, "write mode not left"},
        {ReasonId::kLeavingStopped, "leaving write mode was stopped"},
        {ReasonId::kLeaveNotConfirmed, "unit %1 did not confirm leaving write mode"},
        {ReasonId::kCannotBeWritten, "\"%1\" cannot be written"},
        {ReasonId::kTakesNoValue, "the parameter takes no value"},
        {ReasonId::kNotANumber, "\"%1\" is not a number"},
        {ReasonId::kOutOfRange, "\"%1\" is out of the parameter's range (%2 to %3)"},
        {ReasonId::kNothingWritten, "%1; nothing written"},
        {ReasonId::kNotWritten, "not written"},
        {ReasonId::kReadBackFailed, "written, but reading it back failed"},
        {ReasonId::kPortNotSetUp, "port %1 could not be set up for the line settings"},
        {ReasonId::kPortMissing, "port %1 does not exist"},
        {ReasonId::kPortBusy, "port %1 is busy: another program has it open"},
        {ReasonId::kPortDenied, "no permission to open port %1: %2"},
        {ReasonId::kCheckPermissions, "check the permissions of %1 (ls -l %1)"},
        {ReasonId::kJoinGroup,
         "add your user to the group '%1' (sudo usermod -aG %1 $USER) and log in again"},
        {ReasonId::kCannotOpenPort, "cannot open port %1: %2"},
        {ReasonId::kNotNetAddress, "%1: not a HOST:PORT address (port 1 to 65535)"},
        {ReasonId::kUnknownHost, "%1: unknown host"},
        {ReasonId::kConnectionRefused, "%1: connection refused"},
        {ReasonId::kNoConnectionWithin, "%1: no connection within %2 s"},
        {ReasonId::kHostUnreachable, "%1: host unreachable"},
        {ReasonId::kNoPortControl, "%1: the server does not offer RFC 2217 port control"},
        {ReasonId::kNoFileChosen, "no file was chosen"},
        {ReasonId::kNoUnitGiven, "no unit number was given"},
        {ReasonId::kIncompleteNotSaved, "the incomplete set was not saved"},
        {ReasonId::kNotParamFileNotRegular, "%1 is not a parameter file (not a regular file)."},
        {ReasonId::kNotParamFileTooLarge, "%1 is not a parameter file (more than 65 535 records)."},
        {ReasonId::kNotParamFileCutHeader,
         "%1 is not a parameter file (it ends inside its header)."},
        {ReasonId::kModelNameControlByte,
         "The model name holds a control byte and cannot go into a parameter file."},
        {ReasonId::kSetValueTooLong,
         "The set value of parameter %1 is too long (%2 bytes, at most %3)."},
        {ReasonId::kDateTooLong,
         "The date is too long for a parameter file (%1 bytes, at most %2)."},
        {ReasonId::kModelNameTooLong,
         "The model name is too long for a parameter file (%1 bytes, at most %2)."},
        {ReasonId::kNotOpenForWriting, "The parameter file is not open for writing."},
        {ReasonId::kNotOpenForReading, "The parameter file is not open for reading."},
        {ReasonId::kNotPlainInteger, "not a plain decimal integer"},
        {ReasonId::kValueOutOfRange, "out of range (%1 to %2)"},
        {ReasonId::kGivenTwice, "given twice (first in record %1)"},
        {ReasonId::kRecordDamage, "record %1, parameter %2, set value \"%3\": %4"},
        {ReasonId::kRecordDamageNamed, "record %1, parameter %2 (%3), set value \"%4\": %5"},
        {ReasonId::kItemLinesSkipped, "%1 item lines of %2 skipped"},
        {ReasonId::kDownloadIncompleteSet,
         "%1 ends inside record %2: only %3 of %4 parameters would be written. Download this "
         "incomplete set?"},
    }};

// The desktop catalogue's number of the first reason: the one of `id` is this + its value.
inline constexpr std::uint16_t kFirstReasonNumber = 700;

// How many values a sentence takes: its highest "%n".
constexpr std::size_t PlaceholderCount(std::string_view sentence) {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < sentence.size(); ++i)
        if (sentence[i] == '%' && sentence[i + 1] >= '1' && sentence[i + 1] <= '9')
            count = std::max<std::size_t>(count, static_cast<std::size_t>(sentence[i + 1] - '0'));
    return count;
}

constexpr std::string_view EnglishSentence(ReasonId id) {
    return kReasonEnglish[static_cast<std::size_t>(id)].english;
}

struct SReason {
    ReasonId id = ReasonId::kText;
    std::vector<SReason> values;
    std::string text;  // of kText

    SReason() = default;
    SReason(std::string shown) : text(std::move(shown)) {}
    SReason(const char* shown) : text(shown) {}
    SReason(ReasonId sentence, std::vector<SReason> filling)
        : id(sentence), values(std::move(filling)) {}

    bool Empty() const { return id == ReasonId::kText && text.empty(); }
};

// The reason `id` with its values, as many as its sentence has placeholders.
template <ReasonId id, typename... Values>
SReason Reason(Values&&... values) {
    static_assert(sizeof...(Values) == PlaceholderCount(EnglishSentence(id)));
    return SReason(id, {SReason(std::forward<Values>(values))...});
}

// `sentence` with "%1" ... "%9" replaced by the values; a placeholder without one stays.
std::string FillSentence(std::string_view sentence, const std::vector<std::string>& values);

// The reason in words: each sentence as `sentence` gives it, its values worded in turn.
std::string Worded(const SReason& reason, const std::function<std::string(ReasonId)>& sentence);

// The reason in English, as the log, vexa-cli and its JSON carry it.
std::string English(const SReason& reason);

// "what: why", or `what` alone when there is no why.
SReason Because(SReason what, const SReason& why);
