// The main dialog run exactly as vexa runs it (application-modal under exec(), the real
// stop window and message boxes) and driven only by mouse and key events sent to its
// windows, against simulated controllers.  Events sent to a window, unlike those sent to
// a widget, are held back by modality and by disabled windows as a window system's are.
#include "UiFixture.h"

class ProgramRunTest : public MainDialogFixture {
    Q_OBJECT
  public:
    ProgramRunTest() : MainDialogFixture(true) {}

  private:
    QTemporaryDir m_config;

    void ClickDownArrow() {
        ClickIn(m_dialog->DownArrow(), ArrowOutline(ArrowKind::Down).boundingRect().center());
    }
    void Run(const std::function<void()>& script) { RunAsTheProgram(*m_dialog, script); }
    // Steps to "Input type", the parameter that needs write mode, and ticks "Write": Escape in
    // the question leaves it unticked and sends nothing, OK ticks it and opens the entry.
    void EnterWriteMode() {
        for (int i = 0; i < 3; ++i) ClickDownArrow();
        QCOMPARE(Session().CurrentIndex(), 3);
        for (const bool entered : {false, true}) {
            auto asked = WhenShown<QMessageBox>([entered](QMessageBox* box) {
                if (entered)
                    ClickIn(box->button(QMessageBox::Ok));
                else
                    KeyTo(box, Qt::Key_Escape);
            });
            ClickIn(m_dialog->WriteBox());
            QVERIFY(*asked);
            QCOMPARE(m_dialog->WriteBox()->isChecked(), entered);
            QCOMPARE(m_dialog->ValueEntry()->isEnabled(), entered);
            QCOMPARE(m_units->unit1->Commands("6C").empty(), !entered);
        }
        // Enter on the box itself neither toggles it nor writes.
        m_dialog->WriteBox()->setFocus();
        KeyTo(m_dialog.get(), Qt::Key_Return);
        QVERIFY(m_dialog->WriteBox()->isChecked());
        QCOMPARE(m_units->unit1->Commands("6C"), std::vector<std::string>{"6C01"});
        QVERIFY(!m_units->LogHas("Parameter edit return key pushed."));
    }

  private slots:
    // The remembered settings in a folder of this run's own: Qt's test mode would share one
    // folder with every other test program of the user running at the same time.
    void initTestCase() {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        QVERIFY(RememberedSettingsPath().startsWith(m_config.path()));
    }

    void init() {
        MakeDialog();
        SRemembered line;
        line.settings = m_units->Line();
        QFile::remove(RememberedSettingsPath());
        QVERIFY(SaveRemembered(RememberedSettingsPath(), line));
    }
    void cleanup() { EndDialog(); }

    // Stop in the stop window ends the operation; the close box during a download stops it as
    // Stop does, and the window closes once the after routine has put the controller back.
    void stopEndsTheOperation_data() {
        QTest::addColumn<QString>("canceledLine");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("upload") << QString("Upload canceled.") << false;
        QTest::newRow("download") << QString("Download canceled.") << false;
        QTest::newRow("verify") << QString("Verify canceled.") << false;
        QTest::newRow("search") << QString() << false;
        QTest::newRow("download, close box") << QString("Download canceled.") << true;
    }
    void stopEndsTheOperation() {
        const QString operation = QString(QTest::currentDataTag()).section(',', 0, 0);
        QFETCH(QString, canceledLine);
        QFETCH(bool, closeBox);
        Run([&] {
            if (operation != "search") ClickIn(m_dialog->CloneRadio());
            Connect();
            if (operation == "download" || operation == "verify") Click(CMainDialog::kUpload);
            // Slow answers, so that the operation is still running when Cancel is seen.
            SimFaults slow;
            slow.ReplyDelayMs = 30;
            m_units->sim.SetFaults(slow);
            if (operation == "search")
                for (int n = 2; n <= 6; ++n) m_units->unit1->MakeUnreadable(n);
            // Parameter reads ("52..") and writes ("57..") on either unit.
            auto transfers = [this] {
                return m_units->unit1->Commands("5").size() + m_units->unit2->Commands("5").size();
            };
            const size_t before = transfers();

            auto stopped = WhenShown<CCancelDialog>([this, closeBox](CCancelDialog* stop) {
                QVERIFY(stop->isEnabled());
                if (closeBox) {
                    m_dialog->windowHandle()->close();
                    QVERIFY(m_dialog->isVisible());  // until the after routine is done
                } else {
                    ClickIn(stop->StopButton());
                }
            });
            if (operation == "download")  // unit 2, or 1 as proposed
                WhenShown<CUnitNumberDialog>([closeBox](CUnitNumberDialog* ask) {
                    if (!closeBox) {
                        QTest::keyClick(ask->windowHandle(), Qt::Key_Backspace);
                        QTest::keyClick(ask->windowHandle(), Qt::Key_2);
                    }
                    KeyTo(ask, Qt::Key_Return);
                });
            if (operation == "upload") Click(CMainDialog::kUpload);
            if (operation == "download") Click(CMainDialog::kDownload);
            if (operation == "verify") Click(CMainDialog::kVerify);
            if (operation == "search") ClickDownArrow();
            QVERIFY(*stopped);
            if (!canceledLine.isEmpty())
                QVERIFY2(m_units->LogHas(canceledLine.toStdString()), m_units->log.Text().c_str());
            // Stopped at the first step: far fewer exchanges than the whole job takes.
            QVERIFY2(transfers() - before < 4, qPrintable(QString::number(transfers() - before)));
            if (operation == "search") QVERIFY(Session().CurrentIndex() < 5);
            QVERIFY(m_dialog->isEnabled());
            if (closeBox) QTRY_VERIFY_WITH_TIMEOUT(!m_dialog->isVisible(), 5000);
            if (operation == "download") {
                QCOMPARE(Session().UnitNumber(), 1);
                // The after routine restarted the controller the before routine stopped.
                QCOMPARE((closeBox ? m_units->unit1 : m_units->unit2)->Commands("71"),
                         (std::vector<std::string>{"7101", "7100"}));
            }
        });
    }

