#pragma once

#include <QAbstractButton>
#include <QColor>

// A small button filled with one colour.
class CColourButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit CColourButton(QWidget* parent = nullptr);

    void SetColour(const QColor& colour);
    QColor Colour() const { return m_colour; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_colour;
};
