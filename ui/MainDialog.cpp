#include "ui/MainDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "app/ConfigFiles.h"
#include "app/MessageTable.h"
#include "app/TimeText.h"
#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"
#include "ui/AboutDialog.h"
#include "ui/Anchors.h"
#include "ui/ArrowButton.h"
#include "ui/ColourButton.h"
#include "ui/Faces.h"
#include "ui/ImageButton.h"
#include "ui/LampControl.h"
#include "ui/NumericEdit.h"
#include "ui/NumericText.h"
#include "ui/OutcomeText.h"
#include "ui/ReasonText.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/SidePanel.h"
#include "ui/SidePanelList.h"
#include "ui/SkinLabel.h"
#include "ui/UiText.h"
#include "ui/VerifyResults.h"
#include "ui/VerifyResultsDialog.h"

namespace {

using namespace UiTextNumber;

// The port itself could not be opened: the platform's words belong in the box too.
bool PortFailure(ResultCode code) {
    return code == ResultCode::kPortMissing || code == ResultCode::kPortBusy ||
           code == ResultCode::kPortDenied || code == ResultCode::kPortFailed;
}

// The operator closed a file dialog without a file: logged as the operation's own lines.
SResult NoFileChosen(std::initializer_list<const char*> logLines) {
    for (const char* line : logLines) LogEvent(line);
    return SResult::Failure(ResultCode::kCancelled, Reason<ReasonId::kNoFileChosen>());
}

// Asked before a set with `missing` parameters without a value is saved.
QString IncompleteSaveQuestion(int missing) {
    return QString::fromStdString(ReadQuestionText("002")).arg(missing);
}

constexpr QSize kInitialSize{640, 420};
constexpr int kButtonSide = 40;

struct SButtonDef {
    std::uint16_t caption;  // catalogue number
    const char* face;
    const char* disabledFace;
};

// In the order of CMainDialog::Button; what screen readers call a button whose caption is empty
// is the catalogue's kFirstButtonName + its place.
constexpr SButtonDef kButtonDefs[] = {
    {201, "Exit.bmp", ""},
    {200, "ComSet.bmp", "DisComset.bmp"},
    {2, "Connect.bmp", ""},
    {9, "About.bmp", ""},
    {3, "Export.bmp", "DisExport.bmp"},
    {4, "Save.bmp", "DisSave.bmp"},
    {5, "Open.bmp", "DisOpen.bmp"},
    {6, "Download.bmp", "DisDownload.bmp"},
    {7, "Upload.bmp", "DisUpload.bmp"},
    {8, "Verify.bmp", "DisVerify.bmp"},
};
constexpr std::uint16_t kDisconnectCaption = 10;
constexpr int kFirstLampState = 450;  // sending, receiving, a failed attempt, off
constexpr int kVerifyResultsTitle = 454;
constexpr int kNoPortHint = 405;
// What the stop window names (catalogue texts with %1 for the unit).
constexpr int kUploadFromUnit = 406;
constexpr int kVerifyWithUnit = 407;
constexpr int kDownloadToUnit = 408;
constexpr int kSearchOnUnit = 409;

// The clone columns: Export over Download, Verify over Upload, Save over Open.
constexpr CMainDialog::Button kColumns[3][2] = {
    {CMainDialog::kExport, CMainDialog::kDownload},
    {CMainDialog::kVerify, CMainDialog::kUpload},
    {CMainDialog::kSave, CMainDialog::kOpen},
};

// "White" is the palette's colour for active fields, so that a dark theme stays readable;
// red and orange are the fixed signal colours.
QColor ColourOf(EFieldColour colour) {
    switch (colour) {
        case EFieldColour::White:
            return QApplication::palette().color(QPalette::Base);
        case EFieldColour::Red:
            return QColor(255, 0, 0);
        case EFieldColour::Orange:
            return QColor(255, 128, 0);
        case EFieldColour::ButtonFace:
            break;
    }
    return QApplication::palette().color(QPalette::Button);
}

// Text that reads on a field of that colour: dark on the fixed signal colours.
QColor TextColourOn(EFieldColour colour) {
    if (colour == EFieldColour::Red || colour == EFieldColour::Orange) return Qt::black;
    return QApplication::palette().color(colour == EFieldColour::White ? QPalette::Text
                                                                       : QPalette::ButtonText);
}

// The main actions' keys, in the order of CMainDialog::Button; the README lists them.
const QKeySequence kButtonKeys[] = {
    QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::CTRL | Qt::Key_P),
    QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F1),
    QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::CTRL | Qt::Key_S),
    QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence(Qt::CTRL | Qt::Key_D),
    QKeySequence(Qt::CTRL | Qt::Key_U), QKeySequence(Qt::CTRL | Qt::Key_K),
};
// Their Alt+letter mnemonics, the letter of the English caption.
constexpr Qt::Key kButtonLetters[] = {Qt::Key_X, Qt::Key_P, Qt::Key_L, Qt::Key_A, Qt::Key_E,
                                      Qt::Key_S, Qt::Key_O, Qt::Key_D, Qt::Key_U, Qt::Key_V};

QList<QKeySequence> KeysOf(const QKeySequence& key, Qt::Key letter) {
    return {key, QKeySequence(Qt::ALT | letter)};
}

// "Ctrl+L, Alt+L" as the platform writes keys.
QString KeyText(const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys) texts << key.toString(QKeySequence::NativeText);
    return texts.join(QStringLiteral(", "));
}

// "Caption (keys)" for a tool tip.
QString WithKey(const QString& caption, const QList<QKeySequence>& keys) {
    return caption + QStringLiteral(" (") + KeyText(keys) + QStringLiteral(")");
}

