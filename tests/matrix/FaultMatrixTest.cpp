// Every line fault vexa-sim can make, against every vexa-cli operation: both programs as they
// really run, each as its own process on a pseudo-terminal. One cell is one test, so that the
// cells run in parallel.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "matrix/SimLine.h"

namespace {

// One column: an operation of vexa-cli ({in}: a parameter file uploaded before, {out}, {csv}:
// files that hold "previous" before the run).
struct SOperation {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> atArgs;  // when the at-frame rows need others
    const char* quadrelCommand;       // hit in the middle of the operation
    const char* atCommand;            // nullptr: the operation sends no at-frame
    int fromCommand;                  // the first command the fault may hit
    int vanishAt;      // the command the line vanishes at: a few parameters into the operation
    int failedExit;    // exit code when a parameter's command fails
    bool writesFiles;  // writes {out} and {csv} once its walk completed
    bool asksOnce;     // sends each command once: a fault a retry would mend stands
    int summaryLines;  // lines standard error adds after the one naming the cause
};

// The HD80 talks both frame kinds: Quadrel for its parameters, at-frames for the hardware
// series (in "Connect") and the display brightness. The connect's model request and "Connect"
// routine come first in every operation but send. New operations are new rows here.
// clang-format off
const SOperation kOperations[] = {
    // name        arguments                                               at-frame arguments
    //             Quadrel, at-frame command  from  vanish  failed exit  writes files  once  sum
    {"identify",   {"identify"},                                            {},
                   "0503", "RS",              2,    3,      1,           false,        false, 0},
    {"upload",     {"upload", "-o", "{out}", "--csv", "{csv}"},             {},
                   "5206", "RB",              1,    10,     3,           true,         false, 0},
    {"download",   {"download", "-i", "{in}"},                              {},
                   "5706", "WB",              1,    10,     3,           false,        false, 0},
    {"verify",     {"verify", "-i", "{in}"},                                {},
                   "5206", "RB",              1,    10,     3,           false,        false, 0},
    {"get",        {"get", "Loop 2 set point", "Display brightness"},       {},
                   "5206", "RB",              1,    5,      1,           false,        false, 0},
    {"set",        {"set", "Loop 2 set point=75.0", "Display brightness=3"}, {},
                   "5706", "WB",              1,    6,      1,           false,        false, 0},
    {"send",       {"send", "[STX]010005206[ETX]", "--retry", "2", "--timeout", "1000"},
                   {"send", "@01RB", "--retry", "2", "--timeout", "1000"},
                   "5206", "RB",              1,    1,      1,           false,        false, 0},
    // The model request once to each unit; a unit that does not answer it is not found.
    {"scan",       {"scan", "--units", "1", "--timeout", "1000"},           {},
                   "0503", nullptr,           1,    1,      1,           false,        true,  1},
    {"clone",      {"clone", "-i", "{in}", "--units", "1"},                 {},
                   "5706", "WB",              1,    10,     3,           false,        false, 0},
};
// clang-format on

constexpr int kTimeoutMs = 1000;                   // of one attempt, as the fixture's SetUp sets it
constexpr auto kBound = std::chrono::seconds(30);  // no cell needs more than a few seconds

struct SCell {
    const SFault* fault;
    const SOperation* operation;
    bool overTcp = false;  // the line reached as socket:// through vexa-sim --tcp
};

// The faults of the TCP column: a lost connection, and faults in the bytes it carries.
bool OverTcpToo(const SFault& fault, const SOperation& operation) {
    const std::string name = operation.name;
    const std::string faultName = fault.name;
    return (name == "identify" || name == "upload" || name == "download") &&
           (faultName == "Silence" || faultName == "BadBcc" || faultName == "NoiseBeforeAnswers" ||
            faultName == "LineVanishes");
}

void PrintTo(const SCell& cell, std::ostream* out) {
    *out << cell.fault->name << " during " << cell.operation->name
         << (cell.overTcp ? " over TCP" : "");
}

// The operations that send the controller nothing but reads and the routines.
bool WritesNothing(const SOperation& operation) {
    const std::string name = operation.name;
    return name == "identify" || name == "upload" || name == "verify" || name == "get";
}

// A signal row needs a download under way; a row aimed at the leave command needs an operation
// that connects, and so leaves through the DisConnect routine.
bool Applies(const SFault& fault, const SOperation& operation) {
    const std::string name = operation.name;
    if (fault.signal != 0) return name == "download" || name == "clone";
    if (fault.target) return name != "send" && name != "scan";
    return !fault.atFrame || operation.atCommand;
}

std::vector<SCell> AllCells() {
    std::vector<SCell> cells;
    for (const SFault& fault : kFaults)
        for (const SOperation& operation : kOperations)
            if (Applies(fault, operation)) {
                cells.push_back({&fault, &operation});
                if (OverTcpToo(fault, operation)) cells.push_back({&fault, &operation, true});
            }
    return cells;
}

class FaultMatrix : public ::testing::TestWithParam<SCell> {
  protected:
    void SetUp() override {
        WriteHd80Home(m_home);
        m_home.Write("out.tmf", "previous set");
        m_home.Write("out.csv", "previous csv");
    }

