#pragma once

#include <QDialog>

class CMessageTable;
class CNumericEdit;
class CUpDown;
class CSkinLabel;

// Asks for the unit number of the controller to talk to (0..99).
class CUnitNumberDialog : public QDialog {
    Q_OBJECT
  public:
    CUnitNumberDialog(const CMessageTable& messages, int unitNumber, QWidget* parent = nullptr);

    // The accepted number; unchanged after Cancel.
    int UnitNumber() const { return m_unitNumber; }
    CNumericEdit* Edit() const { return m_edit; }
    CUpDown* Spin() const { return m_spin; }

  public slots:
    // OK and Enter: a number in 0..99 closes with OK; anything else shows "ERROR" and
    // keeps the dialog open with the text unchanged.
    void accept() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int m_unitNumber;
    CSkinLabel* m_prompt;
    CNumericEdit* m_edit;
    CUpDown* m_spin;
};

// The session's unit-number question for the desktop program: true with `unitNumber` set
// after OK, false with it unchanged after Cancel.
bool AskUnitNumber(QWidget* parent, const CMessageTable& messages, int& unitNumber);

// The "ERROR" box of the small dialogs: stop icon, the dialog's own title as caption.
void ShowInputErrorBox(QWidget* dialog);
