#include "ui/DesktopUi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "app/MessageTable.h"
#include "ui/CancelDialog.h"
#include "ui/CancelProgress.h"
#include "ui/ReasonText.h"
#include "ui/UiText.h"
#include "ui/UnitNumberDialog.h"

namespace {

using namespace UiTextNumber;

constexpr std::uint16_t kOkCaption = 202;
constexpr std::uint16_t kCancelCaption = 203;

SCancelTexts CancelTexts(const CMessageTable& catalogue) {
    return {UiText(catalogue, kCancelCaption), UiTextOr(catalogue, kCancelCaption, kCancelName),
            UiText(catalogue, kProgressCount)};
}

constexpr uint16_t kAskingForModel = 410;
constexpr int kModelWaitWindowDelayMs = 300;

}  // namespace

CDesktopUi::CDesktopUi(QWidget* window, const CMessageTable& catalogue, SCallbacks callbacks)
    : m_window(window),
      m_catalogue(catalogue),
      m_callbacks(std::move(callbacks)),
      m_cancel(std::make_unique<CCancelProgress>(CancelTexts(catalogue), window)) {}

CDesktopUi::~CDesktopUi() = default;

CCancelDialog* CDesktopUi::CancelDialog() const { return m_cancel->Dialog(); }

COperatorUi::BoxAnswer CDesktopUi::ShowReason(const SReason& why, BoxStyle style) {
    return MessageBox(ReasonText(why, m_catalogue).toStdString(), style);
}

COperatorUi::BoxAnswer CDesktopUi::MessageBox(const std::string& text, BoxStyle style) {
    const bool yesNo = style == BoxStyle::YesNoWarning;
    const QMessageBox::StandardButton accept = yesNo ? QMessageBox::Yes : QMessageBox::Ok;
    const QMessageBox::StandardButton refuse = yesNo ? QMessageBox::No : QMessageBox::Cancel;
    QMessageBox box(style == BoxStyle::Ok ? QMessageBox::Information : QMessageBox::Warning,
                    m_title, QString::fromStdString(text), accept, m_window);
    if (style != BoxStyle::Ok) {
        box.addButton(refuse);
        // The careful answer is the default: Return alone sends nothing to the controller.
        box.setDefaultButton(refuse);
    }
    // The buttons in the catalogue's words, not in the toolkit's.
    box.button(accept)->setText(UiText(m_catalogue, yesNo ? kYes : kOkCaption));
    if (QAbstractButton* other = box.button(refuse))
        other->setText(UiText(m_catalogue, yesNo ? kNo : kCancelCaption));
    return box.exec() == accept ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

void CDesktopUi::NameOperation(int number, int unit) {
    m_operation = QString::fromStdString(m_catalogue.Get(static_cast<uint16_t>(number)));
    m_operationUnit = unit;
}

QString CDesktopUi::OperationText() const { return m_operation.arg(m_operationUnit); }

void CDesktopUi::StartCancel() {
    m_cancel->SetOperation(OperationText());
    m_cancel->Start();
}

void CDesktopUi::AskingForModel(int unit, int attempt, int attempts) {
    if (attempt == 0) {
        m_modelRequest = 0;
        if (m_cancelForModel) m_cancel->Close();
        m_cancelForModel = false;
        m_cancel->SetOperation(OperationText());
        return;
    }
    m_cancel->SetOperation(QString::fromStdString(m_catalogue.Get(kAskingForModel))
                               .arg(unit)
                               .arg(attempt)
                               .arg(attempts));
    if (m_cancel->Dialog() || attempt > 1) {
        StartModelWaitWindow();
        return;
    }
    // A controller that answers at once shows no window.
    const int request = ++m_requestCount;
    m_modelRequest = request;
    QTimer::singleShot(kModelWaitWindowDelayMs, m_window, [this, request] {
        if (m_modelRequest == request) StartModelWaitWindow();
    });
}

void CDesktopUi::StartModelWaitWindow() {
    if (m_cancel->Dialog()) return;
    m_cancel->Start();
    m_cancelForModel = true;
}

bool CDesktopUi::PollCancel() {
    if (m_cancel->Poll()) return true;
    if (m_pendingStops == 0) return false;
    --m_pendingStops;
    return true;
}

void CDesktopUi::CloseCancel() { m_cancel->Close(); }

void CDesktopUi::Progress(int done, int total) { m_cancel->SetProgress(done, total); }

bool CDesktopUi::AskUnitNumber(int& unit) {
    if (!::AskUnitNumber(m_window, m_catalogue, unit)) return false;
    m_operationUnit = unit;
    return true;
}

// The file dialog's name filter for a kind of file.
QString CDesktopUi::FileFilter(FileKind kind) const {
    const bool csv = kind == FileKind::Csv;
    return UiText(m_catalogue, csv ? kCsvFiles : kParameterSetFiles) +
           (csv ? QStringLiteral(" (*.csv);;") : QStringLiteral(" (*.tmf);;")) +
           UiText(m_catalogue, kAllFiles) + QStringLiteral(" (*)");
}

QString CDesktopUi::StartFolder() const {
    if (!m_fileFolder.isEmpty() && QFileInfo(m_fileFolder).isDir()) return m_fileFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool CDesktopUi::Chosen(const QString& chosen, std::string& path) {
    if (chosen.isEmpty()) return false;
    m_fileFolder = QFileInfo(chosen).absolutePath();
    path = chosen.toStdString();
    return true;
}

bool CDesktopUi::ChooseSaveFile(FileKind kind, const QString& suggested, std::string& path) {
    return Chosen(QFileDialog::getSaveFileName(
                      m_window, m_title, QDir(StartFolder()).filePath(suggested), FileFilter(kind)),
                  path);
}

bool CDesktopUi::ChooseOpenFile(FileKind kind, std::string& path) {
    return Chosen(QFileDialog::getOpenFileName(m_window, m_title, StartFolder(), FileFilter(kind)),
                  path);
}

void CDesktopUi::RefreshView() {
    if (m_callbacks.refreshView) m_callbacks.refreshView();
}

void CDesktopUi::PumpEvents() { QCoreApplication::processEvents(); }

void CDesktopUi::BusyChanged(bool busy) {
    // A stop asked for between operations belongs to none of them.
    m_pendingStops = 0;
    if (m_window) m_window->setEnabled(!busy);
    if (m_callbacks.busyChanged) m_callbacks.busyChanged(busy);
}
