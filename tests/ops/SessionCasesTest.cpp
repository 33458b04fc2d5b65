// Runs the sessions of sessions.cases: each drives a device session as the windows do, against
// two controllers of the test model on a simulated line (units 1 and 2, support/TestController.h)
// with a scripted operator, and checks what it did step by step. One step a line; lines starting
// with "#" are notes; "session NAME" starts a fresh line, units, operator and log.
// Arranging:
//   wait N MS              the model request makes N attempts of MS ms
//   faults OPTIONS         the line's faults as vexa-sim's options give them (none: a clean line)
//   responder U none|MODEL unit U does not answer / is a fresh controller answering MODEL
//   set U P V, unreadable U P  unit U's parameter P holds V / refuses to be read
//   copy NAME NEW          the program folder's file NEW holds what NAME holds
//   answer ok|cancel       the operator's answer to the questions from now on
//   stop-at N              the stop button is pressed when progress reaches N
//   vanish-at N            the line vanishes in the next answer when progress reaches N
//   edit N TEXT            the set's value of parameter N becomes TEXT
//   save-as MODEL NAME     the set is saved as a file of MODEL called NAME
//   mark                   "sent" counts from here on
// Steps, each keeping its result: connect [clone] (the session fails when not connected), link U,
//   line NAME UNIT [BAUD], goto N, down, up, write TEXT, write-at N TEXT (the parameter at index
//   N), write-mode on|off, upload, download U,
//   verify, disconnect, open NAME, save NAME, view setting|clone
// Checks:
//   result CODE [TEXT]     the last result's code (ok, cancelled, no-answer, ...) and message
//   says TEXT              the last result's message
//   line-lost              the last result is a lost line at the parameter vanish-at aimed at: the
//                          walk ended there, nothing told, the line left and the loss kept; then
//                          the line is back
//   connected yes|no       the session is connected, its port open
//   table NAME|none        the parameter table in use is the program folder's file NAME / none
//   status TEXT            the connection's status text
//   log TEXT               the log holds TEXT
//   log-order TEXT...      the log's lines that are one of the TEXTs are these, in this order
//   shown FIELD TEXT       current, value, next, unread, has-previous, has-next, writable,
//                          write-mode-needed of the parameter shown
//   index N, unit N, in-view V, in-write-mode yes|no, values-present yes|no, source TEXT
//   value U P V            unit U's parameter P holds V
//   sent U PREFIX N        unit U was sent N commands starting with PREFIX since the mark
//   last-sent U TEXT       the last command unit U was sent
//   codes U PREFIXES CODE...  the codes of the commands unit U was sent that start with one of
//                          the PREFIXES (separated by ","), in order
//   after U CODE NEXT      unit U's command after the first CODE starts with NEXT
//   valid N 0|1, set-value N TEXT, not-valid N  the set's parameter N / count of writable ones
//   statuses N:STATUS...   the parameters the last whole-set operation walked, in its order
//   told TEXT...           every message box shown, in order
//   progress DONE TOTAL, cancel-windows OPENED CLOSED, opened NAME
// In TEXT {line} is the line's device and {home} the program folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <regex>
#include <set>
#include <sstream>
#include <utility>

#include "files/ParameterSet.h"
#include "ops/DeviceSession.h"
#include "sim/SimOptions.h"
#include "support/FaultsWith.h"
#include "support/SimulatedUnits.h"

namespace {

// In the order of ResultCode.
const char* const kCodes[] = {"ok",           "busy",         "cancelled",   "not-connected",
                              "port-missing", "port-busy",    "port-denied", "port-failed",
                              "no-answer",    "line-lost",    "bad-answer",  "model-not-loaded",
                              "incomplete",   "not-restored", "file-error",  "other-model",
                              "bad-value"};

using Words = std::vector<std::string>;

const std::set<std::string> kSteps = {
    "wait",       "faults", "responder", "set",      "unreadable", "copy",   "answer",   "stop-at",
    "vanish-at",  "edit",   "save-as",   "mark",     "connect",    "link",   "line",     "goto",
    "down",       "up",     "write",     "write-at", "write-mode", "upload", "download", "verify",
    "disconnect", "open",   "save",      "view",     "line-lost"};

// How many words after a check's name say what it looks at.
size_t Arguments(const std::string& check) {
    if (check == "value" || check == "sent" || check == "codes" || check == "after") return 2;
    return check == "shown" || check == "last-sent" || check == "valid" || check == "set-value";
}

// The session, and the operator as the session sees it: answers given beforehand, everything
// shown recorded.
class Session : SimulatedUnits, public COperatorUi {
  public:
    Session() {
        EXPECT_TRUE(ready) << sim.Error();
        session = std::make_unique<CDeviceSession>(*this, catalogue);
        session->ApplyCommSettings(Line(), 1);
    }

