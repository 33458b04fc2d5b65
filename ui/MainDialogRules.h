#pragma once

#include <QRect>

#include "app/Result.h"
#include "ops/SessionState.h"

// The main dialog's rules as pure functions, so that they are checked without a screen.

// What decides which view controls the operator may use.
struct SViewInputs {
    EView view = EView::Setting;
    bool connected = false;
    bool tableHasItems = false;
    bool valuesPresent = false;
};

struct SViewEnabling {
    bool settingControls = false;     // names, values, "Read", arrows
    bool cloneControls = false;       // Upload and Open with their captions, set source text
    bool cloneValueControls = false;  // Export, Save, Download, Verify with their captions
    bool comSet = true;
    bool clearSetSource = false;
};

SViewEnabling ViewEnabling(const SViewInputs& in);

// Whether the side panel opens after a whole-set operation that ended with `code`: to show the
// parameters it left without a value, except after a verify a lost line cut short (parameters
// never read are not "not equal").
bool OpensSidePanel(SOperationOutcome::EOperation operation, ResultCode code,
                    size_t writableNotValid);

enum class EFieldColour { ButtonFace, White, Red, Orange };

EFieldColour CurrentNameColour(EView view, bool connected);
EFieldColour ValueEntryColour(EView view, bool connected, bool writeTicked, bool valueChanged);
EFieldColour StatusLineColour(bool connected);

// A width change shared by the three clone columns: each widens by a third of the
// change plus the carried remainder; what does not divide by three is carried on.
struct SColumnShare {
    int perColumn = 0;
    int carried = 0;
};
SColumnShare ShareWidthChange(int carried, int widthChange);

// The controller picture's height for its width.
int PictureHeight(int width);

// Where the side panel slides out: from the main window's left edge, from its right edge, or
// over the window's client area from its left edge when there is no room beside it.
enum class EPanelSide { Left, Right, Over };

// The side panel beside a main window whose frame is `frame` and whose client area is
// `client` (both in screen coordinates): a quarter of the frame's width, the client's
// height, against the frame's edge on `side`, below the caption.  `shown` pixels of it are
// out (0 while hidden, its width when fully open).
int SidePanelWidth(const QRect& frame);
QRect SidePanelRect(const QRect& frame, const QRect& client, int shown,
                    EPanelSide side = EPanelSide::Left);
// How far one slide step moves.
int SlideStep(int panelWidth);

// Where a panel of panelWidth opens beside a main window frame on a screen, and where the main
// window's left edge goes for it.  The window never leaves the screen: the panel takes the
// left side when it fits there, else the right side, else the left side with the window moved
// right when the window still fits, else it opens over the window.
struct SPanelPlace {
    EPanelSide side = EPanelSide::Left;
    int mainLeft = 0;
};
SPanelPlace PlaceSidePanel(const QRect& frame, int panelWidth, const QRect& screen);
