#include "ui/StatusLine.h"

#include <QFocusEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

CStatusLine::CStatusLine(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(true);
    // Tab reaches it, so that the keyboard can read a text wider than the field.
    setFocusPolicy(Qt::TabFocus);
}

void CStatusLine::Show(const QString& head, const QString& givingWay, const QString& tail) {
    m_head = head;
    m_givingWay = givingWay;
    m_tail = tail;
    setToolTip(Whole());
    setAccessibleDescription(Whole());
    if (!hasFocus())
        ShowFromStart(Fitted());
    else if (text() != Whole())  // the same text keeps the operator's place in it
        ShowFromStart(Whole());
}

QString CStatusLine::Whole() const { return m_head + m_givingWay + m_tail; }

QString CStatusLine::Fitted() const {
    const QFontMetrics metrics(font());
    const int room = Room();
    const auto fits = [&](const QString& text) { return metrics.horizontalAdvance(text) <= room; };
    QString shown = Whole();
    // The parts measured alone add up to a little less than the line (kerning, rounding).
    constexpr int kStep = 4;
    for (int allowance = room - metrics.horizontalAdvance(m_head + m_tail);
         !fits(shown) && !m_givingWay.isEmpty() && allowance > -kStep; allowance -= kStep) {
        shown = m_head + metrics.elidedText(m_givingWay, Qt::ElideRight, std::max(allowance, 0)) +
                m_tail;
    }
    return fits(shown) ? shown : metrics.elidedText(shown, Qt::ElideRight, room);
}

int CStatusLine::Room() const {
    constexpr int kTextMargin = 2;  // QLineEdit's own, on each side of the text
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).width() - 2 * kTextMargin;
}

void CStatusLine::ShowFromStart(const QString& text) {
    setText(text);
    setCursorPosition(0);
}

void CStatusLine::focusInEvent(QFocusEvent* event) {
    ShowFromStart(Whole());
    QLineEdit::focusInEvent(event);
}

void CStatusLine::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The context menu takes the focus for a while; its Copy wants the whole text.
    if (event->reason() != Qt::PopupFocusReason) ShowFromStart(Fitted());
}

void CStatusLine::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    if (!hasFocus()) ShowFromStart(Fitted());
}
