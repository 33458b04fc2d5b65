#include "ui/NumericEdit.h"

#include <QKeyEvent>
#include <QValidator>

#include "ui/NumericText.h"

namespace {

// Judges every change, typed or pasted, so that both follow one rule.
class NumericValidator : public QValidator {
  public:
    explicit NumericValidator(const CNumericEdit* edit) : QValidator(nullptr), m_edit(edit) {}
    State validate(QString& input, int&) const override {
        return IsAcceptableNumericText(input.toStdString(), m_edit->Flags(),
                                       m_edit->DecimalSeparator())
                   ? Acceptable
                   : Invalid;
    }

  private:
    const CNumericEdit* m_edit;
};

bool IsStandardEditShortcut(int key) {
    return key == Qt::Key_A || key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X ||
           key == Qt::Key_Z;
}

}  // namespace

CNumericEdit::CNumericEdit(QWidget* parent, int flags)
    : QLineEdit(parent), m_flags(flags), m_separator(LocaleDecimalSeparator()) {
    auto* validator = new NumericValidator(this);
    validator->setParent(this);
    setValidator(validator);
}

void CNumericEdit::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_enterHook && m_enterHook()) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Control characters other than the standard edit commands are dropped.
    if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z &&
        !IsStandardEditShortcut(key)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