bool IsStepKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

// Fusion draws a radio button's ring a shade darker than the window, which a dark palette
// swallows; there the ring is drawn a shade darker than the text instead.
void KeepMarkerVisible(QRadioButton* radio) {
    QPalette palette = radio->palette();
    if (palette.color(QPalette::Window).lightness() >= 128) return;
    palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
    radio->setPalette(palette);
}

QLineEdit* ReadOnlyField(QWidget* parent, Qt::Alignment align = Qt::AlignLeft) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setAlignment(align | Qt::AlignVCenter);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

// Whether a window's next show leaves the keyboard where it is. Once the window has been shown,
// the platform reads the window's property, no longer the attribute.
void ShowWithoutActivating(QWidget* window, bool without) {
    window->setAttribute(Qt::WA_ShowWithoutActivating, without);
    if (QWindow* handle = window->windowHandle())
        handle->setProperty("_q_showWithoutActivating", without);
}

}  // namespace

CMainDialog::CMainDialog(const CMessageTable& catalogue, QWidget* parent)
    : CResizableDialog(parent),
      m_catalogue(catalogue),
      m_ui(this, catalogue,
           {[this] { RefreshView(); },
            [this](bool busy) {
                // A close asked for during an operation closes once the controller is back.
                if (!busy && m_closeWhenIdle) QTimer::singleShot(0, this, &QWidget::close);
            }}),
      m_session(std::make_unique<CDeviceSession>(m_ui, catalogue)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setWindowTitle(QString::fromStdString(ReadWindowTitle()));
    m_ui.SetTitle(windowTitle());
    // The platform's words go into the box of a port that could not be opened; in the middle
    // of an operation the engine's reason says more, and says it once.
    m_session->Port().SetErrorReporter(
        [this](const std::string& text) { m_portReport = QString::fromStdString(text); });
    resize(kInitialSize);
    BuildControls();
    WireControls();
    NameControls();
    SetUpKeys();
    SetUpLamps();
    // The step keys reach the window before any control can take them.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    m_panel = std::make_unique<CSidePanel>(this);
    SetUpVerifyResults();
    m_panel->Rows()->setAccessibleName(UiText(m_catalogue, kParameters));
    // A title of its own, so that the window list tells it from the main window.
    m_panel->setWindowTitle(UiText(m_catalogue, kParameters) + QStringLiteral(" - ") +
                            windowTitle());
    m_panel->slidingChanged = [this](bool sliding) {
        m_toggle->setEnabled(!sliding);
        // The window keeps its size while the panel slides along its edge; a maximised one
        // keeps it anyway, and a window manager takes a fixed size as the end of maximised.
        if (sliding) {
            if (!isMaximized()) setFixedSize(size());
        } else {
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            setMinimumSize(kInitialSize);
            if (!m_panel->IsOpen()) GiveBackPanelPlace();
        }
    };
    connect(m_panel->Rows(), &CSidePanelList::RowChosen, this, [this](int row) {
        GoToItem(row);
        // The busy window took the focus from the list with it.
        m_panel->Rows()->setFocus(Qt::OtherFocusReason);
    });
    // Escape in the list goes back to the main window.
    m_panel->Rows()->installEventFilter(this);
    m_laidOutSize = size();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RefreshView();
    QApplication::restoreOverrideCursor();
}

CMainDialog::~CMainDialog() = default;

std::string CMainDialog::Text(int number) const {
    return m_catalogue.Get(static_cast<uint16_t>(number));
}

