#pragma once

#include <QComboBox>
#include <QFontMetrics>
#include <QStringList>

// Width of a drop-down list that shows its widest entry whole, beside a scroll bar.
int DropDownWidth(const QFontMetrics& metrics, const QStringList& entries, int scrollBarWidth);

// A combo box whose opened list is as wide as its widest entry (and never narrower than
// the box).
class CDropDownCombo : public QComboBox {
    Q_OBJECT
  public:
    explicit CDropDownCombo(QWidget* parent = nullptr);

    void showPopup() override;
};
