// vexa-sim started as its own process, as scripts and demos start it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "protocol/QuadrelResFrame.h"
#include "support/CommandFrames.h"
#include "support/RawLineClient.h"
#include "support/SimState.h"
#include "support/TempFolder.h"

namespace {

// Starts vexa-sim in its own folder through the shell; what it prints on either stream is to be
// read, the first line being its process id.
FILE* StartSim(const std::string& args) {
    const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    const std::string command = "cd " + folder + " && echo $$ && exec ./vexa-sim " + args + " 2>&1";
    return ::popen(command.c_str(), "r");
}

std::string ReadLine(FILE* from) {
    char line[512] = {};
    std::string text = std::fgets(line, sizeof line, from) ? line : "";
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// Sends SIGTERM to a running vexa-sim (pid 0: it ends by itself); answers its exit code.
int EndSim(FILE* sim, pid_t pid) {
    if (pid > 0) ::kill(pid, SIGTERM);
    const int status = ::pclose(sim);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The model's memory played at the link it was given, answered as the options say; each unit's
// memory and state dumped as they change, and on SIGTERM the faults it injected and each unit's
// state reported, the link removed and exit 0.
TEST(SimProgram, PlaysTheModelAtItsLinkAndReportsStateAndFaultsAtTerm) {
    TempFolder folder;
    const std::string link = folder.File("link");
    FILE* sim = StartSim("--profile HD40.sim --memory-dump " + folder.File("dumps") + " --stats " +
                         folder.File("stats") + " --link " + link +
                         " --corrupt-check --fault-only 0503 --fault-from 2");
    ASSERT_NE(sim, nullptr);
    const pid_t pid = std::atoi(ReadLine(sim).c_str());
    const std::string slave = ReadLine(sim);
    {
        RawLineClient client(link);
        client.Send(frames::kModelRequestUnit2);  // before the faults
        CQuadrelResFrame model;
        EXPECT_TRUE(model.Parse(client.ReadFrame()));
        EXPECT_EQ(model.Data, "HD40-R");
        // Unit 1's model request is hit; unit 2's ramp rise rate := 50, then stop unit 2: the dump
        // follows a control too.
        std::string hits;
        for (const std::string& command :
             {frames::kModelRequestUnit1, std::string("\00202000570600000032\0034"),
              std::string("\002020007101\0036")}) {
            client.Send(command);
            const std::string answer = client.ReadFrame();
            CQuadrelResFrame parsed;
            hits += answer.empty()                                       ? '?'
                    : parsed.Parse(answer) && parsed.Pdu.Response() == 0 ? '.'
                                                                         : 'x';
        }
        EXPECT_EQ(hits, "x..");
    }
    const std::string unit1 = folder.Read("dumps/unit01.mem"),
                      unit2 = folder.Read("dumps/unit02.mem");
    EXPECT_NE(unit1.find("\n6=0\n"), std::string::npos);
    EXPECT_TRUE(LeftAsFound(unit1));
    EXPECT_NE(unit2.find("\n6=50\n"), std::string::npos);
    EXPECT_TRUE(
        unit2.ends_with("\nwritemode=0\nrun=stopped\nwrite_mode=off\nstores=0\nunsaved_writes=0\n"))
        << unit2;
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), slave);
    ::kill(pid, SIGTERM);
    EXPECT_EQ(ReadLine(sim), "vexa-sim: commands=4 faulted=1 corrupt-check=1");
    EXPECT_EQ(EndSim(sim, 0), 0);
    struct stat gone {};
    EXPECT_NE(::lstat(link.c_str(), &gone), 0);
    const std::string stats = folder.Read("stats");
    for (const char* line : {"commands=4\n", "faulted=1\n", "corrupt-check=1\n", "late=0\n"})
        EXPECT_NE(stats.find(line), std::string::npos) << line << " in " << stats;
    EXPECT_TRUE(LeftAsFound(stats, StatsPrefix(1)));
    const std::string unit2Lines =
        "unit02.run=stopped\nunit02.write_mode=off\nunit02.stores=0\nunit02.unsaved_writes=0\n";
    EXPECT_TRUE(stats.ends_with(unit2Lines)) << stats;
}

TEST(SimProgram, BadOptionsAndMissingTablesExitWithTwo) {
    TempFolder folder;
    const std::string profile = folder.Write("bad.sim", "[Memory]\nTable=absent.prm\n");
    const struct {
        std::string args, says;
        bool usage;
    } refused[] = {{"--echo lots", "bad value for --echo", true},
                   {"--noise 0F0", "--noise takes 1 to 64 bytes as pairs of hex digits", true},
                   {"--profile " + profile, "absent.prm", false}};
    for (const auto& run : refused) {
        FILE* sim = StartSim(run.args);
        ASSERT_NE(sim, nullptr);
        std::string text;
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, sim)) text += chunk;
        EXPECT_EQ(EndSim(sim, 0), 2);
        EXPECT_NE(text.find(run.says), std::string::npos) << text;
        EXPECT_EQ(text.find("Run with --help") != std::string::npos, run.usage) << text;
    }
}

}  // namespace
