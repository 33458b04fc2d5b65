#pragma once

#include <QDialog>
#include <functional>

#include "serial/CommSettings.h"
#include "serial/PortList.h"

class CDropDownCombo;
class CImageButton;
class CMessageTable;
class CNumericEdit;
class CUpDown;

// The operator's choice of port, line settings and (when allowed) unit number. The dialog
// never touches the port; after OK the caller reads Settings() and UnitNumber().
class CSerialSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    // Fills a port list; the machine's enumeration unless a test supplies another.
    using PortSource = std::function<bool(CPortList&)>;

    explicit CSerialSettingsDialog(const CMessageTable& messages, QWidget* parent = nullptr,
                                   PortSource ports = {});

    void SetInput(const CCommSettings& settings, int unitNumber);
    void SetUnitEditable(bool editable) { m_unitEditable = editable; }
    const CCommSettings& Settings() const { return m_settings; }
    int UnitNumber() const { return m_unitNumber; }

    CDropDownCombo* PortCombo() const { return m_port; }
    CDropDownCombo* BaudCombo() const { return m_baud; }
    CDropDownCombo* DataBitsCombo() const { return m_dataBits; }
    CDropDownCombo* StopBitsCombo() const { return m_stopBits; }
    CDropDownCombo* ParityCombo() const { return m_parity; }
    CNumericEdit* UnitEdit() const { return m_unit; }
    CImageButton* OkButton() const { return m_ok; }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Start();
    void FillPorts();
    void UpdateOkButton();
    std::string ChosenPortName() const;

    const CMessageTable& m_messages;
    PortSource m_portSource;
    CCommSettings m_settings;
    int m_unitNumber = 0;
    bool m_unitEditable = true;
    bool m_started = false;
    CPortList m_ports;

    CDropDownCombo* m_port;
    CDropDownCombo* m_baud;
    CDropDownCombo* m_dataBits;
    CDropDownCombo* m_stopBits;
    CDropDownCombo* m_parity;
    CNumericEdit* m_unit;
    CUpDown* m_spin;
    CImageButton* m_ok;
    CImageButton* m_cancel;
};
