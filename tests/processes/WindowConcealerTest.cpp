// "Conceal Windows!" against a desktop of a few titled windows: every title is marked so that it
// is never concealed twice, ticks conceal only the foreground window, and turning it off gives
// back what concealing changed without touching titles that windows set themselves since.
#include "processes/WindowConcealer.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "processes/ProcessTree.h"

namespace vestra::processes {
namespace {

using platform::WindowId;

struct Desktop {
    std::map<WindowId, std::u16string> titles{{1, u"Task Manager"}, {2, u""}, {3, u"Notepad"}};
    WindowId foreground = 3;
    WindowId refuses = 0;  // a window whose title cannot be set

    WindowConcealer Concealer(bool coin) {
        return WindowConcealer({[this] {
                                    std::vector<WindowId> ids;
                                    for (const auto& [id, _] : titles)
                                        ids.push_back(id);
                                    return ids;
                                },
                                [this] { return foreground; },
                                [this](WindowId id) { return titles[id]; },
                                [this](WindowId id, std::u16string_view text) {
                                    if (id == refuses)
                                        return false;
                                    titles[id] = std::u16string(text);
                                    return true;
                                },
                                [coin] { return coin; }});
    }
};

TEST(ConcealTitleTest, TheFirstFillerAlwaysMarksTheTitle) {
    for (bool coin : {false, true}) {
        const std::u16string concealed = ConcealTitle(u"ab", [coin] { return coin; });
        ASSERT_EQ(concealed.size(), 4u);
        EXPECT_EQ(concealed[1], kConcealMarker);
        EXPECT_EQ(concealed[3], coin ? kConcealMarker : u' ');
        EXPECT_FALSE(ShouldConceal(concealed));
        EXPECT_EQ(RevealText(concealed), u"ab");
    }
    EXPECT_EQ(ConcealTitle(u"", [] { return true; }), u"");
}

TEST(WindowConcealerTest, ConcealsEveryTitleOnceAndGivesThemBack) {
    Desktop desk;
    desk.refuses = 3;
    WindowConcealer concealer = desk.Concealer(false);
    concealer.TurnOn();
    EXPECT_TRUE(concealer.active());
    const std::u16string concealed = desk.titles[1];
    EXPECT_EQ(RevealText(concealed), u"Task Manager");
    EXPECT_FALSE(ShouldConceal(concealed));
    EXPECT_EQ(desk.titles[2], u"");         // an empty title is left alone
    EXPECT_EQ(desk.titles[3], u"Notepad");  // could not be set: nothing to give back later

    // Ticks touch the foreground window only, and a marked title not again.
    desk.refuses = 0;
    desk.foreground = 1;
    concealer.Tick();
    EXPECT_EQ(desk.titles[1], concealed);
    desk.titles[4] = u"New window";
    desk.foreground = 4;
    concealer.Tick();
    EXPECT_EQ(RevealText(desk.titles[4]), u"New window");

    concealer.TurnOff();
    EXPECT_FALSE(concealer.active());
    EXPECT_EQ(desk.titles[1], u"Task Manager");
    EXPECT_EQ(desk.titles[4], u"New window");
    EXPECT_EQ(desk.titles[3], u"Notepad");
    concealer.Tick();  // off: nothing more happens
    EXPECT_EQ(desk.titles[4], u"New window");
}

TEST(WindowConcealerTest, AWindowThatRenamedItselfKeepsItsNewTitle) {
    Desktop desk;
    WindowConcealer concealer = desk.Concealer(true);
    concealer.TurnOn();
    desk.titles[1] = u"Renamed";                    // the window's own doing, unmarked
    desk.titles[3] = u"Notepad - notes.txt\u00A0";  // renamed with a marker: left as it is
    concealer.TurnOff();
    EXPECT_EQ(desk.titles[1], u"Renamed");
    EXPECT_EQ(desk.titles[3], u"Notepad - notes.txt\u00A0");

    // Concealed again after renaming, it gets the newer title back.
    concealer.TurnOn();
    desk.titles[1] = u"Renamed twice";
    desk.foreground = 1;
    concealer.Tick();
    concealer.TurnOff();
    EXPECT_EQ(desk.titles[1], u"Renamed twice");
}

}  // namespace
}  // namespace vestra::processes
