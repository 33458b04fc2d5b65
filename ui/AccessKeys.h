#pragma once

#include <QChar>
#include <QKeySequence>
#include <QString>
#include <cstdint>

class CImageButton;
class CMessageTable;
class CSkinLabel;
class QLabel;

// Alt+letter keys of the small windows. The catalogue gives each field and button its letter,
// so that a translation picks letters of its own captions.

// The letter of catalogue entry `number`: a single letter or digit, anything else is none.
QChar AccessKey(const CMessageTable& catalogue, std::uint16_t number);

// Alt and the letter; empty without a letter.
QKeySequence AccessKeySequence(QChar key);

// The caption with "&" before the first occurrence of the letter (either case) and its own "&"
// doubled, as QLabel and drawText(Qt::TextShowMnemonic) take it.
QString MarkAccessKey(const QString& caption, QChar key);

// The label shows `caption` with the letter underlined (after it in brackets when the caption
// lacks it), and Alt and the letter give the label's buddy the focus.
void SetLabelAccessKey(QLabel* label, const QString& caption, QChar key);

// Alt and the letter press the button; its caption tile underlines the letter and its tool tip
// names the key.
void SetButtonAccessKey(CImageButton* button, CSkinLabel* caption, QChar key);
