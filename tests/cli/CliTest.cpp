// vexa-cli as a user runs it: the program against two simulated controllers on a pty.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "files/ParameterSet.h"
#include "sim/SimBus.h"
#include "support/FaultsWith.h"
#include "support/TempFolder.h"
#include "support/TestController.h"
#include "support/TestModel.h"

namespace {

struct SRun {
    int code = -1;
    std::string out;
    std::string err;
};

std::string CliProgram() {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "vexa-cli").string();
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestModel(home);
        unit1->SetFactoryValues();
        unit2->SetFactoryValues();
        sim.SetResponder(1, unit1);
        sim.SetResponder(2, unit2);
        ASSERT_TRUE(sim.Start()) << sim.Error();
    }

    // Runs vexa-cli with the program folder and the simulated line. interruptAfterMs >= 0: the
    // program gets Ctrl-C (SIGINT) after that time.
    SRun Cli(const std::vector<std::string>& args, bool withLine = true,
             int interruptAfterMs = -1) {
        std::vector<std::string> all = {CliProgram()};
        if (std::find(args.begin(), args.end(), "--home") == args.end())
            all.insert(all.end(), {"--home", home.Path()});
        if (withLine) all.insert(all.end(), {"--port", sim.SlavePath()});
        all.insert(all.end(), args.begin(), args.end());
        const std::string out = home.File("stdout"), err = home.File("stderr");
        const pid_t pid = fork();
        if (pid == 0) {
            if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(99);
            std::vector<char*> argv;
            for (const std::string& a : all) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(98);
        }
        if (interruptAfterMs >= 0) {
            usleep(static_cast<useconds_t>(interruptAfterMs) * 1000);
            kill(pid, SIGINT);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, home.Read("stdout"),
                home.Read("stderr")};
    }

    TempFolder home;
    std::shared_ptr<TestController> unit1 = std::make_shared<TestController>();
    std::shared_ptr<TestController> unit2 = std::make_shared<TestController>();
    SimBus sim;
};

}  // namespace

TEST_F(CliTest, IdentifyPrintsWhatTheControllerIs) {
    const SRun r = Cli({"identify", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"model_text\": \"TS01-A\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"model_name\": \"TS01 test controller\""), std::string::npos);
    EXPECT_NE(r.out.find("\"items\": 6"), std::string::npos);
}

TEST_F(CliTest, UploadSavesTheSetAndItsCsvAndShowAndExportReadIt) {
    const SRun r = Cli({"upload", "-o", home.File("set.tmf"), "--csv", home.File("set.csv")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(home.Read("set.tmf").size(), 96u + 5 * 40);
    SParameterFileContent content;
    ASSERT_TRUE(ReadParameterFileContent(home.File("set.tmf"), content).Ok());
    EXPECT_EQ(content.modelName, "TS01 test controller");
    EXPECT_EQ(content.records[0].setValue, "250");
    EXPECT_NE(home.Read("set.csv").find("6,Decimal value,12.3\r\n"), std::string::npos);
    // The same log lines as the desktop program's.
    const std::string log = home.Read("tra.txt");
    EXPECT_NE(log.find("Upload start.\r\n"), std::string::npos);
    EXPECT_NE(log.find("Save end.\r\n"), std::string::npos);

    // Show and export need no controller.
    SRun shown = Cli({"show", home.File("set.tmf")}, false);
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find("Model: TS01 test controller"), std::string::npos) << shown.out;
    shown = Cli({"export", "-i", home.File("set.tmf"), "-o", home.File("offline"), "--table",
                 home.File("TS01.prm")},
                false);
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(home.Read("offline.csv").find("1,Set point,250\r\n"), std::string::npos);
}

TEST_F(CliTest, UntrustedTextsReachTheTerminalEscapedAndARelativeHomeWorks) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    std::string bytes = home.Read("set.tmf");
    bytes.replace(32, 8, "TS\x1b[2J\x07!");
    home.Write("set.tmf", bytes);
    const SRun shown = Cli({"show", home.File("set.tmf")}, false);
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find("Model: TS\\x1B[2J\\x07!"), std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.find('\x1b'), std::string::npos);

    const std::filesystem::path folder(home.Path());
    ASSERT_EQ(chdir(folder.parent_path().c_str()), 0);
    const SRun r =
        Cli({"--home", folder.filename().string(), "upload", "-o", home.File("again.tmf")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(home.Read("set.tmf").size(), home.Read("again.tmf").size());
}

TEST_F(CliTest, EveryParameterEndsWithAStatusAndOnlyFailuresOrDifferencesExitThree) {
    // Unit 1 has no alarm value (its alarm type is 0): absent, which is no fault.
    unit1->Set(2, 0);
    SRun r = Cli({"upload", "-o", home.File("set.tmf")});
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("  absent (not on this controller): 3 Alarm value\n"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("failed"), std::string::npos) << r.out;

    // Downloaded, the value the set lacks is not_in_set, again no fault.
    r = Cli({"download", "-i", home.File("set.tmf"), "--target-unit", "2", "--json"});
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("\"status\": \"not_in_set\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"set_value\": \"250\""), std::string::npos) << r.out;
    r = Cli({"--unit", "2", "download", "-i", home.File("set.tmf")});
    EXPECT_NE(r.out.find("  not in the set: 3 Alarm value\n"), std::string::npos) << r.out;

    r = Cli({"--unit", "2", "verify", "-i", home.File("set.tmf"), "--json"});
    EXPECT_EQ(r.code, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("\"status\": \"absent\""), std::string::npos) << r.out;

    // A parameter whose read fails is a failure: exit 3, listed apart from the absent one.
    unit1->MakeUnreadable(1);
    r = Cli({"upload", "-o", home.File("failed.tmf")});
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_NE(r.out.find("  failed: 1 Set point\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  absent (not on this controller): 3 Alarm value\n"), std::string::npos);
    r = Cli({"upload", "-o", home.File("failed.tmf"), "--json"});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.out.find("\"status\": \"failed\""), std::string::npos) << r.out;
}

