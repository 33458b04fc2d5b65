// The maintenance dialog against a simulated controller.

#include "UiFixture.h"
#include "support/TextCount.h"
#include "ui/DirectCommandDialog.h"

class DirectCommandDialogTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<SimulatedUnits> m_units;

    // The dialog shown and active, `command` typed into its command field, which has the focus.
    std::unique_ptr<CDirectCommandDialog> Open(int retry, uint16_t timeOut, const char* command) {
        auto dialog = std::make_unique<CDirectCommandDialog>(
            m_units->catalogue, MaintenanceSettings{retry, timeOut}, m_units->Line());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        if (!QTest::qWaitForWindowActive(dialog.get())) return nullptr;
        dialog->CommandField()->setText(command);
        dialog->CommandField()->setFocus();
        return dialog;
    }
    // Tabs on from the focused control until `to` has the focus.
    void TabTo(QWidget* to) {
        for (int i = 0; i < 10 && QApplication::focusWidget() != to; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

  private slots:
    void init() {
        m_units = std::make_unique<SimulatedUnits>();
        QVERIFY(m_units->ready);
    }
    void cleanup() { m_units.reset(); }

    void enterSendsTheCompletedFrameAndSplitsTheResponse() {
        auto dialog = Open(1, 1000, "[STX]010000503[ETX]");
        QTest::keyClick(dialog->CommandField(), Qt::Key_Return);
        QCOMPARE(dialog->SentField()->text(), QStringLiteral("[STX]010000503[ETX][34H]"));
        const QString response = dialog->ResponseField()->text();
        QVERIFY2(response.startsWith("[STX] 01 00 00 "), qPrintable(response));
        QVERIFY(response.contains("TS01-A"));
        QVERIFY(response.contains(" [ETX] ["));
        // The command code is selected for the next edit.
        QCOMPARE(dialog->CommandField()->selectedText(), QStringLiteral("0503"));
        QVERIFY(!dialog->Port().IsOpen());
        QVERIFY(dialog->isEnabled());
    }

    void silentUnitGivesAsterisksAfterEveryRetry() {
        auto dialog = Open(2, 100, "[STX]050000503");
        dialog->ResponseField()->setText("old");
        QTest::mouseClick(dialog->SendButton(), Qt::LeftButton);
        QCOMPARE(dialog->SentField()->text(), QStringLiteral("[STX]050000503[ETX][30H]"));
        QCOMPARE(dialog->ResponseField()->text(), QStringLiteral("***********************"));
        QCOMPARE(Occurrences(m_units->log.Text(), "response time out."), std::size_t(2));

        // Without retries nothing is sent at all.
        dialog = Open(0, 100, "[STX]010000503[ETX]");
        dialog->Send();
        QCOMPARE(dialog->ResponseField()->text(), QStringLiteral("***********************"));
        QCOMPARE(Occurrences(m_units->log.Text(), "response time out."), std::size_t(2));
    }

    void unopenablePortKeepsTheResponse() {
        auto dialog = Open(1, 100, "@00RD");
        dialog->ApplySettings({.portName = m_units->home.File("no-such-port")});
        dialog->Port().SetErrorReporter([](const std::string&) {});
        dialog->ResponseField()->setText("kept");
        dialog->Send();
        QCOMPARE(dialog->ResponseField()->text(), QStringLiteral("kept"));
        QVERIFY(dialog->SentField()->text().startsWith("@00RD["));
        QVERIFY(dialog->SentField()->text().endsWith("*[0DH]"));
    }

    // Escape, and Enter outside the command field, do nothing; Tab moves the button that Enter
    // in the command field presses.
    void enterPressesTheButtonTabMovedTo() {
        auto dialog = Open(1, 1000, "[STX]010000503[ETX]");
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        dialog->SendButton()->setFocus();
        QTest::keyClick(dialog->SendButton(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->SentField()->text().isEmpty());
        dialog->CommandField()->setFocus();
        QCOMPARE(dialog->DefaultButton(), dialog->SendButton());
        TabTo(dialog->ExitButton());
        QCOMPARE(dialog->DefaultButton(), dialog->ExitButton());
        // Back in the command field by mouse, Enter presses Exit.
        dialog->CommandField()->setFocus();
        QTest::keyClick(dialog->CommandField(), Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QVERIFY(dialog->SentField()->text().isEmpty());
        QCOMPARE(Occurrences(m_units->log.Text(), "OpenQuadrel end."), std::size_t(1));

        // Tabbing on to any other control makes Send the default again.
        dialog = Open(1, 1000, "[STX]010000503[ETX]");
        TabTo(dialog->ExitButton());
        QCOMPARE(dialog->DefaultButton(), dialog->ExitButton());
        TabTo(dialog->CommandField());
        QCOMPARE(dialog->DefaultButton(), dialog->SendButton());
        QTest::keyClick(dialog->CommandField(), Qt::Key_Return);
        QVERIFY(dialog->ResponseField()->text().contains("TS01-A"));
    }
};

QTEST_MAIN(DirectCommandDialogTest)
#include "DirectCommandDialogTest.moc"
