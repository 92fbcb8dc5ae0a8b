// Main-tab click rules, set-up flags, scan-tab views and the select-all memory.
#include "ui/model/TabRules.h"

#include <gtest/gtest.h>

#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

using Kind = TabClickResult::Kind;

struct Prompt {
    int asked = 0;
    bool answer = true;
    std::function<bool()> Ask() {
        return [this] {
            ++asked;
            return answer;
        };
    }
};

TEST(TabRulesTest, DuringAScanOnlyScannerSettingsAboutAndDonationOpen) {
    for (int tab = 1; tab <= kMainTabCount; ++tab) {
        config::PasswordGuard guard;
        Prompt prompt;
        TabClickContext context{kTabScanner, true, false, prompt.Ask()};
        const TabClickResult r = ClickMainTab(tab, context, guard);
        const bool open = tab == kTabSettings || tab == kTabAbout || tab == kTabDonation;
        if (tab == kTabScanner)
            EXPECT_EQ(r.kind, Kind::Unchanged);
        else
            EXPECT_EQ(r.kind, open ? Kind::Switched : Kind::Refused) << "tab " << tab;
        EXPECT_EQ(r.tab, open ? tab : kTabScanner) << "tab " << tab;
    }
}

TEST(TabRulesTest, ARefusedTabDuringAScanDoesNotAskForThePassword) {
    config::PasswordGuard guard;
    Prompt prompt;
    const TabClickContext context{kTabScanner, true, true, prompt.Ask()};
    EXPECT_EQ(ClickMainTab(kTabTools, context, guard).kind, Kind::Refused);
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(ClickMainTab(kTabSettings, context, guard).kind, Kind::Switched);
    EXPECT_EQ(prompt.asked, 1);
}

TEST(TabRulesTest, ARightPasswordOpensEveryGuardedTabForTheRestOfTheRun) {
    config::PasswordGuard guard;
    Prompt prompt;
    TabClickContext context{kTabScanner, false, true, prompt.Ask()};
    EXPECT_EQ(ClickMainTab(kTabTools, context, guard).kind, Kind::Switched);
    for (int tab : {kTabProtection, kTabQuarantine, kTabSettings}) {
        context.currentTab = kTabScanner;
        EXPECT_EQ(ClickMainTab(tab, context, guard).kind, Kind::Switched);
    }
    EXPECT_EQ(prompt.asked, 1);
}

TEST(TabRulesTest, AWrongPasswordKeepsThePreviousTabAndAsksAgainNextTime) {
    config::PasswordGuard guard;
    Prompt prompt;
    prompt.answer = false;
    const TabClickContext context{kTabUpdate, false, true, prompt.Ask()};
    const TabClickResult r = ClickMainTab(kTabQuarantine, context, guard);
    EXPECT_EQ(r.kind, Kind::Refused);
    EXPECT_EQ(r.tab, kTabUpdate);
    ClickMainTab(kTabSettings, context, guard);
    EXPECT_EQ(prompt.asked, 2);
    // Unguarded tabs never ask.
    EXPECT_EQ(ClickMainTab(kTabAbout, context, guard).kind, Kind::Switched);
    EXPECT_EQ(prompt.asked, 2);
}

TEST(TabRulesTest, WithoutThePasswordSettingNothingIsAsked) {
    config::PasswordGuard guard;
    Prompt prompt;
    const TabClickContext context{kTabScanner, false, false, prompt.Ask()};
    EXPECT_EQ(ClickMainTab(kTabProtection, context, guard).kind, Kind::Switched);
    EXPECT_EQ(prompt.asked, 0);
}

