// Theme palette on the 0..240 scale, and the TxRGB text.
#include "ui/model/Theme.h"

#include <gtest/gtest.h>

namespace vestra::ui {
namespace {

struct HlsCase {
    Color color;
    Hls hls;
};

TEST(ThemeTest, RgbToHlsMatchesTheShellScale) {
    const HlsCase cases[] = {
        {RgbColor(255, 255, 255), {160, 240, 0}}, {RgbColor(0, 0, 0), {160, 0, 0}},
        {RgbColor(128, 128, 128), {160, 120, 0}}, {RgbColor(255, 0, 0), {0, 120, 240}},
        {RgbColor(0, 255, 0), {80, 120, 240}},    {RgbColor(0, 0, 255), {160, 120, 240}},
        {kDefaultThemeBase, {78, 91, 220}},  // red 0x11, green 0xB9, blue 0x08
    };
    for (const HlsCase& c : cases)
        EXPECT_EQ(RgbToHls(c.color), c.hls) << std::hex << c.color;
}

TEST(ThemeTest, HlsRoundTripKeepsPrimaryColours) {
    for (Color c : {RgbColor(255, 0, 0), RgbColor(0, 255, 0), RgbColor(0, 0, 255),
                    RgbColor(255, 255, 255), RgbColor(0, 0, 0)})
        EXPECT_EQ(HlsToRgb(RgbToHls(c)), c) << std::hex << c;
}

TEST(ThemeTest, DefaultPaletteShiftsOnlyTheLuminance) {
    const ThemePalette palette = MakeThemePalette(kDefaultThemeBase);
    EXPECT_EQ(palette[0], RgbColor(255, 255, 255));
    const int expected[] = {0, 91 + 144, 91 + 120, 91 + 96, 91 - 24, 91 - 60};
    for (int i = 1; i < 6; ++i) {
        const Hls hls = RgbToHls(palette[i]);
        EXPECT_NEAR(hls.luminance, expected[i], 1) << "colour " << i;
        EXPECT_NEAR(hls.hue, 78, 2) << "colour " << i;
    }
    // Lighter colours really are lighter and the dark ones darker than the base.
    EXPECT_GT(GreenOf(palette[3]), GreenOf(kDefaultThemeBase));
    EXPECT_LT(GreenOf(palette[4]), GreenOf(kDefaultThemeBase));
    EXPECT_LT(GreenOf(palette[5]), GreenOf(palette[4]));
}

TEST(ThemeTest, LuminanceIsCappedAndFloored) {
    const ThemePalette light = MakeThemePalette(RgbColor(230, 240, 250));  // luminance ~226
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(light[i], RgbColor(255, 255, 255)) << "colour " << i;
    const ThemePalette dark = MakeThemePalette(RgbColor(20, 0, 0));  // luminance 9
    EXPECT_EQ(dark[4], RgbColor(0, 0, 0));
    EXPECT_EQ(dark[5], RgbColor(0, 0, 0));
}

TEST(ThemeTest, EachRolePaintsItsShadeOfTheBase) {
    // The window reads colours by role: a role on the wrong index paints a heading in a pale
    // tint or a panel in the dark band colour.
    for (Color base : {kDefaultThemeBase, RgbColor(0x1E, 0x6F, 0xD0), RgbColor(0xC8, 0x28, 0x28)}) {
        const ThemePalette palette = MakeThemePalette(base);
        const auto lum = [&](PaletteRole role) {
            return RgbToHls(ColorOf(palette, role)).luminance;
        };
        const int baseLum = RgbToHls(base).luminance;
        EXPECT_EQ(ColorOf(palette, PaletteRole::Window), RgbColor(255, 255, 255));
        EXPECT_GT(lum(PaletteRole::Panel), lum(PaletteRole::InfoPanel)) << std::hex << base;
        EXPECT_GT(lum(PaletteRole::InfoPanel), lum(PaletteRole::Tint)) << std::hex << base;
        EXPECT_GT(lum(PaletteRole::Tint), baseLum) << std::hex << base;
        EXPECT_LT(lum(PaletteRole::TopBand), baseLum) << std::hex << base;
        EXPECT_LT(lum(PaletteRole::Heading), lum(PaletteRole::TopBand)) << std::hex << base;
    }
}

TEST(ThemeTest, StoredColourBelowOneMeansTheDefault) {
    EXPECT_EQ(ThemeBaseColor(0), kDefaultThemeBase);
    EXPECT_EQ(ThemeBaseColor(-1), kDefaultThemeBase);
    EXPECT_EQ(ThemeBaseColor(0x123456), 0x123456u);
    EXPECT_EQ(ThemeColorText(ThemeBaseColor(0)), u"8B911");
}

TEST(ThemeTest, TypedHexadecimalText) {
    struct Case {
        std::u16string_view typed;
        std::optional<Color> color;
    };
    const Case cases[] = {
        {u"8B911", 0x08B911},       {u" ff00ff ", 0xFF00FF},    {u"0", 0},
        {u"FFFFFF", 0xFFFFFF},      {u"", std::nullopt},        {u"   ", std::nullopt},
        {u"12G4", std::nullopt},    {u"1000000", std::nullopt},  // beyond a colour
        {u"&H8B911", std::nullopt},  // the prefix is the program's to add, not the user's
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseThemeColorText(c.typed), c.color);
    EXPECT_EQ(ParseThemeColorText(ThemeColorText(0x0A0B0C)), 0x0A0B0Cu);
}

}  // namespace
}  // namespace vestra::ui
