// The scan run: the order of its steps and area phases, counting and walking the checked
// targets, Skip and Stop pressed mid-run through the window's message pump, hidden checks by
// drive, the fast-scan filter after an early detection, the Result button, the end steps with
// the summary box, corner mode, the Scan button's question and the timer displays.
#include "scanner/ScanRun.h"

#include <algorithm>

#include "tests/scanner/WalkFixture.h"

namespace vestra {
namespace {

namespace attr = platform::attr;
namespace mb = platform::mb;
using testing::kWormDelete;

// The window's side as the main window wires it: the pump goes to the seam's message pump, whose
// fake calls the test's hook "during" the run.
struct RecordingView : ScanRunView {
    explicit RecordingView(platform::WindowSystem& windows) : windows(windows) {}
    platform::WindowSystem& windows;
    std::vector<std::string> calls;
    std::vector<std::string> stopCaptions;
    bool exiting = false;
    int selectedTab = 0;

    void SelectScanPage() override { calls.push_back("page"); }
    void EnterCornerWindow() override { calls.push_back("corner"); }
    void ScanControls(bool running) override { calls.push_back(running ? "run" : "idle"); }
    void StopCaptionChanged(std::u16string_view caption) override {
        stopCaptions.push_back(ToUtf8(caption));
    }
    bool Exiting() override { return exiting; }
    void FinishExit() override { calls.push_back("exit"); }
    void WriteLog() override { calls.push_back("log"); }
    void RestoreTimers() override { calls.push_back("timers"); }
    void SelectResultTab(int detType) override { selectedTab = detType; }
    void PumpMessages() override { windows.PumpMessages(); }
};

class ScanRunTest : public testing::WalkFixture {
protected:
    ScanRunTest() {
        messages.LoadMessages(config::kLanguageEnglish);
        tree.LoadTreeDir();
        for (std::size_t i = 0; i < static_cast<std::size_t>(AreaPhase::Count); ++i) {
            run.phases.steps[i] = [this, i](PhaseContext&, PhaseForm form) {
                phaseLog.push_back(std::to_string(i) + (form == PhaseForm::Second ? "b" : ""));
            };
        }
        run.phases.refreshSnapshots = [this](PhaseContext&) { phaseLog.push_back("snap"); };
    }

    void CheckOnly(std::initializer_list<std::u16string_view> paths) {
        for (std::u16string_view key :
             {kKeySystem, kKeyProcesses, kKeyServices, kKeyRegistry, kKeyStartup}) {
            tree.SetCheck(tree.FindKey(key), false);
        }
        for (std::u16string_view path : paths)
            ASSERT_NE(CheckTree(tree, os.files, path, false), kNoNode);
    }

