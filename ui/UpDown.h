#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down buttons that step the number in a buddy edit within a range; the buddy's
// Up and Down keys step it too.
class CUpDown : public QWidget {
    Q_OBJECT
  public:
    explicit CUpDown(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy);
    void SetRange(int min, int max);
    // What a screen reader calls the two arrows.
    void SetNames(const QString& up, const QString& down);
    void Step(int delta);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QLineEdit> m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_min = 0;
    int m_max = 100;
};
