#include "ui/SerialSettingsDialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "protocol/CommLog.h"
#include "serial/NetPort.h"
#include "ui/AccessKeys.h"
#include "ui/DropDownCombo.h"
#include "ui/Faces.h"
#include "ui/ImageButton.h"
#include "ui/LineSettingsIndex.h"
#include "ui/NumericEdit.h"
#include "ui/SkinLabel.h"
#include "ui/UiText.h"
#include "ui/UnitNumberDialog.h"
#include "ui/UnitNumberText.h"
#include "ui/UpDown.h"

namespace {

// Catalogue numbers of the labels, in the order of the dialog's rows.
constexpr std::uint16_t kPortCaption = 50;
constexpr std::uint16_t kPortButtonCaption = 200;
constexpr std::uint16_t kOkCaption = 202;
constexpr std::uint16_t kCancelCaption = 203;
constexpr std::uint16_t kFirstParityName = 310;
constexpr int kButtonSize = 64;

CImageButton* FaceButton(QWidget* parent, const char* face) {
    auto* button = new CImageButton(parent);
    button->SetFaces(FacePath(face), FacePath("Disable.bmp"));
    button->setFixedSize(kButtonSize, kButtonSize);
    return button;
}

CSkinLabel* ButtonCaption(QWidget* parent, const std::string& text) {
    auto* label = new CSkinLabel(parent);
    label->SetText(text);
    label->SetAlignment(kAlignCentre | kAlignBottom);
    label->setFixedSize(kButtonSize + 16, parent->fontMetrics().height() + 4);
    return label;
}

}  // namespace

