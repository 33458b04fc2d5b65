// The serial settings dialog: index fallbacks, port lines, validation and log lines.

#include "UiFixture.h"
#include "support/LogCapture.h"
#include "support/PtyPair.h"
#include "ui/DropDownCombo.h"
#include "ui/LineSettingsIndex.h"

namespace {

CSerialSettingsDialog::PortSource Ports(std::vector<std::pair<std::string, std::string>> ports,
                                        bool ok = true) {
    return [ports, ok](CPortList& list) {
        list.Clear();
        for (const auto& [name, description] : ports) list.Add(name, description);
        return ok;
    };
}

QStringList Lines(QComboBox* combo) {
    QStringList lines;
    for (int i = 0; i < combo->count(); ++i) lines << combo->itemText(i);
    return lines;
}

}  // namespace

class SerialSettingsDialogTest : public QObject {
    Q_OBJECT
  private:
    UiFolder m_folder;

  private slots:
    void indicesOutOfRangeFallBackToDefaults() {
        QCOMPARE(BaudFromIndex(-1), 9600u);
        QCOMPARE(BaudFromIndex(6), 9600u);
        QCOMPARE(DataBitsIndex(5), 0);
        QCOMPARE(DataBitsFromIndex(-1), std::uint16_t(7));
        QCOMPARE(ParityFromIndex(-1), std::uint16_t(2));
        QCOMPARE(StopBitsFromIndex(-1), std::uint16_t(2));
    }

    void opensWithTheSettingsAndStoresTheChoice() {
        LogCapture log;
        CSerialSettingsDialog dialog(
            m_folder.Messages(), nullptr,
            Ports({{"/dev/ttyUSB0", "USB-RS485 Cable"}, {"/dev/ttyS0", ""}}));
        // 2400 Bd is not on the list: the dialog offers 9600.
        CCommSettings set{"/dev/ttyUSB0", 2400, 8, CCommSettings::kParityOdd, 1};  // 1 stop bit
        dialog.SetInput(set, 7);
        dialog.show();
        QCOMPARE(Lines(dialog.PortCombo()),
                 QStringList({"/dev/ttyS0", "/dev/ttyUSB0(USB-RS485 Cable)"}));
        QCOMPARE(dialog.BaudCombo()->currentText(), QString("9600"));
        QCOMPARE(dialog.DataBitsCombo()->currentText(), QString("8"));
        QCOMPARE(dialog.StopBitsCombo()->currentText(), QString("1"));
        QCOMPARE(Lines(dialog.ParityCombo()), QStringList({"None", "Odd", "Even"}));
        QCOMPARE(dialog.ParityCombo()->currentIndex(), 1);
        QCOMPARE(dialog.UnitEdit()->text(), QString("7"));
        // The unit field is labelled, as ui.AtSpi finds the combo boxes.
        const auto labels =
            QAccessible::queryAccessibleInterface(dialog.UnitEdit())->relations(QAccessible::Label);
        QVERIFY(labels.size() == 1 && !labels[0].first->text(QAccessible::Name).isEmpty());

        dialog.ParityCombo()->setCurrentIndex(2);
        dialog.UnitEdit()->setText("12");
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // The port by its bare name, without the description.
        set.baudRate = 9600;
        set.parity = CCommSettings::kParityEven;
        QVERIFY(dialog.Settings() == set);
        QCOMPARE(dialog.UnitNumber(), 12);
        QCOMPARE(log.Lines(), (std::vector<std::string>{"SerialSetting Dialog start.",
                                                        "SerialSetting Dialog end."}));
    }

    // A port that is not there gives way to the first line; one in use that the enumeration
    // misses (a pseudo-terminal, a network port) is kept.
    void theSetPortIsOfferedWhileItExistsElseTheFirstLine() {
        PtyPair line;
        const struct {
            std::string set, offered;
        } cases[] = {{"COM1", "/dev/ttyUSB0"},
                     {line.SlavePath(), line.SlavePath()},
                     {"rfc2217://10.0.0.7:4001", "rfc2217://10.0.0.7:4001"}};
        for (const auto& c : cases) {
            CSerialSettingsDialog dialog(m_folder.Messages(), nullptr,
                                         Ports({{"/dev/ttyUSB1", ""}, {"/dev/ttyUSB0", ""}}));
            dialog.SetInput({.portName = c.set}, 1);
            dialog.show();
            QCOMPARE(dialog.PortCombo()->currentText(), QString::fromStdString(c.offered));
            dialog.accept();
            QCOMPARE(dialog.Settings().portName, c.offered);
            QCOMPARE(dialog.Settings().baudRate, 38400u);
        }
    }

    void withoutAnyPortOnlyATypedPathEnablesOk() {
        LogCapture log;
        CSerialSettingsDialog dialog(m_folder.Messages(), nullptr, Ports({}, false));
        dialog.show();
        QCOMPARE(dialog.PortCombo()->count(), 0);
        QVERIFY(!dialog.OkButton()->isEnabled());
        QCOMPARE(dialog.OkButton()->CurrentFace(), ButtonFace::Disabled);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(log.Lines(), (std::vector<std::string>{"Failed Port Enumrate.",
                                                        "SerialSetting Dialog start."}));
        QTest::keyClicks(dialog.PortCombo()->lineEdit(), "/dev/pts/9");
        QVERIFY(dialog.OkButton()->isEnabled());
        dialog.PortCombo()->lineEdit()->clear();
        QVERIFY(!dialog.OkButton()->isEnabled());
        dialog.reject();
        QCOMPARE(log.Lines().back(), std::string("SerialSetting Dialog end."));
        QCOMPARE(dialog.Settings().portName, std::string("COM1"));
    }

    void badUnitNumberGivesTheErrorBoxAndKeepsTheLineSettings() {
        LogCapture log;
        CSerialSettingsDialog dialog(m_folder.Messages(), nullptr, Ports({{"/dev/ttyS0", ""}}));
        dialog.SetInput(CCommSettings(), 4);
        dialog.show();
        dialog.UnitEdit()->clear();
        QTest::keyClicks(dialog.UnitEdit(), "123");
        QCOMPARE(dialog.UnitEdit()->text(), QString("12"));
        dialog.UnitEdit()->clear();
        dialog.BaudCombo()->setCurrentIndex(5);
        auto box = CatchMessageBox();
        QTest::keyClick(dialog.UnitEdit(), Qt::Key_Return);
        QVERIFY(box->seen);  // the box's words: SmallDialogsTest, the same box
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Settings().baudRate, 115200u);
        QCOMPARE(dialog.UnitNumber(), 4);
        QCOMPARE(log.Lines().size(), std::size_t(1));
    }
};

QTEST_MAIN(SerialSettingsDialogTest)
#include "SerialSettingsDialogTest.moc"
