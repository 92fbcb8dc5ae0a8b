// The scan report: result rows and the "Fixed" rule, detections with their report text, the
// counters behind the tab captions, clearing, and the scan page's texts (durations, percent,
// counter boxes, summary box).
#include "scanner/ScanReport.h"

#include <gtest/gtest.h>

#include "config/MessageTable.h"
#include "platform/Text.h"
#include "platform/WindowSystem.h"
#include "scanner/ScanTexts.h"

namespace vestra {
namespace {

struct RecordingView : ReportView {
    std::vector<int> buttonRefreshes;
    int cleared = 0;
    void ListButtonsChanged(int detType) override { buttonRefreshes.push_back(detType); }
    void ReportCleared() override { ++cleared; }
};

TEST(ResultListTest, FixedRowsRefuseTheCheckMark) {
    ResultList list({u"A", u"B"});
    std::vector<std::pair<ListChange, std::size_t>> changes;
    list.onChange = [&](ListChange change, std::size_t index) {
        changes.push_back({change, index});
    };
    std::size_t first = list.Add(u"one", 2);
    std::size_t second = list.Add(u"two", 2);
    EXPECT_EQ(list.Row(first).cells.size(), 2u);
    EXPECT_TRUE(list.SetChecked(first, true));
    list.MarkFixed(first, 0);
    EXPECT_FALSE(list.Row(first).checked);
    EXPECT_FALSE(list.SetChecked(first, true));
    list.SetAllChecked(true);
    EXPECT_EQ(list.CheckedRows(), std::vector<std::size_t>{second});
    list.SetTag(second, kTagFixed);  // a tag of "Fixed" drops the mark too
    EXPECT_TRUE(list.CheckedRows().empty());
    list.SetCell(5, 0, u"no such row");
    list.SetCell(second, 9, u"no such column");
    EXPECT_EQ(ToUtf8(list.Cell(second, 0)), "two");
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(changes.front().first, ListChange::Added);
    EXPECT_EQ(changes.back().first, ListChange::Cleared);
}

TEST(ScanReportTest, DetectionFillsTheRowTheDetectedPathsAndTheReportText) {
    ScanReport report;
    RecordingView view;
    report.SetView(&view);
    report.AddDetection({.name = u"W32.Test",
                         .type = u"Worm",
                         .path = u"E:\\Dir\\Run.EXE",
                         .kind = u"Virus File",
                         .action = u"DEL"},
                        true);
    const ResultRow& row = report.detect.Row(0);
    EXPECT_EQ(ToUtf8(row.cells[0]), "W32.Test");
    EXPECT_EQ(ToUtf8(row.cells[1]), "Worm");
    EXPECT_EQ(ToUtf8(row.cells[2]), "E:\\Dir\\Run.EXE");
    EXPECT_EQ(ToUtf8(row.cells[3]), "Virus File");
    EXPECT_EQ(ToUtf8(row.tag), "DEL");
    EXPECT_EQ(row.icon, kIconDetected);
    EXPECT_EQ(ToUtf8(report.state.detectedPaths), "e:\\dir\\run.exe");
    EXPECT_EQ(ToUtf8(report.state.reportText),
              "=> W32.Test\r\n   -Virus File\r\n   -E:\\Dir\\Run.EXE\r\n");
    EXPECT_EQ(report.state.filesDetected, 1);
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetFiles)), "Virus (1)");
    EXPECT_EQ(view.buttonRefreshes, std::vector<int>{kDetFiles});

    // Uncounted, without type or path: nothing of those is written.
    report.AddDetection({u"Other", {}, {}, u"Detected Process", {}}, false);
    EXPECT_EQ(report.state.filesDetected, 1);
    EXPECT_EQ(ToUtf8(report.detect.Row(1).cells[1]), "");
    EXPECT_EQ(ToUtf8(report.state.detectedPaths), "e:\\dir\\run.exe");
}

TEST(ScanReportTest, CaptionsShowWhatRemainsAndClearingResetsEverything) {
    ScanReport report;
    RecordingView view;
    report.SetView(&view);
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetRegistry)), "Registry");
    report.EnumDet(kDetRegistry, true);
    report.EnumDet(kDetRegistry, true);
    report.EnumDet(kDetRegistry, false);
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetRegistry)), "Registry (1)");
    report.EnumDet(kDetHidden, true);
    report.EnumDet(kDetHidden, false);
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetHidden)), "Hidden (0)");
    report.EnumDet(7, true);  // not a kind: nothing moves
    EXPECT_EQ(report.state.valuesDetected, 2);
    EXPECT_EQ(report.state.valuesFixed, 1);

    report.AddDetection({u"X", u"Virus", u"C:\\x.exe", u"Virus File", u"CAGE"}, true);
    report.hidden.Add(u"h", 1);
    report.state.filePhase = true;
    report.progress.bar = 40;
    report.ClearReport();
    EXPECT_EQ(report.TotalRows(), 0u);
    EXPECT_EQ(report.state.filesDetected, 0);
    EXPECT_EQ(report.state.valuesDetected, 0);
    EXPECT_FALSE(report.state.filePhase);
    EXPECT_TRUE(report.state.stopRequested);
    EXPECT_TRUE(report.state.detectedPaths.empty());
    EXPECT_EQ(report.progress.bar, 0);
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetFiles)), "Virus");
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetRegistry)), "Registry");
    EXPECT_EQ(view.cleared, 1);
}