    BoxAnswer MessageBox(const std::string& text, BoxStyle style) override {
        m_told.push_back(text);
        return style == BoxStyle::Ok ? BoxAnswer::Ok : m_answer;
    }
    void StartCancel() override { ++m_cancelStarts; }
    bool PollCancel() override { return std::exchange(m_stopPressed, false); }
    void CloseCancel() override { ++m_cancelCloses; }
    void Progress(int done, int total) override {
        m_progress.push_back({done, total});
        m_stopPressed = m_stopPressed || done == m_stopAt;
        if (done == m_vanishAt)
            sim.SetFaults(
                FaultsWith([](SimFaults& f) { f.VanishAfterBytes = 3, f.ReturnAfterMs = 50; }));
    }
    void RefreshView() override {}
    void PumpEvents() override {}
    void BusyChanged(bool) override {}

    void Step(const std::string& line) {
        const Words w = WordsOf(line);
        const std::string& verb = w[0];
        auto n = [&](size_t i) { return std::stoi(w.at(i)); };
        // Arranging.
        if (verb == "wait") session->SetModelRequestWait(n(1), static_cast<uint16_t>(n(2)));
        if (verb == "faults") {
            SimOptions options;
            std::string error;
            ASSERT_TRUE(ParseSimOptions({w.begin() + 1, w.end()}, options, error)) << error;
            sim.SetFaults(options.Faults);
        }
        if (verb == "responder")
            sim.SetResponder(n(1),
                             w.at(2) == "none" ? nullptr : std::make_shared<TestController>(w[2]));
        if (verb == "set") Unit(w.at(1))->Set(n(2), n(3));
        if (verb == "unreadable") Unit(w.at(1))->MakeUnreadable(n(2));
        if (verb == "copy") home.Write(w.at(2), home.Read(w.at(1)));
        if (verb == "answer") m_answer = w.at(1) == "ok" ? BoxAnswer::Ok : BoxAnswer::Cancel;
        if (verb == "stop-at") m_stopAt = n(1);
        if (verb == "vanish-at") m_vanishAt = n(1);
        if (verb == "edit") Item(w.at(1)).setValue = w.at(2);
        if (verb == "save-as")
            m_result = SaveParameterSet(*session->Table(), w.at(1), "2026/01/01 00:00:00",
                                        home.File(w.at(2)));
        if (verb == "mark")
            for (int u : {1, 2}) m_mark[u] = (u == 1 ? unit1 : unit2)->Commands().size();
        // Steps.
        if (verb == "connect") {
            if (w.size() > 1) session->SetView(EView::Clone);
            m_result = session->Connect(1);
            ASSERT_TRUE(session->IsConnected()) << log.Text();
        }
        if (verb == "link") m_result = session->Connect(n(1));
        if (verb == "line") {
            CCommSettings settings;
            settings.portName = w.at(1).starts_with("/") ? w[1] : home.File(w.at(1));
            if (w.size() > 3) settings.baudRate = n(3);
            session->ApplyCommSettings(settings, n(2));
        }
        if (verb == "goto") m_result = session->GoToItem(n(1));
        if (verb == "down") m_result = session->StepDown();
        if (verb == "up") m_result = session->StepUp();
        if (verb == "write") m_result = session->Write(session->CurrentIndex(), w.at(1));
        if (verb == "write-at") m_result = session->Write(n(1), w.at(2));
        if (verb == "write-mode")
            m_result = session->SetWriteMode(session->CurrentIndex(), w.at(1) == "on");
        if (verb == "upload" || verb == "download" || verb == "verify") {
            m_toldBefore = m_told.size();
            m_progress.clear();
            m_result = verb == "upload"   ? session->Upload()
                       : verb == "verify" ? session->Verify()
                                          : session->Download(n(1));
        }
        if (verb == "disconnect") m_result = session->Disconnect();
        if (verb == "open") m_result = session->Open(home.File(w.at(1)));
        if (verb == "save") m_result = session->Save(home.File(w.at(1)));
        if (verb == "view") session->SetView(w.at(1) == "clone" ? EView::Clone : EView::Setting);
        if (verb == "line-lost") LineLost();
        if (kSteps.count(verb)) return;
        std::string expected;
        for (size_t i = 1 + Arguments(verb); i < w.size(); ++i)
            expected += (i == 1 + Arguments(verb) ? "" : "|") + w[i];
        EXPECT_EQ(Seen(w), expected);
    }

