#include "sim/SimOptions.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <functional>
#include <type_traits>

#include "app/Version.h"

namespace {

bool ReadInt(const std::string& text, int base, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value, base);
    return failure == std::errc() && stop == end && value >= 0;
}

bool ReadPositive(const std::string& text, int& value) {
    return ReadInt(text, 10, value) && value > 0;
}

// A percentage with decimals, kept as parts per million.
bool ReadPercent(const std::string& text, int& perMillion) {
    double percent = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, percent);
    if (failure != std::errc() || stop != end || !(percent >= 0 && percent <= 100)) return false;
    perMillion = static_cast<int>(std::lround(percent * 10'000));
    return true;
}

// Hex digit pairs to the bytes they name, e.g. "00FF".
bool ReadHexBytes(const std::string& text, std::string& bytes, std::string& error) {
    constexpr size_t kMaxBytes = 64;
    std::string parsed;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        int byte = 0;
        if (!ReadInt(text.substr(i, 2), 16, byte)) break;
        parsed += static_cast<char>(byte);
    }
    if (text.empty() || text.size() % 2 != 0 || parsed.size() * 2 != text.size() ||
        parsed.size() > kMaxBytes) {
        error = "--noise takes 1 to " + std::to_string(kMaxBytes) +
                " bytes as pairs of hex digits, e.g. 00 or 00FF, not \"" + text + "\"";
        return false;
    }
    bytes = parsed;
    return true;
}

// Reads one option's value into the options; false (with error set, or left empty for the
// general "bad value" message) refuses it.
using Reader = std::function<bool(const std::string& value, std::string& error)>;

Reader Number(int& field, int base = 10) {
    return [&field, base](const std::string& v, std::string&) { return ReadInt(v, base, field); };
}

template <class Field>
Reader Positive(Field& field) {
    return [&field](const std::string& v, std::string&) {
        int value = 0;
        if (!ReadPositive(v, value)) return false;
        field = static_cast<Field>(value);
        return true;
    };
}

Reader NonEmpty(std::string& field) {
    return [&field](const std::string& v, std::string&) { return field = v, !v.empty(); };
}

// Every option acts as it is read, so that one given later overrides one given earlier, a
// --profile file included.
void AddValued(CLI::App& app, const std::string& name, const std::string& typeName,
               const std::string& description, const std::string& group, Reader read) {
    app.add_option(
           name,
           [name, read](const CLI::results_t& results) {
               const std::string value = results.empty() ? std::string() : results.back();
               std::string error;
               if (!read(value, error))
                   throw CLI::ValidationError(error.empty() ? "bad value for " + name + ": " + value
                                                            : error);
               return true;
           },
           description)
        ->type_name(typeName)
        ->group(group)
        ->trigger_on_parse();
}

