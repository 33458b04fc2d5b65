// The unit-number dialog and its number rules.
#include <QAccessible>
#include <QtTest>

#include "UiFixture.h"
#include "ui/ImageButton.h"
#include "ui/NumericEdit.h"
#include "ui/UnitNumberDialog.h"
#include "ui/UnitNumberText.h"

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
                 QString("Unit number of the controller to write to:"));
    }
};

QTEST_MAIN(SmallDialogsTest)
#include "SmallDialogsTest.moc"
