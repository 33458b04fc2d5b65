#include "ui/ResizableDialog.h"

#include <QResizeEvent>
#include <QShowEvent>

#include "ui/Anchors.h"

CResizableDialog::CResizableDialog(QWidget* parent) : QDialog(parent) {
    setSizeGripEnabled(true);
    setAutoFillBackground(true);
}

void CResizableDialog::AddAnchor(QWidget* control, int flags) {
    if (!m_lastSize.isValid()) m_lastSize = m_creationSize = size();
    m_anchors.push_back({control, flags});
}

void CResizableDialog::showEvent(QShowEvent* event) {
    if (!m_minimumFixed) {
        m_minimumFixed = true;
        setMinimumSize(m_creationSize.isValid() ? m_creationSize : size());
    }
    QDialog::showEvent(event);
}

void CResizableDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isMinimized()) return;
    QSize now = event->size();
    if (m_lastSize.isValid()) {
        int dw = now.width() - m_lastSize.width();
        int dh = now.height() - m_lastSize.height();
        for (const Anchor& a : m_anchors) {
            if (!a.control) continue;
            QRect moved = ApplyAnchor(a.control->geometry(), a.flags, dw, dh);
            if (moved != a.control->geometry()) {
                a.control->setGeometry(moved);
                a.control->update();
            }
        }
    }
    m_lastSize = now;
}