TEST(TabRulesTest, SideEffectsOfTheSwitch) {
    config::PasswordGuard guard;
    const TabClickContext fromScanner{kTabScanner, false, false, {}};
    const TabClickResult quarantine = ClickMainTab(kTabQuarantine, fromScanner, guard);
    EXPECT_TRUE(quarantine.refillQuarantine);
    EXPECT_FALSE(quarantine.protectionTimerOn);
    EXPECT_TRUE(ClickMainTab(kTabProtection, fromScanner, guard).protectionTimerOn);
    // Leaving the Protection panel stops its timer; a refused click keeps it as it was.
    const TabClickContext fromProtection{kTabProtection, false, false, {}};
    EXPECT_FALSE(ClickMainTab(kTabAbout, fromProtection, guard).protectionTimerOn);
    const TabClickContext scanning{kTabProtection, true, false, {}};
    EXPECT_TRUE(ClickMainTab(kTabUpdate, scanning, guard).protectionTimerOn);
    EXPECT_EQ(ClickMainTab(0, fromScanner, guard).kind, Kind::Refused);
    EXPECT_EQ(ClickMainTab(9, fromScanner, guard).kind, Kind::Refused);
}

TEST(TabRulesTest, EachPartIsSetUpOnce) {
    PanelSetup setup;
    EXPECT_TRUE(setup.Begin(3));
    EXPECT_FALSE(setup.Begin(3));
    EXPECT_TRUE(setup.IsDone(3));
    EXPECT_FALSE(setup.IsDone(8));
    EXPECT_TRUE(setup.Begin(8));
    EXPECT_FALSE(setup.Begin(9));
    EXPECT_FALSE(setup.Begin(-1));
}

TEST(TabRulesTest, ScanTabsShowTheirControls) {
    EXPECT_TRUE(ViewOfScanTab(kScanTabTargets).targetTree);
    EXPECT_EQ(ViewOfScanTab(kScanTabTargets).list, ResultKind::None);
    EXPECT_TRUE(ViewOfScanTab(kScanTabReport).report);
    EXPECT_FALSE(ViewOfScanTab(kScanTabReport).targetTree);
    const ScanTabView registry = ViewOfScanTab(kScanTabRegistry);
    EXPECT_EQ(registry.list, ResultKind::Registry);
    EXPECT_EQ(registry.extraCaptions[2], u"&Goto Key ...");
    EXPECT_EQ(ViewOfScanTab(kScanTabHidden).extraCaptions[0], u"Unhide &All");
    EXPECT_TRUE(ViewOfScanTab(kScanTabReport).extraCaptions[0].empty());
}

TEST(TabRulesTest, SelectAllIsRememberedPerList) {
    SelectAllStates states;
    states.Set(ResultKind::Registry, true);
    EXPECT_TRUE(states.Get(ResultKind::Registry));
    EXPECT_FALSE(states.Get(ResultKind::Virus));
    EXPECT_FALSE(states.Get(ResultKind::Hidden));
    states.Set(ResultKind::None, true);  // no list visible: nothing to remember
    EXPECT_FALSE(states.Get(ResultKind::None));
}

TEST(TabRulesTest, ButtonAndMenuCaptionsChooseTheirRows) {
    for (int tab = kScanTabVirus; tab <= kScanTabHidden; ++tab) {
        const ScanTabView view = ViewOfScanTab(tab);
        EXPECT_EQ(CommandOfCaption(view.extraCaptions[0]), ListCommand::AllRows);
        EXPECT_EQ(CommandOfCaption(view.extraCaptions[1]), ListCommand::CheckedRows);
        EXPECT_EQ(CommandOfCaption(view.extraCaptions[3]), ListCommand::Properties);
    }
    // Each button stands for the pop-up item of the same caption.
    for (int tab = kScanTabVirus; tab <= kScanTabHidden; ++tab) {
        const ScanTabView view = ViewOfScanTab(tab);
        for (int i = 0; i < 4; ++i) {
            const MenuItemSpec* item = FindMenuItem(view.extraCommands[i]);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->caption, view.extraCaptions[i]);
        }
    }
    EXPECT_EQ(CommandOfCaption(u"Quarantine &Checked"), ListCommand::CheckedRows);
    EXPECT_EQ(CommandOfCaption(u"&Explore ..."), ListCommand::Explore);
    EXPECT_EQ(CommandOfCaption(u"&Goto Key ..."), ListCommand::GotoKey);
    EXPECT_EQ(CommandOfCaption(u"Ignore (Exception)"), ListCommand::None);
}

}  // namespace
}  // namespace vestra::ui
