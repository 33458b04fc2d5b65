// Runs every vexa-cli session under cases/: adding a session is adding a file. A session runs
// vexa-cli as a process, step by step, against one line of simulated controllers of the test
// model. One step a line; lines starting with "#" are notes.
//   units MODEL...         first: the line's units 1, 2, ... by model text ("TS01-A"; "TS02-A":
//                          another model, TS01's table; "/refuses-6" added: writes of 6 refused)
//   set U P V              unit U's parameter P holds V from now on
//   unreadable U P         unit U refuses to read its parameter P
//   faults OPTIONS         the line's faults as vexa-sim's options give them (none: a clean line)
//   write NAME TEXT        the program folder's file NAME holds TEXT
//   copy NAME NEW [N]      file NEW holds what NAME holds (its first N bytes)
//   edit NAME FROM TO      every FROM in file NAME becomes TO (both "quoted" when they hold spaces)
//   poke NAME AT N TEXT    the N bytes of file NAME from AT on are TEXT, padded with NULs
//   append NAME OTHER AT N file NAME ends with the N bytes of file OTHER from AT on
//   fifo NAME              the program folder's file NAME is a FIFO, which nobody writes
//   link NAME              the program folder's NAME is a symbolic link to the line's device
//   from-parent            runs start in the program folder's parent folder
//   tcp, tcp-stop          the line is served over raw TCP as {tcp} (vexa-sim's TCP side) / no more
//   hold NAME              file NAME is held (flock) as another vexa-cli holds its log
//   on-loss U P V          when the line is next lost, unit U's parameter P holds V
//   remove NAME            the program folder's file NAME is gone
//   wait-line              the line is up (again, after it vanished)
//   run [offline] [^C=MS] [>/dev/full] ARGS  vexa-cli --home HOME --port LINE ARGS (offline:
//                          without --port; ^C: Ctrl-C after MS; its standard output a full
//                          device); --home or --port in ARGS are taken instead. A "quoted" word
//                          keeps its spaces.
// The checks of the last run (each run checks its exit code):
//   exit N
//   out TEXT, err TEXT     standard output / error holds TEXT; !out, !err: does not
//   out= TEXT, err= TEXT   standard output / error is TEXT and nothing else
//   out-set NAME           standard output is the parameter file NAME, but for the time it was
//                          written (its first 32 bytes)
//   err1 TEXT, log1 TEXT   standard error / the communication log holds TEXT exactly once
//   json POINTER JSON      standard output is a JSON document holding JSON at POINTER
//   json~ POINTER TEXT     ... whose text at POINTER holds TEXT
//   !json POINTER          ... holding nothing at POINTER
//   parameters             ... that lists each parameter with number, name and status, and names
//                          the unit and the model
//   sent-only U PREFIX...  the run sent unit U no command but those starting with a PREFIX
//   sent U PREFIX N        unit U was sent N commands starting with PREFIX since the session began
//   order U COMMAND...     unit U was sent each COMMAND, the first of each in this order
//   value U P V            unit U's parameter P holds V
//   file NAME TEXT         the program folder's file NAME holds TEXT; file=: is TEXT
//   absent NAME            the program folder has no file NAME
//   size NAME N            the program folder's file NAME holds N bytes
//   same NAME OTHER        files NAME and OTHER hold the same bytes
//   records NAME N         the --record file NAME has N lines, each a whole record
//   record NAME POINTER JSON  its last record holds JSON at POINTER
//   record-sha NAME FILE   its last record gives the SHA-256 of the program folder's FILE
//   log TEXT, !log TEXT    the communication log (tra.txt) holds TEXT / does not
// In TEXT and ARGS {home} is the program folder, {name} its name, {line} the line's link and {tcp}
// its TCP address; \n, \r, \\ and \xHH stand for those bytes (any other backslash stays).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <set>
#include <thread>

#include "CliFixture.h"
#include "app/Sha256.h"
#include "matrix/Faults.h"
#include "sim/SimOptions.h"
#include "sim/SimTcp.h"
#include "support/TextCount.h"

namespace {

std::vector<std::string> ListSessions() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(VEXA_CLI_CASES_DIR))
        if (entry.path().extension() == ".cli") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The words of a step: split at spaces, a "quoted" word taken whole ("" is an empty word).
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> std::quoted(word, '"', '\0');) words.push_back(word);
    return words;
}

