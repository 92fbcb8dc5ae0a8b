// Twips, panel widths and the start/exit placement rules of the main window.
#include "ui/model/Geometry.h"

#include <algorithm>

namespace vestra::ui {
namespace {

int EffectiveDpi(int dpi) {
    return dpi < 1 ? kDefaultDpi : dpi;
}

int DivRound(long long numerator, long long denominator) {
    if (numerator >= 0)
        return static_cast<int>((numerator + denominator / 2) / denominator);
    return -static_cast<int>((-numerator + denominator / 2) / denominator);
}

bool Complete(const StoredGeometry& s) {
    return s.left != -1 && s.top != -1 && s.width > 0 && s.height > 0;
}

// Moves (and if need be shrinks) the rectangle so it lies inside the area.
Rect FitInto(Rect r, const Rect& area) {
    r.width = std::min(r.width, area.width);
    r.height = std::min(r.height, area.height);
    r.left = std::clamp(r.left, area.left, area.left + area.width - r.width);
    r.top = std::clamp(r.top, area.top, area.top + area.height - r.height);
    return r;
}

}  // namespace

int TwipsToPixels(int twips, int dpi) {
    return DivRound(static_cast<long long>(twips) * EffectiveDpi(dpi), kTwipsPerInch);
}

int PixelsToTwips(int pixels, int dpi) {
    return DivRound(static_cast<long long>(pixels) * kTwipsPerInch, EffectiveDpi(dpi));
}

std::optional<int> PanelSwitchWidth(bool hidePanel, bool maximised, int dpi) {
    if (maximised)
        return std::nullopt;
    return TwipsToPixels(hidePanel ? kWidthPanelHiddenTwips : kWidthPanelShownTwips, dpi);
}

Placement RestorePlacement(const StoredGeometry& stored, bool resizeAllowed, bool hidePanel,
                           const Rect& workArea, int dpi) {
    const int fixedWidth = *PanelSwitchWidth(hidePanel, false, dpi);
    const int defaultHeight = TwipsToPixels(kDefaultHeightTwips, dpi);
    Placement placement;
    Rect& r = placement.rect;
    if (Complete(stored)) {
        r = {TwipsToPixels(stored.left, dpi), TwipsToPixels(stored.top, dpi),
             TwipsToPixels(stored.width, dpi), TwipsToPixels(stored.height, dpi)};
        if (!resizeAllowed) {
            r.width = fixedWidth;
            r.height = defaultHeight;
        }
    } else {
        r.width = fixedWidth;
        r.height = defaultHeight;
        r.left = workArea.left + (workArea.width - r.width) / 2;
        r.top = workArea.top + (workArea.height - r.height) / 2;
    }
    r = FitInto(r, workArea);
    placement.maximised =
        resizeAllowed && stored.state == static_cast<std::int32_t>(WindowState::Maximised);
    return placement;
}

StoredGeometry GeometryToSave(const Rect& normalRect, WindowState state, int dpi) {
    StoredGeometry s;
    s.left = PixelsToTwips(normalRect.left, dpi);
    s.top = PixelsToTwips(normalRect.top, dpi);
    s.width = PixelsToTwips(normalRect.width, dpi);
    s.height = PixelsToTwips(normalRect.height, dpi);
    s.state =
        static_cast<std::int32_t>(state == WindowState::Minimised ? WindowState::Normal : state);
    return s;
}

}  // namespace vestra::ui
