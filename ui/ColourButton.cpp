#include "ui/ColourButton.h"

#include <QPainter>

CColourButton::CColourButton(QWidget* parent)
    : QAbstractButton(parent), m_colour(palette().color(QPalette::Button)) {
    setFocusPolicy(Qt::NoFocus);
}

void CColourButton::SetColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void CColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QColor fill = !isEnabled() ? palette().color(QPalette::Button)
                  : isDown()   ? m_colour.darker(130)
                               : m_colour;
    painter.fillRect(rect(), fill);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