  private:
    // What a check sees, as a text to compare with the words after those naming what it looks at.
    std::string Seen(const Words& w) {
        const std::string& verb = w[0];
        const SShownParameter& shown = session->Shown();
        if (verb == "result")
            return kCodes[static_cast<int>(m_result.code)] +
                   (w.size() > 2 ? "|" + m_result.message : "");
        if (verb == "says") return m_result.message;
        if (verb == "connected")
            return Yes(session->IsConnected()) +
                   (session->Port().IsOpen() == session->IsConnected() ? "" : " (port)");
        if (verb == "table") return session->Table() ? InHome(session->TablePath()) : "none";
        if (verb == "status") return session->FormatConnectionStatus();
        if (verb == "log") return LogHas(w.at(1)) ? w[1] : "not in the log:\n" + log.Text();
        if (verb == "shown")
            return std::map<std::string, std::string>{
                {"current", shown.currentName},
                {"value", shown.currentValue},
                {"next", shown.nextName},
                {"unread", English(shown.unreadReason)},
                {"has-previous", Yes(shown.hasPrevious)},
                {"has-next", Yes(shown.hasNext)},
                {"writable", Yes(shown.writable)},
                {"write-mode-needed", Yes(shown.writeModeNeeded)}}
                .at(w.at(1));
        if (verb == "index") return std::to_string(session->CurrentIndex());
        if (verb == "unit") return std::to_string(session->UnitNumber());
        if (verb == "in-view") return session->View() == EView::Clone ? "clone" : "setting";
        if (verb == "in-write-mode") return Yes(session->InWriteMode());
        if (verb == "values-present") return Yes(session->ValuesPresent());
        if (verb == "source") return session->SetSourceText();
        if (verb == "not-valid") return std::to_string(session->Table()->CountWritableNotValid());
        if (verb == "valid") return std::to_string(Item(w.at(1)).valid);
        if (verb == "set-value") return Item(w.at(1)).setValue;
        if (verb == "opened") return InHome(session->OpenedFilePath());
        if (verb == "told") return Joined(m_told);
        if (verb == "progress")
            return std::to_string(m_progress.back().first) + "|" +
                   std::to_string(m_progress.back().second);
        if (verb == "cancel-windows")
            return std::to_string(m_cancelStarts) + "|" + std::to_string(m_cancelCloses);
        if (verb == "value") return std::to_string(Unit(w.at(1))->Get(std::stoi(w.at(2))));
        std::vector<std::string> seen;
        if (verb == "statuses")
            for (const SParamStatus& entry : session->ParamStatuses())
                seen.push_back(std::to_string(entry.number) + ":" + ParamStatusName(entry.status));
        const std::vector<std::string> sent = Unit(w.size() > 1 ? w[1] : "1")->Commands();
        if (verb == "last-sent") return sent.empty() ? "nothing" : sent.back();
        if (verb == "sent")
            return std::to_string(
                std::count_if(sent.begin() + std::min(sent.size(), m_mark[std::stoi(w[1])]),
                              sent.end(), [&](const auto& c) { return c.starts_with(w.at(2)); }));
        if (verb == "after") {
            const auto at = std::find(sent.begin(), sent.end(), w.at(2));
            return at == sent.end() || at + 1 == sent.end() ? "nothing" : (at + 1)->substr(0, 4);
        }
        if (verb == "codes")
            for (const std::string& c : sent)
                if (w.at(2).find(c.substr(0, 2)) != std::string::npos)
                    seen.push_back(c.substr(0, 4));
        // The log's lines that are one of the texts; event lines carry a time stamp before it.
        if (verb == "log-order")
            for (const std::string& line : log.Lines())
                if (const auto t = std::find_if(w.begin() + 1, w.end(),
                                                [&](const auto& text) {
                                                    return line == text ||
                                                           line.ends_with(" " + text);
                                                });
                    t != w.end())
                    seen.push_back(*t);
        if (verb != "codes" && verb != "statuses" && verb != "log-order")
            ADD_FAILURE() << "no such step or check";
        return Joined(seen);
    }

