// The fault matrix's line faults against the desktop's operations: the main dialog run as vexa
// runs it (under exec(), driven by mouse and key events sent to its windows) against vexa-sim
// as its own process. Each cell must name the cause vexa-cli names for the same fault.
#include <regex>

#include "UiFixture.h"
#include "matrix/SimLine.h"

namespace {

// The parameter commands' time-out: the table counts in whole seconds.
constexpr int kTimeoutMs = 1000;

// One column: an operation of the desktop, with the commands the rows aim at as in vexa-cli's
// matrix (the first command a fault may hit, the command the line vanishes at).
struct SDesktopOperation {
    const char* name;
    const char* quadrelCommand;  // nullptr: the operation sends no Quadrel frame of its own
    const char* atCommand;       // nullptr: no at-frame
    int fromCommand;
    int vanishAt;
    bool leaves;  // sends the leave command WM0, which the rows with a target aim at
};

// clang-format off
const SDesktopOperation kOperations[] = {
    // name          Quadrel  at     from  vanish  leaves
    {"link",         "0503",  "RS",  2,    3,      false},
    {"upload",       "5206",  "RB",  1,    10,     false},
    {"download",     "5706",  "WB",  1,    10,     true},
    {"verify",       "5206",  "RB",  1,    10,     false},
    {"write",        "5706",  nullptr, 1,  15,     false},  // "Loop 2 set point" in the entry
    // The Write tick on "Loop 1 input type", then Exit, which leaves write mode.
    {"writeTick",    nullptr, "WM1", 1,    60,     false},
    {"exit",         nullptr, "WM0", 1,    61,     true},
};
// clang-format on

// Rows not about a frame's own bytes (silence, echoes, garbage, noise, a late answer, a lost
// line) hit an at-frame command as they hit a Quadrel one.
bool AnyFrame(const SFault& fault) {
    const std::string options = fault.simOptions;
    if (fault.atFrame) return false;
    for (const char* quadrelOnly : {"--corrupt-check", "--end-code", "--response-code"})
        if (options.find(quadrelOnly) != std::string::npos) return false;
    return true;
}

// The command a row aims at in a column; nullptr: the row does not apply.
const char* Target(const SFault& fault, const SDesktopOperation& operation) {
    // The stop window's tests stop operations; a paced line reaches the desktop as a late answer.
    if (fault.signal != 0 || std::string(fault.name) == "LateAnswerPaced") return nullptr;
    if (fault.target) return operation.leaves ? fault.target : nullptr;
    if (fault.atFrame) return operation.atCommand;
    if (!operation.quadrelCommand && AnyFrame(fault)) return operation.atCommand;
    return operation.quadrelCommand;
}

}  // namespace

class DesktopMatrixTest : public QObject {
    Q_OBJECT
  private:
    StrayWindowGuard m_stray;
    QTemporaryDir m_config;
    std::unique_ptr<TempFolder> m_home;
    SimLine m_sim;
    std::string m_set;            // a set uploaded on a clean line, for download and verify
    std::vector<QString> m_told;  // every message box's text

    // The HD80's files in a program folder of their own, as in vexa-cli's matrix.
    void MakeHome() {
        m_home = std::make_unique<TempFolder>();
        WriteHd80Home(*m_home);
        SetModuleFolder(m_home->Path());
        SetCommonDataFolder(m_home->File("no-shared-data"));
    }

    // Steps the setting view down to the parameter called name.
    static void StepTo(CMainDialog& dialog, const QString& name) {
        for (int i = 0; i < 80 && dialog.CurrentName()->text() != name; ++i)
            KeyTo(&dialog, Qt::Key_Down);
        QCOMPARE(dialog.CurrentName()->text(), name);
    }

