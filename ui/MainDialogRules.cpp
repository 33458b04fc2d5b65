#include "ui/MainDialogRules.h"

#include <algorithm>

SViewEnabling ViewEnabling(const SViewInputs& in) {
    SViewEnabling out;
    if (in.view == EView::Clone) {
        out.cloneControls = in.tableHasItems;
        out.cloneValueControls = in.tableHasItems && in.valuesPresent;
        out.clearSetSource = !in.valuesPresent;
    } else {
        out.settingControls = in.connected && in.tableHasItems;
        out.clearSetSource = true;
    }
    out.comSet = !in.connected;
    return out;
}

bool OpensSidePanel(SOperationOutcome::EOperation operation, ResultCode code,
                    size_t writableNotValid) {
    using E = SOperationOutcome::EOperation;
    if (writableNotValid == 0) return false;
    switch (operation) {
        case E::Upload:
        case E::Download:
        case E::Open:
            return true;
        case E::Verify:
            return code != ResultCode::kLineLost;
        default:
            return false;
    }
}

EFieldColour CurrentNameColour(EView view, bool connected) {
    return view == EView::Setting && connected ? EFieldColour::White : EFieldColour::ButtonFace;
}

EFieldColour ValueEntryColour(EView view, bool connected, bool writeTicked, bool valueChanged) {
    if (view != EView::Setting || !connected || !writeTicked) return EFieldColour::ButtonFace;
    return valueChanged ? EFieldColour::Red : EFieldColour::White;
}

EFieldColour StatusLineColour(bool connected) {
    return connected ? EFieldColour::Orange : EFieldColour::ButtonFace;
}

SColumnShare ShareWidthChange(int carried, int widthChange) {
    const int total = carried + widthChange;
    // Truncated toward zero, so a shrink gives back exactly what a growth took.
    return {total / 3, total % 3};
}

int PictureHeight(int width) { return width * 90 / 100; }

int SidePanelWidth(const QRect& frame) { return frame.width() / 4; }

QRect SidePanelRect(const QRect& frame, const QRect& client, int shown, EPanelSide side) {
    const int width = std::clamp(shown, 0, SidePanelWidth(frame));
    switch (side) {
        case EPanelSide::Right:
            return QRect(frame.right() + 1, client.top(), width, client.height());
        case EPanelSide::Over:
            return QRect(client.left(), client.top(), width, client.height());
        case EPanelSide::Left:
            break;
    }
    return QRect(frame.left() - width, client.top(), width, client.height());
}

int SlideStep(int panelWidth) { return std::max(1, panelWidth / 25); }

SPanelPlace PlaceSidePanel(const QRect& frame, int panelWidth, const QRect& screen) {
    if (frame.left() - panelWidth >= screen.left()) return {EPanelSide::Left, frame.left()};
    if (frame.right() + panelWidth <= screen.right()) return {EPanelSide::Right, frame.left()};
    const int moved = screen.left() + panelWidth;
    if (moved + frame.width() - 1 <= screen.right()) return {EPanelSide::Left, moved};
    return {EPanelSide::Over, frame.left()};
}
