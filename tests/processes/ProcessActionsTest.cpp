// Actions on listed processes: through the forced kill only, never on the program itself or a
// critical process, and never on another process that reuses a listed id.
#include "processes/ProcessActions.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/processes/ProcessFixture.h"

namespace vestra::processes {
namespace {

class ProcessActionsTest : public ::testing::Test, public ProcessFixture {
protected:
    ProcessInfo Listed(std::uint32_t id) {
        list.Refresh();
        return *list.Find(id);
    }
};

TEST_F(ProcessActionsTest, EachActionReachesTheListedProcess) {
    Launch(10, u"C:\\Apps\\tool.exe");
    const ProcessInfo tool = Listed(10);
    EXPECT_EQ(actions.Suspend(tool), ActionOutcome::Done);
    EXPECT_TRUE(Suspended(10));
    EXPECT_EQ(actions.Resume(tool), ActionOutcome::Done);
    EXPECT_FALSE(Suspended(10));
    EXPECT_EQ(actions.Kill(tool), ActionOutcome::Done);
    EXPECT_FALSE(Running(10));
    EXPECT_EQ(killRequests, std::vector<std::uint32_t>{10});
    EXPECT_TRUE(os.processes.terminated().size() == 1);
}

TEST_F(ProcessActionsTest, AReusedIdIsLeftAlone) {
    Launch(10, u"C:\\Apps\\tool.exe");
    const ProcessInfo tool = Listed(10);
    os.processes.Remove(10);
    Launch(10, u"C:\\Apps\\innocent.exe");  // the id now names another process
    for (ProcessAction action : {ProcessAction::Kill, ProcessAction::Restart,
                                 ProcessAction::Suspend, ProcessAction::Resume}) {
        EXPECT_EQ(actions.Apply(action, tool), ActionOutcome::Gone);
    }
    EXPECT_TRUE(Running(10));
    EXPECT_FALSE(Suspended(10));
    EXPECT_TRUE(killRequests.empty());
    EXPECT_TRUE(os.shell.requests().empty());
    os.processes.Remove(10);
    EXPECT_EQ(actions.Kill(tool), ActionOutcome::Gone);
}

TEST_F(ProcessActionsTest, TheProgramAndCriticalProcessesAreRefused) {
    Launch(20, u"C:\\WINDOWS\\system32\\csrss.exe");
    Launch(21, u"C:\\Temp\\csrss.exe");  // same name elsewhere: an ordinary process
    for (std::uint32_t id : {os.system.CurrentProcessId(), 20u, platform::fake::kSystemProcessId}) {
        const ProcessInfo p = Listed(id);
        EXPECT_EQ(actions.Kill(p), ActionOutcome::Refused) << id;
        EXPECT_EQ(actions.Suspend(p), ActionOutcome::Refused) << id;
    }
    EXPECT_TRUE(killRequests.empty());
    EXPECT_EQ(actions.Kill(Listed(21)), ActionOutcome::Done);
}

TEST_F(ProcessActionsTest, AccessDeniedAndAFailedKillAreReported) {
    Launch(30, u"C:\\Apps\\guarded.exe").protectedProcess = true;
    EXPECT_EQ(actions.Kill(Listed(30)), ActionOutcome::AccessDenied);
    Launch(31, u"C:\\Apps\\stubborn.exe");
    survivors.insert(31);
    EXPECT_EQ(actions.Kill(Listed(31)), ActionOutcome::Failed);
    EXPECT_TRUE(Running(31));
    EXPECT_EQ(ToUtf8(OutcomeText(ActionOutcome::AccessDenied)), " [Access Denied]");
}

TEST_F(ProcessActionsTest, RestartStartsTheSameFileAgainWithoutArguments) {
    Launch(40, u"C:\\Apps\\tool.exe", u"C:\\Apps\\tool.exe /secret");
    EXPECT_EQ(actions.Restart(Listed(40)), ActionOutcome::Done);
    EXPECT_FALSE(Running(40));
    ASSERT_EQ(os.shell.requests().size(), 1u);
    EXPECT_EQ(ToUtf8(os.shell.requests()[0].file), "C:\\Apps\\tool.exe");
    EXPECT_TRUE(os.shell.requests()[0].parameters.empty());
}

}  // namespace
}  // namespace vestra::processes
