// Each vexa-cli command, its output and its failures, against two simulated controllers.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>

#include "CliFixture.h"
#include "files/ParameterSet.h"
#include "support/FaultsWith.h"

namespace {

// Two controllers of the test model, units 1 and 2.
class CliTest : public CliFixture {
  protected:
    void SetUp() override { StartLine({unit1, unit2}); }
    // The controllers refuse command (a routine's, say); the rest of the line is clean.
    static SimFaults Refusing(const char* command) {
        return FaultsWith([&](SimFaults& f) {
            f.ResponseCode = TestController::kRefused, f.Scope.OnlyFor = command;
        });
    }

    std::shared_ptr<TestController> unit1 = std::make_shared<TestController>();
    std::shared_ptr<TestController> unit2 = std::make_shared<TestController>();
};

}  // namespace

// The program folder given relative to the current one.
TEST_F(CliTest, UploadSavesTheSetAndItsCsvAndShowAndExportReadItEscaped) {
    const std::filesystem::path folder(home.Path());
    ASSERT_EQ(chdir(folder.parent_path().c_str()), 0);
    Expect(0, {"--home", folder.filename().string(), "upload", "-o", home.File("set.tmf"), "--csv",
               home.File("set.csv")});
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

TEST_F(CliTest, EveryParameterEndsWithAStatusAndOnlyFailuresOrDifferencesExitThree) {
    // Unit 1 has no alarm value (its alarm type is 0): absent, which is no fault.
    unit1->Set(2, 0);
    const std::string absent = "  absent (not on this controller): 3 Alarm value\n";
    EXPECT_FALSE(Has(Expect(0, {"upload", "-o", home.File("set.tmf")}, {absent}).out, "failed"));
    EXPECT_TRUE(unit1->Commands("5203").empty());

    // Downloaded, the set is cloned into the target, and the value the set lacks is not_in_set,
    // again no fault.
    for (int n : {1, 4, 6}) unit2->Set(n, 0);
    Expect(0, {"download", "-i", home.File("set.tmf"), "--target-unit", "2", "--json"},
           {"\"status\": \"not_in_set\"", "\"set_value\": \"250\""});
    for (int n : {1, 2, 4, 6}) EXPECT_EQ(unit2->Get(n), unit1->Get(n)) << n;
    Expect(0, {"--unit", "2", "download", "-i", home.File("set.tmf")},
           {"  not in the set: 3 Alarm value\n"});
    Expect(0, {"--unit", "2", "verify", "-i", home.File("set.tmf"), "--json"},
           {"\"status\": \"absent\""});

    // A parameter whose read fails is a failure: exit 3, listed apart from the absent one.
    unit1->MakeUnreadable(1);
    Expect(3, {"upload", "-o", home.File("failed.tmf")}, {"  failed: 1 Set point\n", absent});
    Expect(3, {"upload", "-o", home.File("failed.tmf"), "--json"}, {"\"status\": \"failed\""});
}

TEST_F(CliTest, VerifyShowsTheFilesAndTheControllersValueOfEachDifference) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    unit1->Set(6, 999);
    Expect(3, {"verify", "-i", home.File("set.tmf")},
           {"  differs: 6 Decimal value: file 12.3, controller 99.9\n"});
    // A DisConnect routine that fails after a verify: a warning; the differences give exit 3.
    sim.SetFaults(Refusing("6C00"));
    Expect(
        3, {"verify", "-i", home.File("set.tmf"), "--json"},
        {"\"warnings\": [\n    \"the model's DisConnect routine failed", "\"status\": \"differs\"",
         "\"all_equal\": false", "\"file_display\": \"12.3\"", "\"device_display\": \"99.9\""});
}

