// vexa-sim started as a program with a model's memory profile.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "protocol/QuadrelExchange.h"
#include "support/RawLineClient.h"
#include "support/TempFolder.h"

namespace {

std::filesystem::path Program() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "vexa-sim";
}

}  // namespace

TEST(MemoryProgram, PlaysTheModelAndDumpsEachUnitsMemory) {
    TempFolder folder;
    const std::string dumps = folder.File("dumps");
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::chdir(Program().parent_path().c_str());
        ::execl(Program().c_str(), "vexa-sim", "--profile", "HD40.sim", "--memory-dump",
                dumps.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(output[1]);
    FILE* printed = ::fdopen(output[0], "r");
    char path[256] = {};
    ASSERT_NE(std::fgets(path, sizeof path, printed), nullptr);
    std::string slave(path);
    slave.pop_back();

    {
        RawLineClient client(slave);
        CQuadrelExchange exchange;
        exchange.BuildFromText(2, "570600000032");  // ramp rise rate of unit 2 := 50
        client.Send(exchange.CommandText());
        EXPECT_TRUE(exchange.ParseResponse(client.ReadFrame()));
    }
    EXPECT_NE(folder.Read("dumps/unit01.mem").find("\n6=0\n"), std::string::npos);
    EXPECT_NE(folder.Read("dumps/unit02.mem").find("\n6=50\n"), std::string::npos);

    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::fclose(printed);
}

TEST(MemoryProgram, AProfileWhoseTableIsMissingIsRefused) {
    TempFolder folder;
    const std::string profile = folder.Write("bad.sim", "[Memory]\nTable=absent.prm\n");
    const std::string command = Program().string() + " --profile " + profile + " 2>&1";
    FILE* run = ::popen(command.c_str(), "r");
    ASSERT_NE(run, nullptr);
    char line[512] = {};
    std::string text;
    while (std::fgets(line, sizeof line, run)) text += line;
    int status = ::pclose(run);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(text.find("absent.prm"), std::string::npos);
}