void CMainDialog::BuildControls() {
    auto caption = [this](int number, const QRect& where, int anchor) {
        auto* label = new CSkinLabel(this);
        label->UseCaptionFontOf(*this);
        label->SetAlignment(kAlignCentre | kAlignBottom);
        label->SetWrap(true);
        label->SetShrinkToFit(true);
        label->SetText(Text(number));
        label->setGeometry(where);
        if (anchor) AddAnchor(label, anchor);
        return label;
    };
    auto frame = [this](const QRect& where, int anchor) {
        auto* box = new QFrame(this);
        box->setFrameShape(QFrame::StyledPanel);
        box->setGeometry(where);
        box->lower();
        AddAnchor(box, anchor);
    };
    // The clone view's frame takes the height the window gains; its set source and the status
    // line below stay at the bottom.
    frame({14, 8, 410, 170}, kAnchorStretchRight);
    frame({14, 186, 410, 196}, kAnchorStretchRight | kAnchorStretchDown);

    m_settingRadio = new QRadioButton(UiText(m_catalogue, kSettingView), this);
    m_settingRadio->setGeometry(24, 14, 150, 20);
    m_cloneRadio = new QRadioButton(UiText(m_catalogue, kCloneView), this);
    m_cloneRadio->setGeometry(24, 192, 150, 20);
    m_settingRadio->setChecked(true);
    KeepMarkerVisible(m_settingRadio);
    KeepMarkerVisible(m_cloneRadio);

    auto placeholder = [this](int x, int y) {
        auto* spot = new QWidget(this);
        spot->setGeometry(x, y, 1, 1);
        spot->hide();
        return spot;
    };
    m_up = new CArrowButton(ArrowKind::Up, this);
    m_up->PlaceOver(placeholder(24, 40));
    m_down = new CArrowButton(ArrowKind::Down, this);
    m_down->PlaceOver(placeholder(24, 104));

    m_previousName = ReadOnlyField(this);
    m_previousName->setGeometry(60, 40, 230, 24);
    m_currentName = ReadOnlyField(this);
    m_currentName->setGeometry(60, 72, 230, 24);
    m_nextName = ReadOnlyField(this);
    m_nextName->setGeometry(60, 104, 230, 24);
    for (QWidget* w : {static_cast<QWidget*>(m_previousName), static_cast<QWidget*>(m_currentName),
                       static_cast<QWidget*>(m_nextName)})
        AddAnchor(w, kAnchorStretchRight);

    m_readCaption = caption(0, {300, 46, 110, 24}, kAnchorMoveRight);
    m_currentValue = ReadOnlyField(this, Qt::AlignRight);
    m_currentValue->setGeometry(300, 72, 110, 24);
    m_newValue = new CNumericEdit(this, kNumericDecimal | kNumericSigned);
    m_newValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_newValue->setGeometry(300, 104, 110, 24);
    // A push-like check box: it stays pressed while ticked.
    m_write = new QPushButton(QString::fromStdString(Text(1)), this);
    m_write->setCheckable(true);
    m_write->setAutoDefault(false);  // Enter writes from the value entry, never presses it
    m_write->setGeometry(300, 136, 110, 26);
    for (QWidget* w : {static_cast<QWidget*>(m_currentValue), static_cast<QWidget*>(m_newValue),
                       static_cast<QWidget*>(m_write)})
        AddAnchor(w, kAnchorMoveRight);

    for (int b = 0; b < kButtonCount; ++b) {
        m_buttons[b] = new CImageButton(this);
        m_buttons[b]->SetFaces(FacePath(kButtonDefs[b].face), FacePath(kButtonDefs[b].disabledFace),
                               b == kConnect ? FacePath("Disconnect.bmp") : QString());
        m_buttons[b]->setFocusPolicy(Qt::TabFocus);
    }
    // Exit, ComSet, Connect and About in a row at the right.
    for (int i = 0; i < 4; ++i) {
        const int x = 440 + i * 47;
        m_captions[i] = caption(kButtonDefs[i].caption, {x, 8, 46, 20}, kAnchorMoveRight);
        m_buttons[i]->setGeometry(x + 3, 30, kButtonSide, kButtonSide);
        AddAnchor(m_buttons[i], kAnchorMoveRight);
    }
    m_disconnectCaption =
        caption(kDisconnectCaption, m_captions[kConnect]->geometry(), kAnchorMoveRight);
    m_disconnectCaption->hide();

    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 2; ++row) {
            const Button b = kColumns[column][row];
            const int x = 30 + column * 130;
            const int y = 214 + row * 68;
            m_captions[b] = caption(kButtonDefs[b].caption, {x, y, 120, 20}, 0);
            m_buttons[b]->setGeometry(x + 40, y + 22, kButtonSide, kButtonSide);
            m_columnHome[(column * 2 + row) * 2] = m_captions[b]->geometry();
            m_columnHome[(column * 2 + row) * 2 + 1] = m_buttons[b]->geometry();
        }
    }
    m_setSource = ReadOnlyField(this);
    m_setSource->setGeometry(30, 352, 380, 24);
    AddAnchor(m_setSource, kAnchorStretchRight | kAnchorMoveDown);

    m_picture = new QLabel(this);
    m_picture->setFrameShape(QFrame::Box);
    m_picture->setScaledContents(true);
    m_picture->setAutoFillBackground(true);
    m_picture->setGeometry(440, 80, 186, PictureHeight(186));
    AddAnchor(m_picture, kAnchorMoveRight);

    for (int i = 0; i < 3; ++i) {
        m_lamps[i] = new CLampControl(this);
        m_lamps[i]->SetCaption(UiText(m_catalogue, static_cast<std::uint16_t>(kLampTx + i)));
        m_lamps[i]->setGeometry(440 + i * 62, 256, 58, 50);
        AddAnchor(m_lamps[i], kAnchorMoveRight);
    }

    m_status = new CStatusLine(this);
    m_status->setGeometry(14, 390, 612, 24);
    AddAnchor(m_status, kAnchorStretchRight | kAnchorMoveDown);

    m_toggle = new CColourButton(this);
    m_toggle->SetColour(QColor(255, 64, 64));
    m_toggle->setGeometry(0, 0, 8, 8);
    m_toggle->setFocusPolicy(Qt::NoFocus);
}

