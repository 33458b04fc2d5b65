#include "ui/VerifyResultsDialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

CVerifyResultsDialog::CVerifyResultsDialog(const QString& title, const VerifyRow& headers,
                                           QWidget* parent)
    : QDialog(parent), m_headers(headers), m_table(new QTableWidget(this)) {
    setWindowTitle(title);
    setModal(false);
    m_table->setAccessibleName(title);
    m_table->setColumnCount(static_cast<int>(headers.size()));
    QStringList labels;
    for (const std::string& header : headers) labels << QString::fromStdString(header);
    m_table->setHorizontalHeaderLabels(labels);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setTabKeyNavigation(false);  // Tab leaves the table, arrows move in it
    auto* copy = new QAction(m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(CopyText()); });
    m_table->addAction(copy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    resize(560, 360);
}

void CVerifyResultsDialog::SetRows(const std::vector<VerifyRow>& rows) {
    m_rows = rows;
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const VerifyRow& row = rows[static_cast<size_t>(r)];
        for (int c = 0; c < m_table->columnCount(); ++c)
            m_table->setItem(
                r, c, new QTableWidgetItem(QString::fromStdString(row[static_cast<size_t>(c)])));
    }
    // The keyboard starts at the first row without selecting it: Ctrl+C still copies them all.
    if (!rows.empty())
        m_table->selectionModel()->setCurrentIndex(m_table->model()->index(0, 0),
                                                   QItemSelectionModel::NoUpdate);
}

QString CVerifyResultsDialog::CopyText() const {
    std::vector<VerifyRow> chosen{m_headers};
    const bool all = m_table->selectionModel()->selectedRows().isEmpty();
    for (int r = 0; r < m_table->rowCount(); ++r)
        if (all || m_table->selectionModel()->isRowSelected(r))
            chosen.push_back(m_rows[static_cast<size_t>(r)]);
    return QString::fromStdString(TabSeparated(chosen));
}