    static std::string Yes(bool yes) { return yes ? "yes" : "no"; }
    static std::string Joined(const std::vector<std::string>& texts) {
        std::string joined;
        for (const std::string& text : texts) joined += (joined.empty() ? "" : "|") + text;
        return joined;
    }
    // A path in the program folder by its name there.
    std::string InHome(const std::string& path) const {
        return path.starts_with(home.Slash()) ? path.substr(home.Slash().size()) : path;
    }
    std::shared_ptr<TestController> Unit(const std::string& number) const {
        return number == "2" ? unit2 : unit1;
    }
    CMenuParamItem& Item(const std::string& number) {
        return *session->Table()->FindByNumber(static_cast<uint16_t>(std::stoi(number)));
    }

    // The words of a line, {line} and {home} put in.
    Words WordsOf(const std::string& line) const {
        Words words;
        std::istringstream in(line);
        for (std::string word; in >> std::quoted(word);) {
            for (const auto& [name, value] :
                 {std::pair{"{line}", sim.SlavePath()}, {"{home}", home.Path()}})
                for (size_t at; (at = word.find(name)) != std::string::npos;)
                    word.replace(at, std::string(name).size(), value);
            words.push_back(word);
        }
        return words;
    }

    void LineLost() {
        EXPECT_EQ(m_result.code, ResultCode::kLineLost);
        EXPECT_TRUE(std::regex_search(m_result.message,
                                      std::regex("^line lost at parameter [0-9]+ \\(.+\\)")))
            << m_result.message;
        // The walk ended there: no further parameter was tried, none called "not equal"; the
        // session has left the dead line, so that the next Link opens it afresh.
        ASSERT_GE(m_progress.size(), 2u);
        EXPECT_EQ(m_progress[m_progress.size() - 2].first, m_vanishAt);  // then the closing one
        EXPECT_EQ(m_told.size(), m_toldBefore);
        EXPECT_FALSE(session->IsBusy());
        EXPECT_FALSE(session->IsConnected());
        EXPECT_FALSE(session->Port().IsOpen());
        EXPECT_EQ(English(session->ConnectionLost()),
                  m_result.message.substr(0, m_result.message.find(';')));
        sim.SetFaults(FaultsWith(
            [](SimFaults& f) { f.ReturnAfterMs = 50; }));  // a pending return of the line stays
        EXPECT_TRUE(sim.WaitForLine(true, std::chrono::seconds(5)));
    }

    std::unique_ptr<CDeviceSession> session;
    SResult m_result;
    std::map<int, size_t> m_mark;
    std::vector<std::pair<int, int>> m_progress;
    std::vector<std::string> m_told;
    BoxAnswer m_answer = BoxAnswer::Ok;
    bool m_stopPressed = false;
    int m_cancelStarts = 0, m_cancelCloses = 0;
    size_t m_toldBefore = 0;
    int m_stopAt = -1, m_vanishAt = -1;
};

}  // namespace

TEST(SessionCases, EverySessionHolds) {
    const std::string path = VEXA_CASES_DIR "/sessions.cases";
    std::ifstream file(path);
    ASSERT_TRUE(file) << path;
    std::unique_ptr<Session> session;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (line.find_first_not_of(' ') == std::string::npos || line[0] == '#') continue;
        const ::testing::ScopedTrace trace(path.c_str(), number, line);
        if (line.starts_with("session ")) {
            session.reset();
            session = std::make_unique<Session>();
            continue;
        }
        ASSERT_TRUE(session) << "a step before the first session";
        session->Step(line);
        if (::testing::Test::HasFatalFailure()) return;
    }
}
