// vexa-cli: the VEXA engine for scripts and production lines.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>

#include "app/Folders.h"
#include "cli/CliOutput.h"
#include "cli/CliParser.h"
#include "cli/Commands.h"
#include "cli/ControlByteEscaper.h"
#include "cli/RunRecord.h"
#include "cli/TerminalUi.h"
#include "protocol/CommLog.h"

namespace {

// The command the command line named, from the checks before it to its record: its exit code.
int RunCommand(const SCliOptions& options) {
    static const std::set<std::string> kOffline = {"ports", "export", "show", "diff"};
    if (!options.portGiven && !kOffline.count(options.command)) {
        PrintError(options.command + " talks to a controller: name its port with --port DEVICE");
        return kExitUsage;
    }
    // Names relative to the program folder are resolved against it again: make it absolute once.
    if (!options.home.empty()) {
        std::error_code error;
        const std::filesystem::path home = std::filesystem::absolute(options.home, error);
        SetModuleFolder(error ? options.home : home.string());
    }
    // A unit programmed without its record would be a unit nobody can account for: the file must
    // take lines before anything reaches a controller.
    if (!OpenRecordFile(options)) return kExitFailure;
    static const std::set<std::string> kRecordedHere = {"identify", "upload", "download", "verify",
                                                        "set"};
    const bool recordHere = kRecordedHere.count(options.command) > 0;
    if (recordHere) {
        CommandRecord().Start(options.dryRun ? "dry-run" : options.command,
                              options.targetUnit >= 0 ? options.targetUnit : options.unit);
        if (options.command != "upload") CommandRecord().file = options.input;
    }

    static const std::map<std::string, int (*)(const SCliOptions&)> kCommands = {
        {"ports", RunPorts},       {"identify", RunIdentify}, {"upload", RunUpload},
        {"download", RunDownload}, {"verify", RunVerify},     {"get", RunGet},
        {"set", RunSet},           {"export", RunExport},     {"show", RunShow},
        {"send", RunSend},         {"diff", RunDiff},         {"scan", RunScan},
        {"clone", RunClone}};
    SetLogName("tra");
    SetLogPath(options.logPath);
    // A run whose log is not the usual one, or that has none, says so: the log is the record
    // of what was sent to the controller.
    if (!OpenLog())
        std::cerr << "vexa-cli: no communication log: "
                  << (LogNotice().empty() ? "no folder can take it" : LogNotice()) << "\n";
    else if (!LogNotice().empty())
        std::cerr << "vexa-cli: " << LogNotice() << "\n";
    LogEvent("vexa-cli start.");
    int code = kCommands.at(options.command)(options);
    // Whatever stopped short after Ctrl-C, SIGTERM or SIGHUP was stopped by it.
    if (code != kExitOk && CTerminalUi::Interrupted()) code = CTerminalUi::InterruptedExitCode();
    if (recordHere) WriteRecord(options, CommandRecord(), code);
    if (RecordFailed() && (code == kExitOk || code == kExitIncomplete)) code = kExitFailure;
    LogEvent("vexa-cli end.");
    CloseLog();
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    // First of all: a signal that comes while the program starts must not end it unannounced.
    CTerminalUi::InstallInterruptHandler();
    CControlByteEscaper safeOut(std::cout), safeErr(std::cerr);
    SCliOptions options;
    int code = ParseCommandLine(argc, argv, options);
    if (code < 0) code = RunCommand(options);
    // A script reading --json gets one object, also when the command line was wrong.
    if (options.json) PrintJsonDocument(code);
    // A full disk or a reader that went away must not pass for output that arrived.
    if (!std::cout.flush()) {
        const int error = errno;
        std::cerr << "vexa-cli: writing to standard output failed: " << std::strerror(error)
                  << "\n";
        if (code == kExitOk) code = kExitFailure;
    }
    return code;
}
