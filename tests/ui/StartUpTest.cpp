// The vexa program as the operator starts it: single instance, maintenance mode, a
// missing configuration file; one program per user, and the settings it remembers between runs.
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <memory>

#include "support/TempFolder.h"
#include "support/TestModel.h"
#include "ui/RememberedSettings.h"
#include "ui/SingleInstance.h"

namespace {

constexpr int kWaitMs = 10000;

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<TempFolder> program;  // the program folder
    std::unique_ptr<QTemporaryDir> user;  // the user's runtime, state and config folders
    std::vector<std::unique_ptr<QProcess>> running;

    QString ProgramFile(const char* name) const {
        return QString::fromStdString(program->File(name));
    }
    QString SocketPath() const { return user->filePath("run/VEXAWndClass:0001"); }

    QProcess& Start() {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", user->filePath("run"));
        env.insert("XDG_STATE_HOME", user->filePath("state"));
        env.insert("XDG_CONFIG_HOME", user->filePath("config"));
        env.insert("HOME", user->path());
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(user->path());
        process->start(ProgramFile("vexa"), {});
        running.push_back(std::move(process));
        return *running.back();
    }
    // The communication log wherever the program keeps it.
    QString Log() const {
        QString text;
        for (const QString& root : {user->path(), QString::fromStdString(program->Path())}) {
            QDirIterator it(root, {"tra.txt"}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                if (file.open(QIODevice::ReadOnly)) text += QString::fromLatin1(file.readAll());
            }
        }
        return text;
    }

  private slots:
    void init() {
        program = std::make_unique<TempFolder>();
        user = std::make_unique<QTemporaryDir>();
        // Qt warns on standard error about a runtime folder others may read.
        QDir(user->path()).mkdir("run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString built = QCoreApplication::applicationDirPath() + "/vexa";
        QVERIFY(QFile::copy(built, ProgramFile("vexa")));
        WriteTestModel(*program);
    }
    void cleanup() {
        for (auto& process : running) {
            process->kill();
            process->waitForFinished(kWaitMs);
        }
        running.clear();
    }

    void missingConfigurationEndsWithOneLine() {
        QVERIFY(QFile::remove(ProgramFile("VEXA.cap")));
        QProcess& vexa = Start();
        QVERIFY(vexa.waitForFinished(kWaitMs));
        const QString error = QString::fromLocal8Bit(vexa.readAllStandardError());
        QCOMPARE(error.count('\n'), 1);
        QVERIFY(error.contains("VEXA.cap"));
        QVERIFY(Log().contains("vexa start."));
        QVERIFY(Log().contains("vexa end."));
    }

    void secondStartEndsSilentlyWhileTheFirstRuns() {
        Start();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SocketPath()), kWaitMs);
        QProcess& second = Start();
        QVERIFY(second.waitForFinished(kWaitMs));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardError().isEmpty());
        QCOMPARE(Log().count("vexa start."), 1);
    }

    void maintenanceModeLastsOneRun() {
        program->Write("Maintain01.txt", "[CommunicationSettings]\nRetry=2\nTimeOut=500\n");
        QProcess& first = Start();
        QTRY_VERIFY_WITH_TIMEOUT(Log().contains("OpenQuadrel start."), kWaitMs);
        QVERIFY(!QFile::exists(ProgramFile("Maintain01.txt")));
        first.terminate();
        QVERIFY(first.waitForFinished(kWaitMs));
        QFile::remove(SocketPath());

        Start();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SocketPath()), kWaitMs);
        QCOMPARE(Log().count("OpenQuadrel start."), 1);
    }

    void secondStartRaisesTheFirstWindowAndTheLockEndsWithTheFirst() {
        QTemporaryDir folder;
        QWidget window;
        window.showMinimized();
        {
            CSingleInstance first(folder.path());
            QVERIFY(first.TryLock());
            CSingleInstance second(folder.path());
            QVERIFY(!second.TryLock());
            // The first is still starting: nothing answers, nothing is raised.
            QVERIFY(!second.AskFirstToRaise());
            QVERIFY(first.Listen(&window));
            QVERIFY(second.AskFirstToRaise());
            QTRY_VERIFY(!window.isMinimized());
            QVERIFY(window.isVisible());
        }
        CSingleInstance next(folder.path());
        QVERIFY(next.TryLock());
        QVERIFY(!next.AskFirstToRaise());
        // A socket left behind does not keep the next one from listening.
        QVERIFY(next.Listen(&window));
    }

    void rememberedSettingsRoundTripAndDamagedValuesAreIgnoredOneByOne() {
        TempFolder folder;
        const QString at = QString::fromStdString(folder.Slash());
        SRemembered saved;
        saved.settings = {.portName = "/dev/ttyUSB3",
                          .baudRate = 9600,
                          .dataBits = 8,
                          .parity = CCommSettings::kParityNone,
                          .stopBits = 1};
        saved.unit = 42;
        QVERIFY(SaveRemembered(at + "config/VEXA/VEXA.ini", saved));
        SRemembered loaded;
        LoadRemembered(at + "config/VEXA/VEXA.ini", loaded);
        QVERIFY(loaded.settings == saved.settings);
        QCOMPARE(loaded.unit, 42);

        folder.Write("damaged.ini",
                     "[CommunicationSettings]\nPort=/dev/ttyS1\nBaudRate=0\nDataBits=9\n"
                     "Parity=7\nStopBits=x\nUnit=100\n");
        SRemembered damaged;
        LoadRemembered(at + "damaged.ini", damaged);
        QVERIFY(damaged.settings == CCommSettings({.portName = "/dev/ttyS1"}));
        QCOMPARE(damaged.unit, 1);
        SRemembered untouched;
        LoadRemembered(at + "missing.ini", untouched);
        QVERIFY(untouched.settings == CCommSettings());
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
