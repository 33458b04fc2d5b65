// vexa-cli runs whose checks need more than a session file (cases/*.cli) can say: a full
// standard output, a held log, a line that comes back with another controller.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "CliFixture.h"

namespace {

// A controller of the test model.
class CliTest : public CliFixture {
  protected:
    void SetUp() override { StartLine({unit1}); }
    std::shared_ptr<TestController> unit1 = std::make_shared<TestController>();
};

}  // namespace

TEST_F(CliTest, AFullStandardOutputIsAFailure) {
    const pid_t pid =
        Spawn({BinFolder() + "/vexa-cli", "--home", home.Path(), "--port", line, "identify"},
              "/dev/full", home.File("err"));
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_TRUE(Has(home.Read("err"), "writing to standard output failed")) << home.Read("err");
}

TEST_F(CliTest, ALogHeldByAnotherProcessIsStillWritten) {
    // Another vexa-cli holds tra.txt: this run logs beside it and says where.
    const int held = open(home.File("tra.txt").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    Expect(0, {"identify"}, {}, {"this run logs to " + home.File("tra-2.txt")});
    close(held);
    EXPECT_TRUE(Has(home.Read("tra-2.txt"), "vexa-cli start.")) << home.Read("tra-2.txt");
}

// Another controller of the same model behind the line that came back: the parameters already
// read are read again, and the upload fails instead of mixing two controllers in one file.
TEST_F(CliTest, ALineThatComesBackWithAnotherControllerFailsTheWalk) {
    ASSERT_TRUE(sim.WaitForLine(true, std::chrono::seconds(5)));
    SimFaults vanish;
    vanish.VanishAfterCommands = 6;  // past connecting and the first parameters
    vanish.ReturnAfterMs = 300;
    sim.SetFaults(vanish);
    std::thread swap([this] {
        if (sim.WaitForLine(false, std::chrono::seconds(5))) unit1->Set(1, 999);
    });
    Expect(1, {"upload", "-o", home.File("mixed.tmf"), "--wait-port", "10"}, {},
           {"came back holding other values: parameter 1 (Set point) reads 999"});
    swap.join();
    EXPECT_FALSE(std::filesystem::exists(home.File("mixed.tmf")));
}