void CMainDialog::WireControls() {
    CDeviceSession& s = *m_session;
    connect(m_buttons[kExit], &QAbstractButton::clicked, this, &CMainDialog::ExitPressed);
    connect(m_buttons[kComSet], &QAbstractButton::clicked, this, &CMainDialog::ComSetPressed);
    connect(m_buttons[kAbout], &QAbstractButton::clicked, this, &CMainDialog::AboutPressed);
    using E = SOperationOutcome::EOperation;
    connect(m_buttons[kConnect], &QAbstractButton::clicked, this, [this, &s] {
        const bool connecting = !s.IsConnected();
        if (connecting && s.Settings().portName.empty()) {
            m_ui.MessageBox(Text(kNoPortHint), COperatorUi::BoxStyle::Ok);
            return;
        }
        m_portReport.clear();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const SResult result = connecting ? s.Connect(s.UnitNumber()) : s.Disconnect();
        QApplication::restoreOverrideCursor();
        m_failure.clear();
        m_settingModel.Reset();
        RefreshSidePanel();
        RefreshView();
        // A connect that fails says why (the port, its permission, the controller's answer);
        // an Unlink, when the controller may not be back as it was found.
        const bool stopped =
            result.code == ResultCode::kBusy || result.code == ResultCode::kCancelled;
        if ((connecting && !result.Ok() && !stopped) || result.code == ResultCode::kNotRestored) {
            QString text = ReasonText(result.reason, m_catalogue);
            if (PortFailure(result.code) && !m_portReport.isEmpty())
                text += QStringLiteral("\n\n") + m_portReport.trimmed();
            m_ui.MessageBox(text.toStdString(), COperatorUi::BoxStyle::Ok);
            // The status line keeps the reason once the box is closed.
            if (connecting) {
                m_failure =
                    FailureText(E::None, ReasonText(result.reason, m_catalogue), m_catalogue);
                RefreshView();
            }
        }
    });
    connect(m_buttons[kUpload], &QAbstractButton::clicked, this,
            [this, &s] { RunVerb(E::Upload, [&s] { return s.Upload(); }); });
    connect(m_buttons[kDownload], &QAbstractButton::clicked, this, [this, &s] {
        RunVerb(E::Download, [this, &s] {
            int unit = s.UnitNumber();
            if (m_ui.AskUnitNumber(unit)) return s.Download(unit);
            LogEvent("Download button pushed.");
            return SResult::Failure(ResultCode::kCancelled, Reason<ReasonId::kNoUnitGiven>());
        });
    });
    connect(m_buttons[kVerify], &QAbstractButton::clicked, this,
            [this, &s] { RunVerb(E::Verify, [&s] { return s.Verify(); }); });
    connect(m_buttons[kSave], &QAbstractButton::clicked, this,
            [this] { RunVerb(E::Save, [this] { return SaveSet(); }); });
    connect(m_buttons[kOpen], &QAbstractButton::clicked, this, [this, &s] {
        RunVerb(E::Open, [this, &s] {
            std::string path;
            if (m_ui.ChooseOpenFile(CDesktopUi::FileKind::ParameterSet, path)) return s.Open(path);
            return NoFileChosen(
                {"File Open button pushed.", "File Open start.", "File Open canceled."});
        });
    });
    connect(m_buttons[kExport], &QAbstractButton::clicked, this, [this, &s] {
        RunVerb(E::Export, [this, &s] {
            std::string path;
            const QString name = QString::fromStdString(FormatTimeNow("%Y%m%d%H%M%S", false));
            if (m_ui.ChooseSaveFile(CDesktopUi::FileKind::Csv, name + ".csv", path))
                return s.Export(path);
            return NoFileChosen({"Export button pushed.", "Export start.", "Export canceled."});
        });
    });
    // Only a click counts, not the focus arriving on the button.
    for (const auto& radioView :
         {std::pair{m_settingRadio, EView::Setting}, std::pair{m_cloneRadio, EView::Clone}})
        connect(radioView.first, &QAbstractButton::clicked, this,
                [this, &s, view = radioView.second] {
                    s.SetView(view);
                    m_settingModel.Reset();
                    RefreshView();
                });
    using EAction = CSettingViewModel::EAction;
    connect(m_up, &QAbstractButton::clicked, this,
            [this, &s] { RunSettingAction(EAction::Step, [&s] { return s.StepUp(); }); });
    connect(m_down, &QAbstractButton::clicked, this,
            [this, &s] { RunSettingAction(EAction::Step, [&s] { return s.StepDown(); }); });
    connect(m_write, &QAbstractButton::clicked, this, [this, &s](bool on) {
        RunSettingAction(EAction::WriteMode,
                         [&s, on] { return s.SetWriteMode(s.CurrentIndex(), on); });
    });
    m_newValue->SetEnterHook([this, &s] {
        const std::string typed = m_newValue->text().toStdString();
        RunSettingAction(
            EAction::Write, [&s, &typed] { return s.Write(s.CurrentIndex(), typed); }, typed);
        ReturnFocus(m_newValue);
        return true;
    });
    connect(m_toggle, &QAbstractButton::clicked, this, &CMainDialog::ToggleSidePanel);
    // The stop window an action may open names the action and the unit.
    const std::pair<QAbstractButton*, int> named[] = {{m_buttons[kUpload], kUploadFromUnit},
                                                      {m_buttons[kVerify], kVerifyWithUnit},
                                                      {m_buttons[kDownload], kDownloadToUnit},
                                                      {m_buttons[kConnect], kSearchOnUnit},
                                                      {m_settingRadio, kSearchOnUnit},
                                                      {m_up, kSearchOnUnit},
                                                      {m_down, kSearchOnUnit}};
    for (const auto& [button, text] : named)
        connect(button, &QAbstractButton::pressed, this,
                [this, number = text] { m_ui.NameOperation(number, m_session->UnitNumber()); });
    // After each action the focus goes where the operator works next; the disabled busy window
    // would otherwise leave it nowhere.
    std::vector<QAbstractButton*> actions(m_buttons.begin(), m_buttons.end());
    actions.insert(actions.end(), {m_settingRadio, m_cloneRadio, m_up, m_down, m_write});
    for (QAbstractButton* pressed : actions)
        connect(pressed, &QAbstractButton::clicked, this,
                [this, pressed] { ReturnFocus(pressed); });
}

void CMainDialog::ReturnFocus(QWidget* pressed) {
    std::vector<QWidget*> candidates;
    if (m_session->View() == EView::Setting) candidates = {m_newValue, m_write};
    candidates.insert(candidates.end(), {pressed, m_down, m_up});
    for (QWidget* w : candidates) {
        if (w && w->isEnabled() && w->isVisibleTo(this) && w->focusPolicy() != Qt::NoFocus) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool CMainDialog::HandleStepKey(const QObject* target, const QKeyEvent& event) {
    const int key = event.key();
    if (m_panel && target == m_panel->Rows()) {
        if (key != Qt::Key_Escape) return false;
        activateWindow();
        ReturnFocus(nullptr);
        return true;
    }
    const bool plain = (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && IsStepKey(key) && m_session->View() == EView::Setting) {
        CArrowButton* arrow = key == Qt::Key_Up || key == Qt::Key_PageUp ? m_up : m_down;
        if (arrow->isEnabled()) arrow->click();
        return true;
    }
    // The view buttons would move to, and so switch to, the other view.
    return qobject_cast<const QRadioButton*>(target) &&
           (IsStepKey(key) || key == Qt::Key_Left || key == Qt::Key_Right);
}

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        HandleStepKey(watched, *static_cast<QKeyEvent*>(event)))
        return true;
    return CResizableDialog::eventFilter(watched, event);
}

