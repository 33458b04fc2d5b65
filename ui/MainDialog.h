#pragma once

#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/Result.h"
#include "serial/CommSettings.h"
#include "ui/DesktopUi.h"
#include "ui/MainDialogRules.h"
#include "ui/ResizableDialog.h"
#include "ui/SettingViewModel.h"
#include "ui/StatusLine.h"
#include "ui/TrafficLamps.h"

class CArrowButton;
class CColourButton;
class CDeviceSession;
class CImageButton;
class CLampControl;
class CMessageTable;
class CNumericEdit;
class CSidePanelList;
class CSkinLabel;
class QAbstractButton;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class CSidePanel;
class CVerifyResultsDialog;

// The main window of normal mode: renders the device session's state and hands every
// operator action to it.  It holds no device logic of its own.
class CMainDialog : public CResizableDialog {
    Q_OBJECT
  public:
    // The ten bitmap buttons, in the order of their captions.
    enum Button {
        kExit,
        kComSet,
        kConnect,
        kAbout,
        kExport,
        kSave,
        kOpen,
        kDownload,
        kUpload,
        kVerify,
        kButtonCount
    };

    explicit CMainDialog(const CMessageTable& catalogue, QWidget* parent = nullptr);
    ~CMainDialog() override;

    CDeviceSession& Session() { return *m_session; }
    CDesktopUi& OperatorUi() { return m_ui; }

    // Redraws everything from the session's state.
    void RefreshView();
    void RefreshSidePanel();
    // Opens the side panel, as after an operation that left parameters without a value.
    void OpenSidePanel();
    // The panel toggle: starts the side panel's slide in or out.
    void ToggleSidePanel();
    bool SidePanelShown() const;
    // Verify's results in a table; `activate` gives it the keyboard. Nothing without results.
    void ShowVerifyResults(bool activate);
    CVerifyResultsDialog* VerifyResults() const { return m_results; }
    // A side panel row was chosen: go to that item.
    void GoToItem(int index);
    // The serial settings dialog's result.
    void ApplySettings(const CCommSettings& settings, int unit);

    // Controls, for tests.
    CImageButton* ButtonAt(Button b) const { return m_buttons[b]; }
    QRadioButton* SettingRadio() const { return m_settingRadio; }
    QRadioButton* CloneRadio() const { return m_cloneRadio; }
    CArrowButton* UpArrow() const { return m_up; }
    CArrowButton* DownArrow() const { return m_down; }
    CNumericEdit* ValueEntry() const { return m_newValue; }
    QPushButton* WriteBox() const { return m_write; }
    CStatusLine* StatusLine() const { return m_status; }
    QLineEdit* CurrentName() const { return m_currentName; }
    QLineEdit* CurrentValue() const { return m_currentValue; }
    QLineEdit* SetSource() const { return m_setSource; }
    CSkinLabel* CaptionAt(Button b) const { return m_captions[b]; }
    CSkinLabel* DisconnectCaption() const { return m_disconnectCaption; }
    CLampControl* Lamp(int slot) const { return m_lamps[slot]; }
    CColourButton* PanelToggle() const { return m_toggle; }
    CSidePanelList* SidePanelRows() const;
    QLabel* Picture() const { return m_picture; }