class CliCases : public CliFixture, public ::testing::WithParamInterface<std::string> {
  protected:
    std::string Expand(const std::string& text) const {
        std::string bytes;
        const std::pair<std::string, std::string> names[] = {
            {"{home}", home.Path()},
            {"{name}", std::filesystem::path(home.Path()).filename().string()},
            {"{line}", line},
            {"{tcp}", tcpPort}};
        for (size_t i = 0; i < text.size(); ++i) {
            const auto* name = std::find_if(std::begin(names), std::end(names), [&](const auto& n) {
                return text.compare(i, n.first.size(), n.first) == 0;
            });
            if (name != std::end(names)) {
                bytes += name->second;
                i += name->first.size() - 1;
            } else if (text[i] != '\\' || i + 1 == text.size()) {
                bytes += text[i];
            } else if (text[++i] == 'x') {
                bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
            } else if (text[i] == 'n' || text[i] == 'r' || text[i] == '\\') {
                bytes += text[i] == 'n' ? '\n' : text[i] == 'r' ? '\r' : '\\';
            } else {
                bytes += text.substr(i - 1, 2);
            }
        }
        return bytes;
    }

    void StartUnits(const std::vector<std::string>& models) {
        for (const std::string& model : models) {
            const size_t slash = model.find("/refuses-");
            units.push_back(slash == std::string::npos
                                ? std::make_shared<TestController>(model)
                                : std::make_shared<RefusingWrites>(
                                      model.substr(0, slash), std::stoi(model.substr(slash + 9))));
        }
        StartLine(units);
    }

    void Run(std::vector<std::string> args) {
        const bool offline = !args.empty() && args[0] == "offline";
        if (offline) args.erase(args.begin());
        int interruptAfterMs = -1;
        if (!args.empty() && args[0].rfind("^C=", 0) == 0) {
            interruptAfterMs = std::stoi(args[0].substr(3));
            args.erase(args.begin());
        }
        const bool full = !args.empty() && args[0] == ">/dev/full";
        if (full) args.erase(args.begin());
        for (std::string& arg : args) arg = Expand(arg);
        sentBefore.clear();
        for (const auto& unit : units) sentBefore.push_back(unit->Commands().size());
        if (full) {
            int status = 0;
            waitpid(Spawn(CliArgs(args, !offline), "/dev/full", home.File("stderr")), &status, 0);
            run = {WIFEXITED(status) ? WEXITSTATUS(status) : -1, false, "", home.Read("stderr")};
        } else {
            run = Cli(args, !offline, interruptAfterMs);
        }
        if (loss.joinable()) loss.join();
        EXPECT_FALSE(run.hung);
    }

    nlohmann::json Document() const { return nlohmann::json::parse(run.out, nullptr, false); }

    void ExpectParameterLayout() const {
        const nlohmann::json document = Document();
        EXPECT_TRUE(document.contains("unit") && document.contains("model_name"));
        const nlohmann::json parameters = document.value("parameters", nlohmann::json::array());
        ASSERT_FALSE(parameters.empty());
        const std::set<std::string> statuses = {"ok", "absent", "not_in_set", "failed", "differs"};
        for (const nlohmann::json& parameter : parameters) {
            EXPECT_TRUE(parameter.contains("number") && parameter.contains("name")) << parameter;
            EXPECT_TRUE(statuses.count(parameter.value("status", ""))) << parameter;
        }
    }

