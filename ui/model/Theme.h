// The window theme without a window: the hue-luminance-saturation conversions, the six-colour
// palette derived from the base colour, and the hexadecimal text of the TxRGB box.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::ui {

// Colours are Windows COLORREF values: 0x00BBGGRR.
using Color = std::uint32_t;

inline constexpr Color RgbColor(int red, int green, int blue) {
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
inline constexpr int RedOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int GreenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int BlueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// The shell's scale: hue, luminance and saturation each run from 0 to 240.
inline constexpr int kHlsMax = 240;
struct Hls {
    int hue = 0;
    int luminance = 0;
    int saturation = 0;
    bool operator==(const Hls&) const = default;
};

Hls RgbToHls(Color color);
Color HlsToRgb(Hls hls);

// The default green (red 0x11, green 0xB9, blue 0x08), used while the stored value is below 1.
inline constexpr Color kDefaultThemeBase = 0x08B911;
Color ThemeBaseColor(std::int32_t storedThemeColor);

// Colour 0 white; 1, 2, 3 the base lightened by 0.6, 0.5, 0.4 of the luminance range (capped);
// 4, 5 darkened by 0.1 and 0.25 (floored). Hue and saturation are kept.
using ThemePalette = std::array<Color, 6>;
ThemePalette MakeThemePalette(Color base);

// What each palette colour paints.
enum class PaletteRole : int {
    Window = 0,     // white: behind the panels, edit boxes, the top band's text
    Panel = 1,      // the tab panels and the corner window
    InfoPanel = 2,  // the right-hand information panel
    Tint = 3,       // the third tint, kept for controls that want a softer panel colour
    TopBand = 4,    // the band with the title and the top buttons
    Heading = 5,    // headings, frame captions, the protection name while protected
};
constexpr Color ColorOf(const ThemePalette& palette, PaletteRole role) {
    return palette[static_cast<std::size_t>(role)];
}

// The TxRGB box: the colour's number in upper-case hexadecimal without leading zeros, so the
// default reads "8B911".
std::u16string ThemeColorText(Color color);
// What the user typed, read as hexadecimal. Blanks around it are ignored; anything that is not
// one to six hexadecimal digits is no colour, so a half-typed or mistyped value leaves the theme
// as it is instead of painting the window with garbage.
std::optional<Color> ParseThemeColorText(std::u16string_view typed);

}  // namespace vestra::ui
