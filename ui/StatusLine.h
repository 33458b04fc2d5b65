#pragma once

#include <QLineEdit>

// The main window's status line: the line settings and what happened last, on one line. A text
// wider than the field is cut with "…", first in the part that may give way, then at its end.
// The whole text is the tool tip and the accessible description, and while the field has the
// keyboard focus it shows whole, so that the cursor keys scroll through it and Copy takes it.
class CStatusLine : public QLineEdit {
    Q_OBJECT
  public:
    explicit CStatusLine(QWidget* parent = nullptr);

    // Shows head + givingWay + tail; givingWay is cut first when the whole does not fit.
    void Show(const QString& head, const QString& givingWay = {}, const QString& tail = {});

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QString Whole() const;
    // The text as it fits the field now.
    QString Fitted() const;
    // The width the field has for its text.
    int Room() const;
    void ShowFromStart(const QString& text);

    QString m_head, m_givingWay, m_tail;
};
