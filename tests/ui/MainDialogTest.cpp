// A whole operator session through the main dialog's widgets against simulated controllers.
#include <QClipboard>
#include <QStandardPaths>
#include <QTableWidget>

#include "UiFixture.h"
#include "app/SectionReader.h"
#include "ui/ColourButton.h"
#include "ui/LampControl.h"
#include "ui/SidePanelList.h"
#include "ui/SkinLabel.h"
#include "ui/VerifyResultsDialog.h"

class MainDialogTest : public MainDialogFixture {
    Q_OBJECT
  public:
    MainDialogTest() : MainDialogFixture(false) {}

  private:
    using Records = std::vector<std::pair<int, const char*>>;

    // A parameter file `name` of the test model with these records (number, set value), then
    // `tail`; its path.
    QString WriteSet(const char* name, const Records& records, const QByteArray& tail = {}) {
        QByteArray bytes(96, '\0');
        bytes.replace(0, 19, "2026/12/06 10:20:30");
        bytes.replace(32, 20, "TS01 test controller");
        for (const auto& [number, value] : records) {
            QByteArray record(40, '\0');
            record[0] = char(number);
            record.replace(8, int(qstrlen(value)), value);
            bytes += record;
        }
        return QString::fromStdString(m_units->home.Write(name, (bytes + tail).toStdString()));
    }
    void ConnectClone() {
        QTest::mouseClick(m_dialog->CloneRadio(), Qt::LeftButton);
        Connect();
    }
    void Open(const QString& path) {
        ChooseFile(path);
        Click(CMainDialog::kOpen);
    }
    // The next question's text; it is answered with `answer`, and No must be its default.
    static std::shared_ptr<QString> Answer(QMessageBox::StandardButton answer) {
        auto asked = std::make_shared<QString>();
        WhenShown<QMessageBox>([asked, answer](QMessageBox* box) {
            *asked = box->text();
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            box->button(answer)->click();
        });
        return asked;
    }
    static void AnswerUnit(const QString& unit) {
        WhenShown<CUnitNumberDialog>([unit](CUnitNumberDialog* ask) {
            ask->Edit()->setText(unit);
            ask->accept();
        });
    }

    void ShowDialog() {
        m_dialog->ApplySettings(m_units->Line(), 1);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

  private slots:
    // The file dialog keeps its history in the user's Qt settings: not the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        MakeDialog();
        ShowDialog();
    }
    void cleanup() { EndDialog(); }

    void settingViewStepsWritesAndDisconnects() {
        Connect();
        QVERIFY(m_dialog->DisconnectCaption()->isVisible());
        const QString first = m_dialog->CurrentName()->text();
        QCOMPARE(m_dialog->ValueEntry()->palette().color(QPalette::Base), QColor(Qt::white));

        QTest::mouseClick(m_dialog->DownArrow(), Qt::LeftButton, {},
                          ArrowOutline(ArrowKind::Down).boundingRect().center());
        QCOMPARE(Session().CurrentIndex(), 1);

        // A value the controller does not give back turns the entry red, and says why.
        m_units->unit1->MakeUnreadable(2);
        m_dialog->ValueEntry()->setText("1");
        QTest::keyClick(m_dialog->ValueEntry(), Qt::Key_Return);
        QCOMPARE(m_dialog->ValueEntry()->palette().color(QPalette::Base), QColor(255, 0, 0));
        const QString why =
            m_dialog->CurrentName()->text() +
            ": written, but reading it back failed: answered with response code 0401";
        QCOMPARE(m_dialog->ValueEntry()->accessibleDescription(), why);
        QVERIFY(Status().endsWith(why));

        // A step onto a parameter that cannot be read says so on the status line.
        m_units->unit1->MakeUnreadable(1);
        QTest::mouseClick(m_dialog->UpArrow(), Qt::LeftButton, {},
                          ArrowOutline(ArrowKind::Up).boundingRect().center());
        QCOMPARE(Session().CurrentIndex(), 0);
        QVERIFY(Status().endsWith(first + ": cannot be read: answered with response code 0401"));
        QCOMPARE(m_dialog->ValueEntry()->toolTip(), QStringLiteral("New value: Enter writes it"));

        Click(CMainDialog::kConnect);
        QVERIFY(!Session().IsConnected());
        QVERIFY(!m_dialog->DisconnectCaption()->isVisible());
        QVERIFY(m_dialog->CurrentName()->text().isEmpty());
        QVERIFY(!Status().contains("TS01"));
    }

