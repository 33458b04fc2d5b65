#pragma once

#include <QDialog>

#include "app/ConfigFiles.h"
#include "protocol/FramePort.h"
#include "serial/CommSettings.h"

class CImageButton;
class CMessageTable;
class QLineEdit;

// The maintenance dialog: one frame typed by hand with bracketed mnemonics, completed
// with its check value, sent with retries, and its response shown field by field.
class CDirectCommandDialog : public QDialog {
    Q_OBJECT
  public:
    // Removes the maintenance file: maintenance mode lasts for one run.
    CDirectCommandDialog(const CMessageTable& catalogue, const MaintenanceSettings& maintenance,
                         const CCommSettings& settings = {}, QWidget* parent = nullptr);
    ~CDirectCommandDialog() override;

    void Send();
    void ApplySettings(const CCommSettings& settings);
    bool IsBusy() const { return m_busy; }
    CFramePort& Port() { return m_port; }

    QLineEdit* CommandField() const { return m_command; }
    QLineEdit* SentField() const { return m_sent; }
    QLineEdit* ResponseField() const { return m_response; }
    QLineEdit* LineField() const { return m_line; }
    CImageButton* SendButton() const { return m_send; }
    CImageButton* ExitButton() const { return m_exit; }
    // The button Enter in the command field presses: Send, unless Tab last went to Exit or
    // ComSet.
    CImageButton* DefaultButton() const { return m_default; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void SelectCommand();
    void ComSetPressed();
    void ExitPressed();
    void ShowLineSettings();

    const CMessageTable& m_catalogue;
    MaintenanceSettings m_maintenance;
    CCommSettings m_settings;
    CFramePort m_port;
    bool m_busy = false;
    QLineEdit* m_command = nullptr;
    QLineEdit* m_sent = nullptr;
    QLineEdit* m_response = nullptr;
    QLineEdit* m_line = nullptr;
    CImageButton* m_send = nullptr;
    CImageButton* m_comSet = nullptr;
    CImageButton* m_exit = nullptr;
    CImageButton* m_default = nullptr;
};

// "%s %d %d %d %s": port, baud rate, data bits, stop bits and the parity's name.
std::string FormatLineSettings(const CCommSettings& settings, const CMessageTable& catalogue);
