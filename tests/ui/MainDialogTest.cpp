// A whole operator session through the main dialog's widgets against simulated controllers.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "UiFixture.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"
#include "sim/SimBus.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TestController.h"
#include "support/TestModel.h"
#include "ui/ArrowButton.h"
#include "ui/CancelDialog.h"
#include "ui/ColourButton.h"
#include "ui/ImageButton.h"
#include "ui/LampControl.h"
#include "ui/MainDialog.h"
#include "ui/NumericEdit.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/SidePanelList.h"
#include "ui/SkinLabel.h"
#include "ui/UnitNumberDialog.h"

namespace {

// Answers the next modal dialog that opens (a message box, file or unit dialog) once.
// The flag tells whether it did.
std::shared_ptr<bool> AnswerNextModal(std::function<void(QWidget*)> answer) {
    auto answered = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, answered] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            *answered = true;
            answer(modal);
        }
    });
    timer->start();
    return answered;
}

// Types the file name as an operator would. selectFile() leaves the name field alone
// once the field has focus, so it cannot be relied on here.
std::shared_ptr<bool> ChooseFile(const QString& path) {
    return AnswerNextModal([path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        const QFileInfo file(path);
        dialog->setDirectory(file.absolutePath());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText(file.fileName());
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

void PressEnter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<TempFolder> home;
    std::unique_ptr<LogCapture> log;
    std::shared_ptr<TestController> unit1, unit2;
    std::unique_ptr<SimBus> sim;
    CMessageTable catalogue;
    std::unique_ptr<CMainDialog> dialog;

    CDeviceSession& Session() { return dialog->Session(); }
    void Click(CMainDialog::Button b) { QTest::mouseClick(dialog->ButtonAt(b), Qt::LeftButton); }
    bool LogHas(const std::string& text) const {
        return log->Text().find(text) != std::string::npos;
    }

    void Connect() {
        Click(CMainDialog::kConnect);
        QVERIFY2(Session().IsConnected(), log->Text().c_str());
    }

  private slots:
    // The file dialog keeps its history in the user's Qt settings: not the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        home = std::make_unique<TempFolder>();
        log = std::make_unique<LogCapture>();
        WriteTestModel(*home);
        SetModuleFolder(home->Path());
        SetCommonDataFolder(home->File("no-shared-data"));
        QVERIFY(catalogue.Load(home->File("VEXA.cap"), "Pyrona", 999));
        unit1 = std::make_shared<TestController>();
        unit2 = std::make_shared<TestController>();
        unit1->SetFactoryValues();
        unit2->SetFactoryValues();
        sim = std::make_unique<SimBus>();
        sim->SetResponder(1, unit1);
        sim->SetResponder(2, unit2);
        QVERIFY(sim->Start());
        dialog = std::make_unique<CMainDialog>(catalogue);
        CCommSettings line;
        line.portName = sim->SlavePath();
        dialog->ApplySettings(line, 1);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void cleanup() {
        dialog.reset();
        sim->Stop();
        sim.reset();
        log.reset();
        SetModuleFolder("");
        SetCommonDataFolder("");
        home.reset();
    }

    void settingViewStepsWritesAndDisconnects() {
        Connect();
        QCOMPARE(dialog->StatusLine()->palette().color(QPalette::Base), QColor(255, 128, 0));
        QVERIFY(!dialog->ButtonAt(CMainDialog::kComSet)->isEnabled());
        QVERIFY(dialog->DisconnectCaption()->isVisible());
        QVERIFY(dialog->ButtonAt(CMainDialog::kConnect)->Alternate());
        QVERIFY(!dialog->UpArrow()->isEnabled());
        QVERIFY(dialog->DownArrow()->isEnabled());
        const QString first = dialog->CurrentName()->text();
        QVERIFY(!first.isEmpty());
        QCOMPARE(dialog->CurrentValue()->text(), QStringLiteral("250"));

        // The first parameter is freely writable: the entry takes a value on Enter.
        QVERIFY(dialog->ValueEntry()->isEnabled());
        dialog->ValueEntry()->setFocus();
        dialog->ValueEntry()->setText("321");
        PressEnter(dialog->ValueEntry());
        QCOMPARE(unit1->Get(1), 321);
        QCOMPARE(dialog->CurrentValue()->text(), QStringLiteral("321"));
        QCOMPARE(dialog->ValueEntry()->palette().color(QPalette::Base), QColor(Qt::white));

        QTest::mouseClick(dialog->DownArrow(), Qt::LeftButton, {},
                          ArrowOutline(ArrowKind::Down).boundingRect().center());
        QCOMPARE(Session().CurrentIndex(), 1);
        QVERIFY(dialog->CurrentName()->text() != first);
        QVERIFY(dialog->UpArrow()->isEnabled());

        // A write the controller refuses turns the entry red.
        unit1->MakeUnreadable(2);
        dialog->ValueEntry()->setText("1");
        PressEnter(dialog->ValueEntry());
        QVERIFY(Session().SettingView().valueChanged);
        QCOMPARE(dialog->ValueEntry()->palette().color(QPalette::Base), QColor(255, 0, 0));

        Click(CMainDialog::kConnect);
        QVERIFY(!Session().IsConnected());
        QVERIFY(dialog->ButtonAt(CMainDialog::kComSet)->isEnabled());
        QVERIFY(!dialog->DisconnectCaption()->isVisible());
        QVERIFY(!dialog->ButtonAt(CMainDialog::kConnect)->Alternate());
        QVERIFY(dialog->CurrentName()->text().isEmpty());
        QVERIFY(!dialog->StatusLine()->text().contains("TS01"));
    }

    void writeBoxAsksBeforeWriteMode() {
        Connect();
        dialog->SidePanelRows()->RowChosen(3);  // "Input type" needs write mode
        QCOMPARE(Session().CurrentIndex(), 3);
        QVERIFY(dialog->WriteBox()->isEnabled());
        QVERIFY(!dialog->ValueEntry()->isEnabled());

        auto asked = AnswerNextModal([](QWidget* w) { qobject_cast<QMessageBox*>(w)->reject(); });
        QTest::mouseClick(dialog->WriteBox(), Qt::LeftButton);
        QVERIFY(*asked);
        QVERIFY(!dialog->WriteBox()->isChecked());
        QVERIFY(!dialog->ValueEntry()->isEnabled());

        asked = AnswerNextModal([](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(dialog->WriteBox(), Qt::LeftButton);
        QVERIFY(*asked);
        QVERIFY(dialog->WriteBox()->isChecked());
        QVERIFY(dialog->ValueEntry()->isEnabled());
        QCOMPARE(unit1->Commands("6C01").size(), size_t(1));

        // Enter on the box itself neither toggles it nor writes.
        dialog->WriteBox()->setFocus();
        QTest::keyClick(dialog->WriteBox(), Qt::Key_Return);
        QVERIFY(dialog->WriteBox()->isChecked());
        QCOMPARE(unit1->Commands("6C").size(), size_t(1));
        QVERIFY(!LogHas("Parameter edit return key pushed."));
    }

    void escapeAndEnterNeverCloseOrPress() {
        Connect();
        dialog->ButtonAt(CMainDialog::kConnect)->setFocus();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QTest::keyClick(dialog->ButtonAt(CMainDialog::kConnect), Qt::Key_Return);
        QTest::keyClick(dialog->ButtonAt(CMainDialog::kConnect), Qt::Key_Enter);
        QVERIFY(dialog->isVisible());
        QVERIFY(Session().IsConnected());
        QVERIFY(!LogHas("Parameter edit return key pushed."));
    }

    void cloneViewUploadSaveOpenDownloadVerifyExport() {
        QTest::mouseClick(dialog->CloneRadio(), Qt::LeftButton);
        Connect();
        QVERIFY(dialog->ButtonAt(CMainDialog::kUpload)->isEnabled());
        QVERIFY(dialog->ButtonAt(CMainDialog::kOpen)->isEnabled());
        QVERIFY(!dialog->ButtonAt(CMainDialog::kSave)->isEnabled());
        QVERIFY(!dialog->ButtonAt(CMainDialog::kDownload)->isEnabled());
        QVERIFY(!dialog->UpArrow()->isEnabled());

        unit1->Set(1, 111);
        Click(CMainDialog::kUpload);
        QVERIFY(Session().ValuesPresent());
        for (auto b : {CMainDialog::kSave, CMainDialog::kExport, CMainDialog::kDownload,
                       CMainDialog::kVerify})
            QVERIFY(dialog->ButtonAt(b)->isEnabled());

        const QString saved = QString::fromStdString(home->File("unit1.tmf"));
        auto chosen = ChooseFile(saved);
        Click(CMainDialog::kSave);
        QVERIFY(*chosen);
        QVERIFY(QFile::exists(saved));
        QCOMPARE(dialog->SetSource()->text(), saved);

        unit1->Set(1, 999);
        ChooseFile(saved);
        Click(CMainDialog::kOpen);
        QVERIFY(Session().FileOpened());

        // Download to unit 2, chosen in the unit-number question.
        auto asked = AnswerNextModal([](QWidget* w) {
            auto* ask = qobject_cast<CUnitNumberDialog*>(w);
            QVERIFY(ask);
            ask->Edit()->setText("2");
            ask->accept();
        });
        MessageBoxConfirmer confirm;
        Click(CMainDialog::kDownload);
        QVERIFY(*asked);
        QCOMPARE(unit2->Get(1), 111);

        Click(CMainDialog::kVerify);
        QVERIFY(LogHas("Verify end."));

        const QString csv = QString::fromStdString(home->File("set.csv"));
        ChooseFile(csv);
        Click(CMainDialog::kExport);
        QVERIFY(QFile::exists(csv));
    }

    void aFailedConnectSaysWhy() {
        CCommSettings line;
        line.portName = home->File("no-such-port");
        dialog->ApplySettings(line, 1);
        MessageBoxCatcher told;
        told.Arm();
        Click(CMainDialog::kConnect);
        QCOMPARE(told.seen, 1);
        QVERIFY2(told.text.contains(QString::fromStdString(line.portName)), qPrintable(told.text));
        QVERIFY(!Session().IsConnected());
        QVERIFY(!dialog->StatusLine()->text().contains("TS01"));
    }

    void statusLineTellsWhatEachOperationDid() {
        QTest::mouseClick(dialog->CloneRadio(), Qt::LeftButton);
        Connect();
        unit1->Set(2, 0);  // "Alarm value" is not on this controller
        unit1->MakeUnreadable(6);
        auto status = [this] { return dialog->StatusLine()->text(); };
        Click(CMainDialog::kUpload);
        QVERIFY2(status().endsWith("Upload: 3 read, 1 not on this controller, 1 failed"),
                 qPrintable(status()));
        unit1->Set(1, 5);
        Click(CMainDialog::kVerify);
        QVERIFY2(status().endsWith("Verify: 2 equal, 1 differ, 1 not on this controller, 1 failed"),
                 qPrintable(status()));

        const QString saved = QString::fromStdString(home->File("set.tmf"));
        ChooseFile(saved);
        Click(CMainDialog::kSave);
        QVERIFY(status().endsWith("Saved 3 parameters to " + saved));
        const QString csv = QString::fromStdString(home->File("set.csv"));
        ChooseFile(csv);
        Click(CMainDialog::kExport);
        QVERIFY(status().endsWith("Exported 3 parameters to " + csv));
        ChooseFile(saved);
        Click(CMainDialog::kOpen);
        QVERIFY(status().endsWith("Opened " + saved + ": 3 parameters"));

        AnswerNextModal([](QWidget* w) {
            auto* ask = qobject_cast<CUnitNumberDialog*>(w);
            QVERIFY(ask);
            ask->Edit()->setText("2");
            ask->accept();
        });
        Click(CMainDialog::kDownload);
        QVERIFY2(status().endsWith("Download to unit 2: 3 written, 2 not in the set"),
                 qPrintable(status()));
    }

    void aFileThatIsNoParameterSetIsRefused_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray(
            "# VEXA\n\nVEXA is a setup tool for a family of temperature controllers reached "
            "over a serial line (RS-485 / RS-232, two framed ASCII protocols).\n");
        QByteArray header(96, '\0');
        header.replace(0, 19, "2026/12/06 10:20:30");
        header.replace(32, 20, "TS01 test controller");
        QByteArray foreign(40, '\0');
        foreign[0] = char(77);  // a parameter number the model does not have
        foreign.replace(8, 3, "123");
        QTest::newRow("foreign records") << header + foreign + foreign;
    }
    void aFileThatIsNoParameterSetIsRefused() {
        QFETCH(QByteArray, content);
        QTest::mouseClick(dialog->CloneRadio(), Qt::LeftButton);
        Connect();
        const QString path = QString::fromStdString(home->File("bad.tmf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        MessageBoxCatcher told;
        told.Arm();
        ChooseFile(path);
        Click(CMainDialog::kOpen);
        QCOMPARE(told.seen, 1);
        QVERIFY2(told.text.contains(path), qPrintable(told.text));
        QVERIFY(!Session().ValuesPresent());
        QVERIFY(!Session().FileOpened());
        QVERIFY(!dialog->ButtonAt(CMainDialog::kDownload)->isEnabled());
        QVERIFY(!LogHas("File Open end."));
    }

    void everyControlIsNamedAndEveryWindowCarriesTheTitle() {
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<CLampControl*>(w);
            if (!control || !w->isVisibleTo(dialog.get())) continue;
            QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
            if (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QRadioButton*>(w) &&
                w != dialog->WriteBox())
                QVERIFY2(!w->toolTip().isEmpty(), qPrintable(w->accessibleName()));
        }
        QCOMPARE(dialog->ButtonAt(CMainDialog::kConnect)->accessibleName(), QStringLiteral("Link"));
        QVERIFY(dialog->ButtonAt(CMainDialog::kUpload)->toolTip().startsWith("Upload"));
        QVERIFY(!dialog->SidePanelRows()->accessibleName().isEmpty());
        QCOMPARE(dialog->SidePanelRows()->window()->windowTitle(), dialog->windowTitle());

        // The dialogs the main window opens, and the stop window.
        for (const auto& open : std::vector<std::function<void()>>{
                 [this] { Click(CMainDialog::kAbout); }, [this] { Click(CMainDialog::kComSet); }}) {
            QString title;
            AnswerNextModal([&title](QWidget* w) {
                title = w->windowTitle();
                qobject_cast<QDialog*>(w)->reject();
            });
            open();
            QCOMPARE(title, dialog->windowTitle());
        }
        dialog->OperatorUi().StartCancel();
        CCancelDialog* stop = dialog->OperatorUi().CancelDialog();
        QVERIFY(stop);
        QCOMPARE(stop->windowTitle(), dialog->windowTitle());
        QCOMPARE(stop->StopButton()->accessibleName(), QStringLiteral("Cancel"));
        dialog->OperatorUi().CloseCancel();
    }

    void activeFieldsTakeThePalettesColours() {
        QPalette dark;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(50, 50, 50));
        dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
        const QPalette before = QApplication::palette();
        QApplication::setPalette(dark);
        Connect();
        const QPalette name = dialog->CurrentName()->palette();
        const QPalette entry = dialog->ValueEntry()->palette();
        QApplication::setPalette(before);
        QCOMPARE(name.color(QPalette::Base), QColor(30, 30, 30));
        QCOMPARE(name.color(QPalette::Text), QColor(230, 230, 230));
        QCOMPARE(entry.color(QPalette::Base), QColor(30, 30, 30));
        // The fixed signal colour keeps dark text.
        QCOMPARE(dialog->StatusLine()->palette().color(QPalette::Base), QColor(255, 128, 0));
        QCOMPARE(dialog->StatusLine()->palette().color(QPalette::Text), QColor(Qt::black));
    }

    void sidePanelOpensOnTheScreen_data() {
        QTest::addColumn<bool>("maximised");
        QTest::newRow("window at the left edge") << false;
        QTest::newRow("maximised window") << true;
    }
    void sidePanelOpensOnTheScreen() {
        QFETCH(bool, maximised);
        if (maximised)
            dialog->showMaximized();
        else
            dialog->move(dialog->screen()->availableGeometry().topLeft());
        QTest::mouseClick(dialog->PanelToggle(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->SidePanelShown(), 5000);
        QVERIFY(!dialog->isMaximized());
        const QRect panel = dialog->SidePanelRows()->window()->geometry();
        QVERIFY2(dialog->screen()->availableGeometry().contains(panel),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(panel.x())
                                .arg(panel.y())
                                .arg(panel.width())
                                .arg(panel.height())));
    }

    void captionsFitTheirLabelsAtALargerFont() {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSize(before.pointSize() * 2);
        QApplication::setFont(large);
        CMainDialog big(catalogue);
        QApplication::setFont(before);
        big.show();
        QVERIFY(QTest::qWaitForWindowExposed(&big));
        for (CSkinLabel* label : big.findChildren<CSkinLabel*>()) {
            if (label->Text().empty()) continue;
            const QFontMetrics metrics(label->TextFont());
            for (const std::string& line : label->Lines())
                QVERIFY2(metrics.horizontalAdvance(QString::fromStdString(line)) <= label->width(),
                         line.c_str());
            QVERIFY2(int(label->Lines().size()) * metrics.height() <= label->height(),
                     label->Text().c_str());
        }
    }

    void fileDialogsStartInTheLastFolderAndSaveProposesAName() {
        QTest::mouseClick(dialog->CloneRadio(), Qt::LeftButton);
        Connect();
        Click(CMainDialog::kUpload);
        QString folder, name;
        AnswerNextModal([&](QWidget* w) {
            auto* files = qobject_cast<QFileDialog*>(w);
            folder = files->directory().absolutePath();
            name = files->findChild<QLineEdit*>("fileNameEdit")->text();
            files->reject();
        });
        Click(CMainDialog::kSave);
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(folder, QFileInfo(documents).isDir() ? documents : QDir::homePath());
        QCOMPARE(name, "TS01-test-controller_unit1_" + QDate::currentDate().toString("yyyy-MM-dd") +
                           ".tmf");

        const QString saved = QString::fromStdString(home->File("unit1.tmf"));
        ChooseFile(saved);
        Click(CMainDialog::kSave);
        AnswerNextModal([&](QWidget* w) {
            auto* files = qobject_cast<QFileDialog*>(w);
            folder = files->directory().absolutePath();
            files->reject();
        });
        Click(CMainDialog::kOpen);
        QCOMPARE(folder, QFileInfo(saved).absolutePath());
    }

    void clicksQueuedDuringAnUploadAreIgnored() {
        QTest::mouseClick(dialog->CloneRadio(), Qt::LeftButton);
        Connect();
        // Delivered by the first event pump inside the upload, while busy.
        QMetaObject::invokeMethod(
            this,
            [this] {
                Session().ConnectButton();
                dialog->close();
            },
            Qt::QueuedConnection);
        Click(CMainDialog::kUpload);
        QVERIFY(Session().ValuesPresent());
        QVERIFY(Session().IsConnected());
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isEnabled());
        QVERIFY(LogHas("Connect button pushed."));
        // Once idle the close works again.
        dialog->close();
        QVERIFY(!dialog->isVisible());
    }

    void sidePanelOpensOnRequestAndGoesToAChosenItem() {
        Connect();
        QCOMPARE(dialog->SidePanelRows()->rowCount(), 6);
        dialog->move(0, 50);
        dialog->OperatorUi().OpenSidePanel();
        QVERIFY(!dialog->PanelToggle()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(dialog->SidePanelShown(), 5000);
        QVERIFY(dialog->PanelToggle()->isEnabled());
        // The window moved right so that the panel fits on the screen beside it.
        QVERIFY(dialog->frameGeometry().left() >= dialog->frameGeometry().width() / 4);

        // Going to a row reads its parameter once, however often the window was resized.
        const size_t before = unit1->Commands("52").size();
        dialog->GoToItem(4);
        const size_t readsPerGoTo = unit1->Commands("52").size() - before;
        QVERIFY(readsPerGoTo > 0);
        dialog->resize(dialog->width() + 10, dialog->height());
        dialog->resize(dialog->width() + 10, dialog->height());
        const size_t beforeChosen = unit1->Commands("52").size();
        emit dialog->SidePanelRows()->RowChosen(4);
        QCOMPARE(unit1->Commands("52").size() - beforeChosen, readsPerGoTo);
        QCOMPARE(Session().CurrentIndex(), 4);
        QVERIFY(dialog->SidePanelRows()->item(4, 0)->isSelected());

        dialog->ToggleSidePanel();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->SidePanelShown(), 5000);
    }

    void comSetIsRefusedWhileConnectedAndClosesNothingAfter() {
        Connect();
        Click(CMainDialog::kComSet);  // disabled: no dialog opens
        QVERIFY(Session().IsConnected());
        Click(CMainDialog::kConnect);
        auto asked = AnswerNextModal([](QWidget* w) {
            auto* settings = qobject_cast<CSerialSettingsDialog*>(w);
            QVERIFY(settings);
            settings->UnitEdit()->setText("2");
            settings->accept();
        });
        Click(CMainDialog::kComSet);
        QVERIFY(*asked);
        QCOMPARE(Session().UnitNumber(), 2);
        QVERIFY(
            dialog->StatusLine()->text().contains(QString::fromStdString(catalogue.Get(55)) + "2"));
        QVERIFY(LogHas("CommSet button pushed."));
    }
};

QTEST_MAIN(MainDialogTest)
#include "MainDialogTest.moc"
