#include "ui/Anchors.h"

QRect ApplyAnchor(const QRect& rect, int flags, int dw, int dh) {
    QRect r = rect;
    if (flags & kAnchorStretchRight) {
        r.setRight(r.right() + dw);
    } else if (flags & kAnchorMoveRight) {
        r.translate(dw, 0);
    }
    if (flags & kAnchorStretchDown) {
        r.setBottom(r.bottom() + dh);
    } else if (flags & kAnchorMoveDown) {
        r.translate(0, dh);
    }
    return r;
}