    // signal: sent once the log shows the download's walk under way.
    SProgramRun Cli(const std::vector<std::string>& args, int signal = 0) {
        std::vector<std::string> all = {BinFolder() + "/vexa-cli", "--home", m_home.Path(),
                                        "--port", m_sim.Port()};
        for (const std::string& arg : args)
            all.push_back(Replace(Replace(Replace(arg, "{in}", m_home.File("in.tmf")), "{out}",
                                          m_home.File("out.tmf")),
                                  "{csv}", m_home.File("out.csv")));
        if (signal != 0)
            return RunProgram(
                all, m_home.Path(),
                SInterruptOn{m_home.File("tra.txt"), "Download before action end.", signal},
                kBound);
        return RunProgram(all, m_home.Path(), std::chrono::milliseconds(-1), kBound);
    }

    TempFolder m_home;
    SimLine m_sim;
};

TEST_P(FaultMatrix, EndsAsTheContractSays) {
    const SFault& fault = *GetParam().fault;
    const SOperation& op = *GetParam().operation;
    const std::string target = fault.target    ? fault.target
                               : fault.atFrame ? op.atCommand
                                               : op.quadrelCommand;

    // The set the download and verify take, and that an upload must give again: uploaded on a
    // clean line. (The other operations take no set: a cell's time goes to its fault.)
    const bool takesSet = std::find(op.args.begin(), op.args.end(), "{in}") != op.args.end();
    if (op.writesFiles || takesSet) {
        ASSERT_TRUE(m_sim.Start(m_home, "", GetParam().overTcp)) << m_home.Read("sim.err");
        const SProgramRun clean = Cli({"upload", "-o", "{in}"});
        ASSERT_EQ(clean.code, 0) << clean.err;
        m_sim.Stop();
        std::filesystem::remove(m_home.File("tra.txt"));
    }
    const std::string set = m_home.Read("in.tmf");

    const std::string options = RowOptions(fault, target, op.fromCommand, op.vanishAt, kTimeoutMs);
    ASSERT_TRUE(m_sim.Start(m_home, options, GetParam().overTcp)) << m_home.Read("sim.err");
    const SProgramRun run =
        Cli(fault.atFrame && !op.atArgs.empty() ? op.atArgs : op.args, fault.signal);
    m_sim.Stop();
    SCOPED_TRACE("vexa-sim " + options + "\nstdout:\n" + run.out + "stderr:\n" + run.err);

    ASSERT_FALSE(run.hung) << "killed after " << kBound.count() << " s";
    const std::string stats = m_home.Read("stats");
    if (fault.end != EEnd::kLineLost && fault.end != EEnd::kStopped) {
        EXPECT_EQ(stats.find("faulted=0\n"), std::string::npos) << "the fault never hit:\n"
                                                                << stats;
    }

    EEnd end = fault.end == EEnd::kRetriedAway && op.asksOnce ? EEnd::kFails : fault.end;
    if (end == EEnd::kNotRestored && WritesNothing(op)) end = EEnd::kWarned;
    const bool recovered = end == EEnd::kTakenBehind || end == EEnd::kRetriedAway;
    const int failedExit = end == EEnd::kFails     ? op.failedExit
                           : end == EEnd::kStopped ? 128 + fault.signal
                           : end == EEnd::kWarned  ? 0
                                                   : 1;
    EXPECT_EQ(run.code, recovered ? 0 : failedExit);

    EXPECT_TRUE(AsFoundOrTold(end, stats, run.err));

    // Files: the parameter file read stays as it was; the files written are replaced only by
    // an operation that completed its walk.
    EXPECT_EQ(m_home.Read("in.tmf"), set);
    const bool written = op.writesFiles && end != EEnd::kLineLost;
    EXPECT_EQ(m_home.Read("out.tmf") != "previous set", written);
    EXPECT_EQ(m_home.Read("out.csv") != "previous csv", written);
    // A fault retried away leaves the set a clean line gives: no answer was taken for another
    // command's. (The first 32 bytes of a parameter file hold the time it was written.)
    if (written && recovered) {
        EXPECT_EQ(m_home.Read("out.tmf").substr(32), set.substr(32));
    }

    // One clear line naming the cause (and the operation's summary after it), or nothing on a
    // line that recovered. A line that stays bad fails every parameter after it and the
    // disconnect routine: each says why.
    const std::vector<std::string> lines = Split(run.err, '\n');
    const std::regex cause(Timed(fault.cause, kTimeoutMs));
    if (recovered) {
        EXPECT_TRUE(lines.empty());
    } else {
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(std::regex_search(lines.front(), cause));
        if (end == EEnd::kWarned) {
            EXPECT_EQ(lines.front().rfind("vexa-cli: warning: ", 0), 0u);
        }
        if (end == EEnd::kStaysBad || end == EEnd::kNotRestored) {
            for (size_t i = 0; i + op.summaryLines < lines.size(); ++i)
                EXPECT_TRUE(std::regex_search(lines[i], cause)) << lines[i];
        } else {
            EXPECT_LE(lines.size(), 1u + op.summaryLines);
        }
    }

    const std::string log = m_home.Read("tra.txt");
    EXPECT_NE(log.find(Replace(fault.logShows, "{T}", target)), std::string::npos) << log;
}

std::string CellName(const ::testing::TestParamInfo<SCell>& info) {
    return std::string(info.param.fault->name) + "_" + info.param.operation->name +
           (info.param.overTcp ? "_tcp" : "");
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::ValuesIn(AllCells()), CellName);

}  // namespace