TEST_F(CliTest, AnUploadThatDidNotCompleteLeavesThePreviousFilesAlone) {
    const struct {
        int interruptAfterMs;  // -1: no Ctrl-C, and nothing readable
        int code;
        const char* reason;
    } cases[] = {{1200, 130, "the upload was stopped"}, {-1, 1, "no parameter could be read"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        home.Write("set.tmf", "previous set");
        home.Write("set.csv", "previous csv");
        const bool stopped = c.interruptAfterMs >= 0;
        // Only the parameters' reads are slow: Ctrl-C comes in the upload, however long the
        // program took to start and connect.
        sim.SetFaults(FaultsWith([&](SimFaults& f) {
            f.ReplyDelayMs = stopped ? 400 : 0;
            f.Scope.OnlyFor = "52";
        }));
        for (int n = 1; n <= 6 && !stopped; ++n) unit1->MakeUnreadable(n);
        const SProgramRun r =
            Cli({"upload", "-o", home.File("set.tmf"), "--csv", home.File("set.csv")}, true,
                c.interruptAfterMs);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_TRUE(Has(r.err, c.reason)) << r.err;
        EXPECT_TRUE(Has(r.err, "not written")) << r.err;
        EXPECT_EQ(home.Read("set.tmf"), "previous set");
        EXPECT_EQ(home.Read("set.csv"), "previous csv");
        EXPECT_FALSE(Has(r.out, "Uploaded"));
    }
}

TEST_F(CliTest, DamagedItemLinesOfTheTableAreReportedOnConnect) {
    std::string table = home.Read("TS01.prm");
    table.insert(table.find("{Firmware"), "{Broken,5207\n{Half,5208;1;1;0;1;0,5708\n");
    home.Write("TS01.prm", table);
    const std::string said = "2 item lines of " + home.File("TS01.prm") + " skipped";
    Expect(0, {"identify"}, {}, {said + "\n"});
    EXPECT_TRUE(Has(home.Read("tra.txt"), said + "\r\n"));
}

TEST_F(CliTest, ADownloadOrDisconnectRoutineThatIsThereAndFailsIsAFailure) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    const struct {
        const char* routine;
        const char* command;  // the routine's command, which the controller refuses
    } cases[] = {{"BeforeDownload", "7101"}, {"AfterDownload", "7100"}, {"DisConnect", "6C00"}};
    for (const auto& c : cases) {
        sim.SetFaults(Refusing(c.command));
        Expect(1, {"download", "-i", home.File("set.tmf"), "--target-unit", "2"}, {},
               {std::string("the model's ") + c.routine + " routine failed"});
    }
    // Every step still ran in its order: before, the writes, after.
    const std::vector<std::string> commands = unit2->Commands();
    const auto at = [&](const std::string& text) {
        return std::find(commands.begin(), commands.end(), text) - commands.begin();
    };
    EXPECT_LT(at("7101"), at("570100FA"));
    EXPECT_LT(at("570100FA"), at("7100"));

    // A model whose script has none of these routines downloads as before.
    sim.SetFaults({});
    std::string script = home.Read("TS01.scp");
    script.resize(script.find("[DisConnect]"));
    home.Write("TS01.scp", script + "[TCImage]\nTS01.bmp\n");
    Expect(0, {"download", "-i", home.File("set.tmf"), "--target-unit", "2"});
}

