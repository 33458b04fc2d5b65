#include "ui/LampControl.h"

#include <QElapsedTimer>
#include <QPainter>

#include "ui/Accessibility.h"

namespace {

qint64 SteadyMilliseconds() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

}  // namespace

CLampControl::CLampControl(QWidget* parent)
    : QWidget(parent), m_timer(this), m_clock(SteadyMilliseconds) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CLampControl::CheckAutoOff);
    InstallAccessibleFactory();
}

void CLampControl::SetCaption(const QString& caption) {
    m_caption = caption;
    setAccessibleName(caption);
    update();
}

void CLampControl::SetStateTexts(const QString& lit, const QString& dark) {
    m_litText = lit;
    m_darkText = dark;
    TellState();
}

void CLampControl::TellState() { setAccessibleDescription(m_lit ? m_litText : m_darkText); }

void CLampControl::SetOnColour(const QColor& colour) {
    m_onColour = colour;
    update();
}

void CLampControl::Light() {
    if (!m_lit) {
        m_lit = true;
        TellState();
        update();
    }
    if (!m_autoOff || m_onDuration == 0) return;
    m_darkAt = m_clock() + m_onDuration;
    // A running timer is left alone: when it fires early it re-arms for the rest.
    if (!m_timer.isActive()) m_timer.start(m_onDuration);
}

void CLampControl::Darken() {
    if (!m_lit) return;
    m_lit = false;
    TellState();
    update();
}

void CLampControl::CheckAutoOff() {
    if (!m_lit) return;
    qint64 left = m_darkAt - m_clock();
    if (left > 0) {
        m_timer.start(static_cast<int>(left));
        return;
    }
    Darken();
}

void CLampControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    // Black on a light face, light on a dark one.
    painter.setPen(palette().color(QPalette::ButtonText));
    QRect upper(0, 0, width(), height() / 2);
    painter.drawText(upper, Qt::AlignCenter, m_caption);
    int diameter = height() / 2;
    QRect circle((width() - diameter) / 2, height() - diameter, diameter, diameter);
    painter.setRenderHint(QPainter::Antialiasing);
    // A dark lamp keeps an outline, so that it stands out of a dark face too.
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(m_lit ? m_onColour : palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawEllipse(circle.adjusted(1, 1, -1, -1));
}
