// vexa-cli on a production line: scan, clone, dry run and a line that is unplugged, run as a
// process against simulated controllers on a pty.
#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>

#include "CliFixture.h"
#include "app/Sha256.h"
#include "support/TextCount.h"

namespace {

// A controller of the test model that refuses every write of "Decimal value" (6).
class RefusingWrites : public TestController {
  public:
    std::optional<SimReply> Respond(const SimCommand& command) override {
        if (command.Code != "5706") return TestController::Respond(command);
        SimReply refused;
        refused.ResponseCode = kRefused;
        return refused;
    }
};

// Units 1 and 2 of the test model (2 refuses a write), 3 of another model, 4 silent.
class ProductionLineTest : public CliFixture {
  protected:
    void SetUp() override {
        StartLine({source, refusing, other});
        // The other model: the same parameters under its own name.
        home.Write("TS02.scp", home.Read("TS01.scp"));
        home.Write("TS02.prm", home.Read("TS01.prm"));
        home.Write("TS02.tbl", "\"TS02-A\",\"TS02.prm\",\"TS02 test controller\"\nENDOFTABLE,-\n");
        ASSERT_EQ(Cli({"upload", "-o", set}).code, 0);
        // The set differs from the other units in one value each.
        refusing->Set(1, 100);
        other->Set(1, 100);
    }

    const std::string set = home.File("set.tmf");
    std::shared_ptr<TestController> source = std::make_shared<TestController>();
    std::shared_ptr<TestController> refusing = std::make_shared<RefusingWrites>();
    std::shared_ptr<TestController> other = std::make_shared<TestController>("TS02-A");
};

}  // namespace

TEST_F(ProductionLineTest, ScanListsTheUnitsThatAnswer) {
    // clang-format off
    const struct {
        std::vector<std::string> args;
        int code;
        std::vector<std::string> expected;
    } cases[] = {
        {{"scan", "--units", "1-4,9", "--timeout", "100"}, 0,
         {"unit 1: TS01-A (TS01 test controller)\nunit 2: TS01-A (TS01 test controller)\n"
          "unit 3: TS02-A (TS02 test controller)\n"}},
        {{"scan", "--units", "3,4", "--json", "--timeout", "100"}, 0,
         {"\"model_name\": \"TS02 test controller\"", "\"model_text\": \"TS02-A\"", "\"unit\": 3"}},
        {{"scan", "--units", "4-9", "--timeout", "50"}, 1, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[2]);
        const SProgramRun r = Expect(c.code, c.args, c.expected);
        EXPECT_FALSE(Has(r.out, "unit 4")) << r.out;
        // The progress line is for a terminal only.
        EXPECT_FALSE(Has(r.err, "scan: unit")) << r.err;
    }
    // Each unit is asked once.
    EXPECT_EQ(other->Commands("0503").size(), 2u);
}

// Scan and clone read --units alike: one bad list is enough for clone.
TEST_F(ProductionLineTest, ABadUnitListIsAUsageError) {
    std::vector<std::vector<std::string>> runs = {{"clone", "-i", set, "--units", "1,1"}};
    for (const char* list : {"5-3", "1-3,2", "100", "a", "", "1,,2", "-1", "3-"})
        runs.push_back({"scan", "--units", list});
    for (const std::vector<std::string>& args : runs) Expect(2, args, {}, {"--units"});
    EXPECT_TRUE(refusing->Commands().empty());
}