void CMainDialog::SetUpLamps() {
    for (int i = 0; i < 3; ++i) {
        m_lamps[i]->SetAutoOff(true);
        m_lamps[i]->SetOnDuration(i == CTrafficLamps::kErr ? 300 : 100);
        m_traffic.Register(static_cast<CTrafficLamps::Slot>(i), m_lamps[i]);
    }
    m_lamps[CTrafficLamps::kErr]->SetOnColour(QColor(255, 0, 0));
    for (int i = 0; i < 3; ++i)
        m_lamps[i]->SetStateTexts(QString::fromStdString(Text(kFirstLampState + i)),
                                  QString::fromStdString(Text(kFirstLampState + 3)));
    m_session->Port().SetActivityHook([this](int sending, int starting) {
        if (starting == 0) m_traffic.Signal(sending != 0 ? 0 : 1);
    });
    m_session->Port().SetAttemptHook([this] { m_traffic.Signal(2); });
}

void CMainDialog::RefreshView() {
    const CDeviceSession& s = *m_session;
    const SSettingViewState v = SettingState();
    const bool connected = s.IsConnected();
    const SViewEnabling on =
        ViewEnabling({s.View(), connected, s.TableHasItems(), s.ValuesPresent()});

    m_settingRadio->setChecked(s.View() == EView::Setting);
    m_cloneRadio->setChecked(s.View() == EView::Clone);

    const SShownParameter& shown = s.Shown();
    m_previousName->setText(QString::fromStdString(shown.previousName));
    m_currentName->setText(QString::fromStdString(shown.currentName));
    m_nextName->setText(QString::fromStdString(shown.nextName));
    m_currentValue->setText(QString::fromStdString(shown.currentValue));
    m_newValue->setText(QString::fromStdString(v.newValue));
    m_write->setChecked(v.writeTicked);
    ShowWriteBox(v, shown.writeModeNeeded);

    for (QWidget* w : {static_cast<QWidget*>(m_previousName), static_cast<QWidget*>(m_currentName),
                       static_cast<QWidget*>(m_nextName), static_cast<QWidget*>(m_currentValue),
                       static_cast<QWidget*>(m_readCaption)})
        w->setEnabled(on.settingControls);
    m_newValue->setEnabled(on.settingControls && v.writeTicked);
    m_write->setEnabled(on.settingControls && v.writeBoxEnabled);
    m_up->setEnabled(on.settingControls && v.upEnabled);
    m_down->setEnabled(on.settingControls && v.downEnabled);

    for (Button b : {kUpload, kOpen}) {
        m_buttons[b]->setEnabled(on.cloneControls);
        m_captions[b]->setEnabled(on.cloneControls);
    }
    for (Button b : {kExport, kSave, kDownload, kVerify}) {
        m_buttons[b]->setEnabled(on.cloneValueControls);
        m_captions[b]->setEnabled(on.cloneValueControls);
    }
    m_setSource->setEnabled(on.cloneControls);
    m_setSource->setText(on.clearSetSource ? QString() : QString::fromStdString(s.SetSourceText()));
    m_buttons[kComSet]->setEnabled(on.comSet);
    m_captions[kComSet]->setEnabled(on.comSet);

    m_buttons[kConnect]->SetAlternate(connected);
    NameButton(kConnect, connected);
    m_captions[kConnect]->setVisible(!connected);
    m_disconnectCaption->setVisible(connected);

    ShowStatus();
    ApplyColour(m_status, StatusLineColour(connected));
    ApplyColour(m_currentName, CurrentNameColour(s.View(), connected));
    ApplyColour(m_newValue, ValueEntryColour(s.View(), connected, v.writeTicked, v.entryRed));
    const QString problem = v.entryRed ? SettingProblem() : QString();
    m_newValue->setToolTip(problem.isEmpty() ? UiText(m_catalogue, kNewValueTip) : problem);
    m_newValue->setAccessibleDescription(problem);
    ShowPicture();
    if (m_panel && m_panel->IsOpen()) m_panel->Rows()->ShowRow(s.CurrentIndex());
}

void CMainDialog::ShowWriteBox(const SSettingViewState& v, bool writeModeNeeded) {
    // Ticked means in write mode; a parameter written without it says so instead.
    const bool direct = v.writeTicked && !writeModeNeeded;
    const QString caption = QString::fromStdString(Text(direct ? 400 : 1));
    const QString state = QString::fromStdString(Text(direct ? 401 : v.writeTicked ? 403 : 402));
    m_write->setText(caption);
    m_write->setAccessibleName(caption);
    m_write->setToolTip(state);
    m_write->setAccessibleDescription(state);
}

void CMainDialog::ApplyColour(QWidget* field, EFieldColour colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, ColourOf(colour));
    palette.setColor(QPalette::Window, ColourOf(colour));
    palette.setColor(QPalette::Text, TextColourOn(colour));
    field->setPalette(palette);
}

void CMainDialog::ShowPicture() {
    const QString path = QString::fromStdString(m_session->PicturePath());
    if (m_picture->property("path").toString() == path) return;
    m_picture->setProperty("path", path);
    // An unreadable picture leaves the frame empty, in the button-face colour.
    m_picture->setPixmap(path.isEmpty() ? QPixmap() : QPixmap(path));
}

