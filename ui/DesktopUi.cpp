#include "ui/DesktopUi.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

CDesktopUi::CDesktopUi(QWidget* window, SCallbacks callbacks)
    : m_window(window), m_callbacks(std::move(callbacks)) {}

CDesktopUi::~CDesktopUi() { delete m_cancel; }

void CDesktopUi::SetCancelTexts(const QString& label, const QString& stop) {
    m_cancelLabel = label;
    m_stopText = stop;
}

COperatorUi::BoxAnswer CDesktopUi::MessageBox(const std::string& text, BoxStyle style) {
    const QString body = QString::fromStdString(text);
    if (style == BoxStyle::Ok) {
        QMessageBox::information(m_window, m_title, body);
        return BoxAnswer::Ok;
    }
    const auto pressed = QMessageBox::warning(m_window, m_title, body,
                                              QMessageBox::Ok | QMessageBox::Cancel,
                                              QMessageBox::Ok);
    return pressed == QMessageBox::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

void CDesktopUi::StartCancel() {
    if (m_cancel) return;
    // The main window is disabled while the session works, so the dialog has no parent
    // that would disable it along.
    m_cancel = new QProgressDialog(m_cancelLabel, m_stopText, 0, 0);
    m_cancel->setWindowTitle(m_title);
    m_cancel->setWindowModality(Qt::NonModal);
    m_cancel->setAutoClose(false);
    m_cancel->setAutoReset(false);
    m_cancel->setMinimumDuration(0);
    m_stopRequested = false;
    QObject::connect(m_cancel, &QProgressDialog::canceled, [this] { m_stopRequested = true; });
    m_cancel->show();
    QCoreApplication::processEvents();
}

bool CDesktopUi::PollCancel() {
    QCoreApplication::processEvents();
    const bool stop = m_stopRequested;
    m_stopRequested = false;
    return stop;
}

void CDesktopUi::CloseCancel() {
    delete m_cancel;
    m_stopRequested = false;
}

void CDesktopUi::Progress(int done, int total) {
    if (!m_cancel) return;
    m_cancel->setMaximum(total > 0 ? total : 0);
    m_cancel->setValue(total > 0 ? std::min(done, total) : 0);
}

bool CDesktopUi::AskUnitNumber(int& unit) {
    bool ok = false;
    const int answer =
        QInputDialog::getInt(m_window, m_title, m_unitQuestion, unit, 0, 99, 1, &ok);
    if (ok) unit = answer;
    return ok;
}

QString FileFilter(COperatorUi::FileKind kind) {
    return kind == COperatorUi::FileKind::Csv ? QStringLiteral("CSV (*.csv);;* (*)")
                                              : QStringLiteral("Parameter set (*.tmf);;* (*)");
}

bool CDesktopUi::ChooseSaveFile(FileKind kind, const std::string& suggested, std::string& path) {
    const QString chosen = QFileDialog::getSaveFileName(
        m_window, m_title, QString::fromStdString(suggested), FileFilter(kind));
    if (chosen.isEmpty()) return false;
    path = chosen.toStdString();
    return true;
}

bool CDesktopUi::ChooseOpenFile(FileKind kind, std::string& path) {
    const QString chosen = QFileDialog::getOpenFileName(m_window, m_title, {}, FileFilter(kind));
    if (chosen.isEmpty()) return false;
    path = chosen.toStdString();
    return true;
}

void CDesktopUi::RefreshView() {
    if (m_callbacks.refreshView) m_callbacks.refreshView();
}

void CDesktopUi::RefreshSidePanel() {
    if (m_callbacks.refreshSidePanel) m_callbacks.refreshSidePanel();
}

void CDesktopUi::OpenSidePanel() {
    if (m_callbacks.openSidePanel) m_callbacks.openSidePanel();
}

void CDesktopUi::PumpEvents() { QCoreApplication::processEvents(); }

void CDesktopUi::BusyChanged(bool busy) {
    if (m_window) m_window->setEnabled(!busy);
    if (m_callbacks.busyChanged) m_callbacks.busyChanged(busy);
}
