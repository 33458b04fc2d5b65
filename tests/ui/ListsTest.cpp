// The side panel's list and the drop-down combo.
#include <QAbstractItemView>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

#include "ui/DropDownCombo.h"
#include "ui/SidePanelList.h"

class ListsTest : public QObject {
    Q_OBJECT
private slots:
    void sidePanelRowsCarryTheirFullTextAsToolTip() {
        CSidePanelList list;
        list.resize(120, 200);
        std::string longName = "12: Alarm 1 value, upper limit (\xC2\xB0" "C)";
        list.SetRows({"1: Set point", longName});
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(list.columnCount(), 1);
        QCOMPARE(list.item(1, 0)->toolTip(), QString::fromUtf8(longName));
        QVERIFY(list.showGrid());
        QCOMPARE(list.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list.horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
        list.SetRows({"only"});
        QCOMPARE(list.rowCount(), 1);
    }

    void doubleClickChoosesARow() {
        CSidePanelList list;
        list.resize(160, 200);
        list.SetRows({"a", "b", "c"});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy chosen(&list, &CSidePanelList::RowChosen);
        QRect cell = list.visualItemRect(list.item(2, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 2);
        list.ShowRow(1);
        QCOMPARE(list.currentRow(), 1);
        list.ShowRow(9);  // out of range: nothing happens
        QCOMPARE(list.currentRow(), 1);
    }

    void dropDownIsAsWideAsItsWidestEntry() {
        CDropDownCombo combo;
        combo.resize(60, 24);
        combo.addItems({"/dev/ttyS0", "/dev/ttyUSB0(USB-RS485 Cable with a long name - Acme)"});
        combo.show();
        QFontMetrics metrics = combo.fontMetrics();
        int needed = DropDownWidth(metrics, {combo.itemText(0), combo.itemText(1)}, 0);
        QCOMPARE(needed, metrics.horizontalAdvance(combo.itemText(1)));
        combo.showPopup();
        QVERIFY(combo.view()->width() >= needed);
        combo.hidePopup();
    }
};

QTEST_MAIN(ListsTest)
#include "ListsTest.moc"