TEST_F(CliTest, VerifyShowsTheFilesAndTheControllersValueOfEachDifference) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    unit1->Set(6, 999);
    SRun r = Cli({"verify", "-i", home.File("set.tmf")});
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_NE(r.out.find("  differs: 6 Decimal value: file 12.3, controller 99.9\n"),
              std::string::npos)
        << r.out;
    r = Cli({"verify", "-i", home.File("set.tmf"), "--json"});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.out.find("\"status\": \"differs\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"file_display\": \"12.3\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"device_display\": \"99.9\""), std::string::npos) << r.out;
}

TEST_F(CliTest, AnUploadThatDidNotCompleteLeavesThePreviousFilesAlone) {
    struct SCase {
        const char* what;
        int interruptAfterMs;  // -1: no Ctrl-C
        bool readable;
        int code;
        const char* reason;
    };
    for (const SCase& c : {SCase{"Ctrl-C", 800, true, 130, "the upload was stopped"},
                           SCase{"nothing readable", -1, false, 1, "no parameter could be read"}}) {
        home.Write("set.tmf", "previous set");
        home.Write("set.csv", "previous csv");
        SimFaults slow;
        slow.ReplyDelayMs = c.interruptAfterMs >= 0 ? 150 : 0;
        sim.SetFaults(slow);
        for (int n = 1; n <= 6; ++n)
            if (!c.readable) unit1->MakeUnreadable(n);
        const SRun r = Cli({"upload", "-o", home.File("set.tmf"), "--csv", home.File("set.csv")},
                           true, c.interruptAfterMs);
        EXPECT_EQ(r.code, c.code) << c.what << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.what << r.err;
        EXPECT_NE(r.err.find("not written"), std::string::npos) << c.what << r.err;
        EXPECT_EQ(home.Read("set.tmf"), "previous set") << c.what;
        EXPECT_EQ(home.Read("set.csv"), "previous csv") << c.what;
        EXPECT_EQ(r.out.find("Uploaded"), std::string::npos) << c.what;
    }
}

TEST_F(CliTest, DamagedItemLinesOfTheTableAreReportedOnConnect) {
    std::string table = home.Read("TS01.prm");
    table.insert(table.find("{Firmware"), "{Broken,5207\n{Half,5208;1;1;0;1;0,5708\n");
    home.Write("TS01.prm", table);
    const SRun r = Cli({"identify"});
    EXPECT_EQ(r.code, 0) << r.err;
    const std::string line = "2 item lines of " + home.File("TS01.prm") + " skipped";
    EXPECT_NE(r.err.find(line + "\n"), std::string::npos) << r.err;
    EXPECT_NE(home.Read("tra.txt").find(line + "\r\n"), std::string::npos);
}

TEST_F(CliTest, AFailedCsvExportFailsTheUpload) {
    const SRun r =
        Cli({"upload", "-o", home.File("set.tmf"), "--csv", home.File("no-such-folder/set.csv")});
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_NE(r.err.find("set.csv"), std::string::npos) << r.err;
}

