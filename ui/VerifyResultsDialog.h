#pragma once

#include <QDialog>

#include "ui/VerifyResults.h"

class QTableWidget;

// Verify's results as a table the keyboard reaches: parameter, file value, controller value,
// status. Ctrl+C copies the selected rows (all when none is selected) as tab-separated text,
// headers first. It does not block the main window.
class CVerifyResultsDialog : public QDialog {
    Q_OBJECT
  public:
    CVerifyResultsDialog(const QString& title, const VerifyRow& headers, QWidget* parent);

    void SetRows(const std::vector<VerifyRow>& rows);
    QTableWidget* Table() const { return m_table; }
    // What Ctrl+C puts on the clipboard.
    QString CopyText() const;

  private:
    VerifyRow m_headers;
    std::vector<VerifyRow> m_rows;
    QTableWidget* m_table;
};