void CMainDialog::RefreshSidePanel() {
    std::vector<SSidePanelRow> rows;
    if (const CMenuParamTable* table = m_session->Table())
        rows = SidePanelRowsFor(*table, m_session->ValuesPresent(), m_session->ParamStatuses(),
                                m_catalogue);
    m_panel->Rows()->SetRows(rows);
    if (!rows.empty()) m_panel->Rows()->ShowRow(m_session->CurrentIndex());
    m_panel->ResultsButton()->setEnabled(HasVerifyResults());
    if (m_results && m_results->isVisible()) {
        if (HasVerifyResults())
            ShowVerifyResults(false);
        else
            m_results->hide();
    }
}

CSidePanelList* CMainDialog::SidePanelRows() const { return m_panel->Rows(); }

bool CMainDialog::SidePanelShown() const { return m_panel->IsOpen(); }

void CMainDialog::ToggleSidePanel() {
    if (m_panel->IsSliding()) return;
    if (!m_panel->IsOpen()) MakeRoomForSidePanel();
    ShowWithoutActivating(m_panel.get(), false);
    m_panel->Toggle();
}

void CMainDialog::MakeRoomForSidePanel() {
    m_placeTaken = {};
    // A maximised window stays so: restoring it is left to the window manager, whose answer
    // comes later than the panel, and the window would come back over the screen's edge.
    if (isMaximized()) {
        m_panel->SetSide(EPanelSide::Over);
        return;
    }
    const QRect frame = frameGeometry();
    const QScreen* screen = this->screen();
    if (!screen) return;
    const SPanelPlace place =
        PlaceSidePanel(frame, SidePanelWidth(frame), screen->availableGeometry());
    m_panel->SetSide(place.side);
    if (place.mainLeft == frame.left()) return;
    m_placeTaken.movedFrom = frame.topLeft();
    m_placeTaken.movedTo = QPoint(place.mainLeft, frame.top());
    move(*m_placeTaken.movedTo);
}

void CMainDialog::GiveBackPanelPlace() {
    // A window the operator moved since stays where it was put.
    if (m_placeTaken.movedTo && frameGeometry().topLeft() == *m_placeTaken.movedTo)
        move(*m_placeTaken.movedFrom);
    m_placeTaken = {};
}

bool CMainDialog::HasVerifyResults() const {
    return m_session->Table() &&
           m_session->LastOutcome().operation == SOperationOutcome::EOperation::Verify &&
           !m_session->ParamStatuses().empty();
}

void CMainDialog::SetUpVerifyResults() {
    const QString title = QString::fromStdString(Text(kVerifyResultsTitle));
    m_panel->ResultsButton()->setText(title);
    m_panel->ResultsButton()->setAccessibleName(title);
    const QKeySequence key(Qt::CTRL | Qt::Key_R);
    m_panel->ResultsButton()->setToolTip(WithKey(title, {key}));
    connect(m_panel->ResultsButton(), &QPushButton::clicked, this,
            [this] { ShowVerifyResults(true); });
    connect(new QShortcut(key, this), &QShortcut::activated, this,
            [this] { ShowVerifyResults(true); });
    m_keys.push_back({m_panel->ResultsButton(), {key}});  // for the key list
    // After the session's own handling of the click; the window does not take the keyboard
    // from where the operator works.
    connect(m_buttons[kVerify], &QAbstractButton::clicked, this, [this] {
        if (HasVerifyResults() && m_session->LastOutcome().differs > 0) ShowVerifyResults(false);
    });
}

void CMainDialog::ShowVerifyResults(bool activate) {
    if (!HasVerifyResults()) return;
    if (!m_results) {
        m_results = new CVerifyResultsDialog(QString::fromStdString(Text(kVerifyResultsTitle)),
                                             VerifyHeaders(m_catalogue), this);
    }
    ShowWithoutActivating(m_results, !activate);
    m_results->SetRows(VerifyRowsFor(*m_session->Table(), m_session->ParamStatuses(), m_catalogue));
    m_results->show();
    if (!activate) return;
    m_results->raise();
    m_results->activateWindow();
    m_results->Table()->setFocus();
}

void CMainDialog::OpenSidePanel() {
    // Not through the toggle: the busy window has it disabled when an operation asks. An open
    // panel keeps its side, and the place it took stays to be given back.
    if (m_panel->IsOpen() || m_panel->IsSliding()) return;
    MakeRoomForSidePanel();
    // Opened by an operation, it leaves the keyboard on the button pressed; a window manager
    // would give it to the new window.
    ShowWithoutActivating(m_panel.get(), true);
    m_panel->Toggle();
}

void CMainDialog::GoToItem(int index) {
    m_ui.NameOperation(kSearchOnUnit, m_session->UnitNumber());
    RunSettingAction(CSettingViewModel::EAction::Step,
                     [this, index] { return m_session->GoToItem(index); });
}

void CMainDialog::ApplySettings(const CCommSettings& settings, int unit) {
    m_session->ApplyCommSettings(settings, unit);
    if (!m_session->TableHasItems()) RefreshSidePanel();
    RefreshView();
}