    config::MessageTable messages;
    TargetTree tree{os.files};
    RecordingView view{os.windows};
    ScanRun run{{os.files, os.system, os.windows, messages, *checker, tree, report, hidden.Check()},
                view};
    std::vector<std::string> phaseLog;
};

TEST_F(ScanRunTest, AreaPhasesRunInOrderByTheirFlags) {
    tree.SetCheck(tree.FindKey(kKeyRegDeep), true);  // every area on
    run.StartScan(false);
    EXPECT_EQ(phaseLog, (std::vector<std::string>{"snap", "0", "1", "2", "3", "4", "5", "6", "7"}));

    struct Only {
        std::u16string_view key;
        std::vector<std::string> phases;
    };
    for (const Only& only :
         {Only{kKeyServices, {"snap", "0", "4"}}, Only{kKeyProcesses, {"snap", "1"}},
          Only{kKeyStartup, {"snap", "2", "7"}}, Only{kKeyRegDefault, {"snap", "3", "5"}},
          Only{kKeyRegDeep, {"snap", "6"}}}) {
        tree.SetCheck(tree.FindKey(kKeySystem), false);
        tree.SetCheck(tree.FindKey(kKeyProcesses), false);
        tree.SetCheck(tree.FindKey(kKeyServices), false);
        tree.SetCheck(tree.FindKey(kKeyRegistry), false);
        tree.SetCheck(tree.FindKey(kKeyStartup), false);
        tree.SetCheck(tree.FindKey(only.key), true);
        phaseLog.clear();
        run.ClearReport();
        run.StartScan(false);
        EXPECT_EQ(phaseLog, only.phases) << ToUtf8(only.key);
    }
}

TEST_F(ScanRunTest, ARunningMalwareProcessBringsTheSecondFormsAndTheDeepListAfterTheFiles) {
    run.phases[AreaPhase::MemoryProcesses] = [this](PhaseContext& context, PhaseForm form) {
        phaseLog.push_back(form == PhaseForm::First ? "mem" : "mem2");
        context.report.state.processInfected = true;
    };
    run.phases[AreaPhase::RegistryDeep] = [this](PhaseContext& context, PhaseForm) {
        phaseLog.push_back("deep@" + std::to_string(context.report.state.filesScanned));
    };
    run.phases[AreaPhase::Services] = [this](PhaseContext&, PhaseForm form) {
        phaseLog.push_back(form == PhaseForm::First ? "serv" : "serv2");
    };
    Plant(u"E:\\one.exe");
    CheckTree(tree, os.files, u"E:\\", false);
    run.StartScan(false);
    EXPECT_EQ(phaseLog,
              (std::vector<std::string>{"snap", "serv", "mem", "2", "3", "4", "5", "deep@0", "7",
                                        "mem2", "serv2", "mem2", "serv2", "deep@1"}));
}

TEST_F(ScanRunTest, NoTargetStillRunsTheAreasAndEndsWithTheSummary) {
    run.StartScan(false);
    // Snapshots and the seven phases of the areas checked by default (not the deep list).
    EXPECT_EQ(phaseLog, (std::vector<std::string>{"snap", "0", "1", "2", "3", "4", "5", "7"}));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"page", "run", "idle", "log", "timers"}));
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    EXPECT_EQ(ToUtf8(os.windows.messageBoxes()[0].title), "Computer is FINE");
    EXPECT_EQ(ToUtf8(report.state.statusText), "Scanning Finished");
    EXPECT_TRUE(report.state.finished);
    EXPECT_TRUE(report.state.stopRequested);
    EXPECT_EQ(run.stopButton(), StopButton::Result);
    EXPECT_EQ(view.stopCaptions,
              (std::vector<std::string>{"# &Stop #", "&Skip >>", "# &Stop #", "> &Result"}));
}

TEST_F(ScanRunTest, CountsWalksAndReportsWithProgress) {
    Plant(u"E:\\a.exe", kWormDelete, "W32.A");
    Plant(u"E:\\Sub\\b.txt");
    Plant(u"E:\\Sub\\Deeper\\c.exe");
    Plant(u"E:\\single.bat");
    CheckOnly({u"E:\\Sub", u"E:\\single.bat", u"E:\\a.exe"});
    std::vector<std::string> statuses;
    os.windows.SetPumpHook([&] {
        if (statuses.empty() || statuses.back() != ToUtf8(report.state.statusText))
            statuses.push_back(ToUtf8(report.state.statusText));
    });
    run.StartScan(false);
    EXPECT_EQ(report.state.totalFiles, 4);
    EXPECT_EQ(report.state.totalFolders, 2);
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Scanning 4 Files and 2 Folders ...."),
              statuses.end());
    EXPECT_EQ(report.state.filesScanned, 4);
    EXPECT_EQ(report.state.foldersDone, 1);
    EXPECT_EQ(report.state.filesDetected, 1);
    EXPECT_EQ(report.state.percent, 100);
    EXPECT_EQ(report.progress.bar, 100);
    EXPECT_EQ(ToUtf8(report.progress.percentText), "100.0%");
    EXPECT_EQ(ToUtf8(os.windows.messageBoxes().back().title), "Computer Status");
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetFiles)), "Virus (1)");
    // Single files first, then folders with their subfolders.
    EXPECT_EQ(Scanned(), (std::vector<std::string>{"E:\\single.bat", "E:\\a.exe", "E:\\Sub\\b.txt",
                                                   "E:\\Sub\\Deeper\\c.exe"}));
}

TEST_F(ScanRunTest, SkipDuringCountingLeavesTotalsPartialAndFillsTheBarAtTheEnd) {
    for (int i = 0; i < 5; ++i)
        Plant(u"E:\\f" + ToText(i) + u".exe");
    CheckOnly({u"E:\\"});
    std::string walkStatus;
    os.windows.SetPumpHook([&] {
        if (run.stopButton() == StopButton::Skip && report.state.totalFiles == 2)
            run.StopClicked();
        if (run.stopButton() == StopButton::Stop)
            walkStatus = ToUtf8(report.state.statusText);
    });
    run.StartScan(false);
    EXPECT_TRUE(report.state.countSkipped);
    EXPECT_EQ(report.state.totalFiles, 2);
    EXPECT_EQ(report.state.filesScanned, 5);
    EXPECT_EQ(report.progress.bar, 100);
    EXPECT_EQ(ToUtf8(report.progress.percentText), "");
    EXPECT_EQ(report.state.percent, 0);
    EXPECT_EQ(walkStatus, "Scanning Files And Folders ....");
    const auto& box = os.windows.messageBoxes().front();
    EXPECT_EQ(ToUtf8(box.text),
              "Are you sure you want to skip analyzing process to count files & folders?");
    EXPECT_EQ(ToUtf8(box.title), "Skip Analyzing");
    EXPECT_EQ(box.style, 36u);
}

