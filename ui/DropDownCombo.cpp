#include "ui/DropDownCombo.h"

#include <QAbstractItemView>
#include <QStyle>

int DropDownWidth(const QFontMetrics& metrics, const QStringList& entries, int scrollBarWidth) {
    int widest = 0;
    for (const QString& entry : entries)
        widest = std::max(widest, metrics.horizontalAdvance(entry));
    return widest + scrollBarWidth;
}

CDropDownCombo::CDropDownCombo(QWidget* parent) : QComboBox(parent) {}

void CDropDownCombo::showPopup() {
    QStringList entries;
    for (int i = 0; i < count(); ++i) entries << itemText(i);
    int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // Room for the list's own frame and item margins.
    int margins = 2 * view()->frameWidth() + 8;
    view()->setMinimumWidth(DropDownWidth(fontMetrics(), entries, scrollBar) + margins);
    QComboBox::showPopup();
}
