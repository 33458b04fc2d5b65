// vexa-cli commands whose checks need more than a session file (cases/*.cli) can say: files
// read byte by byte, a relative program folder, a full standard output, a held log, a line that
// comes back with another controller.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "CliFixture.h"
#include "files/ParameterSet.h"

namespace {

// Two controllers of the test model, units 1 and 2.
class CliTest : public CliFixture {
  protected:
    void SetUp() override { StartLine({unit1, unit2}); }
    std::shared_ptr<TestController> unit1 = std::make_shared<TestController>();
    std::shared_ptr<TestController> unit2 = std::make_shared<TestController>();
};

}  // namespace

// The program folder given relative to the current one, the port by a stable link's name.
TEST_F(CliTest, UploadSavesTheSetAndItsCsvAndShowAndExportReadItEscaped) {
    const std::filesystem::path folder(home.Path());
    ASSERT_EQ(chdir(folder.parent_path().c_str()), 0);
    const std::string link = home.File("usb-Maker_Cable-if00-port0");
    std::filesystem::create_symlink(sim.SlavePath(), link);
    Expect(0, {"--home", folder.filename().string(), "--port", link, "upload", "-o",
               home.File("set.tmf"), "--csv", home.File("set.csv")});
    EXPECT_EQ(home.Read("set.tmf").size(), 96u + 5 * 40);
    SParameterFileContent content;
    ASSERT_TRUE(ReadParameterFileContent(home.File("set.tmf"), content).Ok());
    EXPECT_EQ(content.modelName, "TS01 test controller");
    EXPECT_EQ(content.records[0].setValue, "250");
    EXPECT_EQ(home.Read("set.csv").rfind("TS01 test controller\r\n", 0), 0u);
    EXPECT_TRUE(Has(home.Read("set.csv"), "6,Decimal value,12.3\r\n"));
    // Display only: never read.
    EXPECT_TRUE(unit1->Commands("5205").empty());
    // The same log lines as the desktop program's.
    const std::string log = home.Read("tra.txt");
    EXPECT_TRUE(Has(log, "Upload start.\r\n"));
    EXPECT_TRUE(Has(log, "Save end.\r\n"));

    // Show and export need no controller.
    Expect(0, {"show", home.File("set.tmf")}, {"Model: TS01 test controller"}, {}, false);
    Expect(0,
           {"export", "-i", home.File("set.tmf"), "-o", home.File("offline"), "--table",
            home.File("TS01.prm")},
           {}, {}, false);
    EXPECT_TRUE(Has(home.Read("offline.csv"), "1,Set point,250\r\n"));

    // Untrusted texts reach the terminal escaped.
    std::string bytes = home.Read("set.tmf");
    bytes.replace(32, 8, "TS\x1b[2J\x07!");
    home.Write("set.tmf", bytes);
    const SProgramRun shown =
        Expect(0, {"show", home.File("set.tmf")}, {"Model: TS\\x1B[2J\\x07!"}, {}, false);
    EXPECT_EQ(shown.out.find('\x1b'), std::string::npos);
}

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