    void leavingTheProgramOrTheControllerLeavesWriteMode_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit") << "exit";
        QTest::newRow("close box") << "close";
        QTest::newRow("Unlink") << "unlink";
    }
    void leavingTheProgramOrTheControllerLeavesWriteMode() {
        QFETCH(QString, how);
        Run([&] {
            Connect();
            EnterWriteMode();
            if (how == "exit") Click(CMainDialog::kExit);
            if (how == "close") m_dialog->windowHandle()->close();
            if (how == "unlink") Click(CMainDialog::kConnect);
            QVERIFY(how == "unlink" ? !Session().IsConnected() : !m_dialog->isVisible());
        });
        // The write-leave list went out once, before the "DisConnect" routine's own 6C00.
        const std::vector<std::string> expected =
            how == "unlink" ? std::vector<std::string>{"6C01", "6C00", "6C00"}
                            : std::vector<std::string>{"6C01", "6C00"};
        QCOMPARE(m_units->unit1->Commands("6C"), expected);
    }

    // The keyboard alone, where the whole job by keyboard (ui.KeyboardJob) does not go: keypad
    // Enter writes, no arrow key switches the view, F1 lists every key, and Escape or Enter on a
    // button neither closes the window nor presses the button.
    void keysStepAndStartTheMainActions() {
        Run([&] {
            auto key = [this](QKeyCombination combination) {
                QTest::keyClick(m_dialog->windowHandle(), combination.key(),
                                combination.keyboardModifiers());
            };
            key(Qt::CTRL | Qt::Key_L);
            QTest::keyClicks(m_dialog->focusWidget(), "321");
            key(Qt::KeypadModifier | Qt::Key_Enter);
            QCOMPARE(m_units->unit1->Get(1), 321);
            for (QWidget* from : {static_cast<QWidget*>(m_dialog->DownArrow()),
                                  static_cast<QWidget*>(m_dialog->SettingRadio())}) {
                from->setFocus();
                for (const Qt::Key step : {Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Down}) key(step);
                QCOMPARE(Session().View(), EView::Setting);
                QVERIFY(m_dialog->focusWidget() != m_dialog->ButtonAt(CMainDialog::kExit));
            }
            QCOMPARE(Session().CurrentIndex(), 2);
            key(Qt::ALT | Qt::Key_C);
            QCOMPARE(Session().View(), EView::Clone);
            m_dialog->CloneRadio()->setFocus();
            key(Qt::Key_Up);
            key(Qt::Key_Left);
            QCOMPARE(Session().View(), EView::Clone);

            QString keys;
            WhenShown<QDialog>(
                [&keys](QDialog* about) {
                    for (QLabel* label : about->findChildren<QLabel*>()) keys += label->text();
                    about->reject();
                },
                m_dialog.get());
            key(Qt::Key_F1);
            for (const char* listed : {"Ctrl+L, Alt+L", "Alt+W", "Down, PgDown, Alt+N"})
                QVERIFY2(keys.contains(listed), qPrintable(keys));
            m_dialog->activateWindow();  // the offscreen platform does not give it back
            QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
            m_dialog->ButtonAt(CMainDialog::kConnect)->setFocus();
            for (const Qt::Key nothing : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
                key(nothing);
            QVERIFY(m_dialog->isVisible());
            QVERIFY(Session().IsConnected());
        });
    }

    void windowPlaceAndSizeAreRemembered() {
        const QRect placed(60, 70, 700, 460);
        Run([&] {
            m_dialog->setGeometry(placed);
            Click(CMainDialog::kExit);
        });
        // The smallest size stays the size at creation; maximised, the controls keep their places
        // against the edges. Maximised comes back maximised: ui.WindowFit.
        m_dialog = std::make_unique<CMainDialog>(m_units->catalogue);
        QRect shown;
        QSize smallest;
        Run([&] {
            shown = m_dialog->geometry();
            smallest = m_dialog->minimumSize();
            const int margin = m_dialog->height() - m_dialog->StatusLine()->geometry().bottom();
            m_dialog->showMaximized();
            QTRY_VERIFY(m_dialog->isMaximized());
            QCOMPARE(m_dialog->height() - m_dialog->StatusLine()->geometry().bottom(), margin);
            Click(CMainDialog::kExit);
        });
        QCOMPARE(shown, placed);
        QCOMPARE(smallest, QSize(640, 420));
    }
};

QTEST_MAIN(ProgramRunTest)
#include "ProgramRunTest.moc"
