// Which controls swap their captions, and the language switch.
#include <gtest/gtest.h>

#include <vector>

#include "config/Captions.h"

namespace vestra::config {
namespace {

TEST(CaptionsTest, OnlyTranslationTagsOfCaptionControlsSwap) {
    struct Case {
        ControlKind kind;
        std::u16string_view name, tag;
        bool swaps;
    };
    const Case cases[] = {
        {ControlKind::CommandButton, u"cmdScan", u"Scan", true},
        {ControlKind::Label, u"LbInfo", u"Information", true},
        {ControlKind::Frame, u"FrSet", u"Settings", true},
        {ControlKind::CheckBox, u"CkSet", u"Use password", true},
        {ControlKind::CheckBox, u"CKSET", u"Use password", true},
        {ControlKind::CheckBox, u"CkLock", u"Lock", false},
        {ControlKind::Other, u"TxPath", u"Path", false},
        {ControlKind::Label, u"LbEmpty", u"", false},
        {ControlKind::Label, u"LbMail", u"team@vestra.example", false},
        {ControlKind::Label, u"LbSite", u"HTTP://vestra.example", false},
        {ControlKind::Label, u"LbWww", u"Www.vestra.example", false},
        {ControlKind::Label, u"LbWord", u"Network www", true},
    };
    for (const Case& c : cases) {
        CaptionControl control{c.kind, std::u16string(c.name), u"Indonesia", std::u16string(c.tag)};
        EXPECT_EQ(TakesPartInSwap(control), c.swaps) << std::string(c.name.begin(), c.name.end());
    }
}

TEST(CaptionsTest, SwitchingLanguageSavesSwapsAndIsUndoneBySwitchingBack) {
    std::vector<CaptionControl> controls = {
        {ControlKind::CommandButton, u"cmdScan", u"Pindai", u"Scan"},
        {ControlKind::Label, u"LbSite", u"Situs", u"www.vestra.example"},
    };
    const auto original = controls;
    MessageTable messages;
    messages.LoadMessages(kLanguageIndonesian);
    std::vector<int> stored;
    auto store = [&](int language) { stored.push_back(language); };

    EXPECT_FALSE(OptLang_Click(0, messages, controls, store));  // already current
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(controls[0].caption, u"Pindai");

    EXPECT_TRUE(OptLang_Click(1, messages, controls, store));
    EXPECT_EQ(stored, std::vector<int>{1});
    EXPECT_EQ(messages.CurrentLanguage(), 1);
    EXPECT_EQ(messages.Text(16), u"Warning");
    EXPECT_EQ(controls[0].caption, u"Scan");
    EXPECT_EQ(controls[1].caption, u"Situs");

    EXPECT_TRUE(OptLang_Click(0, messages, controls, store));
    EXPECT_EQ(stored, (std::vector<int>{1, 0}));
    EXPECT_EQ(messages.Text(16), u"Peringatan");
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(controls[i].caption, original[i].caption);
        EXPECT_EQ(controls[i].tag, original[i].tag);
    }
}

}  // namespace
}  // namespace vestra::config
