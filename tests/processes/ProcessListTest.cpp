// The process snapshot: paths and their fallbacks, the id list, a failed snapshot, and the tree
// queries over parents that have exited or ids that loop.
#include "processes/ProcessList.h"

#include <gtest/gtest.h>

#include "common/TextLists.h"
#include "platform/Text.h"
#include "tests/processes/ProcessFixture.h"

namespace vestra::processes {
namespace {

using platform::fake::FakeProcess;

class ProcessListTest : public ::testing::Test, public ProcessFixture {};

TEST(NormalizeNtPathTest, SystemRootAndDevicePrefixes) {
    struct Case {
        const char16_t* in;
        const char16_t* out;
    };
    const Case cases[] = {
        {u"\\SystemRoot\\System32\\smss.exe", u"C:\\WINDOWS\\system32\\smss.exe"},
        {u"\\??\\C:\\WINDOWS\\system32\\csrss.exe", u"C:\\WINDOWS\\system32\\csrss.exe"},
        {u"C:\\Apps\\Tool.exe", u"C:\\Apps\\Tool.exe"},
        {u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToUtf8(LowerCase(NormalizeNtPath(c.in, kWindowsDir))), ToUtf8(LowerCase(c.out)))
            << ToUtf8(c.in);
    }
}

TEST_F(ProcessListTest, PathsFallBackToModulesThenToNotAvailable) {
    Clean(u"C:\\Apps\\plain.exe");
    Launch(10, u"C:\\Apps\\plain.exe");
    // No image path from the query: the first module names it.
    FakeProcess noImage;
    noImage.processId = 11;
    noImage.exeName = u"mod.exe";
    noImage.modules = {u"C:\\Apps\\mod.exe"};
    os.processes.Add(noImage);
    // Nothing at all, and no such file beside the working folder.
    FakeProcess nothing;
    nothing.processId = 12;
    nothing.exeName = u"ghost.exe";
    os.processes.Add(nothing);
    // A name the ANSI snapshot could not spell takes the path's file name.
    Clean(u"C:\\Apps\\\u0444\u0430\u0439\u043b.exe");
    Launch(13, u"C:\\Apps\\\u0444\u0430\u0439\u043b.exe").exeName = u"????.exe";

    ASSERT_EQ(list.Refresh(), static_cast<int>(os.processes.table().size()) + 1);
    EXPECT_EQ(ToUtf8(list.Find(platform::fake::kSystemProcessId)->path), "N/A");
    EXPECT_EQ(ToUtf8(list.Find(10)->path), "C:\\Apps\\plain.exe");
    EXPECT_EQ(ToUtf8(list.Find(11)->path), "C:\\Apps\\mod.exe");
    EXPECT_EQ(ToUtf8(list.Find(12)->path), "N/A");
    EXPECT_EQ(list.Find(13)->name, u"\u0444\u0430\u0439\u043b.exe");
    EXPECT_NE(list.Find(10)->creationTime, 0u);
    EXPECT_EQ(list.Find(platform::fake::kSystemProcessId)->creationTime, 0u);  // protected
    EXPECT_EQ(ToUtf8(list.idList()), "|4|1000|10|11|12|13|");
}

TEST_F(ProcessListTest, AFailedSnapshotKeepsThePreviousList) {
    Launch(10, u"C:\\Apps\\a.exe");
    ASSERT_GT(list.Refresh(), 0);
    os.processes.Remove(10);
    os.processes.faults().FailNth(platform::fake::ProcOp::Snapshot, 1, platform::OsError::Other);
    EXPECT_EQ(list.Refresh(), -1);
    EXPECT_NE(list.Find(10), nullptr);
    EXPECT_TRUE(InList(list.idList(), u"10"));
}

TEST_F(ProcessListTest, DescendantsFollowLivingParentsOnly) {
    Launch(20, u"C:\\a\\root.exe", u"", 1500);
    Launch(21, u"C:\\a\\child.exe", u"", 20);
    Launch(22, u"C:\\a\\grandchild.exe", u"", 21);
    Launch(23, u"C:\\a\\orphan.exe", u"", 99);  // its parent 99 has exited
    Launch(30, u"C:\\a\\loopA.exe", u"", 31);   // a reused id made these two each other's parent
    Launch(31, u"C:\\a\\loopB.exe", u"", 30);
    list.Refresh();
    EXPECT_EQ(list.DescendantsOf(20), (std::vector<std::uint32_t>{21, 22}));
    EXPECT_TRUE(list.IsInTree(22, 20));
    EXPECT_TRUE(list.IsInTree(20, 20));
    EXPECT_FALSE(list.IsInTree(23, 20));
    EXPECT_TRUE(list.IsInTree(23, 99));  // by its parent link, though 99 itself has exited
    EXPECT_TRUE(list.IsInTree(31, 30));  // ends, despite the loop
    EXPECT_TRUE(list.DescendantsOf(22).empty());
}

TEST_F(ProcessListTest, FindByPathRefreshesAndComparesWithoutCase) {
    Launch(40, u"C:\\Apps\\Dup.exe");
    Launch(41, u"c:\\apps\\dup.EXE ");
    Launch(42, u"C:\\Apps\\Other.exe");
    EXPECT_EQ(list.FindProcessesByPath(u"C:\\APPS\\DUP.EXE"), (std::vector<std::uint32_t>{40, 41}));
}

}  // namespace
}  // namespace vestra::processes