    // One check of the last run, or a step that prepares the next one.
    void Step(const std::string& verb, const std::string& rest) {
        const std::vector<std::string> w = Words(rest);
        const auto unit = [&](size_t i) { return units.at(std::stoul(w.at(i)) - 1); };
        const auto number = [&](size_t i) { return std::stoi(w.at(i)); };
        const std::string text = Expand(rest);
        // TEXT after a first word (a file name, a pointer).
        const size_t space = rest.find(' ');
        const std::string tail = Expand(space == std::string::npos ? "" : rest.substr(space + 1));
        if (verb == "units") {
            StartUnits(w);
        } else if (verb == "set") {
            unit(0)->Set(number(1), number(2));
        } else if (verb == "unreadable") {
            unit(0)->MakeUnreadable(number(1));
        } else if (verb == "faults") {
            SimOptions options;
            std::string error;
            ASSERT_TRUE(ParseSimOptions(w, options, error)) << error;
            sim.SetFaults(options.Faults);
        } else if (verb == "write") {
            home.Write(w.at(0), tail);
        } else if (verb == "copy") {
            home.Write(w.at(1), home.Read(w.at(0)).substr(
                                    0, w.size() > 2 ? std::stoul(w[2]) : std::string::npos));
        } else if (verb == "poke") {
            std::string bytes = home.Read(w.at(0)), value = Expand(w.at(3));
            bytes.replace(std::stoul(w.at(1)), std::stoul(w.at(2)),
                          value + std::string(std::stoul(w.at(2)) - value.size(), '\0'));
            home.Write(w.at(0), bytes);
        } else if (verb == "append") {
            home.Write(w.at(0), home.Read(w.at(0)) + home.Read(w.at(1)).substr(
                                                         std::stoul(w.at(2)), std::stoul(w.at(3))));
        } else if (verb == "fifo") {
            std::filesystem::remove(home.File(w.at(0)));
            ASSERT_EQ(mkfifo(home.File(w.at(0)).c_str(), 0600), 0);
        } else if (verb == "link") {
            std::filesystem::create_symlink(sim.SlavePath(), home.File(w.at(0)));
        } else if (verb == "from-parent") {
            ASSERT_EQ(chdir(std::filesystem::path(home.Path()).parent_path().c_str()), 0);
        } else if (verb == "tcp") {
            std::string error;
            ASSERT_TRUE(tcp.Start(
                0, [this] { return line; }, error))
                << error;
            tcpPort = "socket://127.0.0.1:" + std::to_string(tcp.Port());
        } else if (verb == "tcp-stop") {
            tcp.Stop();
        } else if (verb == "hold") {
            held.push_back(open(home.File(w.at(0)).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
            ASSERT_EQ(flock(held.back(), LOCK_EX), 0);
        } else if (verb == "on-loss") {
            loss = std::thread([this, u = unit(0), p = number(1), v = number(2)] {
                if (sim.WaitForLine(false, std::chrono::seconds(5))) u->Set(p, v);
            });
        } else if (verb == "remove") {
            std::filesystem::remove(home.File(w.at(0)));
        } else if (verb == "wait-line") {
            ASSERT_TRUE(sim.WaitForLine(true, std::chrono::seconds(5)));
        } else if (verb == "edit") {
            home.Write(w.at(0), Replace(home.Read(w.at(0)), Expand(w.at(1)), Expand(w.at(2))));
        } else if (verb == "run") {
            EXPECT_TRUE(exitChecked) << "the run before has no exit check";
            exitChecked = false;
            Run(w);
        } else if (verb == "exit") {
            exitChecked = true;
            EXPECT_EQ(run.code, number(0));
        } else if (verb == "out" || verb == "err" || verb == "!out" || verb == "!err") {
            const std::string& stream = verb.find("out") != std::string::npos ? run.out : run.err;
            EXPECT_EQ(Has(stream, text), verb[0] != '!') << text;
        } else if (verb == "out=" || verb == "err=") {
            EXPECT_EQ(verb == "out=" ? run.out : run.err, text);
        } else if (verb == "out-set") {
            const std::string set = home.Read(w.at(0));
            EXPECT_EQ(run.out.size(), set.size());
            EXPECT_EQ(run.out.substr(std::min<size_t>(32, run.out.size())), set.substr(32));
        } else if (verb == "err1" || verb == "log1") {
            EXPECT_EQ(Occurrences(verb == "err1" ? run.err : home.Read("tra.txt"), text), 1u)
                << text;
        } else if (verb == "json" || verb == "json~") {
            const nlohmann::json document = Document();
            const nlohmann::json::json_pointer at(w.at(0));
            ASSERT_TRUE(document.contains(at)) << w.at(0);
            if (verb == "json") {
                EXPECT_EQ(document[at], nlohmann::json::parse(tail, nullptr, false));
            } else {
                EXPECT_TRUE(document[at].is_string() && Has(document[at].get<std::string>(), tail));
            }
        } else if (verb == "!json") {
            EXPECT_FALSE(Document().contains(nlohmann::json::json_pointer(w.at(0)))) << w.at(0);
        } else if (verb == "parameters") {
            ExpectParameterLayout();
        } else if (verb == "sent-only") {
            const size_t u = std::stoul(w.at(0)) - 1;
            const std::vector<std::string> sent = units.at(u)->Commands();
            for (size_t i = sentBefore.at(u); i < sent.size(); ++i)
                EXPECT_TRUE(std::any_of(w.begin() + 1, w.end(), [&](const std::string& prefix) {
                    return sent[i].rfind(prefix, 0) == 0;
                })) << sent[i];
        } else if (verb == "sent") {
            EXPECT_EQ(unit(0)->Commands(w.at(1)).size(), std::stoul(w.at(2))) << w.at(1);
        } else if (verb == "order") {
            const std::vector<std::string> sent = unit(0)->Commands();
            std::vector<long> at;
            for (size_t i = 1; i < w.size(); ++i)
                at.push_back(std::find(sent.begin(), sent.end(), w[i]) - sent.begin());
            EXPECT_TRUE(std::is_sorted(at.begin(), at.end()) && at.back() < long(sent.size()));
        } else if (verb == "value") {
            EXPECT_EQ(unit(0)->Get(number(1)), number(2)) << "parameter " << w.at(1);
        } else if (verb == "file") {
            EXPECT_TRUE(Has(home.Read(w.at(0)), tail)) << home.Read(w.at(0));
        } else if (verb == "file=") {
            EXPECT_EQ(home.Read(w.at(0)), tail);
        } else if (verb == "absent") {
            EXPECT_FALSE(std::filesystem::exists(home.File(w.at(0))));
        } else if (verb == "size") {
            EXPECT_EQ(home.Read(w.at(0)).size(), std::stoul(w.at(1)));
        } else if (verb == "same") {
            EXPECT_EQ(home.Read(w.at(0)), home.Read(w.at(1)));
        } else if (verb == "records") {
            const std::vector<nlohmann::json> lines = RecordLines(home.Read(w.at(0)));
            EXPECT_EQ(lines.size(), std::stoul(w.at(1)));
            for (const nlohmann::json& record : lines) ExpectWholeRecord(record);
        } else if (verb == "record" || verb == "record-sha") {
            const std::vector<nlohmann::json> lines = RecordLines(home.Read(w.at(0)));
            ASSERT_FALSE(lines.empty());
            if (verb == "record") {
                const std::string json = Expand(rest.substr(rest.find(' ', space + 1) + 1));
                EXPECT_EQ(
                    lines.back().value(nlohmann::json::json_pointer(w.at(1)), nlohmann::json()),
                    nlohmann::json::parse(json, nullptr, false));
            } else {
                EXPECT_EQ(lines.back()["file_sha256"], Sha256Hex(home.Read(w.at(1))));
            }
        } else if (verb == "log" || verb == "!log") {
            EXPECT_EQ(Has(home.Read("tra.txt"), text), verb == "log") << text << " in\n"
                                                                      << home.Read("tra.txt");
        } else {
            ADD_FAILURE() << "no step \"" << verb << "\"";
        }
    }

    ~CliCases() override {
        if (loss.joinable()) loss.join();
        for (int fd : held) close(fd);
    }

    SimTcpLine tcp;
    std::thread loss;       // on-loss
    std::vector<int> held;  // hold
    std::string tcpPort;
    std::vector<std::shared_ptr<TestController>> units;
    std::vector<size_t> sentBefore;
    SProgramRun run;
    bool exitChecked = true;
};

TEST_P(CliCases, RunsAsWritten) {
    const std::string path = std::string(VEXA_CLI_CASES_DIR) + "/" + GetParam();
    std::ifstream file(path);
    ASSERT_TRUE(file) << path;
    int number = 0;
    for (std::string text; std::getline(file, text);) {
        ++number;
        if (text.empty() || text[0] == '#') continue;
        const size_t space = std::min(text.find(' '), text.size());
        const std::string verb = text.substr(0, space);
        SCOPED_TRACE(::testing::Message() << path << ":" << number << ": " << text << "\nstdout:\n"
                                          << run.out << "stderr:\n"
                                          << run.err);
        Step(verb, space < text.size() ? text.substr(space + 1) : "");
    }
    EXPECT_TRUE(exitChecked) << "the last run has no exit check";
}

std::string SessionName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param.substr(0, info.param.rfind('.'));
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, CliCases, ::testing::ValuesIn(ListSessions()), SessionName);

}  // namespace
