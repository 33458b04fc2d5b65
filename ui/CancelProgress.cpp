#include "ui/CancelProgress.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "ui/CancelDialog.h"

CCancelProgress::CCancelProgress(SCancelTexts texts, QWidget* mainWindow)
    : m_texts(std::move(texts)), m_mainWindow(mainWindow) {}

CCancelProgress::~CCancelProgress() { Close(); }

void CCancelProgress::Start() {
    if (m_dialog) return;
    m_dialog = new CCancelDialog(m_texts);
    m_dialog->SetOperation(m_operation);
    m_dialog->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        m_dialog->move(area.center() - m_dialog->rect().center());
    }
    // No parent widget, so that disabling the busy main window leaves the stop window
    // enabled; but the main window is its transient parent: the window manager keeps it
    // above the main window, and the main window's modality under exec() does not block it.
    if (m_mainWindow && m_mainWindow->window()->windowHandle()) {
        m_dialog->winId();
        m_dialog->windowHandle()->setTransientParent(m_mainWindow->window()->windowHandle());
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

bool CCancelProgress::Poll() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return m_dialog && m_dialog->TakeStopRequest();
}

void CCancelProgress::SetProgress(int done, int total) {
    if (m_dialog) m_dialog->SetProgress(done, total);
}

void CCancelProgress::SetOperation(const QString& operation) {
    m_operation = operation;
    if (m_dialog) m_dialog->SetOperation(operation);
}

void CCancelProgress::Close() {
    if (!m_dialog) return;
    if (m_mainWindow) {
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
    m_dialog->Finish();
    m_dialog = nullptr;
}