TEST_F(ScanRunTest, StopEndsTheWalkButTheEndStepsStillRun) {
    for (const char16_t* p : {u"E:\\A\\1.exe", u"E:\\A\\2.exe", u"E:\\B\\3.exe", u"E:\\c.exe"}) {
        Plant(p);
    }
    CheckOnly({u"E:\\A", u"E:\\B", u"E:\\c.exe"});
    bool answeredNo = false;
    os.windows.SetPumpHook([&] {
        if (run.stopButton() != StopButton::Stop || report.state.stopRequested)
            return;
        if (!answeredNo && report.state.filesScanned == 1) {
            answeredNo = true;
            os.windows.QueueAnswer(mb::kAnswerNo);  // "No" lets the walk go on
            run.StopClicked();
        } else if (report.state.filesScanned == 2) {
            run.StopClicked();
        }
    });
    run.StartScan(false);
    EXPECT_EQ(report.state.filesScanned, 2);  // c.exe, then A\1.exe; B never started
    EXPECT_EQ(Scanned(), (std::vector<std::string>{"E:\\c.exe", "E:\\A\\1.exe"}));
    const auto& boxes = os.windows.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);  // No, Yes, summary
    EXPECT_EQ(ToUtf8(boxes[1].text), "Are you sure you want to stop current scanning process?");
    EXPECT_EQ(ToUtf8(boxes[1].title), "Stop Scanning");
    EXPECT_TRUE(report.state.finished);
    EXPECT_EQ(run.stopButton(), StopButton::Result);
    EXPECT_EQ(view.calls.back(), "timers");
    run.StopClicked();  // Result: nothing found, the virus tab
    EXPECT_EQ(view.selectedTab, kDetFiles);
}

// The slow-down that end-to-end tests ask for: a wait before every entry's pump, while counting
// and while walking, and none at all without it.
TEST_F(ScanRunTest, PumpDelayWaitsBeforeEveryEntryPumpOnlyWhenSet) {
    for (const char16_t* p : {u"E:\\A\\1.exe", u"E:\\A\\2.exe", u"E:\\c.exe"})
        Plant(p);
    CheckOnly({u"E:\\"});
    std::size_t pumps = 0;
    os.windows.SetPumpHook([&] { ++pumps; });
    run.StartScan(false);
    ASSERT_GT(pumps, 0u);
    EXPECT_EQ(os.system.totalSlept(), 0u);

    struct Seen {
        StopButton button;
        std::uint64_t slept;
    };
    std::vector<Seen> seen;
    os.windows.SetPumpHook([&] { seen.push_back({run.stopButton(), os.system.totalSlept()}); });
    run.options.pumpDelayMs = 7;
    run.ClearReport();
    run.StartScan(false);
    ASSERT_EQ(seen.size(), pumps);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].slept, 7 * (i + 1)) << "pump " << i;
    auto during = [&](StopButton button) {
        return std::any_of(seen.begin(), seen.end(),
                           [&](const Seen& s) { return s.button == button; });
    };
    EXPECT_TRUE(during(StopButton::Skip));
    EXPECT_TRUE(during(StopButton::Stop));
    EXPECT_EQ(report.state.filesScanned, 3);
}

TEST_F(ScanRunTest, HiddenChecksRunOffTheWindowsDriveOnly) {
    os.files.AddFolder(u"C:\\Data\\Secret", attr::kHidden);
    Plant(u"C:\\Data\\copy.exe", 0, "", attr::kHidden);
    os.files.AddFolder(u"E:\\Secret", attr::kHidden);
    Plant(u"E:\\copy.exe", 0, "", attr::kHidden);
    CheckOnly({u"C:\\Data", u"E:\\"});
    run.StartScan(false);
    EXPECT_EQ(Column(report.hidden, hidden_column::kPath),
              (std::vector<std::string>{"E:\\copy.exe", "E:\\Secret"}));
    EXPECT_EQ(report.state.pathsScanned, 1);
    run.StopClicked();
    EXPECT_EQ(view.selectedTab, kDetHidden);
}

