#pragma once

// vexa-sim as both fault matrices start it: a process of its own, playing the HD80's memory at a
// link in the program folder, with the faults of a row.
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "matrix/Faults.h"
#include "support/ProgramRun.h"
#include "support/SimState.h"
#include "support/TempFolder.h"

// The HD80's files (and the pictures the desktop shows) in the program folder home, with one retry
// of one second, so that a fault on every attempt costs two seconds. The model request's own
// 5000 ms cannot be shortened: no row hits it. The store after a download is never answered and
// no row aims at it: it waits 100 ms.
inline void WriteHd80Home(const TempFolder& home) {
    for (const auto& entry : std::filesystem::directory_iterator(BinFolder())) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() == ".bmp" || file == "VEXA.cap" || file.rfind("HD80.", 0) == 0)
            std::filesystem::copy_file(entry.path(), home.File(file));
    }
    home.Write("HD80.prm",
               std::regex_replace(home.Read("HD80.prm"), std::regex(";2;2;([01]);"), ";1;1;$1;"));
    home.Write("HD80.scp", Replace(Replace(home.Read("HD80.scp"), ",3,2000", ",2,1000"),
                                   "NOMASK,1,1000", "NOMASK,1,100"));
}

// vexa-sim on the line "line" of a program folder made by WriteHd80Home; its counts and the
// unit's state go to "stats" when it ends, its output to "sim.out" and "sim.err".
class SimLine {
  public:
    ~SimLine() { Stop(); }

    // Starts it with the fault options (over TCP: also serving the line as socket://); false when
    // the line is not up within two seconds.
    bool Start(const TempFolder& home, const std::string& faultOptions, bool overTcp = false) {
        std::vector<std::string> args = {
            BinFolder() + "/vexa-sim", "--profile", home.File("HD80.sim"), "--link",
            home.File("line"),         "--stats",   home.File("stats")};
        for (const std::string& word : Split(faultOptions, ' ')) args.push_back(word);
        if (overTcp) args.insert(args.end(), {"--tcp", "0"});
        std::filesystem::remove(home.File("line"));
        m_pid = Spawn(args, home.File("sim.out"), home.File("sim.err"), home.Path());
        // The TCP port is printed after the line is up.
        for (int i = 0; i < 200; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            const std::vector<std::string> out = Split(home.Read("sim.out"), '\n');
            m_port = !std::filesystem::exists(home.File("line"))         ? ""
                     : !overTcp                                          ? home.File("line")
                     : out.size() > 1 && out[1].starts_with("socket://") ? out[1]
                                                                         : "";
            if (!m_port.empty()) return true;
        }
        return false;
    }

    void Stop() {
        if (m_pid <= 0) return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

    // The line as a client names it: the link, or the TCP side's socket:// address.
    const std::string& Port() const { return m_port; }

  private:
    pid_t m_pid = -1;
    std::string m_port;
};

// A row's vexa-sim options against a column: aimed at target, the faults hitting from the
// column's first command on and the line vanishing at its command vanishAt.
inline std::string RowOptions(const SFault& fault, const std::string& target, int fromCommand,
                              int vanishAt, int timeoutMs) {
    std::string options = Timed(Replace(fault.simOptions, "{T}", target), timeoutMs);
    if (fromCommand > 1) options += " --fault-from " + std::to_string(fromCommand);
    return Replace(options, "{V}", std::to_string(vanishAt));
}

// The controller is back as it was found (running, out of write mode, stored), or, where the line
// could not carry the commands that put it back (end), what the program told says so.
inline ::testing::AssertionResult AsFoundOrTold(EEnd end, const std::string& stats,
                                                const std::string& told) {
    ::testing::AssertionResult asFound = LeftAsFound(stats, StatsPrefix(1));
    if (end != EEnd::kLineLost && end != EEnd::kStaysBad && end != EEnd::kNotRestored)
        return asFound;
    if (asFound || told.find("may still be") != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "changed without a word: " << asFound.message();
}
