// The caption table: pairs that swap, captions that stay, and the run-time captions.
#include "ui/model/CaptionTable.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/Text.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {
namespace {

// Single ampersands mark the access key; "&&" shows one "&".
int AccessKeys(std::u16string_view caption) {
    int keys = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (i + 1 < caption.size() && caption[i + 1] == u'&')
            ++i;
        else
            ++keys;
    }
    return keys;
}

TEST(CaptionTableTest, EveryControlIsListedOnceWithSoundCaptions) {
    std::set<int> ids;
    for (const CaptionEntry& entry : MainWindowCaptions()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << "duplicate id " << entry.id;
        EXPECT_FALSE(entry.indonesian.empty()) << entry.id;
        EXPECT_LE(AccessKeys(entry.indonesian), 1) << entry.id;
        EXPECT_LE(AccessKeys(entry.english), 1) << entry.id;
    }
}

TEST(CaptionTableTest, OnlyPairedControlsSwapAndTwoSwapsRestore) {
    CaptionSet set;
    config::SwapCaptions(set.Controls());
    EXPECT_EQ(set.CaptionOf(ctl::kCmdExit), u"> &Exit <");
    EXPECT_EQ(set.CaptionOf(ctl::kCkSet0 + 2), u"Use password to activate as Vestra Admin");
    EXPECT_EQ(set.CaptionOf(ctl::kFrmSysApps), u"System Applications");
    // Option buttons, other check boxes and address labels keep their only caption.
    EXPECT_EQ(set.CaptionOf(ctl::kOpt0 + 3), u"Full Scan");
    EXPECT_EQ(set.CaptionOf(ctl::kCkSelectAll), u"S&elect All");
    EXPECT_EQ(set.CaptionOf(ctl::kLbLinkSite), u"http://www.vestra.example/");
    EXPECT_EQ(set.CaptionOf(ctl::kLbLinkMail), u"team@vestra.example");
    config::SwapCaptions(set.Controls());
    EXPECT_EQ(set.CaptionOf(ctl::kCmdExit), u"> &Keluar <");
    EXPECT_EQ(set.CaptionOf(ctl::kCkSet0 + 2), u"Gunakan password untuk Admin Vestra :");
    EXPECT_EQ(set.CaptionOf(999999), u"");
}

TEST(CaptionTableTest, EveryPairedControlChangesOrKeepsByItsKind) {
    CaptionSet set;
    const auto before =
        std::vector<config::CaptionControl>(set.Controls().begin(), set.Controls().end());
    config::SwapCaptions(set.Controls());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const CaptionEntry* entry = FindCaption(set.Ids()[i]);
        ASSERT_NE(entry, nullptr);
        const bool swaps = config::TakesPartInSwap(before[i]);
        EXPECT_EQ(set.Controls()[i].caption, swaps ? entry->english : entry->indonesian)
            << ToUtf8(entry->name);
    }
}

TEST(CaptionTableTest, LanguageChoiceComparesIndonesianWithEverythingElse) {
    EXPECT_FALSE(LanguageChoiceChanges(0, 0));
    EXPECT_TRUE(LanguageChoiceChanges(1, 0));
    EXPECT_TRUE(LanguageChoiceChanges(0, 1));
    EXPECT_FALSE(LanguageChoiceChanges(1, 1));
    // A stored 5 already means English: picking English must not swap the captions back.
    EXPECT_FALSE(LanguageChoiceChanges(1, 5));
    EXPECT_TRUE(LanguageChoiceChanges(0, 5));
}

TEST(CaptionTableTest, RunTimeCaptionsFollowStateAndLanguage) {
    EXPECT_EQ(PanelButtonCaption(false, 1), u"<< Hide Panel");
    EXPECT_EQ(PanelButtonCaption(true, 1), u">> Show Panel");
    EXPECT_NE(PanelButtonCaption(false, 0), PanelButtonCaption(false, 1));
    EXPECT_EQ(PasswordButtonCaption(false, 5), u"Edit Password");  // any non-zero is English
    EXPECT_EQ(PasswordButtonCaption(true, 1), u"Save Password");
    EXPECT_EQ(QuarantineTabCaption(12), u"Quarantine (12)");
    EXPECT_EQ(SystemApplyCaption(), u"Apply && Restart Explorer.exe");
    EXPECT_EQ(DateCaption(), u">> 7 Oktober 2010");
}

}  // namespace
}  // namespace vestra::ui
