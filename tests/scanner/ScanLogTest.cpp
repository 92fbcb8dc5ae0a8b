// The scan log: the whole text of a run without findings (exact), the finding sections, the
// suspect lines, the ANSI-or-UTF-16 choice, and replacing the old file or leaving it alone.
#include "scanner/ScanLog.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakeCodePage.h"
#include "platform/fake/FakeFileSystem.h"

namespace vestra {
namespace {

constexpr char16_t kLog[] = u"C:\\Vestra\\vestra.log";

class ScanLogTest : public ::testing::Test {
protected:
    ScanLogTest() {
        files.AddDrive(u'C', platform::DriveType::Fixed);
        files.AddFolder(u"C:\\Vestra");
        input.timeText = u"10:15:00";
        input.dateText = u"12/10/2026";
        input.processesBefore = {u"C:\\Windows\\explorer.exe", u"", u"C:\\bad.exe"};
        input.processesAfter = {u"C:\\Windows\\explorer.exe"};
    }
    std::string Text() { return ToUtf8(BuildScanLog(report, input)); }

    platform::fake::FakeFileSystem files;
    platform::fake::FakeCodePage codePage;
    ScanReport report;
    ScanLogInput input;
};

TEST_F(ScanLogTest, ARunWithoutFindingsHasTheHeaderAndBothProcessLists) {
    report.state.elapsedSeconds = 312;
    report.state.foldersDone = 7;
    report.state.filesScanned = 1520;
    const std::string sep(30, '=');
    std::string expected = sep + "\r\nLog File of Vestra 2010 Rev. 8.3\r\n" + sep +
                           "\r\n\r\nScanning Results :\r\n"
                           "=> Time & Date : 10:15:00, on 12/10/2026\r\n"
                           "=> Finishing Time : 5 minutes,12 seconds\r\n"
                           "=> Folder Scanned :7\r\n"
                           "=> File Scanned : 1520\r\n"
                           "=> File Detected : 0\r\n"
                           "=> File Cleaned : 0\r\n"
                           "=> Value Scanned : 0\r\n"
                           "=> Value Detected: 0\r\n"
                           "=> Value Fixed: 0\r\n";
    std::string text = Text();
    ASSERT_EQ(text.substr(0, expected.size()), expected);
    std::string tail = "\r\n" + sep + "\r\nBefore Scanning\r\n" + sep +
                       "\r\n\r\nRunning Processes :\r\n=> C:\\Windows\\explorer.exe\r\n"
                       "=> C:\\bad.exe\r\n\r\n" +
                       sep + "\r\nAfter Scanning\r\n" + sep +
                       "\r\n\r\nRunning Processes :\r\n=> C:\\Windows\\explorer.exe\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.find("Detected Virus :"), std::string::npos);
    EXPECT_EQ(text.find("Suspected Paths :"), std::string::npos);
}

TEST_F(ScanLogTest, FindingsOfEachListFollowTheProcesses) {
    report.AddDetection({u"W32.Bad", u"Worm", u"C:\\bad.exe", u"Worm", u"DEL"}, true);
    std::size_t r = report.registry.Add(u"Shell", 0);
    report.registry.SetCell(r, registry_column::kKeyPath, u"HKLM\\Winlogon");
    report.registry.SetCell(r, registry_column::kType, u"REG_SZ");
    report.EnumDet(kDetRegistry, true);
    std::size_t h = report.hidden.Add(u"docs", 0);
    report.hidden.SetCell(h, hidden_column::kPath, u"E:\\docs");
    report.hidden.SetCell(h, hidden_column::kAttributes, u"Folder, Hidden");
    report.EnumDet(kDetHidden, true);
    std::string text = Text();
    std::string findings =
        "\r\nDetected Virus :\r\n\r\n=> W32.Bad\r\n   -Worm\r\n   -C:\\bad.exe\r\n"
        "\r\nInfected Registry Values :\r\n=> Shell\r\n   -HKLM\\Winlogon\r\n   -REG_SZ\r\n"
        "\r\nHidden Files/Folders\r\n=> E:\\docs\r\n   -Folder, Hidden\r\n";
    ASSERT_GE(text.size(), findings.size());
    EXPECT_EQ(text.substr(text.size() - findings.size()), findings);
}

TEST_F(ScanLogTest, SuspectsListTheirSourcesAndEveryLocation) {
    LogSuspect suspect{u"run.exe", 3, 1, 2, 0, 0, u"C:\\run.exe", {u"C:\\copy\\run.exe"}};
    input.suspectsAfter = {suspect};
    std::string text = Text();
    std::string lines =
        "\r\nSuspected Paths :\r\n=> run.exe(Level 3) as  : 1 Process, 2 Startup\r\n"
        "   -C:\\run.exe\r\n   -C:\\copy\\run.exe\r\n";
    auto after = text.find("After Scanning");
    ASSERT_NE(after, std::string::npos);
    EXPECT_NE(text.find(lines, after), std::string::npos);
    EXPECT_EQ(text.find("Suspected Paths :"), text.find(lines, after) + 2);
}

TEST_F(ScanLogTest, SuspectRecordsBecomeLogEntriesByFileName) {
    Suspect record;
    record.path = u"C:\\Tools\\agent.exe";
    record.level = 9;
    record.counts = {0, 2, 0, 1};
    record.locations = {{u"E:\\agent.exe", {0, 0, 0, 1}}};
    input.suspectsBefore = LogSuspectsOf({record});
    std::string text = Text();
    EXPECT_NE(text.find("Before Scanning\r\n==============================\r\n\r\n"
                        "Suspected Paths :\r\n=> agent.exe(Level 9) as  : 2 Startup, 1 Autorun.inf"
                        "\r\n   -C:\\Tools\\agent.exe\r\n   -E:\\agent.exe\r\n"),
              std::string::npos)
        << text;
}

TEST_F(ScanLogTest, WritesAnsiUnlessACharacterWouldBeLost) {
    ASSERT_TRUE(WriteLog(files, codePage, kLog, report, input));
    auto ansi = files.FileBytes(kLog);
    ASSERT_TRUE(ansi.has_value());
    std::u16string text = BuildScanLog(report, input);
    EXPECT_EQ(ansi->size(), text.size());
    EXPECT_EQ(ansi->front(), '=');

    input.processesAfter.push_back(u"C:\\\u0416\\x.exe");  // outside the code page
    ASSERT_TRUE(WriteLog(files, codePage, kLog, report, input));
    auto wide = files.FileBytes(kLog);
    ASSERT_TRUE(wide.has_value());
    std::u16string wideText = BuildScanLog(report, input);
    ASSERT_EQ(wide->size(), wideText.size() * 2);
    EXPECT_EQ((*wide)[0], '=');
    EXPECT_EQ((*wide)[1], 0);
    EXPECT_NE(std::u16string_view(wideText).find(u"\u0416"), std::u16string_view::npos);
}

TEST_F(ScanLogTest, ReplacesTheOldLogButLeavesAnOpenOneAlone) {
    files.AddFile(kLog, std::string(100000, 'o'));
    ASSERT_TRUE(WriteLog(files, codePage, kLog, report, input));
    EXPECT_EQ(files.FileBytes(kLog)->size(), BuildScanLog(report, input).size());
    auto holder = files.Open(kLog, platform::FileAccess::Read, platform::share::kRead,
                             platform::Disposition::OpenExisting);
    ASSERT_TRUE(holder.ok());
    report.state.foldersDone = 99;
    EXPECT_FALSE(WriteLog(files, codePage, kLog, report, input));
    EXPECT_EQ(files.FileText(kLog)->find(":99"), std::string::npos);
}

}  // namespace
}  // namespace vestra