TEST(ScanReportTest, PassProgressRoundsTheBarAndShowsTenths) {
    ScanReport report;
    report.SetPassProgress(1, 3);
    EXPECT_EQ(report.progress.bar, 33);
    EXPECT_EQ(ToUtf8(report.progress.percentText), "33.3%");
    report.SetPassProgress(2, 3);
    EXPECT_EQ(report.progress.bar, 67);
    EXPECT_EQ(ToUtf8(report.progress.percentText), "66.7%");
    report.SetPassProgress(3, 3);
    EXPECT_EQ(ToUtf8(report.progress.percentText), "100.0%");
}

struct DurationCase {
    std::int32_t seconds;
    const char* shortText;
    const char* longText;
};

class DurationTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(DurationTest, ShortAndLongFormats) {
    EXPECT_EQ(ToUtf8(ShortDuration(GetParam().seconds)), GetParam().shortText);
    EXPECT_EQ(ToUtf8(LongDuration(GetParam().seconds)), GetParam().longText);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, DurationTest,
    ::testing::Values(DurationCase{0, "00:00:00", ""}, DurationCase{1, "00:00:01", "1 second"},
                      DurationCase{59, "00:00:59", "59 seconds"},
                      DurationCase{60, "00:01:00", "1 minute"},
                      DurationCase{62, "00:01:02", "1 minute,2 seconds"},
                      DurationCase{3600, "01:00:00", "1 hour"},
                      DurationCase{3901, "01:05:01", "1 hour,5 minutes,1 second"},
                      DurationCase{7202, "02:00:02", "2 hours,2 seconds"},
                      DurationCase{360000, "100:00:00", "100 hours"}));

TEST(ScanTextsTest, CounterBoxesAndStatusLines) {
    ScanState s;
    s.filesScanned = 120;
    s.filesDetected = 3;
    s.filesCleaned = 1;
    s.valuesScanned = 1000;
    s.valuesDetected = 2;
    s.pathsScanned = 7;
    s.pathsHidden = 1;
    EXPECT_EQ(ToUtf8(FileCounterText(s)),
              "File Scanned : 120\r\nFile Detected : 3\r\nFile Cleaned : 1");
    EXPECT_EQ(ToUtf8(RegistryCounterText(s)),
              "Value Scanned : 1000\r\nValue Detected: 2\r\nValue Fixed: 0");
    EXPECT_EQ(ToUtf8(HiddenCounterText(s)),
              "Path Scanned: 7\r\nPath Hidden: 1\r\nPath Unhidden: 0");
    EXPECT_EQ(ToUtf8(AnalyzingStatus(5, 2)), "Analyzing 5 Files and 2 Directories ....");
    s.totalFiles = 40;
    s.totalFolders = 4;
    EXPECT_EQ(ToUtf8(ScanningStatus(s)), "Scanning 40 Files and 4 Folders ....");
    s.countSkipped = true;
    EXPECT_EQ(ToUtf8(ScanningStatus(s)), "Scanning Files And Folders ....");
    EXPECT_EQ(ToUtf8(PercentText(1, 8)), "12.5%");
    EXPECT_EQ(ToUtf8(PercentText(0, 0)), "");
}

struct SummaryCase {
    std::int32_t files, cleaned, values, hidden;
    bool processInfected;
    const char* text;
    const char* title;
    std::uint32_t style;
};

class SummaryBoxTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryBoxTest, VerdictWordAndRemainingCounts) {
    config::MessageTable messages;
    messages.LoadMessages(config::kLanguageEnglish);
    const SummaryCase& c = GetParam();
    ScanState s;
    s.filesDetected = c.files;
    s.filesCleaned = c.cleaned;
    s.valuesDetected = c.values;
    s.pathsHidden = c.hidden;
    s.processInfected = c.processInfected;
    MessageBoxText box = SummaryBox(s, messages);
    EXPECT_EQ(ToUtf8(box.text), c.text);
    EXPECT_EQ(ToUtf8(box.title), c.title);
    EXPECT_EQ(box.style, c.style);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SummaryBoxTest,
    ::testing::Values(
        SummaryCase{0, 0, 0, 0, false,
                    "Fortunately, your computer system is FINE\r\nNO VIRUS DETECTED.",
                    "Computer is FINE", platform::mb::kIconInformation},
        // a virus that the user cleaned no longer counts
        SummaryCase{1, 1, 0, 0, false,
                    "Fortunately, your computer system is FINE\r\nNO VIRUS DETECTED.",
                    "Computer is FINE", platform::mb::kIconInformation},
        SummaryCase{2, 0, 0, 3, false,
                    "Unfortunately, your computer system is BAD\r\nVestra found : \r\n\r\n"
                    "- 2 Virus File(s)\r\n- 3 Hidden File(s)",
                    "Computer Status", platform::mb::kIconExclamation},
        SummaryCase{1, 0, 0, 0, true,
                    "Unfortunately, your computer system is DANGEROUS!!!\r\nVestra found : \r\n"
                    "\r\n- 1 Virus File(s)",
                    "Computer Status", platform::mb::kIconCritical},
        SummaryCase{1, 1, 4, 0, true,
                    "Unfortunately, your computer system is NOT GOOD\r\nVestra found : \r\n"
                    "\r\n- 4 Infected Registry(s)",
                    "Computer Status", platform::mb::kIconExclamation}));

}  // namespace
}  // namespace vestra
