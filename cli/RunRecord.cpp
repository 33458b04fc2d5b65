#include "cli/RunRecord.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/Sha256.h"
#include "app/TimeText.h"
#include "app/Version.h"
#include "cli/CliOutput.h"
#include "cli/TerminalUi.h"
#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"

namespace {

int g_fd = -1;
bool g_failed = false;
SUnitRecord g_command;

std::string HostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

const char* ResultOf(int exitCode) {
    if (exitCode == kExitOk) return "ok";
    if (exitCode == kExitIncomplete) return "incomplete";
    if (exitCode >= 128 || CTerminalUi::Interrupted()) return "stopped";
    return "failed";
}

// "Verify result: unit 2 ok, 36 equal, 0 differ." for the communication log.
std::string LogLine(const SUnitRecord& r, const char* result) {
    std::string operation = r.operation;
    operation[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(operation[0])));
    std::string line = operation + " result: unit " + std::to_string(r.unit) + " " + result;
    const bool compares = r.operation == "verify" || r.operation == "dry-run" ||
                          (r.operation == "clone" && r.differs + r.ok > 0);
    // Counts only of a walk that took place: a unit that was never reached has none.
    if (r.ok + r.absent + r.notInSet + r.failed + r.differs > 0) {
        const char* okWord = r.operation == "upload"     ? " read"
                             : r.operation == "download" ? " written"
                             : r.operation == "set"      ? " set"
                             : compares                  ? " equal"
                                                         : " ok";
        line += ", " + std::to_string(r.ok) + okWord;
        if (compares) line += ", " + std::to_string(r.differs) + " differ";
        line += ", " + std::to_string(r.failed) + " failed";
        if (r.absent > 0) line += ", " + std::to_string(r.absent) + " absent";
        if (r.notInSet > 0) line += ", " + std::to_string(r.notInSet) + " not in the set";
    }
    return line + ".";
}

// One write(2) of the whole line under an exclusive lock, so that lines of processes sharing the
// file never mix; a line the disk took only in part is cut off again.
bool AppendLine(const std::string& line, std::string& error) {
    if (flock(g_fd, LOCK_EX) != 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat before {};
    const bool sized = fstat(g_fd, &before) == 0;
    ssize_t written;
    do written = write(g_fd, line.data(), line.size());
    while (written < 0 && errno == EINTR);
    bool ok = written == static_cast<ssize_t>(line.size());
    if (!ok) {
        error = written < 0 ? std::strerror(errno) : "the disk took only part of the line";
        if (written > 0 && sized && ftruncate(g_fd, before.st_size) != 0)
            error += "; cut line left";
    }
    flock(g_fd, LOCK_UN);
    return ok;
}

}  // namespace

void SUnitRecord::Start(const std::string& what, int unitNumber) {
    *this = SUnitRecord();
    operation = what;
    unit = unitNumber;
    time = FormatTimeNow("%Y-%m-%dT%H:%M:%SZ", true);
    started = std::chrono::steady_clock::now();
}

void SUnitRecord::Note(const CDeviceSession& session) {
    if (!session.ModelText().empty()) modelText = session.ModelText();
    if (!session.ModelName().empty()) modelName = session.ModelName();
    if (session.ParamStatuses().empty()) return;
    const SOperationOutcome counts =
        CountStatuses(session.ParamStatuses(), SOperationOutcome::EOperation::None);
    ok = counts.transferred;
    absent = counts.absent;
    notInSet = counts.notInSet;
    failed = counts.failed;
    differs = counts.differs;
    AddFailedAndDiffering(session.ParamStatuses(), failedNumbers, differingNumbers);
}

void AddFailedAndDiffering(const std::vector<SParamStatus>& statuses, std::vector<int>& failed,
                           std::vector<int>& differs) {
    const auto addOnce = [](std::vector<int>& numbers, int number) {
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end())
            numbers.push_back(number);
    };
    for (const SParamStatus& entry : statuses) {
        if (entry.status == EParamStatus::Failed) addOnce(failed, entry.number);
        if (entry.status == EParamStatus::Differs) addOnce(differs, entry.number);
    }
}

bool OpenRecordFile(const SCliOptions& options) {
    if (options.recordPath.empty()) return true;
    g_fd = open(options.recordPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (g_fd >= 0) return true;
    PrintError("--record " + options.recordPath + ": " + std::strerror(errno));
    return false;
}

bool Recording() { return g_fd >= 0; }

SUnitRecord& CommandRecord() { return g_command; }

bool WriteRecord(const SCliOptions& options, const SUnitRecord& record, int exitCode) {
    const char* result = ResultOf(exitCode);
    LogEvent(LogLine(record, result));
    if (g_fd < 0) return true;
    nlohmann::json file = nullptr, digest = nullptr;
    if (!record.file.empty()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(record.file, error);
        file = error ? record.file : absolute.lexically_normal().string();
        if (std::string hex; Sha256OfFile(record.file, hex)) digest = hex;
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - record.started);
    // In the order the fields are documented, for a reader of the file by eye.
    const nlohmann::ordered_json line = {{"schema_version", 1},
                                         {"time", record.time},
                                         {"host", HostName()},
                                         {"port", options.line.portName},
                                         {"unit", record.unit},
                                         {"model_text", record.modelText},
                                         {"model_name", record.modelName},
                                         {"operation", record.operation},
                                         {"file", file},
                                         {"file_sha256", digest},
                                         {"result", result},
                                         {"counts",
                                          {{"ok", record.ok},
                                           {"absent", record.absent},
                                           {"not_in_set", record.notInSet},
                                           {"failed", record.failed},
                                           {"differs", record.differs}}},
                                         {"failed_parameters", record.failedNumbers},
                                         {"differing_parameters", record.differingNumbers},
                                         {"exit_code", exitCode},
                                         {"vexa_version", GetVersionNumber()},
                                         {"duration_ms", ms.count()}};
    std::string error;
    if (AppendLine(line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n",
                   error))
        return true;
    PrintError("--record " + options.recordPath + ": unit " + std::to_string(record.unit) +
               " not recorded: " + error);
    g_failed = true;
    return false;
}

bool RecordFailed() { return g_failed; }
