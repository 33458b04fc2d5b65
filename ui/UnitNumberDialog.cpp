#include "ui/UnitNumberDialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>

#include "app/ConfigFiles.h"
#include "app/MessageTable.h"
#include "ui/AccessKeys.h"
#include "ui/Faces.h"
#include "ui/ImageButton.h"
#include "ui/NumericEdit.h"
#include "ui/SkinLabel.h"
#include "ui/UiText.h"
#include "ui/UnitNumberText.h"
#include "ui/UpDown.h"

namespace {

constexpr std::uint16_t kUnitCaption = 55;
constexpr std::uint16_t kOkCaption = 202;
constexpr std::uint16_t kCancelCaption = 203;
constexpr const char* kUnitPromptKey = "000";
constexpr int kButtonSize = 64;

CSkinLabel* Caption(QWidget* parent, const std::string& text, int alignment) {
    auto* label = new CSkinLabel(parent);
    label->SetText(text);
    label->SetAlignment(alignment);
    label->setMinimumHeight(parent->fontMetrics().height() + 4);
    return label;
}

CImageButton* FaceButton(QWidget* parent, const char* face) {
    auto* button = new CImageButton(parent);
    button->SetFaces(FacePath(face));
    button->setFixedSize(kButtonSize, kButtonSize);
    return button;
}

}  // namespace

void ShowInputErrorBox(QWidget* dialog) {
    QMessageBox box(QMessageBox::Critical, dialog->windowTitle(),
                    QString::fromStdString(ReadQuestionText(kInputErrorKey)), QMessageBox::Ok,
                    dialog);
    box.exec();
}

CUnitNumberDialog::CUnitNumberDialog(const CMessageTable& messages, int unitNumber, QWidget* parent)
    : QDialog(parent),
      m_unitNumber(unitNumber),
      m_prompt(Caption(this, ReadQuestionText(kUnitPromptKey), kAlignLeft | kAlignMiddle)),
      m_edit(new CNumericEdit(this)),
      m_spin(new CUpDown(this)) {
    setWindowTitle(QString::fromStdString(ReadWindowTitle(messages.Get(kUnitCaption))));
    // The question is what a screen reader says on opening the dialog.
    setAccessibleName(windowTitle());
    setAccessibleDescription(QString::fromStdString(m_prompt->Text()));
    m_edit->setText(QString::number(unitNumber));
    m_edit->setMaxLength(2);
    m_edit->setFixedWidth(fontMetrics().horizontalAdvance("0000") + 12);
    m_spin->SetBuddy(m_edit);
    m_spin->SetRange(kMinUnitNumber, kMaxUnitNumber);
    m_spin->SetNames(UiText(messages, UiTextNumber::kUnitUpName),
                     UiText(messages, UiTextNumber::kUnitDownName));
    m_spin->setFixedSize(16, m_edit->sizeHint().height());
    m_edit->SetEnterHook([this] {
        accept();
        return true;
    });
    m_prompt->SetWrap(true);
    m_prompt->setMinimumSize(220, 3 * fontMetrics().height());

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    CImageButton* ok = FaceButton(this, "OK.bmp");
    CImageButton* cancel = FaceButton(this, "Exit.bmp");
    CSkinLabel* okCaption = Caption(this, messages.Get(kOkCaption), kAlignCentre | kAlignBottom);
    CSkinLabel* cancelCaption =
        Caption(this, messages.Get(kCancelCaption), kAlignCentre | kAlignBottom);
    ok->SetCaption(QString::fromStdString(messages.Get(kOkCaption)));
    cancel->SetCaption(QString::fromStdString(messages.Get(kCancelCaption)));
    SetButtonAccessKey(ok, okCaption, AccessKey(messages, UiTextNumber::kOkKey));
    SetButtonAccessKey(cancel, cancelCaption, AccessKey(messages, UiTextNumber::kCancelKey));
    connect(ok, &CImageButton::clicked, this, &CUnitNumberDialog::accept);
    connect(cancel, &CImageButton::clicked, this, &QDialog::reject);

    const QString unitCaption = QString::fromStdString(messages.Get(kUnitCaption));
    auto* unitLabel = new QLabel(this);
    SetLabelAccessKey(unitLabel, unitCaption, AccessKey(messages, UiTextNumber::kUnitFieldKey));
    unitLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unitLabel->setBuddy(m_edit);
    m_edit->setAccessibleName(unitCaption);

    auto* entry = new QHBoxLayout;
    entry->addWidget(unitLabel);
    entry->addWidget(m_edit);
    entry->addWidget(m_spin);
    entry->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(m_prompt, 0, 1, 1, 2);
    layout->addLayout(entry, 1, 1, 1, 2);
    layout->addWidget(okCaption, 2, 1);
    layout->addWidget(cancelCaption, 2, 2);
    layout->addWidget(ok, 3, 1, Qt::AlignHCenter);
    layout->addWidget(cancel, 3, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edit->setFocus();
    m_edit->selectAll();
}

void CUnitNumberDialog::accept() {
    int unit = 0;
    if (!ParseUnitNumber(m_edit->text().toStdString(), unit)) {
        ShowInputErrorBox(this);
        return;
    }
    m_unitNumber = unit;
    QDialog::accept();
}

void CUnitNumberDialog::keyPressEvent(QKeyEvent* event) {
    // Enter accepts from anywhere in the dialog (there is no default push button).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool AskUnitNumber(QWidget* parent, const CMessageTable& messages, int& unitNumber) {
    CUnitNumberDialog dialog(messages, unitNumber, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    unitNumber = dialog.UnitNumber();
    return true;
}
