// Twips at DPI, the panel switch widths, and the start/exit placement of the main window.
#include "ui/model/Geometry.h"

#include <gtest/gtest.h>

namespace vestra::ui {
namespace {

TEST(GeometryTest, TwipsFollowTheDpi) {
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {9300, 96, 620},    {12120, 96, 808}, {9300, 120, 775},
        {12120, 120, 1010}, {9300, 144, 930}, {12120, 144, 1212},
        {15, 96, 1},        {7, 96, 0},       {9300, 0, 620},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    EXPECT_EQ(PixelsToTwips(620, 96), 9300);
    EXPECT_EQ(PixelsToTwips(-10, 96), -150);
}

TEST(GeometryTest, PanelSwitchLeavesAMaximisedWindowAlone) {
    EXPECT_EQ(PanelSwitchWidth(true, false, 96), 620);
    EXPECT_EQ(PanelSwitchWidth(false, false, 144), 1212);
    EXPECT_EQ(PanelSwitchWidth(true, true, 96), std::nullopt);
    EXPECT_EQ(PanelSwitchWidth(false, true, 96), std::nullopt);
}

const Rect kScreen{0, 0, 1280, 1000};

TEST(GeometryTest, WithoutAStoredPositionTheWindowIsCentred) {
    StoredGeometry stored;  // all -1
    stored.left = 300;      // a partial set counts as none
    const Placement p = RestorePlacement(stored, false, false, kScreen, 96);
    EXPECT_EQ(p.rect, (Rect{236, 230, 808, 540}));
    EXPECT_FALSE(p.maximised);
}

TEST(GeometryTest, StoredPositionIsKeptAndTheWidthFollowsThePanelUnlessResizable) {
    const StoredGeometry stored{1500, 1500, 15000, 9000, 0};  // twips: 100,100,1000,600 px
    EXPECT_EQ(RestorePlacement(stored, false, true, kScreen, 96).rect, (Rect{100, 100, 620, 540}));
    EXPECT_EQ(RestorePlacement(stored, true, true, kScreen, 96).rect, (Rect{100, 100, 1000, 600}));
}

TEST(GeometryTest, AWindowOutsideTheWorkAreaIsBroughtBack) {
    const StoredGeometry offRight{30000, -3000, 9300, 8100, 0};  // 2000 px right, 200 px up
    EXPECT_EQ(RestorePlacement(offRight, false, true, kScreen, 96).rect, (Rect{660, 0, 620, 540}));
    const StoredGeometry huge{0, 0, 30000, 30000, 0};
    EXPECT_EQ(RestorePlacement(huge, true, false, kScreen, 96).rect, kScreen);
}

TEST(GeometryTest, MaximisedOnlyWhenResizingIsAllowed) {
    const StoredGeometry stored{1500, 1500, 15000, 9000, 2};
    EXPECT_TRUE(RestorePlacement(stored, true, false, kScreen, 96).maximised);
    EXPECT_FALSE(RestorePlacement(stored, false, false, kScreen, 96).maximised);
}

TEST(GeometryTest, SavedGeometryIsInTwipsAndNeverMinimised) {
    const Rect normal{100, 50, 808, 540};
    const StoredGeometry saved = GeometryToSave(normal, WindowState::Minimised, 96);
    EXPECT_EQ(saved.left, 1500);
    EXPECT_EQ(saved.top, 750);
    EXPECT_EQ(saved.width, 12120);
    EXPECT_EQ(saved.height, 8100);
    EXPECT_EQ(saved.state, 0);
    EXPECT_EQ(GeometryToSave(normal, WindowState::Maximised, 96).state, 2);
    // What is saved at one DPI reopens at the same place.
    const Placement back = RestorePlacement(GeometryToSave(normal, WindowState::Normal, 120), true,
                                            false, kScreen, 120);
    EXPECT_EQ(back.rect, normal);
}

}  // namespace
}  // namespace vestra::ui
