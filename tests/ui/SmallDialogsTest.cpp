// The unit-number dialog and its number rules; the small dialogs' Alt keys.
#include <QAccessible>
#include <QLabel>

#include "UiFixture.h"
#include "ui/AboutDialog.h"
#include "ui/NumericEdit.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/UnitNumberDialog.h"
#include "ui/UnitNumberText.h"

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
        QSet<QKeySequence> keys;
        int controls = 0;
        for (QLabel* label : shown->findChildren<QLabel*>()) {
            if (!label->buddy()) continue;
            const QKeySequence sequence = QKeySequence::mnemonic(label->text());
            keys << sequence;
            ++controls;
            buttons[0]->setFocus();  // away from the field
            key(sequence);
            QVERIFY2(label->buddy()->hasFocus(), qPrintable(label->text()));
        }
        for (CImageButton* button : buttons) {
            keys << button->shortcut();
            ++controls;
            // A screen reader names the key with the button.
            QCOMPARE(QAccessible::queryAccessibleInterface(button)
                         ->actionInterface()
                         ->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                     QStringList(button->shortcut().toString(QKeySequence::NativeText)));
        }
        QCOMPARE(keys.size(), controls);
        key(buttons[press]->shortcut());
    });
    QCOMPARE(dialog.exec(), result);
}

}  // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void unitNumberTextReadsLikeAScanConversion() {
        int unit = 42;
        QVERIFY(ParseUnitNumber(" 7x", unit) && unit == 7);
        QVERIFY(ParseUnitNumber("+5", unit) && unit == 5);
        unit = 42;
        QVERIFY(!ParseUnitNumber("", unit));
        QVERIFY(!ParseUnitNumber("100", unit));
        QVERIFY(!ParseUnitNumber("-1", unit));
        QVERIFY(!ParseUnitNumber("x1", unit));
        QVERIFY(!ParseUnitNumber("99999999999999999999999", unit));
        QCOMPARE(unit, 42);
        QCOMPARE(StepNumber("", +1, 0, 99), 0);
        QCOMPARE(StepNumber("500", -1, 0, 99), 99);
    }

    void emptyUnitGivesTheErrorBoxAndKeepsTheDialogOpen() {
        UiFolder folder;
        CUnitNumberDialog dialog(folder.Messages(), 5);
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

    // In both shipped languages, Alt and a letter reach every labelled field and every button
    // of the port, unit-number and About dialogs.
    void altKeysReachEveryFieldAndButton() {
        UiFolder folder;
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
