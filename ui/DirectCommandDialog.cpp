#include "ui/DirectCommandDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/MessageTable.h"
#include "protocol/CommLog.h"
#include "protocol/DirectCommand.h"
#include "ui/Faces.h"
#include "ui/ImageButton.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/SkinLabel.h"
#include "ui/UiText.h"

std::string FormatLineSettings(const CCommSettings& s, const CMessageTable& catalogue) {
    return s.portName + " " + std::to_string(s.baudRate) + " " + std::to_string(s.dataBits) + " " +
           std::to_string(s.stopBits) + " " + catalogue.Get(static_cast<uint16_t>(310 + s.parity));
}

CDirectCommandDialog::CDirectCommandDialog(const CMessageTable& catalogue,
                                           const MaintenanceSettings& maintenance,
                                           const CCommSettings& settings, QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue), m_maintenance(maintenance), m_settings(settings) {
    setWindowTitle(QString::fromStdString(ReadWindowTitle()));
    resize(560, 230);

    auto label = [this](int number, const QRect& where) {
        auto* caption = new CSkinLabel(this);
        caption->UseCaptionFontOf(*this);
        caption->SetAlignment(kAlignLeft | kAlignBottom);
        caption->SetText(m_catalogue.Get(static_cast<uint16_t>(number)));
        caption->setGeometry(where);
        return caption;
    };
    auto field = [this](const QRect& where, bool readOnly) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(readOnly);
        edit->setGeometry(where);
        return edit;
    };
    auto button = [this](const char* face, const QRect& where) {
        auto* b = new CImageButton(this);
        b->SetFaces(FacePath(face), FacePath("Disable.bmp"));
        b->setGeometry(where);
        b->setCheckable(false);
        return b;
    };
    label(100, {12, 6, 200, 20});
    m_command = field({12, 28, 400, 24}, false);
    label(102, {12, 56, 200, 20});
    m_sent = field({12, 78, 400, 24}, true);
    label(101, {12, 106, 200, 20});
    m_response = field({12, 128, 400, 24}, true);
    m_line = field({12, 190, 400, 24}, true);
    label(102, {424, 6, 60, 20});
    m_send = button("Send.bmp", {430, 28, 44, 44});
    label(200, {488, 6, 60, 20});
    m_comSet = button("ComSet.bmp", {494, 28, 44, 44});
    label(201, {488, 96, 60, 20});
    m_exit = button("Exit.bmp", {494, 118, 44, 44});
    m_default = m_send;
    using namespace UiTextNumber;
    auto name = [this](QWidget* w, std::uint16_t number, std::uint16_t otherwise) {
        w->setAccessibleName(UiTextOr(m_catalogue, number, otherwise));
        w->setToolTip(w->accessibleName());
    };
    name(m_send, 102, kSendName);
    name(m_comSet, 200, kFirstButtonName + 1);
    name(m_exit, 201, kFirstButtonName);
    name(m_command, 100, kCommandName);
    name(m_sent, 102, kSentName);
    name(m_response, 101, kResponseName);
    m_line->setAccessibleName(UiText(m_catalogue, kLineSettings));

    connect(m_send, &QAbstractButton::clicked, this, &CDirectCommandDialog::Send);
    connect(m_comSet, &QAbstractButton::clicked, this, &CDirectCommandDialog::ComSetPressed);
    connect(m_exit, &QAbstractButton::clicked, this, &CDirectCommandDialog::ExitPressed);
    m_command->installEventFilter(this);
    m_port.SetPumpHook([] { QCoreApplication::processEvents(); });
    m_port.SetErrorReporter([this](const std::string& text) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
    });

    std::remove(MaintenanceFilePath().c_str());
    ShowLineSettings();
    m_port.SetSettings(m_settings.portName, m_settings.baudRate, m_settings.dataBits,
                       m_settings.stopBits, m_settings.parity);
    LogEvent("OpenQuadrel start.");
}

CDirectCommandDialog::~CDirectCommandDialog() = default;

void CDirectCommandDialog::ShowLineSettings() {
    m_line->setText(QString::fromStdString(FormatLineSettings(m_settings, m_catalogue)));
}

void CDirectCommandDialog::Send() {
    if (m_busy) return;
    m_busy = true;
    setEnabled(false);
    const std::string typed = m_command->text().toStdString();
    if (!typed.empty()) {
        const SDirectFrame frame = CompleteDirectCommand(typed);
        m_sent->setText(QString::fromStdString(frame.sentText));
        if (m_port.Open()) {
            const SDirectResult result =
                SendDirectCommand(m_port, frame, m_maintenance.retry, m_maintenance.timeOut);
            m_response->setText(QString::fromStdString(result.responseText));
        }
        m_port.Close();
    }
    setEnabled(true);
    m_busy = false;
    if (!typed.empty()) SelectCommand();
}

void CDirectCommandDialog::SelectCommand() {
    const std::string typed = m_command->text().toStdString();
    const STextRange range = CommandSelection(typed);
    m_command->setFocus();
    // The range counts bytes; the field holds what was typed, which is ASCII for any frame.
    m_command->setSelection(static_cast<int>(range.first),
                            static_cast<int>(range.last - range.first));
}

void CDirectCommandDialog::ApplySettings(const CCommSettings& settings) {
    m_settings = settings;
    m_port.Close();
    ShowLineSettings();
    m_port.SetSettings(m_settings.portName, m_settings.baudRate, m_settings.dataBits,
                       m_settings.stopBits, m_settings.parity);
}

void CDirectCommandDialog::ComSetPressed() {
    if (m_busy) return;
    CSerialSettingsDialog dialog(m_catalogue, this);
    // The unit number stays editable but has no use here.
    dialog.SetInput(m_settings, 0);
    if (dialog.exec() == QDialog::Accepted) ApplySettings(dialog.Settings());
}

void CDirectCommandDialog::ExitPressed() {
    if (m_busy) return;
    LogEvent("OpenQuadrel end.");
    done(QDialog::Accepted);
}

bool CDirectCommandDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_command && event->type() == QEvent::FocusIn)
        // After the line edit's own selection on focus.
        QTimer::singleShot(0, this, [this] {
            if (m_command->hasFocus()) SelectCommand();
        });
    return QDialog::eventFilter(watched, event);
}

void CDirectCommandDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter acts only from the command field, on the default button.
            if (m_command->hasFocus()) m_default->click();
            event->accept();
            return;
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

bool CDirectCommandDialog::focusNextPrevChild(bool next) {
    const bool moved = QDialog::focusNextPrevChild(next);
    QWidget* now = focusWidget();
    m_default = now == m_exit || now == m_comSet ? static_cast<CImageButton*>(now) : m_send;
    return moved;
}

void CDirectCommandDialog::reject() {
    // Only Exit (or the close box) ends maintenance mode.
}

void CDirectCommandDialog::closeEvent(QCloseEvent* event) {
    if (m_busy) {
        event->ignore();
        return;
    }
    LogEvent("OpenQuadrel end.");
    done(QDialog::Rejected);
    event->accept();
}
