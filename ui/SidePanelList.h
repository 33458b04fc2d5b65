#pragma once

#include <QTableWidget>
#include <string>
#include <vector>

#include "ui/SidePanelRows.h"

// The side panel's list: one row per parameter in a single full-width column with grid
// lines and whole-row selection; a row's tool tip holds its full text.
class CSidePanelList : public QTableWidget {
    Q_OBJECT
  public:
    explicit CSidePanelList(QWidget* parent = nullptr);

    // UTF-8 row texts and tool tips.
    void SetRows(const std::vector<SSidePanelRow>& rows);
    // Selects a row and scrolls it into view.
    void ShowRow(int row);

  signals:
    // A row was double-clicked, or Return, Enter or Space pressed on it.
    void RowChosen(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
