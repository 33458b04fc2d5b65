#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "protocol/QuadrelExchange.h"
#include "support/RawLineClient.h"

namespace {

// vexa-sim started as its own process, as scripts and demos start it.
TEST(SimProgram, PrintsTheLineAnswersOnItAndStopsOnTerm) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "vexa-sim";
    const std::string link = ::testing::TempDir() + "vexa-sim-program-" + std::to_string(getpid());
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::execl(program.c_str(), "vexa-sim", "--model", "VX20-B", "--units", "4", "--link",
                link.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(output[1]);
    FILE* printed = ::fdopen(output[0], "r");
    char path[256] = {};
    ASSERT_NE(std::fgets(path, sizeof path, printed), nullptr);
    std::string slave(path);
    slave.pop_back();  // the line end

    {
        RawLineClient client(link);
        CQuadrelExchange exchange;
        exchange.Build(4, 0x0503, "");
        client.Send(exchange.CommandText());
        EXPECT_TRUE(exchange.ParseResponse(client.ReadFrame()));
        EXPECT_EQ(exchange.ResponseData(), "VX20-B");
    }
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), slave);

    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    struct stat gone {};
    EXPECT_NE(::lstat(link.c_str(), &gone), 0);
    std::fclose(printed);
}

TEST(SimProgram, BadOptionsExitWithUsage) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "vexa-sim";
    const std::string command = program.string() + " --echo lots 2>&1 >/dev/null";
    FILE* run = ::popen(command.c_str(), "r");
    ASSERT_NE(run, nullptr);
    std::string text;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, run)) text += chunk;
    const int status = ::pclose(run);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(text.find("bad value for --echo"), std::string::npos) << text;
    EXPECT_NE(text.find("Usage: vexa-sim"), std::string::npos);
}

}  // namespace
