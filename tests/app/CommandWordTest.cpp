// The argument word that picks the run mode, read from raw command lines as Windows hands them.
#include "app/CommandWord.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace vestra {
namespace {

struct Case {
    const char16_t* commandLine;
    const char16_t* word;
};

class CommandWordTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandWordTest, ReadsTheWordAfterTheProgramPath) {
    EXPECT_EQ(ToUtf8(CommandWordFrom(GetParam().commandLine)), ToUtf8(GetParam().word));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandWordTest,
    ::testing::Values(
        Case{u"\"C:\\Vestra\\Vestra.exe\"", u""}, Case{u"\"C:\\Vestra\\Vestra.exe\" ", u""},
        Case{u"\"C:\\Vestra\\Vestra.exe\"   RTP  ", u"rtp"},
        Case{u"\"C:\\Vestra\\Vestra.exe\" rtc", u"rtc"},
        Case{u"\"C:\\Vestra\\Vestra.exe\" vrs C:\\Temp\\Bad.EXE", u"vrs c:\\temp\\bad.exe"},
        // The shell's context menu hands quoted paths; the quotes stay for the path-list reader.
        Case{u"\"C:\\V\\Vestra.exe\" \"D:\\a b\" \"E:\\\"", u"\"d:\\a b\" \"e:\\\""},
        // Typed at a prompt or written unquoted into a Run key, the path ends at the first
        // blank; a tab separates as a space does.
        Case{u"C:\\Vestra\\Vestra.exe rtp", u"rtp"}, Case{u"Vestra.exe\tRTC ", u"rtc"},
        Case{u"C:\\Vestra\\Vestra.exe", u""},
        // A path whose closing quote is missing takes the whole line: there is no word.
        Case{u"\"C:\\Program Files\\Vestra.exe rtp", u""}, Case{u"", u""}));

}  // namespace
}  // namespace vestra