    // Every message box shown from now on is answered with OK; the text of those that tell
    // (rather than ask, as the Write tick's question does) is kept.
    std::unique_ptr<QTimer> CatchBoxes() {
        auto timer = std::make_unique<QTimer>();
        connect(timer.get(), &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->windowHandle()) return;
            if (!box->button(QMessageBox::Cancel)) m_told.push_back(box->text());
            ClickIn(box->button(QMessageBox::Ok));
        });
        timer->start(5);
        return timer;
    }

    void Operate(CMainDialog& dialog, const std::string& name) {
        CDeviceSession& session = dialog.Session();
        if (name == "upload" || name == "download" || name == "verify")
            ClickIn(dialog.CloneRadio());
        ClickIn(dialog.ButtonAt(CMainDialog::kConnect));
        if (name == "link") return;
        QVERIFY(session.IsConnected());
        if (name == "download" || name == "verify") {
            auto chosen = ChooseFile(QString::fromStdString(m_home->File("in.tmf")));
            ClickIn(dialog.ButtonAt(CMainDialog::kOpen));
            QVERIFY(*chosen && session.FileOpened());
        }
        if (name == "upload") ClickIn(dialog.ButtonAt(CMainDialog::kUpload));
        if (name == "verify") ClickIn(dialog.ButtonAt(CMainDialog::kVerify));
        if (name == "download") {
            WhenShown<CUnitNumberDialog>(
                [](CUnitNumberDialog* ask) { KeyTo(ask, Qt::Key_Return); });
            ClickIn(dialog.ButtonAt(CMainDialog::kDownload));
        }
        if (name == "write") {
            StepTo(dialog, "Loop 2 set point");
            QTest::keyClicks(dialog.ValueEntry(), "75.0");
            KeyTo(&dialog, Qt::Key_Return);
        }
        if (name == "writeTick" || name == "exit") {
            StepTo(dialog, "Loop 1 input type");
            ClickIn(dialog.WriteBox());
            ClickIn(dialog.ButtonAt(CMainDialog::kExit));
        }
    }

  private slots:
    // The remembered settings in a folder of this run's own.
    void initTestCase() {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        MakeHome();
        QVERIFY(m_sim.Start(*m_home, ""));
        const SProgramRun clean =
            RunProgram({BinFolder() + "/vexa-cli", "--home", m_home->Path(), "--port",
                        m_home->File("line"), "upload", "-o", m_home->File("in.tmf")},
                       m_home->Path());
        QVERIFY2(clean.code == 0, clean.err.c_str());
        m_set = m_home->Read("in.tmf");
        cleanup();
    }

    void init() {
        MakeHome();
        m_home->Write("in.tmf", m_set);
        m_told.clear();
        SRemembered line;
        line.settings.portName = m_home->File("line");
        QFile::remove(RememberedSettingsPath());
        QVERIFY(SaveRemembered(RememberedSettingsPath(), line));
    }

    void cleanup() {
        m_sim.Stop();
        SetModuleFolder("");
        SetCommonDataFolder("");
        m_home.reset();
        m_stray.VerifyNoneLeft();
    }

    void cell_data() {
        QTest::addColumn<const SFault*>("fault");
        QTest::addColumn<const SDesktopOperation*>("operation");
        // One column when VEXA_MATRIX_COLUMN names it, so that ctest runs the columns side by side.
        const QByteArray column = qgetenv("VEXA_MATRIX_COLUMN");
        for (const SFault& fault : kFaults)
            for (const SDesktopOperation& operation : kOperations)
                if (Target(fault, operation) && (column.isEmpty() || column == operation.name))
                    QTest::addRow("%s during %s", fault.name, operation.name)
                        << &fault << &operation;
    }
    void cell() {
        QFETCH(const SFault*, fault);
        QFETCH(const SDesktopOperation*, operation);
        const std::string name = operation->name;
        CMessageTable catalogue;
        QVERIFY(LoadMessageCatalogue(catalogue));

        const std::string target = Target(*fault, *operation);
        const std::string options =
            RowOptions(*fault, target, operation->fromCommand, operation->vanishAt, kTimeoutMs);
        QVERIFY(m_sim.Start(*m_home, options));

        CMainDialog dialog(catalogue);
        dialog.Session().SetModelRequestWait(1, kTimeoutMs);
        const std::unique_ptr<QTimer> boxes = CatchBoxes();
        bool connectedAtEnd = false;
        RunAsTheProgram(dialog, [&] {
            Operate(dialog, name);
            connectedAtEnd = dialog.Session().IsConnected();
        });
        boxes->stop();
        m_sim.Stop();
        QString told = dialog.StatusLine()->accessibleDescription();
        for (const QString& box : m_told) told += "\n" + box;
        const std::string stats = m_home->Read("stats");
        const QByteArray trace =
            ("vexa-sim " + options + "\ntold: " + told.toStdString() + "\n" + stats).c_str();

        // A leave command that fails on the way out leaves the controller in write mode.
        const EEnd end =
            name == "exit" && fault->end == EEnd::kFails ? EEnd::kNotRestored : fault->end;
        if (end != EEnd::kLineLost) QVERIFY2(stats.find("faulted=0\n") == std::string::npos, trace);
        const bool recovered = end == EEnd::kTakenBehind || end == EEnd::kRetriedAway;
        if (recovered) {
            QVERIFY2(m_told.empty() && !told.contains("failed"), trace);
        } else {
            const std::regex cause(Timed(fault->cause, kTimeoutMs));
            QVERIFY2(std::regex_search(told.toStdString(), cause), trace);
        }
        if (end == EEnd::kLineLost) QVERIFY2(!connectedAtEnd, trace);

        const ::testing::AssertionResult asFound = AsFoundOrTold(end, stats, told.toStdString());
        QVERIFY2(asFound, asFound.message());
        QCOMPARE(m_home->Read("in.tmf"), m_set);
    }
};

QTEST_MAIN(DesktopMatrixTest)
#include "DesktopMatrixTest.moc"