    void cloneViewOperationsSayWhatTheyDid() {
        ConnectClone();
        m_units->unit1->Set(1, 111);
        m_units->unit1->Set(2, 0);  // "Alarm value" is not on this controller
        m_units->unit1->MakeUnreadable(6);
        Click(CMainDialog::kUpload);
        // The counts, and why the failed one failed.
        const QString why =
            "1 parameter failed at parameter 6 (Decimal value): answered with "
            "response code 0401";
        QVERIFY2(Status().endsWith("Upload: 3 read, 1 not on this controller, 1 failed; " + why),
                 qPrintable(Status()));
        // The keyboard reaches the whole line.
        QVERIFY(m_dialog->StatusLine()->focusPolicy() & Qt::TabFocus);
        m_units->unit1->Set(1, 5);
        Click(CMainDialog::kVerify);
        QVERIFY2(Status().contains(
                     "Verify: 2 equal, 1 differ, 1 not on this controller, 1 failed; " + why),
                 qPrintable(Status()));
        // Too narrow for it, the field ends in "…"; with the keyboard focus it shows whole.
        CStatusLine* status = m_dialog->StatusLine();
        status->resize(300, status->height());
        const QString shown = status->text();
        QVERIFY2(shown.endsWith(u'…') && status->fontMetrics().horizontalAdvance(shown) < 300,
                 qPrintable(shown));
        QCOMPARE(status->toolTip(), Status());
        status->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(status->text(), Status());
        status->clearFocus();
        QCOMPARE(status->text(), shown);
        // The differences open verify's results beside the window, which keeps the keyboard;
        // Ctrl+R gives it to the table, and Ctrl+C there copies the results as text.
        CVerifyResultsDialog* results = m_dialog->VerifyResults();
        QVERIFY(results && results->isVisible());
        QCOMPARE(results->Table()->rowCount(), 5);
        QVERIFY(QApplication::activeWindow() != results);
        QTest::keyClick(m_dialog.get(), Qt::Key_R, Qt::ControlModifier);
        QTRY_COMPARE(QApplication::focusWidget(), results->Table());
        QTest::keyClick(results->Table(), Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied.count('\n'), 6);
        QVERIFY2(copied.contains("\t111\t5\tdiffers\n"), qPrintable(copied));
        m_dialog->activateWindow();

        // The upload left a parameter without a value: Save asks, and No (the default) saves
        // nothing.
        const QString saved = QString::fromStdString(m_units->home.File("set.tmf"));
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            auto asked = Answer(answer);
            if (answer == QMessageBox::Yes) ChooseFile(saved);
            Click(CMainDialog::kSave);
            QCOMPARE(*asked, QString("Without a value: 1. Save?"));
            QCOMPARE(QFile::exists(saved), answer == QMessageBox::Yes);
        }
        QCOMPARE(m_dialog->SetSource()->text(), saved);
        QVERIFY(Status().endsWith("Saved 3 parameters to " + saved));
        Open(saved);
        QVERIFY(Session().FileOpened());
        QVERIFY(Status().endsWith("Opened " + saved + ": 3 parameters"));