TEST_F(CliTest, DiffComparesTwoFilesOfflineAndAStableLinkNamesThePort) {
    const std::string link = home.File("usb-Maker_Cable-if00-port0");
    std::filesystem::create_symlink(sim.SlavePath(), link);
    ASSERT_EQ(Cli({"--port", link, "upload", "-o", home.File("a.tmf")}, false).code, 0);
    unit1->Set(6, 999);
    ASSERT_EQ(Cli({"upload", "-o", home.File("b.tmf")}).code, 0);

    const std::string a = home.File("a.tmf"), b = home.File("b.tmf");
    Expect(3, {"diff", a, b, "--table", home.File("TS01.prm")},
           {"6 Decimal value: 12.3 in " + a + ", 99.9 in " + b}, {}, false);
    Expect(3, {"diff", a, b, "--json"}, {"\"a\": \"123\"", "\"only_a\": []"}, {}, false);
    Expect(0, {"diff", a, a}, {}, {}, false);
    Expect(1, {"diff", a, home.File("missing.tmf")}, {}, {"missing.tmf"}, false);
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

TEST_F(CliTest, GetAndSetWorkWithDecimalPointsAndWriteMode) {
    // Names are taken loosely (as get takes them: EveryJsonDocumentSharesOneLayout).
    Expect(0, {"set", "decimal VALUE =4.5", "4=7"}, {"decimal VALUE  = 4.5"});
    EXPECT_EQ(unit1->Get(6), 45);
    EXPECT_EQ(unit1->Get(4), 7);
    // Write mode was entered for parameter 4 and left again.
    EXPECT_EQ(unit1->Commands("6C01").size(), 1u);

    // A value the field cannot carry is refused with one line, and nothing is written. (Which
    // values a field refuses: WriteValue.RefusesWhatTheFieldCannotCarry.)
    for (const char* pair : {"Set point=abc", "Decimal value=6553.6"})
        Expect(1, {"set", pair}, {}, {"nothing written"});
    EXPECT_TRUE(unit1->Commands("5701").empty());
    EXPECT_EQ(unit1->Get(6), 45);
}

TEST_F(CliTest, FailuresAreOneClearLineWithTheirExitCode) {
    // clang-format off
    const struct {
        std::vector<std::string> args;
        SimFaults faults;
        int code;
        const char* reason;  // on standard error
    } cases[] = {
        {{"send", "[STX]010005201", "--timeout", "65536"}, {}, 2, ""},
        {{"send", "[STX]010005201", "--retry", "0"}, {}, 2, ""},
        {{"set", "5=1"}, {}, 1, "cannot be written"},
        // Written, but the read-back (the fifth frame: two model requests, a read, the write)
        // fails: the value may be on the controller. Not written at all is a failure.
        {{"set", "1=27"}, FaultsWith([](SimFaults& f) {
             f.CorruptCheck = true, f.Scope.OnlyFor = "5201", f.Scope.FromCommand = 5; }), 3,
         "parameter 1 = 27: written, but reading it back failed: answered with a bad check byte"},
        // A failed CSV export (its folder x does not exist) fails the upload.
        {{"upload", "-o", home.File("a.tmf"), "--csv", home.File("x/a.csv")}, {}, 1, "a.csv"},
        // With --json a failure is also an object on standard output. (What a failed connect
        // says of each answer: FaultMatrix, e.g. Garbage_identify.)
        {{"--port", home.File("ttyGone"), "identify", "--json"}, {}, 1, "does not exist"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.reason);
        sim.SetFaults(c.faults);
        const bool json = c.args.back() == "--json";
        const std::vector<std::string> out = {"\"exit_code\": 1", "\"error\": \"", c.reason};
        const SProgramRun r =
            Expect(c.code, c.args, json ? out : std::vector<std::string>{}, {c.reason});
        EXPECT_FALSE(Has(r.err, "does not answer")) << r.err;
        EXPECT_FALSE(Has(r.out, "Sent:")) << r.out;
    }
}

TEST_F(CliTest, CtrlCEndsAWaitOnASilentLineAtOnce) {
    SimFaults silent;
    silent.SilentCommands = 1000;
    sim.SetFaults(silent);
    // The model request waits 5000 ms for each of its three attempts; Ctrl-C comes in the first
    // one, late enough for a loaded machine to have started the program.
    const SProgramRun r = Cli({"identify"}, true, 1500);
    EXPECT_EQ(r.code, 130) << r.err;
    const std::string log = home.Read("tra.txt");
    EXPECT_TRUE(Has(log, "command stopped.")) << log;
    EXPECT_FALSE(Has(log, "response time out.")) << log;
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

// One name for one thing in every command's JSON document, the layout's version and the run's
// warnings in each.
TEST_F(CliTest, EveryJsonDocumentSharesOneLayout) {
    unit1->Set(2, 0);  // "Alarm value" absent on unit 1
    const std::string set = home.File("set.tmf");
    // The warnings a run has: VerifyShowsTheFilesAndTheControllersValueOfEachDifference.
    Expect(0, {"upload", "-o", set});

    // Show, diff and export take no controller: the line is given all the same.
    // clang-format off
    const struct {
        std::vector<std::string> args;
        bool listsParameters;  // "parameters", each with number, name and status; unit, model
        std::vector<std::string> said;  // on standard output
    } cases[] = {
        {{"identify"}, false, {"\"model_text\": \"TS01-A\"", "\"items\": 6",
                               "\"model_name\": \"TS01 test controller\""}},
        {{"get", " decimal VALUE ", "3"}, true, {"\"name\": \"Decimal value\"", "12.3"}},
        {{"set", "1=250"}, true, {"\"display\": \"250\""}},
        {{"download", "-i", set, "--target-unit", "2"}, true, {}},
        {{"verify", "-i", set}, true, {}},
        {{"download", "-i", set, "--dry-run"}, true, {}},
        {{"clone", "-i", set, "--units", "2"}, false, {}},
        {{"scan", "--units", "1-2", "--timeout", "100"}, false, {}},
        {{"send", "[STX]010005201[ETX]"}, false,
         {"\"result_class\": 0", "[STX] 01 00 00 5201000000FA [ETX]"}},
        {{"show", set}, false, {}},
        {{"diff", set, set}, false, {}},
        {{"export", "-i", set, "-o", home.File("set.csv")}, false, {}},
    };
    // clang-format on
    const std::set<std::string> statuses = {"ok", "absent", "not_in_set", "failed", "differs"};
    SProgramRun r;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        r = Expect(0, args, c.said);
        const nlohmann::json document = nlohmann::json::parse(r.out, nullptr, false);
        ASSERT_TRUE(document.is_object()) << r.out;
        EXPECT_EQ(document.value("schema_version", 0), 1);
        EXPECT_EQ(document["warnings"], nlohmann::json::array());
        if (!c.listsParameters) continue;
        EXPECT_TRUE(document.contains("unit") && document.contains("model_name")) << r.out;
        ASSERT_FALSE(document["parameters"].empty()) << r.out;
        for (const nlohmann::json& parameter : document["parameters"]) {
            EXPECT_TRUE(parameter.contains("number") && parameter.contains("name")) << parameter;
            EXPECT_TRUE(statuses.count(parameter.value("status", ""))) << parameter;
        }
        if (c.args[0] == "get") {
            EXPECT_EQ(document["parameters"][1]["status"], "absent") << r.out;
        }
    }
    EXPECT_TRUE(Has(r.out, "\"table\": \"" + home.File("TS01.prm") + "\"")) << r.out;
    EXPECT_TRUE(Has(home.Read("set.csv"), "1,Set point,250\r\n"));
}

TEST_F(CliTest, UsageErrorsAreTheJsonErrorObjectAndAMistypedNameGetsTheNearest) {
    // clang-format off
    const struct {
        std::vector<std::string> args;
        bool withLine;
        std::string error;
    } cases[] = {
        {{"uplaod", "-o", "x.tmf"}, true, "no command \"uplaod\"; did you mean \"upload\"?"},
        {{"IDENTFY"}, true, "no command \"IDENTFY\"; did you mean \"identify\"?"},
        {{"frobnicate"}, true, "no command \"frobnicate\" (the commands: ports, identify, "},
        {{}, true, "name a command: ports, identify, "},
        {{"--no-such-option", "identify"}, true, "--no-such-option"},
        {{"identify"}, false, "name its port with --port"},
        {{"get", "Set pont"}, true, "no parameter \"Set pont\"; did you mean \"Set point\"?"},
        {{"get", "Nonexistent"}, true, "no parameter \"Nonexistent\" in "},
        // Nothing is written when one key is wrong, not even the pairs before it.
        {{"set", "1=27", "alarm tpye=1"}, true,
         "no parameter \"alarm tpye\"; did you mean \"Alarm type\"?"},
        {{"set", "1=27", "27"}, true, "\"27\" is not KEY=VALUE"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        SProgramRun r = Expect(2, c.args, {}, {c.error}, c.withLine);
        EXPECT_TRUE(r.out.empty()) << r.out;
        // --json anywhere: the same error, also as the object every failure prints.
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "--json");
        r = Cli(args, c.withLine);
        EXPECT_EQ(r.code, 2);
        const nlohmann::json error = nlohmann::json::parse(r.out, nullptr, false);
        EXPECT_EQ(error.value("exit_code", 0), 2) << r.out;
        EXPECT_TRUE(Has(error.value("error", ""), c.error)) << r.out;
        EXPECT_EQ(error.value("schema_version", 0), 1) << r.out;
    }
    EXPECT_TRUE(unit1->Commands("57").empty());
}
