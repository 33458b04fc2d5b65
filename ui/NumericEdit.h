#pragma once

#include <QLineEdit>
#include <functional>

// An edit that only ever holds digits, optionally with one decimal separator and a leading
// minus sign (NumericFlag values). Typed and pasted text that would break the rule is
// refused whole.
class CNumericEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit CNumericEdit(QWidget* parent = nullptr, int flags = 0);

    void SetFlags(int flags) { m_flags = flags; }
    int Flags() const { return m_flags; }
    char DecimalSeparator() const { return m_separator; }
    // Offered every Enter key; answering true swallows it.
    void SetEnterHook(std::function<bool()> hook) { m_enterHook = std::move(hook); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int m_flags;
    char m_separator;
    std::function<bool()> m_enterHook;
};