void AddOptions(CLI::App& app, SimOptions& options) {
    SimFaults& faults = options.Faults;
    const std::string bus = "Options";
    AddValued(app, "--profile", "FILE", "model text, units and canned answers (INI-style)", bus,
              [&](const std::string& v, std::string& error) {
                  return LoadSimProfile(v, options.Profile, error);
              });
    AddValued(app, "--units", "LIST", "unit numbers on the line, e.g. 1,2 or 1-3 (default 1)", bus,
              [&](const std::string& v, std::string& error) {
                  if (ParseUnitList(v, options.Profile.Units, error)) return true;
                  error = "--units: " + error;
                  return false;
              });
    AddValued(app, "--model", "TEXT", "model text answered to command 0503", bus,
              [&](const std::string& v, std::string&) {
                  options.Profile.ModelText = v;
                  return true;
              });
    AddValued(app, "--link", "PATH", "also make PATH a symbolic link to the device", bus,
              NonEmpty(options.LinkPath));
    AddValued(app, "--tcp", "PORT",
              "also serve the line on 127.0.0.1:PORT (0: any free port), one client at a time; "
              "prints socket://127.0.0.1:PORT",
              bus, [&](const std::string& v, std::string&) {
                  int port = -1;
                  if (!ReadInt(v, 10, port) || port > 65535) return false;
                  options.TcpPort = port;
                  return true;
              });
    AddValued(app, "--memory-dump", "DIR",
              "write each unit's parameter memory and state to DIR/unitNN.mem whenever they "
              "change",
              bus, NonEmpty(options.MemoryDumpFolder));
    AddValued(app, "--stats", "FILE",
              "at exit write the counts of what was injected and each unit's state to FILE, one "
              "a line (standard error gets the counts in one line when any were)",
              bus, NonEmpty(options.StatsPath));

    const std::string faulty =
        "Faults (they hit every command unless narrowed; pacing always "
        "applies)";
    AddValued(app, "--echo", "N", "send each command back N times before answering", faulty,
              Number(faults.EchoCount));
    AddValued(app, "--delay", "MS", "answer MS milliseconds late, later commands waiting", faulty,
              Number(faults.ReplyDelayMs));
    AddValued(app, "--pace", "BAUD[/BITS]", "send one byte per character time (default 11 bits)",
              faulty, [&](const std::string& v, std::string&) {
                  const size_t slash = v.find('/');
                  return ReadInt(v.substr(0, slash), 10, faults.PaceBaud) && faults.PaceBaud > 0 &&
                         (slash == std::string::npos ||
                          (ReadInt(v.substr(slash + 1), 10, faults.PaceBitsPerChar) &&
                           faults.PaceBitsPerChar > 0));
              });
    AddValued(app, "--silent", "N", "leave the next N commands unanswered", faulty,
              Number(faults.SilentCommands));
    AddValued(app, "--silent-for", "CMD", "never answer this command text", faulty,
              NonEmpty(faults.SilentFor));
    app.add_flag("--corrupt-check", faults.CorruptCheck, "answer with a wrong BCC / FCS")
        ->group(faulty);
    AddValued(app, "--end-code", "HEX", "Quadrel end code to answer with (e.g. 0F, 01)", faulty,
              Number(faults.EndCode, 16));
    AddValued(app, "--response-code", "HEX", "Quadrel response code to answer with (e.g. 1001)",
              faulty, Number(faults.ResponseCode, 16));
    AddValued(app, "--at-end-code", "XX", "at-frame end code to answer with", faulty,
              [&](const std::string& v, std::string&) {
                  faults.AtEndCode = v;
                  return v.size() == 2;
              });
    app.add_flag("--at-ic", faults.AtIc, "answer at-frames with header code IC")->group(faulty);
    app.add_flag("--garbage", faults.Garbage, "answer with endless bytes that never end a frame")
        ->group(faulty);
    AddValued(app, "--late", "MS",
              "answer MS milliseconds late, answering later commands meanwhile (more than the "
              "client's time-out: a stale answer)",
              faulty, Number(faults.LateMs));
    AddValued(app, "--noise", "HEX",
              "send these bytes just before each answer, as hex digit pairs (e.g. 00 or 00FF)",
              faulty, [&](const std::string& v, std::string& error) {
                  return ReadHexBytes(v, faults.Noise, error);
              });

    const std::string narrow = "Narrowing the faults";
    AddValued(app, "--fault-from", "N", "only from the Nth command on", narrow,
              Positive(faults.Scope.FromCommand));
    AddValued(app, "--fault-only", "TEXT",
              "only commands whose text (code and data) starts with TEXT", narrow,
              NonEmpty(faults.Scope.OnlyFor));
    AddValued(app, "--fault-rate", "PERCENT", "only this share of them, drawn at random (e.g. 2.5)",
              narrow, [&](const std::string& v, std::string&) {
                  return ReadPercent(v, faults.Scope.RatePerMillion);
              });
    AddValued(app, "--fault-seed", "N",
              "seed of the draw: the same seed hits the same commands (default 1)", narrow,
              [&](const std::string& v, std::string&) {
                  int seed = 0;
                  if (!ReadInt(v, 10, seed)) return false;
                  faults.Scope.Seed = static_cast<uint32_t>(seed);
                  return true;
              });
    AddValued(app, "--fault-count", "N", "then only the first N of them", narrow,
              Positive(faults.Scope.MaxHits));

    const std::string line = "The line as a whole";
    AddValued(app, "--vanish-after", "N", "close the line once N commands came", line,
              Positive(faults.VanishAfterCommands));
    AddValued(app, "--return-after", "MS",
              "then open it again MS milliseconds later, at the same --link", line,
              Number(faults.ReturnAfterMs));
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options,
                     std::string& error) {
    CLI::App app{"A simulated controller bus on a pseudo-terminal; prints the device path.",
                 "vexa-sim"};
    // What scripts and package tools expect of --version: the program's name, then its version.
    app.set_version_flag("--version", "vexa-sim " + GetVersionNumber());
    AddOptions(app, options);
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        options.InfoText = app.help();
    } catch (const CLI::CallForVersion& version) {
        options.InfoText = version.what() + std::string("\n");
    } catch (const CLI::ParseError& failure) {
        error = failure.what();
        return false;
    }
    return true;
}