TEST_F(ScanRunTest, AnEarlyDetectionTurnsTheFastScanFilterOffForTheFiles) {
    checker->filter.turboSetting = true;
    checker->filter.guiMode = true;
    Plant(u"E:\\photo.jpg");
    CheckOnly({u"E:\\"});
    run.StartScan(false);
    EXPECT_TRUE(Scanned().empty());  // filtered out
    EXPECT_TRUE(report.state.filePhase);

    run.ClearReport();
    EXPECT_FALSE(checker->filter.filePhase);
    run.phases[AreaPhase::StartupItems] = [](PhaseContext& context, PhaseForm) {
        context.report.AddDetection(
            {u"Startup.Bad", u"Trojan", u"C:\\bad.exe", u"Virus File", u"DEL"}, true);
    };
    tree.SetCheck(tree.FindKey(kKeyStartup), true);
    run.StartScan(false);
    EXPECT_TRUE(report.state.detectedBeforeFiles);
    EXPECT_EQ(Scanned(), std::vector<std::string>{"E:\\photo.jpg"});
    run.StopClicked();
    EXPECT_EQ(view.selectedTab, kDetFiles);
}

TEST_F(ScanRunTest, CornerModeLeavesOutTheAreasAndTheSummary) {
    Plant(u"E:\\x.exe", kWormDelete);
    CheckTree(tree, os.files, u"E:\\", false);
    run.StartScan(true);
    EXPECT_EQ(phaseLog, std::vector<std::string>{"snap"});
    EXPECT_EQ(view.calls[1], "corner");
    EXPECT_TRUE(report.state.cornerMode);
    EXPECT_EQ(report.state.filesDetected, 1);
    EXPECT_TRUE(os.windows.messageBoxes().empty());
}

TEST_F(ScanRunTest, ClosingDuringTheRunFinishesTheExitWithoutTheLog) {
    view.exiting = true;
    run.StartScan(false);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"page", "run", "idle", "exit"}));
    EXPECT_TRUE(os.windows.messageBoxes().empty());
}

TEST_F(ScanRunTest, TheScanButtonAsksBeforeClearingRows) {
    Plant(u"E:\\x.exe", kWormDelete);
    CheckTree(tree, os.files, u"E:\\x.exe", false);
    run.ScanClicked();  // empty lists: no question
    ASSERT_EQ(report.detect.Count(), 1u);
    std::size_t boxes = os.windows.messageBoxes().size();

    os.windows.QueueAnswer(mb::kAnswerCancel);
    run.ScanClicked();
    EXPECT_EQ(os.windows.messageBoxes().size(), boxes + 1);
    const auto& question = os.windows.messageBoxes().back();
    EXPECT_EQ(question.style, 49u);
    EXPECT_EQ(ToUtf8(question.title), "Vestra");
    EXPECT_EQ(question.text, messages.Text(51));
    EXPECT_EQ(report.state.filesDetected, 1);

    report.detect.MarkFixed(0, 0);
    report.EnumDet(kDetFiles, false);
    run.ScanClicked();  // OK: cleared and scanned again
    EXPECT_EQ(report.detect.Count(), 1u);
    EXPECT_TRUE(report.detect.Row(0).tag == u"DEL");
    EXPECT_EQ(report.state.filesCleaned, 0);
}

TEST_F(ScanRunTest, TimerDisplaysFollowThePhaseOfTheRun) {
    for (int i = 0; i < 4; ++i)
        Plant(u"E:\\f" + ToText(i) + u".exe");
    CheckOnly({u"E:\\"});
    std::vector<std::string> captions, times;
    os.windows.SetPumpHook([&] {
        run.TickSecond();
        run.TickProgress();
        captions.push_back(ToUtf8(run.MinimizedCaption()));
        times.push_back(ToUtf8(run.TimeBoxText()));
    });
    run.StartScan(false);
    EXPECT_EQ(captions.front(), "1;1 - Vestra");  // counting: files;folders
    EXPECT_EQ(times.front(), "");
    EXPECT_EQ(captions.back(), "75 % - Vestra");  // the fourth file is being checked
    EXPECT_EQ(ToUtf8(run.CurrentFolder()), "");
    EXPECT_EQ(times.back(), "00:00:08");
    EXPECT_EQ(report.state.elapsedSeconds, 8);
}

}  // namespace
}  // namespace vestra
