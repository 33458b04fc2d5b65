#include "ui/SidePanelList.h"

#include <QHeaderView>
#include <QKeyEvent>

CSidePanelList::CSidePanelList(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(1);
    setHorizontalHeaderLabels({QString()});
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    verticalHeader()->hide();
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { emit RowChosen(row); });
}

void CSidePanelList::SetRows(const std::vector<SSidePanelRow>& rows) {
    clearContents();
    setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < rowCount(); ++i) {
        const SSidePanelRow& row = rows[static_cast<std::size_t>(i)];
        auto* item = new QTableWidgetItem(QString::fromUtf8(row.text));
        item->setToolTip(QString::fromUtf8(row.toolTip));
        setItem(i, 0, item);
    }
}

void CSidePanelList::ShowRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    selectRow(row);
    scrollToItem(item(row, 0));
}

void CSidePanelList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        currentRow() >= 0) {
        emit RowChosen(currentRow());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
