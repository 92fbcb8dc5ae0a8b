// "|"-joined list membership, splitting, appending, NUL cutting, path equality and file-name
// parts.
#include "common/TextLists.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/FileNames.h"
#include "platform/Text.h"

namespace vestra {
namespace {

struct MembershipCase {
    const char16_t* list;
    const char16_t* item;
    bool member;
};

class InListTest : public ::testing::TestWithParam<MembershipCase> {};

TEST_P(InListTest, MatchesWholeEntriesWithoutRegardToCase) {
    const auto& c = GetParam();
    EXPECT_EQ(InList(c.list, c.item), c.member) << ToUtf8(c.list) << " / " << ToUtf8(c.item);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, InListTest,
    ::testing::Values(MembershipCase{u"exe|scr|vbs", u"EXE", true},
                      MembershipCase{u"exe|scr|vbs", u"vbs", true},
                      MembershipCase{u"exe|scr|vbs", u"ex", false},
                      MembershipCase{u"exe|scr|vbs", u"exec", false},
                      // One-character items are looked for unwrapped inside the list text.
                      MembershipCase{u"exe|scr|vbs", u"c", true},
                      MembershipCase{u"exe|scr|vbs", u"z", false},
                      MembershipCase{u"C:\\A\\x.exe|D:\\y.doc", u"c:\\a\\X.EXE", true},
                      MembershipCase{u"C:\\A\\x.exe", u"C:\\A\\x.exe.bak", false},
                      MembershipCase{u"|exe|", u"exe", true}, MembershipCase{u"", u"exe", false},
                      MembershipCase{u"exe", u"exe", true}));

struct SplitCase {
    std::u16string_view list;
    std::vector<std::u16string_view> items;
};

class SplitListTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitListTest, ItemsInOrderWithoutEmptyOnes) {
    const SplitCase& c = GetParam();
    std::vector<std::u16string_view> items = SplitList(c.list);
    EXPECT_EQ(items, c.items) << ToUtf8(c.list);
    for (std::u16string_view item : items) {  // views into the list itself
        EXPECT_GE(item.data(), c.list.data());
        EXPECT_LE(item.data() + item.size(), c.list.data() + c.list.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SplitListTest,
    ::testing::Values(
        SplitCase{u"", {}}, SplitCase{u"|", {}}, SplitCase{u"|||", {}}, SplitCase{u"exe", {u"exe"}},
        SplitCase{u"exe|scr|vbs", {u"exe", u"scr", u"vbs"}}, SplitCase{u"|exe", {u"exe"}},
        SplitCase{u"exe|", {u"exe"}}, SplitCase{u"C:\\a||D:\\b", {u"C:\\a", u"D:\\b"}},
        // Items are not trimmed, compared or merged: that is the caller's rule.
        SplitCase{u" | x ", {u" ", u" x "}}, SplitCase{u"exe|EXE", {u"exe", u"EXE"}}));

TEST(SplitListTest, AnotherSeparatorFollowsTheSameRule) {
    const std::u16string answer(u"C:\\Data\0a.exe\0\0", 15);
    EXPECT_EQ(SplitList(answer, u'\0'), (std::vector<std::u16string_view>{u"C:\\Data", u"a.exe"}));
    EXPECT_EQ(SplitList(answer, u'|'), std::vector<std::u16string_view>{answer});
}

TEST(AppendToListTest, EmptyListTakesTheItemAndLaterItemsAreJoined) {
    std::u16string list;
    AppendToList(list, u"a.exe");
    AppendToList(list, u"b.exe");
    AppendToList(list, u"a.exe");  // no duplicate test
    EXPECT_EQ(ToUtf8(list), "a.exe|b.exe|a.exe");
}

TEST(TextBeforeNulTest, CutsAtTheFirstNulOrKeepsOrDropsTheWholeText) {
    EXPECT_EQ(ToUtf8(TextBeforeNul(std::u16string(u"Eicar\0   ", 9), false)), "Eicar");
    EXPECT_EQ(ToUtf8(TextBeforeNul(u"Name   ", false)), "Name   ");
    EXPECT_EQ(ToUtf8(TextBeforeNul(u"Name   ", true)), "");
}

TEST(SamePathTest, TrimsAndIgnoresCase) {
    EXPECT_TRUE(SamePath(u"  C:\\Program Files\\x.exe ", u"c:\\PROGRAM FILES\\X.EXE"));
    EXPECT_FALSE(SamePath(u"C:\\a.exe", u"C:\\a.exe\\"));
}

TEST(FileNamesTest, NameExtensionAndFolder) {
    EXPECT_EQ(ToUtf8(FileNameOf(u"C:\\dir.x\\file.tar.gz", true)), "file.tar.gz");
    EXPECT_EQ(ToUtf8(FileNameOf(u"C:\\dir.x\\file.tar.gz", false)), "file.tar");
    EXPECT_EQ(ToUtf8(FileNameOf(u"README", false)), "README");
    EXPECT_EQ(ToUtf8(FileExtOf(u"C:\\dir.x\\README")), "");
    EXPECT_EQ(ToUtf8(FileExtOf(u"C:\\a\\setup.EXE")), "EXE");
    EXPECT_EQ(ToUtf8(FolderOf(u"C:\\a\\setup.EXE")), "C:\\a\\");
    EXPECT_EQ(ToUtf8(FolderOf(u"setup.EXE")), "");
}

}  // namespace
}  // namespace vestra
