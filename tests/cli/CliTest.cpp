// vexa-cli commands whose checks need more than a session file (cases/*.cli) can say: files
// read and written byte by byte, signals, FIFOs, a full standard output, a held log.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

// A damaged set is refused whole, naming its record, before anything but the model request and
// reads reach a controller; show and diff mark the damage instead of making up a value.
TEST_F(CliTest, ADamagedSetIsRefusedBeforeAnythingIsWrittenAndShownMarked) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    const std::string good = home.Read("set.tmf");  // records 1, 2, 3, 4, 6 in this order
    const auto withValue = [&](size_t record, const std::string& text) {
        std::string bytes = good;
        bytes.replace(96 + 40 * (record - 1) + 8, 32, text + std::string(32 - text.size(), '\0'));
        return bytes;
    };
    const std::string named = "record 1, parameter 1 (Set point), set value ";
    const struct {
        std::string bytes;
        std::string why;
    } cases[] = {
        {withValue(1, "2600junk"), named + "\"2600junk\": not a plain decimal integer"},
        {good.substr(0, good.size() - 25), "cut inside record 5 of 5"},
        {good + good.substr(96, 40),
         "record 6, parameter 1 (Set point), set value \"250\": given twice (first in record 1)"},
    };
    const std::string bad = home.File("bad.tmf");
    const size_t before = unit1->Commands().size();
    for (const auto& c : cases) {
        home.Write("bad.tmf", c.bytes);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"download", "-i", bad, "--target-unit", "2"},
              {"clone", "-i", bad, "--units", "2"},
              {"--unit", "2", "verify", "-i", bad}}) {
            Expect(1, args, {}, {bad + " is refused: " + c.why});
        }
        EXPECT_EQ(Cli({"show", bad}, false).code, 3);
    }
    std::vector<std::string> sent = unit2->Commands();
    const std::vector<std::string> sent1 = unit1->Commands();
    sent.insert(sent.end(), sent1.begin() + static_cast<long>(before), sent1.end());
    for (const std::string& command : sent)
        EXPECT_TRUE(command == "0503" || command.rfind("52", 0) == 0) << command;
    // A plain decimal is taken as the number it is, so verify finds no difference.
    home.Write("bad.tmf", withValue(1, "+0250"));
    EXPECT_EQ(Cli({"verify", "-i", bad}).code, 0);

    home.Write("bad.tmf", withValue(5, "2600junk"));
    Expect(3, {"show", bad}, {"  2600junk  <- not a plain decimal integer\n"}, {}, false);
    Expect(3, {"diff", bad, home.File("set.tmf"), "--table", home.File("TS01.prm")},
           {"6 Decimal value: \"2600junk\" (not a plain decimal integer) in " + bad}, {}, false);
    home.Write("bad.tmf", good.substr(0, good.size() - 25));
    Expect(3, {"show", bad}, {}, {bad + " ends inside record 5; its 4 whole records are shown"},
           false);
}

// Opening a FIFO would block until a writer comes: every file a command reads is refused at once
// when it is no regular file.
TEST_F(CliTest, AFifoIsRefusedAtOnceByEveryCommandThatReadsFiles) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    const std::string fifo = home.File("fifo"), set = home.File("set.tmf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::vector<std::string>> commands = {
        {"show", fifo},
        {"diff", set, fifo},
        {"export", "-i", fifo, "-o", home.File("x.csv"), "--table", home.File("TS01.prm")},
        {"export", "-i", set, "-o", home.File("x.csv"), "--table", fifo},
        {"download", "-i", fifo, "--target-unit", "2"},
        {"download", "-i", fifo, "--dry-run"},
        {"verify", "-i", fifo},
        {"clone", "-i", fifo, "--units", "2"}};
    // The model's index, table and script, too.
    std::vector<std::unique_ptr<TempFolder>> models;
    for (const char* name : {"TS01.tbl", "TS01.prm", "TS01.scp"}) {
        models.push_back(std::make_unique<TempFolder>());
        WriteTestModel(*models.back());
        std::filesystem::remove(models.back()->File(name));
        ASSERT_EQ(mkfifo(models.back()->File(name).c_str(), 0600), 0);
        commands.push_back({"--home", models.back()->Path(), "identify"});
    }
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args.back());
        // A run takes some 20 ms; the bound only ends a hang (ParamFileTest times the refusal).
        const SProgramRun r = Cli(args, true, -1, std::chrono::seconds(3));
        EXPECT_FALSE(r.hung);
        EXPECT_EQ(r.code, 1) << r.err;
    }
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

TEST_F(CliTest, ALogHeldByAnotherProcessOrNamedWithLogIsStillWritten) {
    // Another vexa-cli holds tra.txt: this run logs beside it and says where.
    const int held = open(home.File("tra.txt").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    Expect(0, {"identify"}, {}, {"this run logs to " + home.File("tra-2.txt")});
    close(held);
    EXPECT_TRUE(Has(home.Read("tra-2.txt"), "vexa-cli start.")) << home.Read("tra-2.txt");

    EXPECT_EQ(Cli({"identify", "--log", home.File("line1.log")}).err, "");
    EXPECT_TRUE(Has(home.Read("line1.log"), "SEND--> "));
}

TEST_F(CliTest, UploadToStandardOutputWritesTheSetsBytesAlone) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("file.tmf")}).code, 0);
    // The same set, but for the table date in front; what is said of it is on stderr.
    const SProgramRun r = Expect(0, {"upload", "-o", "-"}, {}, {"to standard output"});
    const std::string file = home.Read("file.tmf");
    ASSERT_EQ(r.out.size(), file.size());
    EXPECT_EQ(r.out.substr(32), file.substr(32));
    EXPECT_EQ(Cli({"upload", "-o", "-", "--json"}).code, 2);
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