TEST_F(ProductionLineTest, CloneReportsEveryUnitAndGoesOnAfterOneFails) {
    // clang-format off
    const struct {
        std::vector<std::string> args;
        int code;
        std::vector<std::string> expected;
    } cases[] = {
        {{"clone", "-i", set, "--units", "2,3", "--allow-other-model"}, 3,
         {"unit 2: incomplete (TS01 test controller); failed: 6\n",
          "unit 3: ok (TS02 test controller)\n", "2 of 2 units: 1 ok, 1 incomplete, 0 failed"}},
        // The silent unit costs the model request's three attempts.
        {{"clone", "-i", set, "--units", "4,3", "--json", "--no-verify", "--allow-other-model",
          "--timeout", "200"}, 1,
         {"\"error\": \"the model request to unit 4 on " + line +
              ": no answer within 200 ms, 3 tries\"",
          "\"result\": \"failed\"", "\"result\": \"ok\"", "\"not_reached\": []"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[4]);
        const SProgramRun r = Expect(c.code, c.args, c.expected);
        // The file is of another model than unit 3, taken all the same: said once.
        EXPECT_EQ(Occurrences(r.err, "The file was made for another model."), 1u) << r.err;
    }
    EXPECT_EQ(other->Get(1), 250);
    EXPECT_EQ(refusing->Get(1), 250);
    // Verified the first time only: a verify reads 5202 twice (parameter 2, and the condition
    // of parameter 3), a download never.
    EXPECT_EQ(other->Commands("5202").size(), 2u);
}

TEST_F(ProductionLineTest, CtrlCStopsACloneAndNamesTheUnitsNotReached) {
    SimFaults slow;
    slow.ReplyDelayMs = 100;
    sim.SetFaults(slow);
    const SProgramRun r =
        Cli({"clone", "-i", set, "--units", "3,2,1", "--allow-other-model"}, true, 1000);
    EXPECT_EQ(r.code, 130) << r.err;
    EXPECT_TRUE(Has(r.out, "unit 3: failed (TS02 test controller)")) << r.out;
    EXPECT_TRUE(Has(r.out, "not reached (stopped): units 2, 1")) << r.out;
    EXPECT_TRUE(refusing->Commands().empty());
}

// A script has no operator to read "another model": its values would go by parameter number
// into other parameters, so the file is refused unless the script says otherwise.
TEST_F(ProductionLineTest, ASetOfAnotherModelOrWithNoRecordsIsRefused) {
    home.Write("empty.tmf", home.Read("set.tmf").substr(0, 96));
    const std::string otherModel = "was made for model \"TS01 test controller\"";
    // clang-format off
    const struct {
        std::vector<std::string> args;
        std::string said;
    } cases[] = {
        {{"--unit", "3", "download", "-i", set}, otherModel},
        // Connected straight to the target, whose model the file is checked against.
        {{"download", "-i", set, "--target-unit", "3"}, otherModel},
        {{"--unit", "3", "verify", "-i", set}, otherModel},
        {{"clone", "-i", set, "--units", "3"}, otherModel},
        {{"download", "-i", home.File("empty.tmf"), "--target-unit", "2"},
         "holds no parameter record"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args[2]);
        const SProgramRun r = Expect(1, c.args, {}, {c.said});
        EXPECT_FALSE(Has(r.err, "The file was made for another model.")) << r.err;
    }
    EXPECT_TRUE(other->Commands("57").empty());
    EXPECT_TRUE(refusing->Commands("57").empty());
    EXPECT_EQ(other->Get(1), 100);
}

TEST_F(ProductionLineTest, ADryRunReadsWhatWouldChangeAndWritesNothing) {
    const struct {
        int setPoint;
        int code;
        std::string expected;
    } cases[] = {
        {250, 0, "nothing would change"},
        {180, 3, "1 parameter would change\n  would change: 1 Set point: file 250, controller 180"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        refusing->Set(1, c.setPoint);
        const size_t before = refusing->Commands().size();
        Expect(c.code, {"download", "-i", set, "--target-unit", "2", "--dry-run"}, {c.expected});
        // Only reads: no write, no routine, no write mode (the DisConnect routine sends 6C00).
        const std::vector<std::string> commands = refusing->Commands();
        ASSERT_GT(commands.size(), before);
        for (size_t i = before; i < commands.size(); ++i)
            EXPECT_TRUE(commands[i].rfind("52", 0) == 0 || commands[i] == "0503") << commands[i];
    }
    EXPECT_TRUE(source->Commands("57").empty());
    // Its JSON document is verify's: CliTest.VerifyShowsTheFilesAndTheControllersValueOfEach...
}

// Without --wait-port a lost line ends each command with exit 1: FaultMatrix LineVanishes_*.
TEST_F(ProductionLineTest, ALostLineIsWaitedForWithWaitPort) {
    const std::vector<std::vector<std::string>> commands = {
        {"upload", "-o", home.File("again.tmf")},
        {"--unit", "2", "verify", "-i", set},
        {"download", "-i", set, "--target-unit", "3", "--allow-other-model"},
        {"clone", "-i", set, "--units", "3", "--allow-other-model"},
    };
    for (std::vector<std::string> args : commands) {
        SCOPED_TRACE(args[0]);
        args.insert(args.end(), {"--wait-port", "10"});
        ASSERT_TRUE(sim.WaitForLine(true, std::chrono::seconds(5)));
        other->Set(1, 100);
        SimFaults vanish;
        vanish.VanishAfterCommands = 6;  // past connecting: in the middle of the walk
        vanish.ReturnAfterMs = 300;
        sim.SetFaults(vanish);
        std::filesystem::remove(home.File("tra.txt"));
        const SProgramRun r = Cli(args);
        const std::string log = home.Read("tra.txt");
        EXPECT_TRUE(Has(log, "line lost.\r\n")) << log;
        EXPECT_NE(r.code, 1) << r.err;
        EXPECT_EQ(Occurrences(r.err, "the line was lost: waiting up to 10 s for " + line +
                                         " to come back with unit "),
                  1u)
            << r.err;
        EXPECT_EQ(Occurrences(log, "line back.\r\n"), 1u) << log;
        EXPECT_EQ(other->Get(1) == 250, args[0] == "download" || args[0] == "clone");
    }
    EXPECT_EQ(home.Read("again.tmf"), home.Read("set.tmf"));
}

// Another controller of the same model behind the line that came back: the parameters already
// read are read again, and the upload fails instead of mixing two controllers in one file.
TEST_F(ProductionLineTest, ALineThatComesBackWithAnotherControllerFailsTheWalk) {
    ASSERT_TRUE(sim.WaitForLine(true, std::chrono::seconds(5)));
    SimFaults vanish;
    vanish.VanishAfterCommands = 6;  // past connecting and the first parameters
    vanish.ReturnAfterMs = 300;
    sim.SetFaults(vanish);
    std::thread swap([this] {
        if (sim.WaitForLine(false, std::chrono::seconds(5))) source->Set(1, 999);
    });
    Expect(1, {"upload", "-o", home.File("mixed.tmf"), "--wait-port", "10"}, {},
           {"came back holding other values: parameter 1 (Set point) reads 999"});
    swap.join();
    EXPECT_FALSE(std::filesystem::exists(home.File("mixed.tmf")));
}

TEST_F(ProductionLineTest, EachCommandRecordsItsUnitAndTheLogSaysTheResult) {
    const std::string record = home.File("run.jsonl");
    const std::string copy = home.File("copy.tmf");
    // clang-format off
    const struct {
        std::vector<std::string> args;
        const char* operation;
        int unit;
        const char* result;
        std::string file;  // empty: none
        const char* logLine;
    } cases[] = {
        {{"identify"}, "identify", 1, "ok", "", "Identify result: unit 1 ok."},
        {{"upload", "-o", copy}, "upload", 1, "ok", copy, "Upload result: unit 1 ok, "},
        {{"verify", "-i", set, "--unit", "2"}, "verify", 2, "incomplete", set,
         "Verify result: unit 2 incomplete, "},
        {{"download", "-i", set, "--dry-run", "--target-unit", "2"}, "dry-run", 2, "incomplete",
         set, "Dry-run result: unit 2 incomplete, "},
        {{"set", "2=1"}, "set", 1, "ok", "", "Set result: unit 1 ok, 1 set, 0 failed."},
        // Last: unit 2 refuses a write.
        {{"clone", "-i", set, "--units", "2"}, "clone", 2, "incomplete", set,
         "Clone result: unit 2 incomplete, "},
    };
    // clang-format on
    size_t count = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        std::vector<std::string> args = {"--record", record};
        args.insert(args.end(), c.args.begin(), c.args.end());
        Cli(args);
        const std::vector<nlohmann::json> lines = RecordLines(home.Read("run.jsonl"));
        ASSERT_EQ(lines.size(), ++count);
        const nlohmann::json& r = lines.back();
        ExpectWholeRecord(r);
        EXPECT_EQ(r["operation"], c.operation);
        EXPECT_EQ(r["unit"], c.unit);
        EXPECT_EQ(r["result"], c.result);
        if (c.file.empty()) {
            EXPECT_TRUE(r["file"].is_null() && r["file_sha256"].is_null()) << r;
        } else {
            EXPECT_EQ(r["file"], c.file);
            EXPECT_EQ(r["file_sha256"],
                      Sha256Hex(home.Read(std::filesystem::path(c.file).filename().string())));
        }
        EXPECT_TRUE(Has(home.Read("tra.txt"), c.logLine)) << home.Read("tra.txt");
    }
    const nlohmann::json clone = RecordLines(home.Read("run.jsonl")).back();
    EXPECT_EQ(clone["failed_parameters"].get<std::vector<int>>(), std::vector<int>{6}) << clone;
    EXPECT_EQ(clone["exit_code"], 3);
}

TEST_F(ProductionLineTest, ADownloadGoesStraightToItsTargetUnit) {
    // Unit 4 is silent: asked first, it would cost the model request's three tries.
    const auto started = std::chrono::steady_clock::now();
    Expect(0, {"download", "-i", set, "--unit", "4", "--target-unit", "1"}, {"to unit 1"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST_F(ProductionLineTest, TimeoutAndRetriesOverruleTheModelsOwnWaits) {
    SimFaults silent;
    silent.SilentFor = "5206";  // unit 1's "Decimal value"; the table says 1 s, 1 retry
    sim.SetFaults(silent);
    // clang-format off
    const struct {
        std::vector<std::string> args;
        int code;
        std::string message;
    } cases[] = {
        {{"upload", "-o", home.File("a.tmf")}, 3, "no answer within 1000 ms, 2 tries"},
        {{"upload", "-o", home.File("a.tmf"), "--timeout", "100", "--retries", "2"}, 3,
         "no answer within 100 ms, 3 tries"},
        // The model request of a silent unit: its own 3 x 5000 ms, overruled too.
        {{"identify", "--unit", "4", "--timeout", "200", "--retries", "1"}, 1,
         "the model request to unit 4 on " + line + ": no answer within 200 ms, 2 tries\n"},
        {{"identify", "--unit", "4", "--timeout", "200", "--retries", "0"}, 1,
         ": no answer within 200 ms\n"},
        {{"get", "6", "--timeout", "70000"}, 2, "--timeout"},
    };
    // clang-format on
    for (const auto& c : cases) Expect(c.code, c.args, {}, {c.message});
}

// A set read with another model's table gives another model's names and values: said as a
// warning. Without --table, export takes the set's own model's table.
TEST_F(ProductionLineTest, DiffAndExportSayWhenModelsDifferAndExportFindsTheSetsOwnTable) {
    const std::string otherSet = home.File("other.tmf"), csv = home.File("out.csv");
    const std::string ts01 = home.File("TS01.prm"), ts02 = home.File("TS02.prm");
    ASSERT_EQ(Cli({"--unit", "3", "upload", "-o", otherSet}).code, 0);
    home.Write("TS02.prm", std::regex_replace(home.Read("TS02.prm"), std::regex("\\{Set point,"),
                                              "{Loop set point,"));
    std::string unknown = home.Read("set.tmf");
    unknown.replace(32, 4, "XX99");
    home.Write("unknown.tmf", unknown);
    const std::string ownTable = " was made for model \"TS02 test controller\", whose table is ";
    // clang-format off
    const struct {
        std::vector<std::string> args;
        int code;
        std::string said;  // the warning or error; empty: none
    } cases[] = {
        {{"diff", set, otherSet}, 3, set + " and " + otherSet + " were made for different models "
                                     "(\"TS01 test controller\" and \"TS02 test controller\")"},
        {{"diff", otherSet, otherSet, "--table", ts01}, 0, otherSet + ownTable + ts02},
        {{"export", "-i", otherSet, "-o", csv, "--table", ts01}, 0, otherSet + ownTable + ts02},
        {{"export", "-i", set, "-o", csv, "--table", ts01}, 0, ""},
        {{"export", "-i", otherSet, "-o", csv}, 0, ""},
        {{"export", "-i", home.File("unknown.tmf"), "-o", csv}, 1,
         "no model index names the model \"XX99 test controller\""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.said);
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        const SProgramRun r = Cli(args, false);
        EXPECT_EQ(r.code, c.code) << r.err;
        const nlohmann::json document = nlohmann::json::parse(r.out, nullptr, false);
        if (c.code == 1) {
            EXPECT_TRUE(Has(r.err, "vexa-cli: " + c.said)) << r.err;
        } else if (c.said.empty()) {
            EXPECT_TRUE(r.err.empty()) << r.err;
        } else {
            EXPECT_TRUE(Has(r.err, "vexa-cli: warning: " + c.said)) << r.err;
            ASSERT_EQ(document["warnings"].size(), 1u) << r.out;
            EXPECT_TRUE(Has(document["warnings"][0].get<std::string>(), c.said)) << r.out;
        }
    }
    EXPECT_TRUE(Has(home.Read("out.csv"), "1,Loop set point,100\r\n")) << home.Read("out.csv");
}