TEST_F(CliTest, ADownloadOrDisconnectRoutineThatIsThereAndFailsIsAFailure) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    struct SCase {
        const char* routine;
        const char* command;  // the routine's command, which the controller refuses
    };
    for (const SCase& c :
         {SCase{"BeforeDownload", "7101"}, {"AfterDownload", "7100"}, {"DisConnect", "6C00"}}) {
        SimFaults refuse;
        refuse.ResponseCode = TestController::kRefused;
        refuse.Scope.OnlyFor = c.command;
        sim.SetFaults(refuse);
        const SRun r = Cli({"download", "-i", home.File("set.tmf"), "--target-unit", "2"});
        EXPECT_EQ(r.code, 1) << c.routine << r.out;
        EXPECT_NE(r.err.find(std::string("the model's ") + c.routine + " routine failed"),
                  std::string::npos)
            << c.routine << r.err;
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
    const SRun r = Cli({"download", "-i", home.File("set.tmf"), "--target-unit", "2"});
    EXPECT_EQ(r.code, 0) << r.err << r.out;
}

TEST_F(CliTest, DownloadClonesIntoTheTargetVerifyComparesAndAnotherModelWarns) {
    ASSERT_EQ(Cli({"upload", "-o", home.File("set.tmf")}).code, 0);
    for (int n : {1, 2, 3, 4, 6}) unit2->Set(n, 0);
    unit2->Set(2, 1);  // the alarm value exists on the target too
    const SRun down = Cli({"download", "-i", home.File("set.tmf"), "--target-unit", "2"});
    ASSERT_EQ(down.code, 0) << down.err << down.out;
    for (int n : {1, 2, 3, 4, 6}) EXPECT_EQ(unit2->Get(n), unit1->Get(n)) << n;

    EXPECT_EQ(Cli({"--unit", "2", "verify", "-i", home.File("set.tmf")}).code, 0);
    unit2->Set(6, 999);
    const SRun differs = Cli({"--unit", "2", "verify", "-i", home.File("set.tmf"), "--json"});
    EXPECT_EQ(differs.code, 3);
    EXPECT_NE(differs.out.find("\"all_equal\": false"), std::string::npos) << differs.out;
    EXPECT_NE(differs.out.find("Decimal value"), std::string::npos);

    std::string bytes = home.Read("set.tmf");
    bytes.replace(32, 4, "XY99");
    home.Write("other.tmf", bytes);
    const SRun other = Cli({"download", "-i", home.File("other.tmf"), "--target-unit", "2"});
    EXPECT_EQ(other.code, 0);
    EXPECT_NE(other.err.find("The file was made for another model."), std::string::npos)
        << other.err;
}

TEST_F(CliTest, DiffComparesTwoFilesOfflineAndAStableLinkNamesThePort) {
    const std::string link = home.File("usb-Maker_Cable-if00-port0");
    std::filesystem::create_symlink(sim.SlavePath(), link);
    ASSERT_EQ(Cli({"--port", link, "upload", "-o", home.File("a.tmf")}, false).code, 0);
    unit1->Set(6, 999);
    ASSERT_EQ(Cli({"upload", "-o", home.File("b.tmf")}).code, 0);

    const std::string a = home.File("a.tmf"), b = home.File("b.tmf");
    SRun r = Cli({"diff", a, b, "--table", home.File("TS01.prm")}, false);
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_NE(r.out.find("6 Decimal value: 12.3 in " + a + ", 99.9 in " + b), std::string::npos)
        << r.out;
    r = Cli({"diff", a, b, "--json"}, false);
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.out.find("\"a\": \"123\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"only_a\": []"), std::string::npos) << r.out;

    EXPECT_EQ(Cli({"diff", a, a}, false).code, 0);
    r = Cli({"diff", a, home.File("missing.tmf")}, false);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("missing.tmf"), std::string::npos) << r.err;
}

