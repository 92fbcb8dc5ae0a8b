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
    for (int n = 1; n <= kMainTabCount; ++n) {
        const MainTab tab = static_cast<MainTab>(n);
        config::PasswordGuard guard;
        Prompt prompt;
        TabClickContext context{MainTab::Scanner, true, false, prompt.Ask()};
        const TabClickResult r = ClickMainTab(tab, context, guard);
        const bool open =
            tab == MainTab::Settings || tab == MainTab::About || tab == MainTab::Donation;
        if (tab == MainTab::Scanner)
            EXPECT_EQ(r.kind, Kind::Unchanged);
        else
            EXPECT_EQ(r.kind, open ? Kind::Switched : Kind::Refused) << "tab " << n;
        EXPECT_EQ(r.tab, open ? tab : MainTab::Scanner) << "tab " << n;
    }
}

TEST(TabRulesTest, ARefusedTabDuringAScanDoesNotAskForThePassword) {
    config::PasswordGuard guard;
    Prompt prompt;
    const TabClickContext context{MainTab::Scanner, true, true, prompt.Ask()};
    EXPECT_EQ(ClickMainTab(MainTab::Tools, context, guard).kind, Kind::Refused);
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(ClickMainTab(MainTab::Settings, context, guard).kind, Kind::Switched);
    EXPECT_EQ(prompt.asked, 1);
}

TEST(TabRulesTest, ARightPasswordOpensEveryGuardedTabForTheRestOfTheRun) {
    config::PasswordGuard guard;
    Prompt prompt;
    TabClickContext context{MainTab::Scanner, false, true, prompt.Ask()};
    EXPECT_EQ(ClickMainTab(MainTab::Tools, context, guard).kind, Kind::Switched);
    for (MainTab tab : {MainTab::Protection, MainTab::Quarantine, MainTab::Settings}) {
        context.currentTab = MainTab::Scanner;
        EXPECT_EQ(ClickMainTab(tab, context, guard).kind, Kind::Switched);
    }
    EXPECT_EQ(prompt.asked, 1);
}

TEST(TabRulesTest, AWrongPasswordKeepsThePreviousTabAndAsksAgainNextTime) {
    config::PasswordGuard guard;
    Prompt prompt;
    prompt.answer = false;
    const TabClickContext context{MainTab::Update, false, true, prompt.Ask()};
    const TabClickResult r = ClickMainTab(MainTab::Quarantine, context, guard);
    EXPECT_EQ(r.kind, Kind::Refused);
    EXPECT_EQ(r.tab, MainTab::Update);
    ClickMainTab(MainTab::Settings, context, guard);
    EXPECT_EQ(prompt.asked, 2);
    // Unguarded tabs never ask.
    EXPECT_EQ(ClickMainTab(MainTab::About, context, guard).kind, Kind::Switched);
    EXPECT_EQ(prompt.asked, 2);
}

TEST(TabRulesTest, WithoutThePasswordSettingNothingIsAsked) {
    config::PasswordGuard guard;
    Prompt prompt;
    const TabClickContext context{MainTab::Scanner, false, false, prompt.Ask()};
    EXPECT_EQ(ClickMainTab(MainTab::Protection, context, guard).kind, Kind::Switched);
    EXPECT_EQ(prompt.asked, 0);
}

TEST(TabRulesTest, SideEffectsOfTheSwitch) {
    config::PasswordGuard guard;
    const TabClickContext fromScanner{MainTab::Scanner, false, false, {}};
    const TabClickResult quarantine = ClickMainTab(MainTab::Quarantine, fromScanner, guard);
    EXPECT_TRUE(quarantine.refillQuarantine);
    EXPECT_FALSE(quarantine.protectionTimerOn);
    EXPECT_TRUE(ClickMainTab(MainTab::Protection, fromScanner, guard).protectionTimerOn);
    // Leaving the Protection panel stops its timer; a refused click keeps it as it was.
    const TabClickContext fromProtection{MainTab::Protection, false, false, {}};
    EXPECT_FALSE(ClickMainTab(MainTab::About, fromProtection, guard).protectionTimerOn);
    const TabClickContext scanning{MainTab::Protection, true, false, {}};
    EXPECT_TRUE(ClickMainTab(MainTab::Update, scanning, guard).protectionTimerOn);
    EXPECT_EQ(ClickMainTab(static_cast<MainTab>(0), fromScanner, guard).kind, Kind::Refused);
    EXPECT_EQ(ClickMainTab(static_cast<MainTab>(9), fromScanner, guard).kind, Kind::Refused);
}

