// The unit-number dialog (its number rules: ui.cases); the stop window: consume-once polling,
// progress, what it names and its keys (a stop press during a wait on the line:
// ProgramRunTest.stopEndsTheOperation); the small dialogs' Alt keys.
#include <QCloseEvent>

#include "UiFixture.h"
#include "ui/AboutDialog.h"
#include "ui/CancelProgress.h"

namespace {

// Runs `dialog` and, once it is shown, presses Alt and the underlined letter of each label, which
// must give the label's field the focus, then the Alt key of button `press`, which must close
// the dialog with `result`. No two fields or buttons share a key.
void PressAccessKeys(QDialog& dialog, int press, int result) {
    constexpr int kLeftOpen = 99;
    WhenShown<QDialog>([press](QDialog* shown) {
        QTimer::singleShot(3000, shown, [shown] { shown->done(kLeftOpen); });
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        const auto key = [shown](const QKeySequence& sequence) {
            QVERIFY2(!sequence.isEmpty(), qPrintable(shown->windowTitle()));
            QTest::keyClick(shown->windowHandle(), sequence[0].key(),
                            sequence[0].keyboardModifiers());
        };
        const QList<CImageButton*> buttons = shown->findChildren<CImageButton*>();
        QList<QKeySequence> keys;
        for (QLabel* label : shown->findChildren<QLabel*>()) {
            if (!label->buddy()) continue;
            const QKeySequence sequence = QKeySequence::mnemonic(label->text());
            keys << sequence;
            buttons[0]->setFocus();  // away from the field
            key(sequence);
            QVERIFY2(label->buddy()->hasFocus(), qPrintable(label->text()));
        }
        for (CImageButton* button : buttons) {
            keys << button->shortcut();
            // A screen reader names the key with the button.
            QCOMPARE(QAccessible::queryAccessibleInterface(button)
                         ->actionInterface()
                         ->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                     QStringList(button->shortcut().toString(QKeySequence::NativeText)));
        }
        QCOMPARE(QSet<QKeySequence>(keys.begin(), keys.end()).size(), keys.size());
        key(buttons[press]->shortcut());
    });
    QCOMPARE(dialog.exec(), result);
}

}  // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT
  private:
    UiFolder m_folder;

  private slots:
    void emptyUnitGivesTheErrorBoxAndKeepsTheDialogOpen() {
        CUnitNumberDialog dialog(m_folder.Messages(), 5);
        dialog.show();
        dialog.Edit()->clear();
        auto box = CatchMessageBox();
        QTest::mouseClick(dialog.findChildren<CImageButton*>().first(), Qt::LeftButton);  // OK
        QVERIFY(box->seen);
        QCOMPARE(box->text, QString("ERROR"));
        QCOMPARE(box->title, dialog.windowTitle());
        QCOMPARE(box->icon, QMessageBox::Critical);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.UnitNumber(), 5);
        // A screen reader hears the question on opening the dialog.
        QCOMPARE(QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Description),
                 QString("Settings will be written to the controller at this unit number. "
                         "Continue?"));
    }

    // Two presses before a poll stop once; Escape stops, while Enter and the title bar's close
    // change nothing.
    void twoPressesBeforeAPollCancelOnceAndOnlyEscapeIsAPress() {
        CCancelProgress cancel({"Cancel", "Cancel", "%1 / %2"}, nullptr);
        QVERIFY(!cancel.Poll());  // no window yet: nothing to press
        cancel.SetProgress(1, 2);
        cancel.Start();
        QVERIFY(cancel.Dialog() != nullptr);
        QVERIFY(!cancel.Poll());
        CImageButton* stop = cancel.Dialog()->StopButton();
        QCOMPARE(stop->CurrentFace(), ButtonFace::Normal);
        QTest::mouseClick(stop, Qt::LeftButton);
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(cancel.Poll());
        QVERIFY(!cancel.Poll());
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(cancel.Poll());
        cancel.SetProgress(12, 48);
        QCOMPARE(cancel.Dialog()->ProgressText(), QString("12 / 48"));
        cancel.SetProgress(0, 0);
        QCOMPARE(cancel.Dialog()->ProgressText(), QString());
        cancel.Close();
        QVERIFY(cancel.Dialog() == nullptr);
        QVERIFY(!cancel.Poll());

        cancel.SetOperation("Upload from unit 3");
        cancel.Start();
        CCancelDialog* dialog = cancel.Dialog();
        QCOMPARE(dialog->windowTitle(),
                 QStringLiteral("Upload from unit 3 - VEXA Controller Setup"));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(cancel.Poll());
        QTest::keyClick(dialog, Qt::Key_Return);
        QTest::keyClick(dialog->StopButton(), Qt::Key_Enter);
        QCloseEvent close;
        QCoreApplication::sendEvent(dialog, &close);
        QVERIFY(!close.isAccepted());
        dialog->reject();
        dialog->accept();
        QVERIFY(!cancel.Poll());
        QVERIFY(dialog->isVisible());
        // The space key is a press like a click.
        QTest::keyClick(dialog->StopButton(), Qt::Key_Space);
        QVERIFY(cancel.Poll());
        cancel.Close();
    }

    // In both shipped languages, Alt and a letter reach every labelled field and every button
    // of the port, unit-number and About dialogs.
    void altKeysReachEveryFieldAndButton() {
        for (const char* file : kShippedCatalogues) {
            const CMessageTable catalogue = ShippedCatalogue(file);
            CSerialSettingsDialog port(catalogue, nullptr, [](CPortList& list) {
                list.Add("/dev/ttyS0", "");
                return true;
            });
            port.SetInput({.portName = "/dev/ttyS0"}, 1);
            PressAccessKeys(port, 0, QDialog::Accepted);  // OK
            CUnitNumberDialog unit(catalogue, 5);
            PressAccessKeys(unit, 1, QDialog::Rejected);  // Cancel
            CAboutDialog about(catalogue);
            about.ShowKeys("<table><tr><td>Link</td><td>Ctrl+L</td></tr></table>");
            PressAccessKeys(about, 0, QDialog::Rejected);  // Exit
        }
    }
};

QTEST_MAIN(SmallDialogsTest)
#include "SmallDialogsTest.moc"
