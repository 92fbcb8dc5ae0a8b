// Theme palette arithmetic on the shell's 0..240 hue-luminance-saturation scale (the same integer
// rounding as ColorRGBToHLS / ColorHLSToRGB, so the window and these tests agree).
#include "ui/model/Theme.h"

#include <algorithm>
#include <cmath>

#include "platform/Text.h"

namespace vestra::ui {
namespace {

constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

int HueToChannel(int n1, int n2, int hue) {
    if (hue < 0)
        hue += kHlsMax;
    if (hue > kHlsMax)
        hue -= kHlsMax;
    if (hue < kHlsMax / 6)
        return n1 + (((n2 - n1) * hue + (kHlsMax / 12)) / (kHlsMax / 6));
    if (hue < kHlsMax / 2)
        return n2;
    if (hue < (kHlsMax * 2) / 3)
        return n1 + (((n2 - n1) * (((kHlsMax * 2) / 3) - hue) + (kHlsMax / 12)) / (kHlsMax / 6));
    return n1;
}

int ToByte(int channel) {
    return std::clamp((channel * kRgbMax + (kHlsMax / 2)) / kHlsMax, 0, kRgbMax);
}

Color ShiftLuminance(Color base, double fraction) {
    Hls hls = RgbToHls(base);
    long shifted = std::lround(hls.luminance + fraction * kHlsMax);
    hls.luminance = static_cast<int>(std::clamp(shifted, 0L, static_cast<long>(kHlsMax)));
    return HlsToRgb(hls);
}

}  // namespace

Hls RgbToHls(Color color) {
    const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    Hls hls;
    hls.luminance = (((cMax + cMin) * kHlsMax) + kRgbMax) / (2 * kRgbMax);
    if (cMax == cMin) {
        hls.hue = kUndefinedHue;
        return hls;
    }
    const int spread = cMax - cMin;
    if (hls.luminance <= kHlsMax / 2)
        hls.saturation = ((spread * kHlsMax) + ((cMax + cMin) / 2)) / (cMax + cMin);
    else
        hls.saturation =
            ((spread * kHlsMax) + ((2 * kRgbMax - cMax - cMin) / 2)) / (2 * kRgbMax - cMax - cMin);
    auto delta = [&](int channel) {
        return (((cMax - channel) * (kHlsMax / 6)) + (spread / 2)) / spread;
    };
    if (r == cMax)
        hls.hue = delta(b) - delta(g);
    else if (g == cMax)
        hls.hue = (kHlsMax / 3) + delta(r) - delta(b);
    else
        hls.hue = ((2 * kHlsMax) / 3) + delta(g) - delta(r);
    if (hls.hue < 0)
        hls.hue += kHlsMax;
    if (hls.hue > kHlsMax)
        hls.hue -= kHlsMax;
    return hls;
}

Color HlsToRgb(Hls hls) {
    const int l = hls.luminance, s = hls.saturation;
    if (s == 0) {
        const int grey = std::clamp((l * kRgbMax) / kHlsMax, 0, kRgbMax);
        return RgbColor(grey, grey, grey);
    }
    const int magic2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + (kHlsMax / 2)) / kHlsMax
                                        : l + s - ((l * s) + (kHlsMax / 2)) / kHlsMax;
    const int magic1 = 2 * l - magic2;
    return RgbColor(ToByte(HueToChannel(magic1, magic2, hls.hue + (kHlsMax / 3))),
                    ToByte(HueToChannel(magic1, magic2, hls.hue)),
                    ToByte(HueToChannel(magic1, magic2, hls.hue - (kHlsMax / 3))));
}

Color ThemeBaseColor(std::int32_t storedThemeColor) {
    return storedThemeColor < 1 ? kDefaultThemeBase
                                : static_cast<Color>(storedThemeColor) & 0xFFFFFF;
}

ThemePalette MakeThemePalette(Color base) {
    return {RgbColor(255, 255, 255),   ShiftLuminance(base, 0.6),  ShiftLuminance(base, 0.5),
            ShiftLuminance(base, 0.4), ShiftLuminance(base, -0.1), ShiftLuminance(base, -0.25)};
}

std::u16string ThemeColorText(Color color) {
    return ToHex(color & 0xFFFFFF);
}

std::optional<Color> ParseThemeColorText(std::u16string_view typed) {
    const std::u16string text = Trim(typed);
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    Color value = 0;
    for (char16_t c : text) {
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<Color>(digit);
    }
    return value;
}

}  // namespace vestra::ui
