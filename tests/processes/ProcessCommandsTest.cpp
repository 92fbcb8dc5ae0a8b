// The process view: rows following the snapshot, the commands on checked rows with their
// questions and the outcome in the row, and the selections.
#include "processes/ProcessCommands.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/Text.h"
#include "tests/processes/ProcessFixture.h"

namespace vestra::processes {
namespace {

namespace mb = platform::mb;

class ProcessCommandsTest : public ::testing::Test, public ProcessFixture {
protected:
    ProcessCommandsTest() { messages.LoadMessages(config::kLanguageEnglish); }

    void Show() {
        Clean(platform::fake::kOwnImagePath);
        kit.list.Refresh();
        view.Sync(kit.list, [&](std::u16string_view p) { return os.files.Exists(p); });
    }
    ProcessRow& Row(std::uint32_t id) {
        for (ProcessRow& r : view.rows()) {
            if (r.process.processId == id)
                return r;
        }
        ADD_FAILURE() << "no row for " << id;
        return view.rows().front();
    }
    std::string BoxText(std::size_t i) { return ToUtf8(os.windows.messageBoxes().at(i).text); }

    platform::Platform bundle = os.platform();
    ProcessKit kit{
        bundle,
        ProcessKitSetup{folders, u"C:\\", os.system.CurrentProcessId(), [this](std::uint32_t id) {
                            return os.processes.Terminate(id, 1) == platform::OsError::None;
                        }}};
    ProcessView view;
    config::MessageTable messages;
    CommandParts parts{kit,
                       view,
                       os.windows,
                       messages,
                       [this](std::uint32_t id) {
                           auto m = os.processes.Modules(id);
                           return m ? *m : std::vector<std::u16string>{};
                       },
                       platform::fake::kOwnImagePath};
};

TEST_F(ProcessCommandsTest, RowsFollowTheSnapshotAndAReusedId) {
    Clean(u"C:\\Apps\\a.exe");
    Clean(u"C:\\Apps\\b.exe");
    Launch(10, u"C:\\Apps\\a.exe");
    Launch(11, u"C:\\Apps\\missing.exe");  // neither "N/A" nor an existing file: not shown
    Show();
    ASSERT_EQ(view.rows().size(), 3u);  // System ("N/A"), the program, a.exe
    os.processes.Remove(10);
    Launch(10, u"C:\\Apps\\b.exe");  // the id now names another process
    kit.list.Refresh();
    const ViewChanges changes =
        view.Sync(kit.list, [&](std::u16string_view p) { return os.files.Exists(p); });
    EXPECT_EQ(changes.removed, std::vector<std::size_t>{2});
    EXPECT_EQ(changes.added, 1u);
    EXPECT_EQ(ToUtf8(Row(10).process.path), "C:\\Apps\\b.exe");
}

TEST(ProcessViewSortTest, HeaderClicksSortTextAndNumbersBothWays) {
    // Name, risk level and size as the list shows them.
    std::vector<std::array<std::u16string, 3>> shown = {{u"b.exe", u"1", u"1.024"},
                                                        {u"A.exe", u"9", u"12"},
                                                        {u"c.exe", u"1", u""},
                                                        {u"a.exe", u"3", u"900"}};
    ProcessView view;
    for (std::uint32_t id = 0; id < shown.size(); ++id) {
        ProcessRow row;
        row.process.processId = id;
        view.rows().push_back(row);
    }
    const ProcessView::CellText cell = [&](const ProcessRow& row, int column) {
        return shown[row.process.processId][static_cast<std::size_t>(column)];
    };
    auto order = [&] {
        std::vector<std::uint32_t> ids;
        for (const ProcessRow& r : view.rows())
            ids.push_back(r.process.processId);
        return ids;
    };
    view.Resort(cell);  // nothing chosen yet: the snapshot's order stays
    EXPECT_EQ(order(), (std::vector<std::uint32_t>{0, 1, 2, 3}));
    struct Case {
        int column;
        std::vector<std::uint32_t> ids;
        bool rising;
    };
    const Case clicks[] = {
        {0, {1, 3, 0, 2}, true},   // case-insensitive; "A.exe" and "a.exe" keep their order
        {0, {2, 0, 1, 3}, false},  // the same column again turns the order
        {1, {2, 0, 3, 1}, true},   // another column starts rising; equal levels keep order
        {2, {2, 1, 3, 0}, true},   // by number: no size, 12, 900, 1.024
        {2, {0, 3, 1, 2}, false},
    };
    for (const Case& c : clicks) {
        view.SortBy(c.column, cell);
        EXPECT_EQ(order(), c.ids) << "column " << c.column;
        EXPECT_EQ(view.sortRising(), c.rising);
    }
    // A new row joins the chosen order at the next refresh.
    ProcessRow late;
    late.process.processId = 4;
    view.rows().push_back(late);
    shown.push_back({u"d.exe", u"1", u"5.000"});
    view.Resort(cell);
    EXPECT_EQ(order(), (std::vector<std::uint32_t>{4, 0, 3, 1, 2}));
}

TEST_F(ProcessCommandsTest, NothingCheckedAsksForAChoice) {
    Show();
    EXPECT_EQ(ProcessEx(parts, ProcessAction::Kill), 0);
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    EXPECT_EQ(BoxText(0), "Please check one or more process to kill!!");
    EXPECT_EQ(ToUtf8(os.windows.messageBoxes()[0].title), "Nothing To kill");
}

TEST_F(ProcessCommandsTest, KillAsksOnceAndAgainForASystemProcess) {
    Clean(u"C:\\Apps\\a.exe");
    Clean(u"C:\\Apps\\sys.exe");
    Launch(10, u"C:\\Apps\\a.exe");
    Launch(12, u"C:\\Apps\\sys.exe", u"", 4);  // started by System: in the system tree
    Show();
    Row(10).checked = true;
    Row(12).checked = true;
    os.windows.QueueAnswer(mb::kAnswerYes);
    os.windows.QueueAnswer(mb::kAnswerNo);  // keep the system process
    EXPECT_EQ(ProcessEx(parts, ProcessAction::Kill), 1);
    EXPECT_EQ(BoxText(0), "Are you sure you want to kill :\r\n- a.exe\r\n- sys.exe");
    EXPECT_EQ(BoxText(1), "sys.exe is a system process, Are you sure you want to kill?");
    EXPECT_FALSE(Running(10));
    EXPECT_TRUE(Running(12));
}

TEST_F(ProcessCommandsTest, DeclinedOrDeniedActionsLeaveTheProcessAndSayWhy) {
    Clean(u"C:\\Apps\\a.exe");
    Launch(10, u"C:\\Apps\\a.exe");
    Show();
    Row(10).checked = true;
    os.windows.QueueAnswer(mb::kAnswerNo);
    EXPECT_EQ(ProcessEx(parts, ProcessAction::Suspend), 0);
    EXPECT_FALSE(Suspended(10));
    EXPECT_EQ(BoxText(0), "Are you sure you want to suspend \"a.exe\"");

    Row(10).process.creationTime = 0;  // as listed for a process that could not be opened
    os.windows.QueueAnswer(mb::kAnswerYes);
    EXPECT_EQ(ProcessEx(parts, ProcessAction::Kill), 0);
    EXPECT_TRUE(Running(10));
    EXPECT_EQ(ToUtf8(Row(10).status), " [Access Denied]");
}

TEST_F(ProcessCommandsTest, SelectionsByTreeUserAndRuntime) {
    for (const char16_t* f :
         {u"C:\\Apps\\root.exe", u"C:\\Apps\\kid.exe", u"C:\\Apps\\vb.exe", u"C:\\Apps\\svc.exe"}) {
        Clean(f);
    }
    Launch(20, u"C:\\Apps\\root.exe");
    Launch(21, u"C:\\Apps\\kid.exe", u"", 20);
    Launch(22, u"C:\\Apps\\vb.exe").modules = {u"C:\\Apps\\vb.exe",
                                               u"C:\\WINDOWS\\system32\\msvbvm60.dll"};
    Launch(23, u"C:\\Apps\\svc.exe", u"", 4);
    Show();
    auto index = [&](std::uint32_t id) { return static_cast<int>(&Row(id) - view.rows().data()); };
    EXPECT_EQ(ProcessCheck(parts, CheckKind::Tree, index(20)), 2);
    EXPECT_TRUE(Row(21).checked);
    EXPECT_FALSE(Row(22).checked);
    EXPECT_EQ(BoxText(0), "2 Descendants (Tree) process was checked");
    EXPECT_EQ(ProcessCheck(parts, CheckKind::Tree, -1), 0);
    EXPECT_EQ(BoxText(1), "Couldn't find Descendants (Tree) process");
    EXPECT_EQ(ProcessCheck(parts, CheckKind::VisualBasic, -1), 1);
    EXPECT_TRUE(Row(22).checked);
    // Everything not under the idle process: the program and the four started here but svc.
    EXPECT_EQ(ProcessCheck(parts, CheckKind::User, -1), 4);
    EXPECT_FALSE(Row(23).checked);
    const std::size_t boxes = os.windows.messageBoxes().size();
    EXPECT_EQ(ProcessCheck(parts, CheckKind::None, -1), 0);
    EXPECT_EQ(os.windows.messageBoxes().size(), boxes);
}

}  // namespace
}  // namespace vestra::processes