    // The keys of the main window's controls, as a table for the About window.
    QString KeyList() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void BuildControls();
    void WireControls();
    // Accessible names and tool tips.
    void NameControls();
    // A button's accessible name and tool tip: its caption (Connect's as it shows now).
    void NameButton(Button b, bool connected);
    // The main actions' shortcuts.
    void SetUpKeys();
    void SetUpLamps();
    // The results' shortcut, the side panel's button and the opening after a Verify that
    // found differences.
    void SetUpVerifyResults();
    bool HasVerifyResults() const;
    void PlaceCloneColumns();
    void ShowPicture();
    // The status line: the line settings and model, then what the last operation did or why
    // the setting view shows no value or a red entry.
    void ShowStatus();
    QString SettingProblem() const;
    // The Write box's caption and description: in write mode, not, or not needed.
    void ShowWriteBox(const SSettingViewState& state, bool writeModeNeeded);
    void ApplyColour(QWidget* field, EFieldColour colour);
    // The side panel opens on the screen: over a maximised window, else on the side where it
    // fits (PlaceSidePanel), the window moving right only when it still fits.
    void MakeRoomForSidePanel();
    // After the panel closed: the window goes back where it was.
    void GiveBackPanelPlace();
    // model_unitN_date.tmf for Save.
    QString ProposedSetName() const;
    // Runs one of the session's verbs for `operation` and says how it ended: a lost line or a
    // controller not put back in a box (the session has closed a lost line, so Link works at
    // once), any other failure on the status line in the engine's words.
    void RunVerb(SOperationOutcome::EOperation operation, const std::function<SResult()>& verb);
    // A step, write-mode switch or write of the setting view (`typed` the value written); a
    // line lost on the way is said in a box.
    void RunSettingAction(CSettingViewModel::EAction action, const std::function<SResult()>& verb,
                          const std::string& typed = {});
    SSettingViewState SettingState() const;
    // Save; a set that an upload did not fill is saved only when the operator says so.
    SResult SaveSet();
    void ExitPressed();
    // Takes the controller out of the write mode the Write box put it in, saying so when it
    // did not confirm.
    void LeaveController();
    void ComSetPressed();
    void AboutPressed();
    // Focus to the setting view's value entry (else its Write box) in the setting view, else
    // to the button pressed.
    void ReturnFocus(QWidget* pressed);
    // Up, Down, Page Up and Page Down step the setting view from any control but a list;
    // no arrow key switches the view.  True when the key was taken.
    bool HandleStepKey(const QObject* target, const QKeyEvent& event);
    std::string Text(int number) const;

    const CMessageTable& m_catalogue;
    CDesktopUi m_ui;
    std::unique_ptr<CDeviceSession> m_session;
    CTrafficLamps m_traffic;

    std::array<CImageButton*, kButtonCount> m_buttons{};
    std::array<CSkinLabel*, kButtonCount> m_captions{};
    CSkinLabel* m_disconnectCaption = nullptr;
    CSkinLabel* m_readCaption = nullptr;
    std::array<CLampControl*, 3> m_lamps{};
    QRadioButton* m_settingRadio = nullptr;
    QRadioButton* m_cloneRadio = nullptr;
    CArrowButton* m_up = nullptr;
    CArrowButton* m_down = nullptr;
    QLineEdit* m_previousName = nullptr;
    QLineEdit* m_currentName = nullptr;
    QLineEdit* m_nextName = nullptr;
    QLineEdit* m_currentValue = nullptr;
    CNumericEdit* m_newValue = nullptr;
    QPushButton* m_write = nullptr;
    QLineEdit* m_setSource = nullptr;
    CStatusLine* m_status = nullptr;
    QLabel* m_picture = nullptr;
    CColourButton* m_toggle = nullptr;
    std::unique_ptr<CSidePanel> m_panel;
    // The status line's text for the last verb that failed; empty after one that did not.
    QString m_failure;
    CSettingViewModel m_settingModel;
    // The platform's own words for the last failure of the port, shown with an open failure.
    QString m_portReport;
    CVerifyResultsDialog* m_results = nullptr;
    // What opening the side panel changed about the window, to be given back on closing.
    struct SPlaceTaken {
        std::optional<QPoint> movedFrom, movedTo;
    } m_placeTaken;
    // The window was asked to close while an operation ran.
    bool m_closeWhenIdle = false;

    // The clone columns' geometry when first laid out, and the width change they share.
    std::array<QRect, 12> m_columnHome{};
    int m_columnWidthChange = 0;
    int m_columnCarried = 0;
    int m_columnShare = 0;
    QSize m_laidOutSize;
    // Every button's keys, in the order the key list shows them.
    std::vector<std::pair<QAbstractButton*, QList<QKeySequence>>> m_keys;
};
