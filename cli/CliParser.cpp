#include "cli/CliParser.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <map>

#include "app/UnitRanges.h"
#include "app/Version.h"
#include "cli/CliOutput.h"
#include "cli/NearestName.h"

namespace {

const std::map<std::string, std::uint16_t> kParities = {{"none", CCommSettings::kParityNone},
                                                        {"odd", CCommSettings::kParityOdd},
                                                        {"even", CCommSettings::kParityEven}};

CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& description,
                     const std::string& example) {
    CLI::App* command = app.add_subcommand(name, description);
    command->footer("Example:\n  " + example);
    return command;
}

void AddWaitPort(CLI::App* command, int& seconds) {
    command
        ->add_option("--wait-port", seconds,
                     "when the line is lost, wait up to SECONDS for the same device to come "
                     "back and go on from the parameter that failed")
        ->check(CLI::Range(1, 86400));
}

// The same wait for every command to the controller, the model request included, whatever the
// model's table and scripts say.
void AddWaits(CLI::App* command, SCliOptions& o) {
    // The exchange counts its time-out in 16 bits; a value beyond would wrap to no wait at all.
    command
        ->add_option("--timeout", o.waitTimeoutMs,
                     "wait up to MS milliseconds per byte of every answer (default: the "
                     "model's own; the model request 5000)")
        ->check(CLI::Range(1, 65535));
    command
        ->add_option("--retries", o.retries,
                     "try every command N more times when it fails (default: the model's own; "
                     "the model request 2)")
        ->check(CLI::Range(0, 100));
}

void AddAllowOtherModel(CLI::App* command, bool& allowed) {
    command->add_flag("--allow-other-model", allowed,
                      "take a set made for another model: its values go by parameter number");
}

// Why the command line was refused, one line: a word where the command belongs that names none
// is answered with the nearest command, as a mistyped parameter name is.
std::string UsageError(const CLI::App& app, const CLI::ParseError& error) {
    if (!app.get_subcommands().empty()) return error.what();
    std::vector<std::string> commands;
    for (const CLI::App* command : app.get_subcommands({})) commands.push_back(command->get_name());
    std::string list;
    for (const std::string& command : commands) list += (list.empty() ? "" : ", ") + command;
    const std::vector<std::string> words = app.remaining();
    const auto typed = std::find_if(words.begin(), words.end(), [](const std::string& word) {
        return word.rfind('-', 0) != 0;
    });
    if (typed == words.end()) return "name a command: " + list;
    const std::string nearest = NearestName(*typed, commands);
    if (nearest.empty()) return "no command \"" + *typed + "\" (the commands: " + list + ")";
    return "no command \"" + *typed + "\"; did you mean \"" + nearest + "\"?";
}

}  // namespace