        // Download of the opened file, not of the controller's values, to unit 2 chosen in
        // the unit-number question.
        AnswerUnit("2");
        Click(CMainDialog::kDownload);
        QCOMPARE(m_units->unit2->Get(1), 111);
        QVERIFY2(Status().endsWith("Download to unit 2: 3 written, 2 not in the set"),
                 qPrintable(Status()));
    }

    // Under a dark palette (as a dark desktop theme gives Fusion) the captions take the
    // window's colour instead of standing out as grey tiles, and the lamps' captions, the
    // radio markers and the active fields stay readable.
    void aDarkPaletteKeepsCaptionsAndFieldsReadable() {
        const auto restore =
            qScopeGuard([light = QApplication::palette()] { QApplication::setPalette(light); });
        const QColor face(53, 53, 53);
        QApplication::setPalette(QPalette(face));
        m_dialog = std::make_unique<CMainDialog>(m_units->catalogue);
        ShowDialog();
        ConnectClone();
        Click(CMainDialog::kUpload);
        QCOMPARE(m_dialog->CaptionAt(CMainDialog::kUpload)->grab().toImage().pixelColor(0, 0),
                 face);
        auto brightest = [](QWidget* w, const QRect& part) {
            const QImage image = w->grab().toImage();
            int most = 0;
            for (int y = part.top(); y <= part.bottom(); ++y)
                for (int x = part.left(); x <= part.right(); ++x)
                    most = std::max(most, image.pixelColor(x, y).lightness());
            return most;
        };
        CLampControl* rx = m_dialog->Lamp(1);
        QVERIFY(brightest(rx, {0, 0, rx->width(), rx->height() / 2}) > 200);
        QRadioButton* unticked = m_dialog->SettingRadio();
        QVERIFY(brightest(unticked, {0, 0, 16, unticked->height()}) > 120);
        // The setting view's active fields take the palette's colours; the status line's fixed
        // signal colour keeps dark text.
        QTest::mouseClick(unticked, Qt::LeftButton);
        QTest::mouseClick(m_dialog->DownArrow(), Qt::LeftButton, {},
                          ArrowOutline(ArrowKind::Down).boundingRect().center());
        const QPalette dark = QApplication::palette();
        QCOMPARE(m_dialog->CurrentName()->palette().color(QPalette::Text),
                 dark.color(QPalette::Text));
        for (QWidget* field : {static_cast<QWidget*>(m_dialog->CurrentName()),
                               static_cast<QWidget*>(m_dialog->ValueEntry())})
            QCOMPARE(field->palette().color(QPalette::Base), dark.color(QPalette::Base));
        QCOMPARE(m_dialog->StatusLine()->palette().color(QPalette::Base), QColor(255, 128, 0));
        QCOMPARE(m_dialog->StatusLine()->palette().color(QPalette::Text), QColor(Qt::black));
    }

    // A lost line: the engine's reason in a box and on the status line, the window
    // disconnected, and Link works at once when the line is back.
    void aLostLineIsSaidAndLinkWorksAtOnce() {
        ConnectClone();
        SimFaults vanish;
        vanish.VanishAfterBytes = 3;
        vanish.ReturnAfterMs = 50;
        m_units->sim.SetFaults(vanish);
        auto told = CatchMessageBox();
        Click(CMainDialog::kUpload);
        QTRY_VERIFY(told->seen);
        QVERIFY2(told->text.startsWith("line lost at parameter 1 (Set point)"),
                 qPrintable(told->text));
        QVERIFY(!Session().IsConnected());
        QVERIFY2(Status().endsWith("Upload failed: " + told->text), qPrintable(Status()));
        QVERIFY(!m_dialog->ButtonAt(CMainDialog::kSave)->isEnabled());
        m_units->sim.SetFaults({});
        QVERIFY(m_units->sim.WaitForLine(true, std::chrono::seconds(5)));
        // The line may come back on another device, as a plugged-in adapter does.
        m_dialog->ApplySettings(m_units->Line(), 1);
        ConnectClone();
    }

    // A silent unit: the stop window says what the model request waits for, and Escape there
    // ends the wait without a message.
    void theModelRequestSaysWhatItWaitsForAndStops() {
        Session().SetModelRequestWait(3, 1000);
        m_dialog->ApplySettings(m_units->Line(), 9);
        QString asked;
        WhenShown<CCancelDialog>([&asked](CCancelDialog* stop) {
            asked = stop->Operation();
            QTest::keyClick(stop, Qt::Key_Escape);
        });
        bool told = false;
        QTimer boxes;
        connect(&boxes, &QTimer::timeout, [&told] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                told = box->close();
        });
        boxes.start(5);
        Click(CMainDialog::kConnect);
        QCOMPARE(asked, QStringLiteral("Asking 9, try 1 of 3"));
        QVERIFY(!Session().IsConnected());
        QVERIFY(!told);
        QVERIFY(m_units->LogHas("command stopped."));
        QVERIFY(!m_dialog->OperatorUi().CancelDialog());
    }

    // Link without a port asks for one; a port that is not there is named, in a box and on
    // the status line, and the window stays unlinked.
    void aLinkWithoutAUsablePortSaysWhy() {
        const std::string missing = m_units->home.File("no-such-port");
        const struct {
            std::string port;
            QString box, status;
        } cases[] = {{"", "Press Port", "Press Port"},
                     {missing, "port %1 does not exist", "Link failed: port %1 does not exist"}};
        for (const auto& c : cases) {
            const QString port = QString::fromStdString(c.port);
            m_dialog->ApplySettings(CCommSettings{.portName = c.port}, 1);
            auto told = CatchMessageBox();
            Click(CMainDialog::kConnect);
            QCOMPARE(told->text, c.box.arg(port));
            QVERIFY(!Session().IsConnected());
            QVERIFY2(Status().endsWith(c.status.arg(port)), qPrintable(Status()));
            QCOMPARE(m_units->LogHas("Connect button pushed."), !c.port.empty());
        }
    }

    void aFileThatIsNoParameterSetIsRefused() {
        ConnectClone();
        const struct {
            Records records;
            QString why;
        } cases[] = {{{{77, "123"}, {78, "124"}}, "holds no parameter of this controller model"},
                     {{{1, "2600junk"}},
                      "is refused: record 1, parameter 1 (Set point), set value \"2600junk\": not "
                      "a plain decimal integer"}};
        for (const auto& c : cases) {
            // A good set first: the refused file must not leave it behind to be downloaded.
            Open(WriteSet("good.tmf", {{1, "300"}}));
            QVERIFY(Session().FileOpened());
            const QString path = WriteSet("bad.tmf", c.records);
            auto told = CatchMessageBox();
            Open(path);
            QVERIFY(told->seen);
            QVERIFY2(told->text.startsWith(path) && told->text.contains(c.why),
                     qPrintable(told->text));
            QVERIFY(!Session().ValuesPresent());
            QVERIFY(!Session().FileOpened());
            QVERIFY(Session().OpenedFilePath().empty());
            for (const auto b : {CMainDialog::kDownload, CMainDialog::kSave, CMainDialog::kVerify,
                                 CMainDialog::kExport})
                QVERIFY(!m_dialog->ButtonAt(b)->isEnabled());
            QVERIFY2(Status().contains("Open failed: " + path), qPrintable(Status()));
        }
    }

    // The whole records of a file that ends inside one are read, and said so; Download asks
    // before it writes that incomplete set, No by default.
    void aCutFileIsReadButDownloadedOnlyWhenConfirmed() {
        ConnectClone();
        const QString path = WriteSet("cut.tmf", {{1, "300"}, {2, "2"}}, QByteArray(20, '\1'));
        auto told = CatchMessageBox();
        Open(path);
        QCOMPARE(told->text, path + ": the file ends inside record 3: 2 parameters read");
        QVERIFY(Session().FileOpened());

        for (const bool confirmed : {false, true}) {
            AnswerUnit("2");
            auto question = Answer(confirmed ? QMessageBox::Yes : QMessageBox::No);
            Click(CMainDialog::kDownload);
            QCOMPARE(*question, path +
                                    " ends inside record 3: only 2 of 5 parameters would be "
                                    "written. Download this incomplete set?");
            QCOMPARE(m_units->unit2->Commands("57").empty(), !confirmed);
        }
        QCOMPARE(m_units->unit2->Get(1), 300);
    }

    // The shipped captions, English and German, stay whole inside their tiles, the hidden
    // "Unlink" too; every button but the radio buttons and "Write" has a tip.
    void captionsFitTheirLabelsAtALargerFontAndButtonsHaveTips() {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSize(before.pointSize() * 2);
        for (const char* file : kShippedCatalogues) {
            const CMessageTable catalogue = ShippedCatalogue(file);
            QApplication::setFont(large);
            CMainDialog big(catalogue);
            QApplication::setFont(before);
            big.show();
            QVERIFY(QTest::qWaitForWindowExposed(&big));
            for (CSkinLabel* label : big.findChildren<CSkinLabel*>()) {
                if (label->Text().empty()) continue;
                const QFontMetrics metrics(label->TextFont());
                for (const std::string& line : label->Lines())  // whole words, none cut
                    QVERIFY2(
                        metrics.horizontalAdvance(QString::fromStdString(line)) <= label->width() &&
                            !line.ends_with("…"),
                        line.c_str());
                QVERIFY2(int(label->Lines().size()) * metrics.height() <= label->height(),
                         label->Text().c_str());
            }
            for (QAbstractButton* b : big.findChildren<QAbstractButton*>())
                if (b->isVisibleTo(&big) && !qobject_cast<QRadioButton*>(b) && b != big.WriteBox())
                    QVERIFY2(!b->toolTip().isEmpty(), qPrintable(b->accessibleName()));
        }
    }

    void fileDialogsStartInTheLastFolderAndSaveProposesAName() {
        ConnectClone();
        Click(CMainDialog::kUpload);
        QString folder, name;
        WhenShown<QFileDialog>([&](QFileDialog* files) {
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

        const QString saved = QString::fromStdString(m_units->home.File("unit1.tmf"));
        ChooseFile(saved);
        Click(CMainDialog::kSave);
        WhenShown<QFileDialog>([&](QFileDialog* files) {
            folder = files->directory().absolutePath();
            files->reject();
        });
        Click(CMainDialog::kOpen);
        QCOMPARE(folder, QFileInfo(saved).absolutePath());
        // A dialog closed without a file is logged as the operation's cancel.
        QVERIFY(m_units->LogHas("Save canceled.") && m_units->LogHas("File Open canceled."));
    }

    void clicksQueuedDuringAnUploadAreIgnored() {
        ConnectClone();
        // Delivered by the first event pump inside the upload, while busy.
        QMetaObject::invokeMethod(
            this, [this] { Session().Disconnect(); }, Qt::QueuedConnection);
        Click(CMainDialog::kUpload);
        QVERIFY(Session().ValuesPresent());
        QVERIFY(Session().IsConnected());
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_dialog->isEnabled());
    }

    void sidePanelOpensOnRequestAndGoesToAChosenItem() {
        Connect();
        m_dialog->move(100, 50);
        m_dialog->OpenSidePanel();
        QVERIFY(!m_dialog->PanelToggle()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(m_dialog->SidePanelShown(), 5000);
        QVERIFY(m_dialog->PanelToggle()->isEnabled());
        // The screen has no room beside the window: the panel opens over it, the window stays.
        QCOMPARE(m_dialog->pos(), QPoint(100, 50));
        QVERIFY(m_dialog->geometry().contains(m_dialog->SidePanelRows()->window()->geometry()));

        // Going to a row reads its parameter once, however often the window was resized.
        const size_t before = m_units->unit1->Commands("52").size();
        m_dialog->GoToItem(4);
        const size_t readsPerGoTo = m_units->unit1->Commands("52").size() - before;
        QVERIFY(readsPerGoTo > 0);
        m_dialog->resize(m_dialog->width() + 10, m_dialog->height());
        m_dialog->resize(m_dialog->width() + 10, m_dialog->height());
        // Keypad Enter, Return or Space on a row goes to it.
        CSidePanelList* rows = m_dialog->SidePanelRows();
        rows->setCurrentCell(2, 0);
        QTest::keyClick(rows, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Session().CurrentIndex(), 2);
        QCOMPARE(QApplication::focusWidget(), rows);
        rows->setCurrentCell(4, 0);
        const size_t beforeChosen = m_units->unit1->Commands("52").size();
        QTest::keyClick(rows, Qt::Key_Space);
        QCOMPARE(m_units->unit1->Commands("52").size() - beforeChosen, readsPerGoTo);
        QCOMPARE(Session().CurrentIndex(), 4);
        QVERIFY(m_dialog->SidePanelRows()->item(4, 0)->isSelected());
    }

    void comSetIsRefusedWhileConnectedAndClosesNothingAfter() {
        Connect();
        Click(CMainDialog::kComSet);  // disabled: no dialog opens
        QVERIFY(Session().IsConnected());
        Click(CMainDialog::kConnect);
        WhenShown<CSerialSettingsDialog>([](CSerialSettingsDialog* settings) {
            settings->UnitEdit()->setText("2");
            settings->accept();
        });
        Click(CMainDialog::kComSet);
        QCOMPARE(Session().UnitNumber(), 2);
        QVERIFY(Status().contains(QString::fromStdString(m_units->catalogue.Get(55)) + "2"));
        QVERIFY(m_units->LogHas("CommSet button pushed."));
    }

    // With the shipped German catalogue, a Yes/No question and the stop window show no text of
    // the English one (a text both hold, such as "OK", is a word of both languages). The windows
    // the keyboard job opens: ui.KeyboardJobGerman.
    void theGermanCatalogueLeavesNoEnglishText() {
        const std::string bin = QCoreApplication::applicationDirPath().toStdString() + "/";
        const auto texts = [&bin](const char* file) {
            QSet<QString> all;
            for (const char* section : {"Pyrona", "MESSAGE"}) {
                std::vector<std::string> lines;
                ReadFileSection(bin + file, section, lines);
                for (const std::string& line : lines)
                    all.insert(QString::fromStdString(line.substr(line.find('=') + 1)));
            }
            return all;
        };
        const QSet<QString> english = texts("VEXA.cap") - texts("VEXA.de.cap");
        QStringList seen;
        const auto walk = [&seen](QWidget* window) {
            QList<QWidget*> widgets = window->findChildren<QWidget*>();
            widgets << window;
            for (QWidget* w : widgets) {
                seen << w->windowTitle() << w->toolTip() << w->accessibleName()
                     << w->accessibleDescription();
                if (auto* b = qobject_cast<QAbstractButton*>(w)) seen << b->text();
                if (auto* l = qobject_cast<QLabel*>(w))
                    seen << l->text().split(u'\n');  // one entry a line
                if (auto* l = qobject_cast<CSkinLabel*>(w))
                    seen << QString::fromStdString(l->Text());
            }
        };

        m_dialog->hide();  // the windows looked for below are the German ones
        SetModuleFolder(bin);
        UseCatalogueFile("VEXA.de.cap");
        CMessageTable german;
        QVERIFY(LoadMessageCatalogue(german));
        {
            CMainDialog dialog(german);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            WhenShown<QMessageBox>([&walk](QMessageBox* box) {
                walk(box);
                box->done(QMessageBox::No);
            });
            dialog.OperatorUi().MessageBox("", COperatorUi::BoxStyle::YesNoWarning);
            dialog.OperatorUi().NameOperation(406, 1);  // "Upload from unit %1"
            dialog.OperatorUi().StartCancel();
            dialog.OperatorUi().Progress(1, 2);
            walk(dialog.OperatorUi().CancelDialog());
            dialog.OperatorUi().CloseCancel();
        }
        UseCatalogueFile("");
        SetModuleFolder(m_units->home.Path());
        QVERIFY(seen.contains("Nein") && seen.contains("1 von 2") &&
                seen.contains(QString::fromUtf8("Auslesen von Gerät 1")));
        for (const QString& text : seen) QVERIFY2(!english.contains(text), qPrintable(text));
    }
};

QTEST_MAIN(MainDialogTest)
#include "MainDialogTest.moc"
