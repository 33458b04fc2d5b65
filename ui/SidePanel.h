#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/MainDialogRules.h"

class CSidePanelList;
class QPushButton;

// The parameter list that slides out of the main window's left edge.  It follows
// the main window; a toggle starts its slide out or back in.
class CSidePanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSlideDelayMs = 500;
    static constexpr int kSlideTickMs = 10;

    explicit CSidePanel(QWidget* mainWindow);

    CSidePanelList* Rows() const { return m_rows; }
    // Opens verify's results; enabled while there are some.
    QPushButton* ResultsButton() const { return m_results; }
    // Starts the slide out (when hidden) or in (when shown); ignored while sliding.
    void Toggle();
    bool IsOpen() const { return m_open; }
    bool IsSliding() const { return m_sliding; }
    // Places the panel beside the main window again.
    void Follow();
    // Which edge of the main window the panel slides out of; set before it opens.
    void SetSide(EPanelSide side) { m_side = side; }

    // Called when a slide starts (true) and ends (false).
    std::function<void(bool)> slidingChanged;

  private:
    void StartSlide();
    void Step();

    QWidget* m_main;
    CSidePanelList* m_rows;
    QPushButton* m_results;
    QTimer m_timer;
    bool m_open = false;
    bool m_sliding = false;
    bool m_opening = false;
    int m_shown = 0;
    EPanelSide m_side = EPanelSide::Left;
};
