// The About dialog, the unit-number dialog and their shared number rules.
#include <QtTest>

#include "app/Version.h"
#include "ui/AboutDialog.h"
#include "ui/ImageButton.h"
#include "ui/NumericEdit.h"
#include "ui/SkinLabel.h"
#include "ui/UnitNumberDialog.h"
#include "ui/UnitNumberText.h"
#include "ui/UpDown.h"
#include "UiFixture.h"

namespace {

QList<CImageButton*> Buttons(QWidget& dialog) { return dialog.findChildren<CImageButton*>(); }

bool HasCaption(QWidget& dialog, const std::string& text) {
    for (CSkinLabel* label : dialog.findChildren<CSkinLabel*>()) {
        if (label->Text() == text) return true;
    }
    return false;
}

}  // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void unitNumberTextReadsLikeAScanConversion() {
        int unit = 42;
        QVERIFY(ParseUnitNumber("0", unit) && unit == 0);
        QVERIFY(ParseUnitNumber("99", unit) && unit == 99);
        QVERIFY(ParseUnitNumber(" 7x", unit) && unit == 7);
        QVERIFY(ParseUnitNumber("+5", unit) && unit == 5);
        unit = 42;
        QVERIFY(!ParseUnitNumber("", unit));
        QVERIFY(!ParseUnitNumber("100", unit));
        QVERIFY(!ParseUnitNumber("-1", unit));
        QVERIFY(!ParseUnitNumber("x1", unit));
        QVERIFY(!ParseUnitNumber("99999999999999999999999", unit));
        QCOMPARE(unit, 42);
    }

    void stepsStopAtTheEndsOfTheRange() {
        QCOMPARE(StepNumber("98", +1, 0, 99), 99);
        QCOMPARE(StepNumber("99", +1, 0, 99), 99);
        QCOMPARE(StepNumber("0", -1, 0, 99), 0);
        QCOMPARE(StepNumber("", +1, 0, 99), 0);
        QCOMPARE(StepNumber("500", -1, 0, 99), 99);
    }

    void aboutShowsTheVersionAndItsExitCaption() {
        UiFolder folder;
        CAboutDialog about(folder.Messages());
        QCOMPARE(about.VersionLine(), "vexa " + QString::fromStdString(GetVersionText()));
        QVERIFY(about.VersionLine().contains(QRegularExpression(R"(^vexa V \d+\.\d+\.\d+\.\d+$)")));
        QVERIFY(HasCaption(about, "Exit"));
        about.show();
        QCOMPARE(Buttons(about).size(), 1);
        QTest::mouseClick(Buttons(about).first(), Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Rejected));
        QVERIFY(!about.isVisible());
    }

    void unitDialogShowsPromptAndAcceptsNinetyNine() {
        UiFolder folder;
        CUnitNumberDialog dialog(folder.Messages(), 5);
        QVERIFY(HasCaption(dialog, "Unit number of the controller to write to:"));
        QVERIFY(HasCaption(dialog, "UnitNo") && HasCaption(dialog, "OK") &&
                HasCaption(dialog, "Cancel"));
        dialog.show();
        QCOMPARE(dialog.Edit()->text(), QString("5"));
        dialog.Edit()->selectAll();
        QTest::keyClicks(dialog.Edit(), "100");  // two characters at most
        QCOMPARE(dialog.Edit()->text(), QString("10"));
        dialog.Edit()->selectAll();
        QTest::keyClicks(dialog.Edit(), "99");
        QTest::keyClick(dialog.Edit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.UnitNumber(), 99);
    }

    void emptyUnitGivesTheErrorBoxAndKeepsTheDialogOpen() {
        UiFolder folder;
        CUnitNumberDialog dialog(folder.Messages(), 5);
        dialog.show();
        dialog.Edit()->clear();
        MessageBoxCatcher box;
        box.Arm();
        QTest::mouseClick(Buttons(dialog).first(), Qt::LeftButton);  // OK
        QCOMPARE(box.seen, 1);
        QCOMPARE(box.text, QString("ERROR"));
        QCOMPARE(box.title, dialog.windowTitle());
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Edit()->text(), QString());
        QCOMPARE(dialog.UnitNumber(), 5);
    }

    void cancelKeepsTheNumberEvenAfterEditing() {
        UiFolder folder;
        CUnitNumberDialog dialog(folder.Messages(), 12);
        dialog.show();
        dialog.Edit()->selectAll();
        QTest::keyClicks(dialog.Edit(), "34");
        QTest::mouseClick(Buttons(dialog).last(), Qt::LeftButton);  // Cancel
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.UnitNumber(), 12);
    }

    void upDownStopsAtZeroAndNinetyNine() {
        UiFolder folder;
        CUnitNumberDialog dialog(folder.Messages(), 98);
        dialog.show();
        QTest::keyClick(dialog.Edit(), Qt::Key_Up);
        QTest::keyClick(dialog.Edit(), Qt::Key_Up);
        QCOMPARE(dialog.Edit()->text(), QString("99"));
        dialog.Edit()->setText("1");
        dialog.Spin()->Step(-1);
        dialog.Spin()->Step(-1);
        QCOMPARE(dialog.Edit()->text(), QString("0"));
    }

    void askUnitNumberAnswersTheSessionsQuestion() {
        UiFolder folder;
        int unit = 3;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CUnitNumberDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->Edit()->setText("42");
            dialog->accept();
        });
        QVERIFY(AskUnitNumber(nullptr, folder.Messages(), unit));
        QCOMPARE(unit, 42);
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QVERIFY(!AskUnitNumber(nullptr, folder.Messages(), unit));
        QCOMPARE(unit, 42);
    }
};

QTEST_MAIN(SmallDialogsTest)
#include "SmallDialogsTest.moc"
