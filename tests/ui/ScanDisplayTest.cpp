// Information box, the exit question and the corner window's texts.
#include "ui/model/ScanDisplay.h"

#include <gtest/gtest.h>

#include "platform/fake/FakeWindowSystem.h"

namespace vestra::ui {
namespace {

TEST(ScanDisplayTest, InformationBoxShowsTheRunningFigures) {
    ScanFigures f;
    EXPECT_NE(InformationText(f, 1).find(u"Ready"), std::u16string::npos);
    EXPECT_NE(InformationText(f, 0).find(u"Siap"), std::u16string::npos);
    f.phase = ScanPhase::Scanning;
    f.statusText = u"Scanning 10 Files and 2 Folders ....";
    f.filesScanned = 7;
    f.filesDetected = 1;
    f.currentPath = u"C:\\Data\\";
    const std::u16string text = InformationText(f, 1);
    EXPECT_NE(text.find(u"Scanning 10 Files"), std::u16string::npos);
    EXPECT_NE(text.find(u"Files Scanned : 7\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"Viruses : 1\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"C:\\Data\\"), std::u16string::npos);
}

TEST(ScanDisplayTest, ExitAsksOnlyWhileAScanRuns) {
    config::MessageTable messages;
    messages.LoadMessages(config::kLanguageEnglish);
    platform::fake::FakeWindowSystem windows;
    EXPECT_EQ(DecideExit(false, true, messages, windows), ExitChoice::Close);
    EXPECT_TRUE(windows.messageBoxes().empty());

    windows.QueueAnswer(platform::mb::kAnswerNo);
    EXPECT_EQ(DecideExit(true, true, messages, windows), ExitChoice::Stay);
    ASSERT_EQ(windows.messageBoxes().size(), 1u);
    EXPECT_EQ(windows.messageBoxes()[0].text,
              u"Are you sure you want to exit and stop current scanning process?");
    EXPECT_EQ(windows.messageBoxes()[0].title, u"Exit and Stop Scanning");
    EXPECT_EQ(windows.messageBoxes()[0].style, 36u);

    windows.QueueAnswer(platform::mb::kAnswerYes);
    EXPECT_EQ(DecideExit(true, true, messages, windows), ExitChoice::StopScanThenClose);
    EXPECT_EQ(DecideExit(true, false, messages, windows), ExitChoice::StopScanThenClose);
    EXPECT_EQ(windows.messageBoxes().size(), 2u);
}

}  // namespace
}  // namespace vestra::ui

namespace vestra::ui {
namespace {

// One "pixel" per character keeps the widths readable.
int Chars(std::u16string_view text) {
    return static_cast<int>(text.size());
}

TEST(ScanDisplayTest, LongPathsKeepTheirBeginningAndAsMuchOfTheEndAsFits) {
    const std::u16string_view path = u"C:\\Documents\\Photos\\2010\\Holiday\\beach.jpg";
    EXPECT_EQ(ShortenPathToWidth(path, 100, Chars), path);
    EXPECT_EQ(ShortenPathToWidth(path, 30, Chars), u"C:\\...\\2010\\Holiday\\beach.jpg");
    EXPECT_EQ(ShortenPathToWidth(path, 20, Chars), u"C:\\...\\beach.jpg");
    // Nothing fits: the last name is kept anyway rather than showing nothing.
    EXPECT_EQ(ShortenPathToWidth(path, 5, Chars), u"C:\\...\\beach.jpg");
    EXPECT_EQ(ShortenPathToWidth(u"no-separator-at-all", 5, Chars), u"no-separator-at-all");
}

TEST(ScanDisplayTest, CornerTitleNamesTheKindOfDrive) {
    EXPECT_EQ(CornerTitle(u"F:\\"), u"Scanning Flash Disk >> F:\\");
    EXPECT_EQ(CornerTitle(u"a:\\"), u"Scanning Floppy Disk >> a:\\");
    EXPECT_EQ(CornerTitle(u"B:\\"), u"Scanning Floppy Disk >> B:\\");
    EXPECT_EQ(CornerTitle(u"E:\\|F:\\"), u"Scanning File/Folder(s)");
    EXPECT_EQ(CornerTitle(u""), u"Scanning File/Folder(s)");
}

}  // namespace
}  // namespace vestra::ui
