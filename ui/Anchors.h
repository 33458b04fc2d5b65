#pragma once

#include <QRect>

// How a control follows a change of its dialog's client size.
enum AnchorFlag : int {
    kAnchorMoveRight = 1,     // moves right by the width change
    kAnchorMoveDown = 2,      // moves down by the height change
    kAnchorStretchRight = 4,  // its right edge follows the width change (wins over 1)
    kAnchorStretchDown = 8,   // its bottom edge follows the height change (wins over 2)
};

// The rectangle of a control with these anchor flags after the client size changed by dw, dh.
QRect ApplyAnchor(const QRect& rect, int flags, int dw, int dh);
