// OS level and name from GetVersionEx's numbers.
#include "app/OsLevel.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace vestra {
namespace {

struct Case {
    platform::OsVersion version;
    int level;
    const char* name;
};

class OsLevelTest : public ::testing::TestWithParam<Case> {};

TEST_P(OsLevelTest, LevelFlagsAndName) {
    const Case& c = GetParam();
    OsLevel os = OsLevelOf(c.version);
    EXPECT_EQ(os.level, c.level);
    EXPECT_EQ(os.IsNT(), c.level > 0);
    EXPECT_EQ(os.IsPreVista(), c.level < 2);
    EXPECT_EQ(os.IsWin7Plus(), c.level == 3);
    EXPECT_EQ(ToUtf8(OsNameOf(c.version)), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OsLevelTest,
    ::testing::Values(Case{{4, 0, 950, 1}, 0, "Windows 95"},
                      Case{{4, 10, 1998, 1}, 0, "Windows 98"},
                      Case{{4, 90, 3000, 1}, 0, "Windows ME"}, Case{{4, 20, 0, 1}, 0, ""},
                      Case{{3, 51, 0, 2}, 1, "Windows 3.51"}, Case{{4, 0, 0, 2}, 1, "Windows 4.0"},
                      Case{{5, 0, 2195, 2}, 1, "Windows 2000"},
                      Case{{5, 1, 2600, 2}, 1, "Windows XP"},
                      Case{{5, 2, 3790, 2}, 1, "Windows XP"}, Case{{6, 0, 6000, 2}, 2, ""},
                      Case{{6, 1, 7601, 2}, 3, ""}, Case{{10, 0, 19045, 2}, 2, ""},
                      Case{{1, 0, 0, 0}, 0, "Not Recognized"}));

}  // namespace
}  // namespace vestra
