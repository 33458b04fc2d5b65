#pragma once

// The line faults of the fault matrices: vexa-cli's and the desktop's take the same rows, so that
// both programs are held to the same cause for the same fault.
#include <sstream>
#include <string>
#include <vector>

inline std::string Replace(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// The parts of text between the separators (options between single spaces, lines).
inline std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

// How a fault ends the operation, as the exit codes say it.
enum class EEnd {
    kTakenBehind,  // the answer behind the fault is taken: exit 0, as on a clean line
    kRetriedAway,  // a later attempt is answered: exit 0; for an operation that asks once, kFails
    kFails,        // every attempt of the command fails: the column's exit code for a failure
    kLineLost,     // the device hangs up: exit 1, nothing written, no retry
    kStaysBad,     // every command from then on fails, the disconnect routine's too: exit 1
    kNotRestored,  // the controller does not confirm leaving write mode: exit 1, and it says so
    // The same after an operation that wrote nothing and got all its data: the controller is as
    // found, and the exit code is the data's (0), with a warning. (Data that are not whole, as
    // on a line that stays bad, keep exit 1.)
    kWarned,
    kStopped,  // a signal stops the walk; the controller is put back: exit 128 + signal
};

// One row: a fault, applied to one command in the middle of the operation ({T}: that command's
// text, the column's Quadrel or at-frame command).
struct SFault {
    const char* name;
    const char* simOptions;
    bool atFrame;
    EEnd end;
    const char* cause;             // what standard error says came back (a regular expression)
    const char* logShows;          // what the communication log shows of it
    const char* target = nullptr;  // {T} when not the operation's own command
    int signal = 0;                // sent to vexa-cli in the middle of a download instead
};

// {ms} is the time-out of one attempt, {late} one and a half of it: each program's fixture sets
// the time-out it can afford.
inline constexpr SFault kFaults[] = {
    {"Silence", "--silent 2 --fault-only {T}", false, EEnd::kFails,
     "no (unit )?answer.* within {ms} ms", "response time out."},
    // A line that echoes: the echo is skipped and the answer behind it taken.
    {"OneEcho", "--echo 1 --fault-only {T}", false, EEnd::kTakenBehind, "",
     "RECV--> [STX]010000{T}"},
    // Only one echo is skipped: the second one is judged as the answer, and it is none. The
    // retry takes the answer of either attempt: both answer the same command.
    {"TwoEchoes", "--echo 2 --fault-only {T} --fault-count 1", false, EEnd::kRetriedAway,
     "answered with a frame that cannot be read", "RECV--> [STX]01000{T}"},
    {"BadBcc", "--corrupt-check --fault-only {T}", false, EEnd::kFails,
     "answered with a bad check byte", "RECV--> [STX]010000{T}"},
    {"BadFcs", "--corrupt-check --fault-only {T}", true, EEnd::kFails,
     "answered with a bad check byte", "RECV--> @01{T}00"},
    {"EndCode0F", "--end-code 0F --fault-only {T}", false, EEnd::kFails,
     "answered with end code 0F", "RECV--> [STX]01000F{T}"},
    {"EndCode01", "--end-code 01 --fault-only {T}", false, EEnd::kFails,
     "answered with end code 01", "RECV--> [STX]010001{T}"},
    {"ResponseCode", "--response-code 1001 --fault-only {T}", false, EEnd::kFails,
     "answered with response code 1001", "RECV--> [STX]010000{T}1001"},
    {"AtEndCode", "--at-end-code 13 --fault-only {T}", true, EEnd::kFails,
     "answered with end code 13", "RECV--> @01{T}13"},
    {"AtIc", "--at-ic --fault-only {T}", true, EEnd::kFails, "answered with header code IC",
     "RECV--> @01IC"},
    {"Garbage", "--garbage --fault-only {T}", false, EEnd::kStaysBad,
     "2048 bytes without a frame end", "RECV--> GARBAGE-garbage-"},
    // Held back past the time-out of its first attempt: the retry is answered at once.
    {"LateAnswer", "--late {late} --fault-only {T} --fault-count 1", false, EEnd::kRetriedAway,
     "no (unit )?answer.* within {ms} ms", "response time out."},
    // On a line paced at 9600 baud the late answer arrives while the retry is being sent: it is
    // neither cut nor taken for the next command's.
    {"LateAnswerPaced", "--pace 9600 --late {late} --fault-only {T} --fault-count 1", false,
     EEnd::kRetriedAway, "no (unit )?answer.* within {ms} ms", "response time out."},
    // Stray bytes before every answer are line noise: skipped, and logged.
    {"NoiseBeforeAnswers", "--noise 00FF", false, EEnd::kTakenBehind, "", "line noise discarded."},
    // The device hangs up while the client waits for the answer to the Vth command.
    {"LineVanishes", "--vanish-after {V} --silent 1 --fault-from {V}", false, EEnd::kLineLost,
     "line (was )?lost", "line lost."},
    // Leaving write mode unanswered, in the after routine and the DisConnect routine alike.
    {"LeaveUnanswered", "--silent 100 --fault-only {T}", true, EEnd::kNotRestored,
     "no (unit )?answer.* within {ms} ms", "SEND--> @01WM0", "WM0"},
    // Stops in the middle of a download; the after routine still runs to its end.
    {"CtrlC", "--delay 100", false, EEnd::kStopped, "the download was stopped",
     "Download after action end.", nullptr, SIGINT},
    {"Sigterm", "--delay 100", false, EEnd::kStopped, "the download was stopped",
     "Download after action end.", nullptr, SIGTERM},
    {"Sighup", "--delay 100", false, EEnd::kStopped, "the download was stopped",
     "Download after action end.", nullptr, SIGHUP},
};

// A row's text for a fixture whose attempts time out after timeoutMs.
inline std::string Timed(std::string text, int timeoutMs) {
    return Replace(Replace(text, "{ms}", std::to_string(timeoutMs)), "{late}",
                   std::to_string(timeoutMs * 3 / 2));
}
