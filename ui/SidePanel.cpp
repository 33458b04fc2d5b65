#include "ui/SidePanel.h"

#include <QVBoxLayout>

#include "ui/MainDialogRules.h"
#include "ui/SidePanelList.h"

CSidePanel::CSidePanel(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint),
      m_main(mainWindow),
      m_rows(new CSidePanelList(this)) {
    m_rows->setAccessibleName(tr("Parameters"));
    setWindowTitle(m_rows->accessibleName() + QStringLiteral(" - ") + mainWindow->windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_rows);
    connect(&m_timer, &QTimer::timeout, this, &CSidePanel::Step);
}

void CSidePanel::Toggle() {
    if (m_sliding) return;
    m_sliding = true;
    m_opening = !m_open;
    m_shown = m_open ? SidePanelWidth(m_main->frameGeometry()) : 0;
    if (slidingChanged) slidingChanged(true);
    m_timer.setSingleShot(true);
    m_timer.start(kSlideDelayMs);
}

void CSidePanel::Step() {
    if (m_timer.isSingleShot()) {
        m_timer.setSingleShot(false);
        m_timer.start(kSlideTickMs);
        if (m_opening) {
            m_shown = 0;
            Follow();
            show();
        }
    }
    const int width = SidePanelWidth(m_main->frameGeometry());
    const int step = SlideStep(width);
    m_shown = m_opening ? m_shown + step : m_shown - step;
    if (m_opening ? m_shown < width : m_shown > 0) {
        Follow();
        return;
    }
    m_timer.stop();
    m_sliding = false;
    m_open = m_opening;
    m_shown = m_open ? width : 0;
    if (m_open)
        Follow();
    else
        hide();
    if (slidingChanged) slidingChanged(false);
}

void CSidePanel::Follow() {
    const int full = SidePanelWidth(m_main->frameGeometry());
    const int shown = m_sliding ? m_shown : (m_open ? full : 0);
    setGeometry(SidePanelRect(m_main->frameGeometry(), m_main->geometry(), shown));
}
