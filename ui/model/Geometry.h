// Window measures that do not need a window: twips at the current DPI, the two widths of the
// right-hand panel switch, and where the main window goes at start and what is saved at exit.
#pragma once

#include <cstdint>
#include <optional>

namespace vestra::ui {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

// Rounded to the nearest pixel; a DPI below 1 counts as the default 96.
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);

// The main window's width with the right-hand panel hidden and shown, and its default height.
inline constexpr int kWidthPanelHiddenTwips = 9300;
inline constexpr int kWidthPanelShownTwips = 12120;
inline constexpr int kDefaultHeightTwips = 8100;

// HidePanel: the new outer width in pixels, or nothing when the window is maximised (its size
// then stays as it is).
std::optional<int> PanelSwitchWidth(bool hidePanel, bool maximised, int dpi);

// The WinPos setting holds the window state as the numbers of the classic form.
enum class WindowState : std::int32_t { Normal = 0, Minimised = 1, Maximised = 2 };

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// The stored geometry (WinLeft, WinTop, WinWidth, WinHeight in twips, -1 = not set; WinPos).
struct StoredGeometry {
    std::int32_t left = -1;
    std::int32_t top = -1;
    std::int32_t width = -1;
    std::int32_t height = -1;
    std::int32_t state = 0;
};

struct Placement {
    Rect rect;  // pixels, screen coordinates
    bool maximised = false;
};

// Where the window opens. Without a complete stored position it is centred at its default size.
// The width follows the panel switch unless resizing is allowed; a window that would lie partly
// outside the work area is moved (and, if larger, shrunk) into it; it opens maximised only when
// that was its state and resizing is allowed.
Placement RestorePlacement(const StoredGeometry& stored, bool resizeAllowed, bool hidePanel,
                           const Rect& workArea, int dpi);

// What to save at exit: the window's normal (restored) rectangle and its state. A minimised
// window is saved as normal so that the next start does not open it off screen or as an icon.
StoredGeometry GeometryToSave(const Rect& normalRect, WindowState state, int dpi);

}  // namespace vestra::ui