int ParseCommandLine(int argc, char** argv, SCliOptions& o) {
    CLI::App app{"VEXA command line: set up temperature controllers on a serial line.", "vexa-cli"};
    // What scripts and package tools expect of --version: the program's name, then its version.
    app.set_version_flag("--version", "vexa-cli " + GetVersionNumber());
    app.require_subcommand(1);
    app.fallthrough();
    app.footer(
        "Every parameter of upload, download and verify ends as ok, absent (this controller "
        "does not have it), not_in_set (download: the set has no value for it), failed or "
        "differs (verify).\n"
        "Exit codes: 0 success (absent and not_in_set included), 1 the operation itself "
        "failed (connect, lost line, routine, file), 2 usage error, 3 some parameter failed or "
        "differs, 130 / 143 / 129 stopped by Ctrl-C / SIGTERM / SIGHUP (the controller is "
        "put back first).");

    std::string parity = "even";
    app.add_option("--port", o.line.portName,
                   "serial device path (a tty or a pseudo-terminal), socket://HOST:PORT or "
                   "rfc2217://HOST:PORT");
    app.add_option("--baud", o.line.baudRate, "baud rate")->capture_default_str();
    app.add_option("--data-bits", o.line.dataBits, "7 or 8")
        ->check(CLI::IsMember({7, 8}))
        ->capture_default_str();
    app.add_option("--parity", parity, "none, odd or even")
        ->check(CLI::IsMember({"none", "odd", "even"}))
        ->capture_default_str();
    app.add_option("--stop-bits", o.line.stopBits, "1 or 2")
        ->check(CLI::IsMember({1, 2}))
        ->capture_default_str();
    app.add_option("--unit", o.unit, "unit number of the controller")
        ->check(CLI::Range(0, 99))
        ->capture_default_str();
    app.add_option("--home", o.home,
                   "folder standing for the program folder (VEXA.cap, Skyloom.set, models, log)");
    app.add_option("--log", o.logPath,
                   "the communication log's file (default: tra.txt in the program folder)");
    app.add_option("--record", o.recordPath,
                   "append one JSON line per unit and operation to FILE (shared by many runs)");
    app.add_flag("--json", o.json, "print the result as one JSON object");

    AddCommand(app, "ports", "list the serial ports present", "vexa-cli ports");
    auto* identify = AddCommand(app, "identify", "connect and print what the controller is",
                                "vexa-cli --port /dev/ttyUSB0 --unit 1 identify");
    AddWaits(identify, o);
    auto* upload = AddCommand(app, "upload", "read the whole parameter set into a file",
                              "vexa-cli --port /dev/ttyUSB0 upload -o set.tmf --csv set.csv");
    upload->add_option("-o", o.output, "parameter file to write (-: standard output)")->required();
    upload->add_option("--csv", o.csv, "also export the set as CSV");
    AddWaitPort(upload, o.waitPortSeconds);
    AddWaits(upload, o);
    auto* download = AddCommand(app, "download", "write a parameter file into a controller",
                                "vexa-cli --port /dev/ttyUSB0 download -i set.tmf --target-unit 2");
    download->add_option("-i", o.input, "parameter file to write")->required();
    download->add_option("--target-unit", o.targetUnit, "unit to write (default: --unit)")
        ->check(CLI::Range(0, 99));
    download->add_flag("--dry-run", o.dryRun,
                       "read what the download would change and write nothing");
    AddWaitPort(download, o.waitPortSeconds);
    AddWaits(download, o);
    AddAllowOtherModel(download, o.allowOtherModel);
    auto* verify = AddCommand(app, "verify", "compare a controller with a parameter file",
                              "vexa-cli --port /dev/ttyUSB0 verify -i set.tmf");
    verify->add_option("-i", o.input, "parameter file to compare with")->required();
    AddWaitPort(verify, o.waitPortSeconds);
    AddWaits(verify, o);
    AddAllowOtherModel(verify, o.allowOtherModel);
    std::string units = "0-99";
    auto* scan = AddCommand(app, "scan", "list the units that answer on the line",
                            "vexa-cli --port /dev/ttyUSB0 scan --units 1-10 --timeout 100");
    scan->add_option("--units", units, "units to ask, e.g. 0-99 or 1,2,5-8")->capture_default_str();
    scan->add_option("--timeout", o.scanTimeoutMs, "time-out per unit in milliseconds")
        ->check(CLI::Range(1, 65535))
        ->capture_default_str();
    auto* clone = AddCommand(app, "clone", "download and verify a parameter file into many units",
                             "vexa-cli --port /dev/ttyUSB0 clone -i set.tmf --units 2-9");
    clone->add_option("-i", o.input, "parameter file to write")->required();
    clone->add_option("--units", units, "units to write, e.g. 2-9 or 1,2,5-8")->required();
    clone->add_flag("--no-verify", o.noVerify, "do not verify each unit after its download");
    AddWaitPort(clone, o.waitPortSeconds);
    AddWaits(clone, o);
    AddAllowOtherModel(clone, o.allowOtherModel);
    auto* get = AddCommand(app, "get", "read parameters as the setting view shows them",
                           "vexa-cli --port /dev/ttyUSB0 get 12 \"Set point\"");
    get->add_option("KEY", o.arguments, "parameter number or name (none: all)");
    AddWaits(get, o);
    auto* set = AddCommand(app, "set", "write parameters and read them back",
                           "vexa-cli --port /dev/ttyUSB0 set 12=25.5");
    set->add_option("KEY=VALUE", o.arguments, "parameter number or name, and the value")
        ->required();
    AddWaits(set, o);
    auto* exportCmd =
        AddCommand(app, "export", "export a parameter file as CSV without a controller",
                   "vexa-cli export -i set.tmf -o set.csv");
    exportCmd->add_option("-i", o.input, "parameter file")->required();
    exportCmd->add_option("-o", o.output, "CSV file to write")->required();
    exportCmd->add_option("--table", o.table,
                          "parameter table file (default: the set's own model's, from the model "
                          "index)");
    auto* show = AddCommand(app, "show", "print a parameter file", "vexa-cli show set.tmf");
    show->add_option("FILE", o.input, "parameter file")->required();
    auto* diff = AddCommand(app, "diff", "compare two parameter files record by record",
                            "vexa-cli diff a.tmf b.tmf --table HD40.prm");
    diff->add_option("FILES", o.arguments, "the two parameter files")->expected(2)->required();
    diff->add_option("--table", o.table, "parameter table file: names and display values");
    auto* send = AddCommand(app, "send", "send one typed command (maintenance)",
                            "vexa-cli --port /dev/ttyUSB0 send \"@01RS\"");
    // A plain text option: container options would take "[STX]...[ETX]" for a list.
    send->add_option("TEXT", o.sendText, "the command, mnemonics allowed")->required();
    // The exchange counts its time-out in 16 bits; a value beyond would wrap to no wait at all.
    send->add_option("--retry", o.retry, "attempts")
        ->check(CLI::Range(1, 65535))
        ->capture_default_str();
    send->add_option("--timeout", o.timeoutMs, "time-out per byte in milliseconds")
        ->check(CLI::Range(1, 65535))
        ->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        // --json may come after the word that was refused: the error is a JSON object all the same.
        o.json = o.json || std::find(argv + 1, argv + argc, std::string("--json")) != argv + argc;
        PrintError(UsageError(app, e));
        std::cerr << "Run with --help for more information.\n";
        return kExitUsage;
    }
    o.line.parity = kParities.at(parity);
    o.portGiven = app.count("--port") > 0;
    o.command = app.get_subcommands().front()->get_name();
    if (o.command == "scan" || o.command == "clone") {
        std::string error;
        if (!ParseUnitRanges(units, o.units, error)) {
            PrintError("--units: " + error);
            return kExitUsage;
        }
    }
    return -1;
}
