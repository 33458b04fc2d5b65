#include "ui/AboutDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>

#include "app/ConfigFiles.h"
#include "app/MessageTable.h"
#include "app/Version.h"
#include "ui/AccessKeys.h"
#include "ui/Faces.h"
#include "ui/ImageButton.h"
#include "ui/SkinLabel.h"
#include "ui/UiText.h"

namespace {

constexpr const char* kProgramFileName = "vexa";
constexpr std::uint16_t kExitCaption = 201;
constexpr std::uint16_t kAboutCaption = 9;
constexpr std::uint16_t kKeysHeading = 404;

}  // namespace

QString AboutVersionLine() {
    return QString::fromLatin1(kProgramFileName) + ' ' + QString::fromStdString(GetVersionText());
}

CAboutDialog::CAboutDialog(const CMessageTable& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_version(new QLabel(AboutVersionLine(), this)) {
    setWindowTitle(QString::fromStdString(ReadWindowTitle(messages.Get(kAboutCaption))));
    auto* icon = new QLabel(this);
    QIcon programIcon = QApplication::windowIcon();
    if (!programIcon.isNull()) icon->setPixmap(programIcon.pixmap(32, 32));
    icon->setFixedSize(32, 32);

    auto* notice = new QLabel(UiText(messages, UiTextNumber::kAboutPurpose) + '\n' +
                                  UiText(messages, UiTextNumber::kAboutAbilities),
                              this);
    auto* exitCaption = new CSkinLabel(this);
    exitCaption->SetText(messages.Get(kExitCaption));
    exitCaption->SetAlignment(kAlignCentre | kAlignBottom);
    exitCaption->setFixedSize(64, fontMetrics().height() + 4);
    auto* exit = new CImageButton(this);
    exit->SetFaces(FacePath("Exit.bmp"));
    exit->SetCaption(QString::fromStdString(messages.Get(kExitCaption)));
    exit->setFixedSize(64, 64);
    SetButtonAccessKey(exit, exitCaption, AccessKey(messages, UiTextNumber::kExitKey));
    connect(exit, &CImageButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(m_version, 0, 1);
    layout->addWidget(notice, 1, 1);
    layout->addWidget(exitCaption, 0, 2, Qt::AlignBottom);
    layout->addWidget(exit, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDialog::VersionLine() const { return m_version->text(); }

void CAboutDialog::ShowKeys(const QString& table) {
    auto* keys = new QLabel(table, this);
    keys->setTextFormat(Qt::RichText);
    keys->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    keys->setFocusPolicy(Qt::StrongFocus);
    keys->setAccessibleName(QString::fromStdString(m_messages.Get(kKeysHeading)));
    auto* heading = new QLabel(this);
    SetLabelAccessKey(heading, keys->accessibleName(),
                      AccessKey(m_messages, UiTextNumber::kKeyListKey));
    heading->setBuddy(keys);
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(heading, 2, 1);
    grid->addWidget(keys, 3, 1, 1, 2);
}