CSerialSettingsDialog::CSerialSettingsDialog(const CMessageTable& messages, QWidget* parent,
                                             PortSource ports)
    : QDialog(parent),
      m_messages(messages),
      m_portSource(ports ? std::move(ports) : [](CPortList& list) { return list.Enumerate(); }),
      m_port(new CDropDownCombo(this)),
      m_baud(new CDropDownCombo(this)),
      m_dataBits(new CDropDownCombo(this)),
      m_stopBits(new CDropDownCombo(this)),
      m_parity(new CDropDownCombo(this)),
      m_unit(new CNumericEdit(this)),
      m_spin(new CUpDown(this)),
      m_ok(FaceButton(this, "OK.bmp")),
      m_cancel(FaceButton(this, "Exit.bmp")) {
    // A port the enumeration cannot see (a pseudo-terminal, a by-id link) can be typed.
    m_port->setEditable(true);
    m_port->setInsertPolicy(QComboBox::NoInsert);
    m_port->setMinimumWidth(220);
    for (std::uint32_t baud : kBaudRates) m_baud->addItem(QString::number(baud));
    m_dataBits->addItems({"7", "8"});
    m_stopBits->addItems({"1", "2"});
    m_spin->SetBuddy(m_unit);
    m_spin->SetNames(UiText(messages, UiTextNumber::kUnitUpName),
                     UiText(messages, UiTextNumber::kUnitDownName));
    m_spin->setFixedSize(16, m_unit->sizeHint().height());
    m_unit->setFixedWidth(fontMetrics().horizontalAdvance("0000") + 12);
    m_unit->SetEnterHook([this] {
        accept();
        return true;
    });

    auto* grid = new QGridLayout(this);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(m_unit);
    unitRow->addWidget(m_spin);
    unitRow->addStretch();
    QWidget* fields[] = {m_port, m_baud, m_dataBits, m_stopBits, m_parity, m_unit};
    for (int row = 0; row < 6; ++row) {
        const auto number = static_cast<std::uint16_t>(row);
        const QString caption = QString::fromStdString(messages.Get(kPortCaption + number));
        auto* label = new QLabel(this);
        SetLabelAccessKey(label, caption,
                          AccessKey(messages, UiTextNumber::kFirstFieldKey + number));
        // The buddy is how a screen reader on Linux labels a combo box (its name is its value).
        label->setBuddy(fields[row]);
        fields[row]->setAccessibleName(caption);
        // The port is typed into a field of its own inside the combo box, read out on its own.
        if (fields[row] == m_port) m_port->lineEdit()->setAccessibleName(caption);
        grid->addWidget(label, row, 0);
        if (fields[row] == m_unit)
            grid->addLayout(unitRow, row, 1, 1, 2);
        else
            grid->addWidget(fields[row], row, 1, 1, 2);
    }
    CSkinLabel* okCaption = ButtonCaption(this, messages.Get(kOkCaption));
    CSkinLabel* cancelCaption = ButtonCaption(this, messages.Get(kCancelCaption));
    grid->addWidget(okCaption, 6, 1, Qt::AlignHCenter);
    grid->addWidget(cancelCaption, 6, 2, Qt::AlignHCenter);
    grid->addWidget(m_ok, 7, 1, Qt::AlignHCenter);
    grid->addWidget(m_cancel, 7, 2, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    setWindowTitle(QString::fromStdString(ReadWindowTitle(messages.Get(kPortButtonCaption))));
    m_ok->SetCaption(QString::fromStdString(messages.Get(kOkCaption)));
    m_cancel->SetCaption(QString::fromStdString(messages.Get(kCancelCaption)));
    SetButtonAccessKey(m_ok, okCaption, AccessKey(messages, UiTextNumber::kOkKey));
    SetButtonAccessKey(m_cancel, cancelCaption, AccessKey(messages, UiTextNumber::kCancelKey));
    connect(m_ok, &CImageButton::clicked, this, &CSerialSettingsDialog::accept);
    connect(m_cancel, &CImageButton::clicked, this, &CSerialSettingsDialog::reject);
    connect(m_port, &QComboBox::editTextChanged, this, [this] { UpdateOkButton(); });
}

void CSerialSettingsDialog::SetInput(const CCommSettings& settings, int unitNumber) {
    m_settings = settings;
    m_unitNumber = unitNumber;
}

void CSerialSettingsDialog::showEvent(QShowEvent* event) {
    if (!m_started) {
        m_started = true;
        Start();
    }
    QDialog::showEvent(event);
}

void CSerialSettingsDialog::Start() {
    m_unit->setEnabled(m_unitEditable);
    m_spin->setEnabled(m_unitEditable);
    m_parity->clear();
    for (std::uint16_t p = 0; p < 3; ++p) {
        m_parity->addItem(QString::fromStdString(m_messages.Get(kFirstParityName + p)));
    }
    FillPorts();
    m_baud->setCurrentIndex(BaudIndex(m_settings.baudRate));
    m_dataBits->setCurrentIndex(DataBitsIndex(m_settings.dataBits));
    m_parity->setCurrentIndex(ParityIndex(m_settings.parity));
    m_stopBits->setCurrentIndex(StopBitsIndex(m_settings.stopBits));
    m_unit->setText(QString::number(m_unitNumber));
    m_unit->setMaxLength(2);
    m_spin->SetRange(kMinUnitNumber, kMaxUnitNumber);
    WriteLog("SerialSetting Dialog start.\n");
}

void CSerialSettingsDialog::FillPorts() {
    if (!m_portSource(m_ports)) {
        WriteLog("Failed Port Enumrate.\n");
        m_ports.Clear();
    }
    // The port in use may be one the enumeration cannot see (a pseudo-terminal, a link in
    // /dev/serial/by-id, a network port): offer it, a path while it exists, so that OK does
    // not quietly swap it.
    const std::string& current = m_settings.portName;
    bool listed = false;
    std::string name, description;
    for (int i = 0; i < m_ports.Count(); ++i) {
        m_ports.GetEntry(i, name, description);
        listed |= name == current;
    }
    if (!listed && !current.empty() &&
        ((current.front() == '/' && PathExists(current)) || IsNetPortName(current))) {
        m_ports.Add(current, "");
    }

    m_port->clear();
    int selected = 0;
    for (int i = 0; i < m_ports.Count(); ++i) {
        m_ports.GetEntry(i, name, description);
        m_port->addItem(QString::fromStdString(PortLine(name, description)));
        if (name == current) selected = i;
    }
    if (m_ports.HasPorts()) {
        m_port->setCurrentIndex(selected);
    } else {
        m_port->setEditText(QString());
    }
    UpdateOkButton();
}

void CSerialSettingsDialog::UpdateOkButton() {
    m_ok->setEnabled(!m_port->currentText().trimmed().isEmpty());
}

std::string CSerialSettingsDialog::ChosenPortName() const {
    int index = m_port->currentIndex();
    QString text = m_port->currentText();
    std::string name, description;
    if (index >= 0 && text == m_port->itemText(index) &&
        m_ports.GetEntry(index, name, description)) {
        return name;
    }
    return text.trimmed().toStdString();
}

void CSerialSettingsDialog::accept() {
    if (!m_ok->isEnabled()) return;
    std::string port = ChosenPortName();
    if (port.empty()) return;
    m_settings.SetPortName(port);
    m_settings.baudRate = BaudFromIndex(m_baud->currentIndex());
    m_settings.dataBits = DataBitsFromIndex(m_dataBits->currentIndex());
    m_settings.parity = ParityFromIndex(m_parity->currentIndex());
    m_settings.stopBits = StopBitsFromIndex(m_stopBits->currentIndex());
    // A unit number the operator may not change is kept as the caller gave it.
    int unit = m_unitNumber;
    if (m_unitEditable && !ParseUnitNumber(m_unit->text().toStdString(), unit)) {
        ShowInputErrorBox(this);
        return;
    }
    m_unitNumber = unit;
    WriteLog("SerialSetting Dialog end.\n");
    QDialog::accept();
}

void CSerialSettingsDialog::reject() {
    WriteLog("SerialSetting Dialog end.\n");
    QDialog::reject();
}

void CSerialSettingsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter confirms from any field; the combo's own editor would otherwise swallow it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
