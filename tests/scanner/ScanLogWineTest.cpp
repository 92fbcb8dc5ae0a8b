// The scan log through the system's real code page on Wine: an ASCII log is written as ANSI
// bytes, one with a character no ANSI code page holds as UTF-16LE, and both read back the same.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FileSystem.h"
#include "scanner/FileRoutines.h"
#include "scanner/ScanLog.h"

namespace vestra {
namespace {

constexpr char16_t kFolder[] = u"C:\\VestraLogTest";
constexpr char16_t kLog[] = u"C:\\VestraLogTest\\vestra.log";

class ScanLogWineTest : public ::testing::Test {
protected:
    ScanLogWineTest() {
        files.Delete(kLog);
        files.CreateFolder(kFolder);
        input.timeText = u"10:00";
        input.dateText = u"1/1/2027";
        input.processesBefore = {u"C:\\windows\\explorer.exe"};
    }
    ~ScanLogWineTest() override {
        files.Delete(kLog);
        files.RemoveFolder(kFolder);
    }

    platform::win32::Win32FileSystem files;
    platform::win32::Win32CodePage codePage;
    ScanReport report;
    ScanLogInput input;
};

TEST_F(ScanLogWineTest, AsciiTextIsWrittenAsAnsiBytes) {
    ASSERT_TRUE(WriteLog(files, codePage, kLog, report, input));
    std::vector<std::uint8_t> bytes = ReadFileBytes(files, kLog);
    std::u16string text = BuildScanLog(report, input);
    ASSERT_EQ(bytes.size(), text.size());
    EXPECT_EQ(codePage.FromAnsi(std::string(bytes.begin(), bytes.end())), text);
}

TEST_F(ScanLogWineTest, ACharacterOutsideTheCodePageMakesTheWholeFileUtf16) {
    input.processesAfter = {u"C:\\\U0001F600\\x.exe"};
    std::u16string text = BuildScanLog(report, input);
    ASSERT_FALSE(codePage.FitsAnsi(text));
    ASSERT_TRUE(WriteLog(files, codePage, kLog, report, input));
    std::vector<std::uint8_t> bytes = ReadFileBytes(files, kLog);
    ASSERT_EQ(bytes.size(), text.size() * 2);
    std::u16string back;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        back.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    EXPECT_EQ(back, text);
}

}  // namespace
}  // namespace vestra
