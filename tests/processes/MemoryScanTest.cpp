// Running malware: the start-up sweep's rows and what it leaves running, and the memory and
// service phases of a scan run.
#include "processes/MemoryScan.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "scanner/ScanReport.h"
#include "tests/processes/ProcessFixture.h"

namespace vestra::processes {
namespace {

class MemoryScanTest : public ::testing::Test, public ProcessFixture {
protected:
    PhaseContext Context() { return PhaseContext{report, *checker, {}, pump}; }

    std::string Status(std::size_t row) {
        return ToUtf8(report.detect.Cell(row, detect_column::kStatus));
    }

    ScanReport report;
    std::function<void()> pump;
};

TEST_F(MemoryScanTest, SweepKillsOnlyDetectedProcessesAndSaysHow) {
    Detect(u"C:\\bad\\killed.exe");
    Detect(u"C:\\bad\\injected.exe", kInjected, "Inj.Test");
    Detect(u"C:\\bad\\twice.exe");
    Clean(u"C:\\ok\\clean.exe");
    Clean(u"C:\\WINDOWS\\system32\\wscript.exe");
    Detect(u"C:\\bad\\script.vbs");
    Launch(10, u"C:\\bad\\killed.exe");
    Launch(11, u"C:\\bad\\injected.exe");
    Launch(12, u"C:\\bad\\twice.exe");
    survivors.insert(12);
    AddService(u"SvcA", u"C:\\bad\\twice.exe");
    AddService(u"SvcB", u"\"C:\\bad\\twice.exe\" -b");
    Launch(13, u"C:\\ok\\clean.exe");
    Launch(14, u"C:\\WINDOWS\\system32\\wscript.exe",
           u"C:\\WINDOWS\\system32\\wscript.exe C:\\bad\\script.vbs");

    const std::vector<ProcessDetection> rows = KillDetectedProcesses(sweep, *checker);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(ToUtf8(rows[0].status), "Detected Process [Killed]");
    EXPECT_EQ(ToUtf8(rows[1].status), "Detected Process won't be killed");
    EXPECT_EQ(ToUtf8(rows[2].status), "Detected Service [ 2 Stopped]");
    EXPECT_EQ(ToUtf8(rows[3].status), "Detected Process [Killed]");
    EXPECT_EQ(ToUtf8(rows[3].path), "C:\\bad\\script.vbs");
    EXPECT_EQ(ToUtf8(rows[1].action), "INJ");
    EXPECT_FALSE(Running(10));
    EXPECT_TRUE(Running(11));
    EXPECT_FALSE(Suspended(11));
    EXPECT_TRUE(Suspended(12));  // survived: stays frozen
    EXPECT_TRUE(Running(13));
    EXPECT_FALSE(Suspended(13));
    EXPECT_FALSE(Running(14));
    EXPECT_EQ(killRequests, (std::vector<std::uint32_t>{10, 12, 14}));
}

TEST_F(MemoryScanTest, SweepSparesTheProgramAndCriticalProcessesEvenWhenDetected) {
    Detect(platform::fake::kOwnImagePath);
    Detect(u"C:\\WINDOWS\\system32\\winlogon.exe");
    Launch(20, u"C:\\WINDOWS\\system32\\winlogon.exe");
    const std::vector<ProcessDetection> rows = KillDetectedProcesses(sweep, *checker);
    ASSERT_EQ(rows.size(), 1u);  // the program does not check itself
    EXPECT_EQ(ToUtf8(rows[0].status), "Detected Process [Couldn't be Killed]");
    EXPECT_TRUE(Running(20));
    EXPECT_FALSE(Suspended(20));
    EXPECT_TRUE(killRequests.empty());
}

TEST_F(MemoryScanTest, SweepRowsStopAtTheRoomOfTheStartupList) {
    for (std::uint32_t id = 100; id < 100 + kStartupDetectionRoom + 3; ++id) {
        const std::u16string path = u"C:\\bad\\m" + ToText(id) + u".exe";
        Detect(path);
        Launch(id, path);
    }
    EXPECT_EQ(KillDetectedProcesses(sweep, *checker).size(), kStartupDetectionRoom);
    EXPECT_EQ(killRequests.size(), kStartupDetectionRoom + 3);  // every one is still ended
}

TEST_F(MemoryScanTest, PhasesReportAServiceFileOnceAndLeaveCleanOnesRunning) {
    Detect(u"C:\\bad\\both.exe");
    Launch(10, u"C:\\bad\\both.exe");
    AddService(u"Both", u"C:\\bad\\both.exe");
    Detect(u"C:\\bad\\svconly.exe");
    AddService(u"SvcOnly", u"C:\\bad\\svconly.exe");
    AddService(u"Empty", u"");
    Clean(u"C:\\ok\\fine.exe");
    AddService(u"Fine", u"C:\\ok\\fine.exe");
    Launch(11, u"C:\\ok\\fine.exe");
    PhaseContext context = Context();
    ScanMemoryProcesses(sweep, context);
    ScanServices(sweep, context);
    ASSERT_EQ(report.detect.Count(), 2u);
    EXPECT_EQ(Status(0), "Detected Process [Killed]");
    EXPECT_EQ(Status(1), "Detected Services [Stopped & Uninstalled]");
    EXPECT_EQ(ToUtf8(report.detect.Cell(1, detect_column::kFilePath)), "C:\\bad\\svconly.exe");
    EXPECT_TRUE(report.state.processInfected);
    EXPECT_EQ(report.state.filesDetected, 2);
    EXPECT_EQ(os.services.Get(u"Both"), nullptr);  // stopped and uninstalled, but listed once
    EXPECT_NE(os.services.Get(u"Fine"), nullptr);
    EXPECT_TRUE(Running(11));
    EXPECT_FALSE(Running(10));
}

TEST_F(MemoryScanTest, StopDuringTheMemoryPhaseStillEndsWhatWasFrozen) {
    Detect(u"C:\\bad\\first.exe");
    Detect(u"C:\\bad\\second.exe");
    Launch(10, u"C:\\bad\\first.exe");
    Launch(11, u"C:\\bad\\second.exe");
    int pumps = 0;
    pump = [&] {
        // The first pumps pass the kernel, the program and the first process.
        if (++pumps == 4)
            report.state.stopRequested = true;
    };
    PhaseContext context = Context();
    ScanMemoryProcesses(sweep, context);
    EXPECT_FALSE(Running(10));
    EXPECT_TRUE(Running(11));  // never checked: not touched
    EXPECT_FALSE(Suspended(11));
    EXPECT_EQ(report.detect.Count(), 1u);
}

TEST_F(MemoryScanTest, AnInjectedProcessIsReportedButNeverTouched) {
    Detect(u"C:\\bad\\host.exe", kInjected, "Inj.Test");
    Launch(10, u"C:\\bad\\host.exe");
    PhaseContext context = Context();
    ScanMemoryProcesses(sweep, context);
    ASSERT_EQ(report.detect.Count(), 1u);
    EXPECT_EQ(Status(0), "Detected Process [Won't be Killed]");
    EXPECT_TRUE(Running(10));
    EXPECT_FALSE(Suspended(10));
}

TEST_F(MemoryScanTest, InstalledPhasesRefreshTheListsAndKeepTheStepBefore) {
    AreaPhases phases;
    int earlier = 0;
    phases.refreshSnapshots = [&](PhaseContext&) { ++earlier; };
    InstallProcessPhases(phases, sweep);
    Launch(10, u"C:\\ok\\late.exe");
    PhaseContext context = Context();
    phases.refreshSnapshots(context);
    EXPECT_EQ(earlier, 1);
    EXPECT_NE(list.Find(10), nullptr);
    EXPECT_TRUE(phases[AreaPhase::MemoryProcesses]);
    EXPECT_TRUE(phases[AreaPhase::Services]);
}

}  // namespace
}  // namespace vestra::processes