TEST(TabRulesTest, StripPositionsAndPartsFollowTheTabNumbers) {
    // The strip counts from 0, the tabs from 1 and the set-up parts from 0: an off-by-one here
    // opens or sets up the neighbouring panel.
    EXPECT_EQ(MainTabAt(0), MainTab::Scanner);
    EXPECT_EQ(MainTabAt(4), MainTab::Quarantine);
    EXPECT_EQ(MainTabAt(7), MainTab::Donation);
    EXPECT_EQ(MainTabAt(8), std::nullopt);
    EXPECT_EQ(MainTabAt(-1), std::nullopt);
    for (int i = 0; i < kMainTabCount; ++i) {
        const MainTab tab = *MainTabAt(i);
        EXPECT_EQ(StripIndexOf(tab), i);
        EXPECT_EQ(static_cast<int>(SetupPartOf(tab)), i);
    }
    EXPECT_EQ(SetupPartOf(MainTab::Settings), SetupPart::Settings);
    EXPECT_EQ(OwnerOfPart(SetupPart::ResultLists), MainTab::Scanner);
    EXPECT_EQ(OwnerOfPart(SetupPart::Quarantine), MainTab::Quarantine);
    EXPECT_EQ(OwnerOfPart(SetupPart::Donation), MainTab::Donation);
}

TEST(TabRulesTest, EachDetectionKindHasItsResultTab) {
    EXPECT_EQ(ResultTabOfKind(1), ScanTab::Virus);
    EXPECT_EQ(ResultTabOfKind(2), ScanTab::Registry);
    EXPECT_EQ(ResultTabOfKind(3), ScanTab::Hidden);
    EXPECT_EQ(ResultTabOfKind(0), std::nullopt);
    EXPECT_EQ(ResultTabOfKind(4), std::nullopt);
}

TEST(TabRulesTest, EachPartIsSetUpOnce) {
    PanelSetup setup;
    EXPECT_TRUE(setup.Begin(SetupPart::Tools));
    EXPECT_FALSE(setup.Begin(SetupPart::Tools));
    EXPECT_TRUE(setup.IsDone(SetupPart::Tools));
    EXPECT_FALSE(setup.IsDone(SetupPart::ResultLists));
    EXPECT_TRUE(setup.Begin(SetupPart::ResultLists));
    EXPECT_FALSE(setup.Begin(static_cast<SetupPart>(9)));
    EXPECT_FALSE(setup.Begin(static_cast<SetupPart>(-1)));
}

TEST(TabRulesTest, ScanTabsShowTheirControls) {
    EXPECT_TRUE(ViewOfScanTab(ScanTab::Targets).targetTree);
    EXPECT_EQ(ViewOfScanTab(ScanTab::Targets).list, ResultKind::None);
    EXPECT_TRUE(ViewOfScanTab(ScanTab::Report).report);
    EXPECT_FALSE(ViewOfScanTab(ScanTab::Report).targetTree);
    const ScanTabView registry = ViewOfScanTab(ScanTab::Registry);
    EXPECT_EQ(registry.list, ResultKind::Registry);
    EXPECT_EQ(registry.extraCaptions[2], u"&Goto Key ...");
    EXPECT_EQ(ViewOfScanTab(ScanTab::Hidden).extraCaptions[0], u"Unhide &All");
    EXPECT_TRUE(ViewOfScanTab(ScanTab::Report).extraCaptions[0].empty());
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
    for (ScanTab tab : {ScanTab::Virus, ScanTab::Registry, ScanTab::Hidden}) {
        const ScanTabView view = ViewOfScanTab(tab);
        EXPECT_EQ(CommandOfCaption(view.extraCaptions[0]), ListCommand::AllRows);
        EXPECT_EQ(CommandOfCaption(view.extraCaptions[1]), ListCommand::CheckedRows);
        EXPECT_EQ(CommandOfCaption(view.extraCaptions[3]), ListCommand::Properties);
    }
    // Each button stands for the pop-up item of the same caption.
    for (ScanTab tab : {ScanTab::Virus, ScanTab::Registry, ScanTab::Hidden}) {
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
