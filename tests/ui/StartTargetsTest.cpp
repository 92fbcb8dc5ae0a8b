// The path list of a start that asks for a scan.
#include "ui/model/StartTargets.h"

#include <gtest/gtest.h>

namespace vestra::ui {
namespace {

using Paths = std::vector<std::u16string>;

TEST(StartTargetsTest, RunModeWordsAskForNoScan) {
    for (std::u16string_view word : {u"", u"  ", u"rtp", u"RTC", u"upd", u"slt", u"vrs c:\\x.exe"})
        EXPECT_TRUE(StartScanPaths(word).empty());
}

TEST(StartTargetsTest, TheShellsQuotedListBecomesSinglePaths) {
    EXPECT_EQ(StartScanPaths(u"\"c:\\data\""), Paths{u"c:\\data"});
    EXPECT_EQ(StartScanPaths(u"\"c:\\my files\\a.exe\" \"e:\\\""),
              (Paths{u"c:\\my files\\a.exe", u"e:\\"}));
    EXPECT_EQ(StartScanPaths(u"e:\\"), Paths{u"e:\\"});  // a root given without quotes
    EXPECT_EQ(StartScanPaths(u"\"c:\\a\" \"\" \"c:\\b\""), (Paths{u"c:\\a", u"c:\\b"}));
}

}  // namespace
}  // namespace vestra::ui
