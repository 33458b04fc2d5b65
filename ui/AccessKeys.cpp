#include "ui/AccessKeys.h"

#include <QLabel>

#include "app/MessageTable.h"
#include "ui/ImageButton.h"
#include "ui/SkinLabel.h"

QChar AccessKey(const CMessageTable& catalogue, std::uint16_t number) {
    const QString text = QString::fromStdString(catalogue.Get(number)).trimmed();
    return text.size() == 1 && text[0].isLetterOrNumber() ? text[0] : QChar();
}

QKeySequence AccessKeySequence(QChar key) {
    return key.isNull() ? QKeySequence() : QKeySequence::mnemonic(QStringLiteral("&") + key);
}

QString MarkAccessKey(const QString& caption, QChar key) {
    QString marked = caption;
    marked.replace(u'&', QStringLiteral("&&"));
    if (key.isNull()) return marked;
    for (qsizetype at = 0; at < marked.size(); ++at) {
        if (marked[at] == u'&') {
            ++at;  // a doubled "&" is text
        } else if (marked[at].toUpper() == key.toUpper()) {
            marked.insert(at, u'&');
            break;
        }
    }
    return marked;
}

void SetLabelAccessKey(QLabel* label, const QString& caption, QChar key) {
    QString text = MarkAccessKey(caption, key);
    if (!key.isNull() && QKeySequence::mnemonic(text).isEmpty())
        text += QStringLiteral(" (&") + key + u')';
    label->setText(text);
}

void SetButtonAccessKey(CImageButton* button, CSkinLabel* caption, QChar key) {
    const QKeySequence shortcut = AccessKeySequence(key);
    button->setShortcut(shortcut);
    caption->SetAccessKey(key);
    if (!shortcut.isEmpty())
        button->setToolTip(button->accessibleName() + QStringLiteral(" (") +
                           shortcut.toString(QKeySequence::NativeText) + u')');
}