void CMainDialog::RunVerb(SOperationOutcome::EOperation operation,
                          const std::function<SResult()>& verb) {
    if (m_session->IsBusy()) return;
    m_failure.clear();
    m_settingModel.Reset();
    const SResult result = verb();
    RefreshSidePanel();
    if (const CMenuParamTable* table = m_session->Table();
        table && OpensSidePanel(operation, result.code, table->CountWritableNotValid()))
        OpenSidePanel();
    if (result.code == ResultCode::kLineLost || result.code == ResultCode::kNotRestored)
        m_ui.ShowReason(result.reason);
    // The operator's own stop, or a question declined, is told by the outcome as before.
    if (!result.Completed() && result.code != ResultCode::kBusy &&
        result.code != ResultCode::kCancelled)
        m_failure = FailureText(operation, ReasonText(result.reason, m_catalogue), m_catalogue);
    // Parameters that failed: the counts, then why the first failed, as vexa-cli tells it.
    else if (result.code == ResultCode::kIncomplete && m_session->LastOutcome().failed > 0)
        m_failure = OutcomeText(m_session->LastOutcome(), m_catalogue) + QStringLiteral("; ") +
                    ReasonText(result.reason, m_catalogue);
    RefreshView();
}

void CMainDialog::RunSettingAction(CSettingViewModel::EAction action,
                                   const std::function<SResult()>& verb, const std::string& typed) {
    const bool wasConnected = m_session->IsConnected();
    m_settingModel.Ended(action, verb(), typed);
    if (wasConnected && !m_session->IsConnected()) RefreshSidePanel();
    RefreshView();
    // The line went during a step or a write: the session has closed it; say why once.
    if (wasConnected && !m_session->IsConnected() && !m_session->ConnectionLost().Empty())
        m_ui.ShowReason(m_session->ConnectionLost());
}

SResult CMainDialog::SaveSet() {
    const int missing = m_session->FileOpened() ? 0 : m_session->ValuesMissing();
    if (missing > 0 &&
        m_ui.MessageBox(IncompleteSaveQuestion(missing).toStdString(),
                        COperatorUi::BoxStyle::YesNoWarning) != COperatorUi::BoxAnswer::Ok)
        return SResult::Failure(ResultCode::kCancelled, Reason<ReasonId::kIncompleteNotSaved>());
    std::string path;
    if (m_ui.ChooseSaveFile(CDesktopUi::FileKind::ParameterSet, ProposedSetName(), path))
        return m_session->Save(path);
    return NoFileChosen({"Save button pushed.", "Save start.", "Save canceled."});
}

void CMainDialog::ExitPressed() {
    if (m_session->IsBusy()) return;
    LeaveController();
    done(QDialog::Accepted);
}

void CMainDialog::LeaveController() {
    if (const SResult left = m_session->LeaveWriteMode(); left.code == ResultCode::kNotRestored)
        m_ui.ShowReason(left.reason);
}

void CMainDialog::ComSetPressed() {
    LogEvent("CommSet button pushed.");
    if (m_session->IsBusy()) return;
    CSerialSettingsDialog dialog(m_catalogue, this);
    dialog.SetInput(m_session->Settings(), m_session->UnitNumber());
    m_panel->setEnabled(false);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_panel->setEnabled(true);
    if (accepted) ApplySettings(dialog.Settings(), dialog.UnitNumber());
}

void CMainDialog::AboutPressed() {
    LogEvent("About button pushed.");
    if (m_session->IsBusy()) return;
    m_panel->setEnabled(false);
    CAboutDialog about(m_catalogue, this);
    about.ShowKeys(KeyList());
    about.exec();
    m_panel->setEnabled(true);
}

void CMainDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Escape never closes the window and Enter never presses a button.
            event->accept();
            return;
        default:
            if (HandleStepKey(this, *event))
                event->accept();
            else
                CResizableDialog::keyPressEvent(event);
    }
}

void CMainDialog::reject() {
    // Escape and the platform's reject path do not close the main window.
}

void CMainDialog::closeEvent(QCloseEvent* event) {
    if (m_session->IsBusy()) {
        // Stops the operation as Cancel does; the window closes once the controller is back.
        m_closeWhenIdle = true;
        m_ui.RequestStop();
        event->ignore();
        return;
    }
    LeaveController();
    done(QDialog::Rejected);
    event->accept();
}

void CMainDialog::resizeEvent(QResizeEvent* event) {
    CResizableDialog::resizeEvent(event);
    const int widthChange = width() - m_laidOutSize.width();
    m_laidOutSize = size();
    if (widthChange != 0) {
        const SColumnShare share = ShareWidthChange(m_columnCarried, widthChange);
        m_columnShare += share.perColumn;
        m_columnCarried = share.carried;
        PlaceCloneColumns();
    }
    if (m_panel) m_panel->Follow();
}

void CMainDialog::PlaceCloneColumns() {
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 2; ++row) {
            const Button b = kColumns[column][row];
            QRect label = m_columnHome[(column * 2 + row) * 2];
            QRect button = m_columnHome[(column * 2 + row) * 2 + 1];
            label.translate(column * m_columnShare, 0);
            label.setWidth(label.width() + m_columnShare);
            button.moveLeft(label.center().x() - button.width() / 2 + 1);
            m_captions[b]->setGeometry(label);
            m_buttons[b]->setGeometry(button);
        }
    }
}

void CMainDialog::moveEvent(QMoveEvent* event) {
    CResizableDialog::moveEvent(event);
    if (m_panel) m_panel->Follow();
}

