#include "sim/SimOptions.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <type_traits>

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

}  // namespace

std::string SimUsage() {
    return "Usage: vexa-sim [OPTIONS]\n"
           "A simulated controller bus on a pseudo-terminal; prints the device path.\n"
           "  --profile FILE       model text, units and canned answers (INI-style)\n"
           "  --units LIST         unit numbers on the line, e.g. 1,2 (default 1)\n"
           "  --model TEXT         model text answered to command 0503\n"
           "  --link PATH          also make PATH a symbolic link to the device\n"
           "  --tcp PORT           also serve the line on 127.0.0.1:PORT (0: any free port),\n"
           "                       one client at a time; prints socket://127.0.0.1:PORT\n"
           "  --memory-dump DIR    write each unit's parameter memory and state to\n"
           "                       DIR/unitNN.mem whenever they change\n"
           "  --stats FILE         at exit write the counts of what was injected and each\n"
           "                       unit's state to FILE, one a line (standard error gets the\n"
           "                       counts in one line when any were)\n"
           "  --echo N             send each command back N times before answering\n"
           "  --delay MS           answer MS milliseconds late, later commands waiting\n"
           "  --pace BAUD[/BITS]   send one byte per character time (default 11 bits)\n"
           "  --silent N           leave the next N commands unanswered\n"
           "  --silent-for CMD     never answer this command text\n"
           "  --corrupt-check      answer with a wrong BCC / FCS\n"
           "  --end-code HEX       Quadrel end code to answer with (e.g. 0F, 01)\n"
           "  --response-code HEX  Quadrel response code to answer with (e.g. 1001)\n"
           "  --at-end-code XX     at-frame end code to answer with\n"
           "  --at-ic              answer at-frames with header code IC\n"
           "  --garbage            answer with endless bytes that never end a frame\n"
           "  --late MS            answer MS milliseconds late, answering later commands\n"
           "                       meanwhile (more than the client's time-out: a stale answer)\n"
           "  --noise HEX          send these bytes just before each answer, as hex digit\n"
           "                       pairs (e.g. 00 or 00FF)\n"
           "The faults above hit every command unless narrowed (pacing always applies):\n"
           "  --fault-from N       only from the Nth command on\n"
           "  --fault-only TEXT    only commands whose text (code and data) starts with TEXT\n"
           "  --fault-rate PERCENT only this share of them, drawn at random (e.g. 2.5)\n"
           "  --fault-seed N       seed of the draw: the same seed hits the same commands\n"
           "                       (default 1)\n"
           "  --fault-count N      then only the first N of them\n"
           "The line as a whole:\n"
           "  --vanish-after N     close the line once N commands came\n"
           "  --return-after MS    then open it again MS milliseconds later, at the same --link\n"
           "  -h, --help           show this text\n";
}

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options,
                     std::string& error) {
    SimFaults& faults = options.Faults;
    using Handler = std::function<bool(const std::string&)>;
    const auto number = [](int& field, int base = 10) {
        return Handler([&field, base](const std::string& v) { return ReadInt(v, base, field); });
    };
    const auto positive = [](auto& field) {
        return Handler([&field](const std::string& v) {
            int value = 0;
            if (!ReadPositive(v, value)) return false;
            field = static_cast<std::remove_reference_t<decltype(field)>>(value);
            return true;
        });
    };
    const std::map<std::string, Handler> valued = {
        {"--profile",
         [&](const std::string& v) { return LoadSimProfile(v, options.Profile, error); }},
        {"--units", [&](const std::string& v) { return ParseUnitList(v, options.Profile.Units); }},
        {"--model", [&](const std::string& v) { return options.Profile.ModelText = v, true; }},
        {"--link", [&](const std::string& v) { return options.LinkPath = v, !v.empty(); }},
        {"--tcp",
         [&](const std::string& v) {
             int port = -1;
             if (!ReadInt(v, 10, port) || port < 0 || port > 65535) return false;
             options.TcpPort = port;
             return true;
         }},
        {"--memory-dump",
         [&](const std::string& v) { return options.MemoryDumpFolder = v, !v.empty(); }},
        {"--echo", number(faults.EchoCount)},
        {"--delay", number(faults.ReplyDelayMs)},
        {"--pace",
         [&](const std::string& v) {
             const size_t slash = v.find('/');
             return ReadInt(v.substr(0, slash), 10, faults.PaceBaud) && faults.PaceBaud > 0 &&
                    (slash == std::string::npos ||
                     (ReadInt(v.substr(slash + 1), 10, faults.PaceBitsPerChar) &&
                      faults.PaceBitsPerChar > 0));
         }},
        {"--late", number(faults.LateMs)},
        {"--noise", [&](const std::string& v) { return ReadHexBytes(v, faults.Noise, error); }},
        {"--fault-from", positive(faults.Scope.FromCommand)},
        {"--fault-only",
         [&](const std::string& v) { return faults.Scope.OnlyFor = v, !v.empty(); }},
        {"--fault-rate",
         [&](const std::string& v) { return ReadPercent(v, faults.Scope.RatePerMillion); }},
        {"--fault-seed",
         [&](const std::string& v) {
             int seed = 0;
             return ReadInt(v, 10, seed) && (faults.Scope.Seed = static_cast<uint32_t>(seed), true);
         }},
        {"--fault-count", positive(faults.Scope.MaxHits)},
        {"--vanish-after", positive(faults.VanishAfterCommands)},
        {"--return-after", number(faults.ReturnAfterMs)},
        {"--stats", [&](const std::string& v) { return options.StatsPath = v, !v.empty(); }},
        {"--silent", number(faults.SilentCommands)},
        {"--silent-for", [&](const std::string& v) { return faults.SilentFor = v, !v.empty(); }},
        {"--end-code", number(faults.EndCode, 16)},
        {"--response-code", number(faults.ResponseCode, 16)},
        {"--at-end-code",
         [&](const std::string& v) { return faults.AtEndCode = v, v.size() == 2; }},
    };
    const std::map<std::string, bool*> flags = {{"--corrupt-check", &faults.CorruptCheck},
                                                {"--at-ic", &faults.AtIc},
                                                {"--garbage", &faults.Garbage},
                                                {"--help", &options.Help},
                                                {"-h", &options.Help}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (auto flag = flags.find(arg); flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        const auto option = valued.find(arg);
        if (option == valued.end()) {
            error = "unknown option " + arg;
            return false;
        }
        if (i + 1 == args.size()) {
            error = arg + " needs a value";
            return false;
        }
        error.clear();
        if (!option->second(args[++i])) {
            if (error.empty()) error = "bad value for " + arg + ": " + args[i];
            return false;
        }
    }
    return true;
}
