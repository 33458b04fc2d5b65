#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>
#include <functional>

// An indicator lamp: a caption over a round light. With auto-off on, a lit lamp goes dark
// by itself after its on-duration; lighting it again while lit extends that time.
class CLampControl : public QWidget {
    Q_OBJECT
  public:
    // Milliseconds of a steady clock; replaceable so that timing can be checked without
    // waiting.
    using Clock = std::function<qint64()>;

    explicit CLampControl(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    // What assistive technology hears as the lamp's state (its description), lit and dark.
    void SetStateTexts(const QString& lit, const QString& dark);
    const QString& Caption() const { return m_caption; }
    void SetAutoOff(bool on) { m_autoOff = on; }
    void SetOnDuration(int milliseconds) { m_onDuration = milliseconds; }
    void SetOnColour(const QColor& colour);
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    void Light();
    void Darken();
    bool IsLit() const { return m_lit; }
    QColor OnColour() const { return m_onColour; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private slots:
    void CheckAutoOff();

  private:
    void TellState();

    QString m_caption;
    QString m_litText, m_darkText;
    bool m_lit = false;
    bool m_autoOff = false;
    int m_onDuration = 200;
    QColor m_onColour{0, 255, 0};
    QTimer m_timer;
    qint64 m_darkAt = 0;
    Clock m_clock;
};