void CMainDialog::SetUpKeys() {
    for (int b = 0; b < kButtonCount; ++b)
        m_keys.push_back({m_buttons[b], KeysOf(kButtonKeys[b], kButtonLetters[b])});
    m_keys.push_back({m_settingRadio, KeysOf(QKeySequence(Qt::CTRL | Qt::Key_1), Qt::Key_T)});
    m_keys.push_back({m_cloneRadio, KeysOf(QKeySequence(Qt::CTRL | Qt::Key_2), Qt::Key_C)});
    m_keys.push_back({m_toggle, KeysOf(QKeySequence(Qt::Key_F9), Qt::Key_I)});
    m_keys.push_back({m_up,
                      {QKeySequence(Qt::Key_Up), QKeySequence(Qt::Key_PageUp),
                       QKeySequence(Qt::ALT | Qt::Key_B)}});
    m_keys.push_back({m_down,
                      {QKeySequence(Qt::Key_Down), QKeySequence(Qt::Key_PageDown),
                       QKeySequence(Qt::ALT | Qt::Key_N)}});
    m_keys.push_back({m_write, {QKeySequence(Qt::ALT | Qt::Key_W)}});
    for (const auto& [button, keys] : m_keys) {
        QList<QKeySequence> shortcuts;
        for (const QKeySequence& key : keys)
            if (!IsStepKey(key[0].key())) shortcuts << key;
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(shortcuts);
        QAbstractButton* target = button;
        connect(shortcut, &QShortcut::activated, target, [target] {
            if (target->isEnabled()) target->click();
        });
        if (target != m_write) target->setToolTip(WithKey(target->accessibleName(), keys));
    }
}

QString CMainDialog::KeyList() const {
    QString rows;
    const auto row = [&rows](const QString& what, const QString& keys) {
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                    .arg(what.toHtmlEscaped(), keys.toHtmlEscaped());
    };
    for (const auto& [button, keys] : m_keys) row(button->accessibleName(), KeyText(keys));
    const auto key = [](Qt::Key k) { return QKeySequence(k).toString(QKeySequence::NativeText); };
    row(m_newValue->accessibleName(), key(Qt::Key_Return));
    row(m_panel->Rows()->accessibleName(), key(Qt::Key_Return) + QStringLiteral(", ") +
                                               key(Qt::Key_Space) + QStringLiteral("; ") +
                                               key(Qt::Key_Escape));
    return QStringLiteral("<table cellspacing=\"4\">") + rows + QStringLiteral("</table>");
}

void CMainDialog::NameControls() {
    for (int b = 0; b < kButtonCount; ++b) NameButton(static_cast<Button>(b), false);
    m_settingRadio->setAccessibleName(m_settingRadio->text());
    m_cloneRadio->setAccessibleName(m_cloneRadio->text());
    const std::pair<QWidget*, std::uint16_t> names[] = {
        {m_up, kPreviousParameter},         {m_down, kNextParameter},
        {m_toggle, kParameterList},         {m_previousName, kPreviousParameter},
        {m_currentName, kCurrentParameter}, {m_nextName, kNextParameter},
        {m_currentValue, kValueRead},       {m_newValue, kNewValue},
        {m_setSource, kParameterSet},       {m_status, kStatus},
        {m_picture, kController},
    };
    for (const auto& [widget, number] : names)
        widget->setAccessibleName(UiText(m_catalogue, number));
    m_up->setToolTip(UiText(m_catalogue, kPreviousParameterKeys));
    m_down->setToolTip(UiText(m_catalogue, kNextParameterKeys));
    m_write->setAccessibleName(UiTextOr(m_catalogue, 1, kWriteName));
    for (CLampControl* lamp : m_lamps) lamp->setAccessibleName(lamp->Caption());
}

QString CMainDialog::ProposedSetName() const {
    QString model = QString::fromStdString(m_session->ModelName());
    // Only characters that any file system and shell take as they are.
    for (QChar& c : model)
        if (!c.isLetterOrNumber() && c != '.' && c != '-' && c != '_') c = '-';
    if (model.isEmpty()) model = QStringLiteral("set");
    // An incomplete set never takes the name a complete one of the same day would have.
    const bool incomplete = !m_session->FileOpened() && m_session->ValuesMissing() > 0;
    return QStringLiteral("%1_unit%2_%3%4.tmf")
        .arg(model)
        .arg(m_session->UnitNumber())
        .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")))
        .arg(incomplete ? QStringLiteral("_incomplete") : QString());
}

void CMainDialog::NameButton(Button b, bool connected) {
    const bool unlink = b == kConnect && connected;
    const QString caption = unlink ? UiTextOr(m_catalogue, kDisconnectCaption, kUnlinkName)
                                   : UiTextOr(m_catalogue, kButtonDefs[b].caption,
                                              static_cast<std::uint16_t>(kFirstButtonName + b));
    m_buttons[b]->SetCaption(caption);
    m_buttons[b]->setToolTip(WithKey(caption, KeysOf(kButtonKeys[b], kButtonLetters[b])));
}

// Why the setting view shows no value or a red value entry, in words; empty when it went well.
QString CMainDialog::SettingProblem() const {
    if (m_session->View() != EView::Setting) return {};
    return ReasonText(SettingState().problem, m_catalogue);
}

SSettingViewState CMainDialog::SettingState() const {
    return m_settingModel.State(m_session->Shown(), m_session->InWriteMode());
}

void CMainDialog::ShowStatus() {
    const QString line = QString::fromStdString(m_session->Settings().portName.empty()
                                                    ? Text(kNoPortHint)
                                                    : m_session->FormatConnectionStatus());
    const QString problem = SettingProblem();
    const QString outcome = !problem.isEmpty() ? problem
                            : !m_failure.isEmpty()
                                ? m_failure
                                : OutcomeText(m_session->LastOutcome(), m_catalogue);
    if (outcome.isEmpty()) {
        m_status->Show(line);
        return;
    }
    // Where the whole does not fit, the model name at the end of the line settings gives
    // way, so that both the line settings and what happened stay readable.
    QString model = QString::fromStdString(m_session->ModelName());
    QString head = line;
    if (!model.isEmpty() && head.endsWith(model))
        head.chop(model.size());
    else
        model.clear();
    m_status->Show(head, model, QStringLiteral("   ") + outcome);
}