TEST_F(CliTest, GetAndSetWorkWithDecimalPointsAndWriteMode) {
    SRun r = Cli({"get", "6", "Set point"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Decimal value"), std::string::npos);
    EXPECT_NE(r.out.find("12.3"), std::string::npos) << r.out;

    r = Cli({"set", "Decimal value=4.5", "4=7", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(unit1->Get(6), 45);
    EXPECT_EQ(unit1->Get(4), 7);
    EXPECT_NE(r.out.find("\"display\": \"4.5\""), std::string::npos) << r.out;
    // Write mode was entered for parameter 4 and left again.
    EXPECT_EQ(unit1->Commands("6C01").size(), 1u);

    // A value the field cannot carry is refused with one line, and nothing is written.
    for (const char* pair : {"Set point=abc", "Set point=1e3", "Set point=", "Set point=70000",
                             "Decimal value=6553.6", "Decimal value=-1"}) {
        r = Cli({"set", pair});
        EXPECT_EQ(r.code, 1) << pair;
        EXPECT_NE(r.err.find("nothing written"), std::string::npos) << pair << r.err;
    }
    EXPECT_TRUE(unit1->Commands("5701").empty());
    EXPECT_EQ(unit1->Get(6), 45);

    r = Cli({"set", "5=1"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot be written"), std::string::npos);
    r = Cli({"get", "Nonexistent"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("no parameter \"Nonexistent\""), std::string::npos);
}

TEST_F(CliTest, SendShowsTheResponseFields) {
    SRun r = Cli({"send", "[STX]010005201[ETX]", "--json"});
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("\"result_class\": 0"), std::string::npos);
    EXPECT_NE(r.out.find("[STX] 01 00 00 5201000000FA [ETX]"), std::string::npos) << r.out;

    sim.SetResponder(1, nullptr);
    r = Cli({"send", "[STX]010005201", "--retry", "2", "--timeout", "50"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("***********************"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("no answer within 50 ms"), std::string::npos) << r.err;
}

TEST_F(CliTest, FailuresAreOneClearLineWithTheirExitCode) {
    SRun r = Cli({"identify"}, false);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("--port"), std::string::npos);
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{"--no-such-option", "identify"},
          {"send", "[STX]010005201", "--timeout", "65536"},
          {"send", "[STX]010005201", "--retry", "0"}}) {
        r = Cli(usage);
        EXPECT_EQ(r.code, 2) << usage[0] << " " << r.err;
        EXPECT_EQ(r.out.find("Sent:"), std::string::npos);
    }
    r = Cli({"--port", home.File("ttyGone"), "identify"}, false);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("does not exist"), std::string::npos) << r.err;
    sim.SetResponder(1, nullptr);
    r = Cli({"--unit", "1", "upload", "-o", home.File("x.tmf")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("no answer within 5000 ms"), std::string::npos) << r.err;
}

TEST_F(CliTest, AFailedConnectNamesWhatCameBack) {
    const struct {
        const char* reason;
        SimFaults faults;
    } cases[] = {
        {"answered with a bad check byte", FaultsWith([](SimFaults& f) { f.CorruptCheck = true; })},
        {"answered with end code 0F", FaultsWith([](SimFaults& f) { f.EndCode = 0x0F; })},
        {"answered with response code 1001",
         FaultsWith([](SimFaults& f) { f.ResponseCode = 0x1001; })},
        {"2048 bytes without a frame end", FaultsWith([](SimFaults& f) { f.Garbage = true; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        sim.SetFaults(c.faults);
        const SRun r = Cli({"identify"});
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("does not answer"), std::string::npos) << r.err;
    }
}

TEST_F(CliTest, ALostLineEndsAnUploadWithOneAndWritesNoFile) {
    home.Write("set.tmf", "previous");
    SimFaults vanish;
    vanish.VanishAfterCommands = 5;  // the model request and the Connect routine come first
    sim.SetFaults(vanish);
    const SRun r = Cli({"upload", "-o", home.File("set.tmf")});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.err.find("line lost at parameter "), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("not transferred"), std::string::npos) << r.out;
    EXPECT_EQ(home.Read("set.tmf"), "previous");
}

TEST_F(CliTest, CtrlCEndsAWaitOnASilentLineAtOnce) {
    SimFaults silent;
    silent.SilentCommands = 1000;
    sim.SetFaults(silent);
    // The model request waits 5000 ms for each of its three attempts.
    const SRun r = Cli({"identify"}, true, 300);
    EXPECT_EQ(r.code, 130) << r.err;
    const std::string log = home.Read("tra.txt");
    EXPECT_NE(log.find("command stopped."), std::string::npos) << log;
    EXPECT_EQ(log.find("response time out."), std::string::npos) << log;
}

TEST_F(CliTest, CtrlCStopsAnUploadBetweenTwoParameters) {
    SimFaults slow;
    slow.ReplyDelayMs = 150;
    sim.SetFaults(slow);
    const SRun r = Cli({"upload", "-o", home.File("set.tmf")}, true, 800);
    EXPECT_EQ(r.code, 130) << r.err;
    EXPECT_NE(home.Read("tra.txt").find("Upload canceled."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home.File("set.tmf")));
}
