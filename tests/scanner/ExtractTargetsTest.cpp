// Target extraction: which names in a shortcut, task or autorun text count as existing files,
// in the drive-marker mode and the "=" mode.
#include "scanner/ExtractTargets.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"

namespace vestra {
namespace {

using platform::DriveType;

class ExtractTargetsTest : public ::testing::Test {
protected:
    ExtractTargetsTest() {
        files.AddDrive(u'C', DriveType::Fixed);
        files.AddDrive(u'E', DriveType::Removable);
        for (const char16_t* path :
             {u"C:\\Windows\\evil.exe", u"C:\\Temp\\run.vbs", u"C:\\Temp\\cache.db",
              u"E:\\setup.exe", u"E:\\My Stuff\\start me.bat", u"E:\\RECYCLER\\S-1\\x.scr",
              u"E:\\run.vbs", u"E:\\tool.com", u"D:\\nothing.exe"}) {
            files.AddFile(path, std::string_view("MZ"));
        }
        files.AddFolder(u"C:\\Temp\\folder.exe");
    }

    std::string Drive(std::u16string_view content) {
        return ToUtf8(extractor.ExtractTargets(u"C:\\x.lnk", kDriveMarker, content));
    }
    std::string Equals(std::u16string_view content) {
        return ToUtf8(extractor.ExtractTargets(u"E:\\autorun.inf", kEqualsMarker, content));
    }

    platform::fake::FakeFileSystem files;
    TargetExtractor extractor{files, u"C:\\"};
};

struct TextCase {
    const char16_t* content;
    const char* targets;
};

class DriveMarkerTest : public ExtractTargetsTest,
                        public ::testing::WithParamInterface<TextCase> {};

TEST_P(DriveMarkerTest, FindsExistingFilesFromTheirDriveLetter) {
    EXPECT_EQ(Drive(GetParam().content), GetParam().targets) << ToUtf8(GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DriveMarkerTest,
    ::testing::Values(
        TextCase{u"junk C:\\Windows\\Evil.EXE junk", "c:\\windows\\evil.exe"},
        // each file once, in the order of the extension list
        TextCase{u"c:\\temp\\run.vbs|c:\\windows\\evil.exe|C:\\WINDOWS\\EVIL.EXE",
                 "c:\\windows\\evil.exe|c:\\temp\\run.vbs"},
        TextCase{u"c:\\windows\\missing.exe d:\\nothing.exe", ""},
        TextCase{u"c:\\temp\\folder.exe", ""},                  // a folder is not a target
        TextCase{u"c:\\temp\\cache.db", "c:\\temp\\cache.db"},  // two-letter extension
        // the relative climb of a link stands for the system drive's root
        TextCase{u"e:\\a\\b\\..\\..\\..\\..\\..\\windows\\evil.exe", "c:\\windows\\evil.exe"},
        // the last ":\" before the name decides where it starts
        TextCase{u"e:\\x c:\\windows\\evil.exe", "c:\\windows\\evil.exe"},
        TextCase{u":\\windows\\evil.exe", ""},
        // a name and no dot anywhere
        TextCase{u"c:\\windows\\evil", ""}));

TEST_F(ExtractTargetsTest, BlankContentReadsTheFileWithItsUtf16Text) {
    // A task file keeps its program name in UTF-16.
    std::string job("\x01\x02\x03\x04", 4);
    for (char c : std::string("C:\\Temp\\run.vbs")) {
        job.push_back(c);
        job.push_back('\0');
    }
    job.append("\0\0", 2);
    files.AddFile(u"C:\\Windows\\Tasks\\t.job", std::string_view(job));
    EXPECT_EQ(ToUtf8(extractor.ExtractTargets(u"C:\\Windows\\Tasks\\t.job", kDriveMarker, u"  ")),
              "c:\\temp\\run.vbs");

    files.AddFile(u"C:\\plain.txt", std::string_view("see E:\\SETUP.EXE"));
    EXPECT_EQ(ToUtf8(extractor.ExtractTargets(u"C:\\plain.txt", kDriveMarker, u"")),
              "e:\\setup.exe");
    EXPECT_EQ(ToUtf8(extractor.ExtractTargets(u"C:\\missing.txt", kDriveMarker, u"")), "");
}

TEST_F(ExtractTargetsTest, OnlyTheFirstPartOfAFileIsRead) {
    std::string text(kTargetTextLimit, ' ');
    text += "c:\\windows\\evil.exe";
    files.AddFile(u"C:\\big.txt", std::string_view(text));
    EXPECT_EQ(ToUtf8(extractor.ExtractTargets(u"C:\\big.txt", kDriveMarker, u"")), "");
}

class EqualsMarkerTest : public ExtractTargetsTest,
                         public ::testing::WithParamInterface<TextCase> {};

TEST_P(EqualsMarkerTest, FindsReferencesAfterEqualsSigns) {
    EXPECT_EQ(Equals(GetParam().content), GetParam().targets) << ToUtf8(GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EqualsMarkerTest,
    ::testing::Values(TextCase{u"[autorun]\r\nopen=setup.exe\r\n", "e:\\setup.exe"},
                      TextCase{u"shell\\open\\command=RECYCLER\\S-1\\x.scr",
                               "e:\\recycler\\s-1\\x.scr"},
                      TextCase{u"open=wscript.exe //e:vbscript run.vbs", "e:\\run.vbs"},
                      TextCase{u"open=\"My Stuff\\start me.bat\"", "e:\\my stuff\\start me.bat"},
                      TextCase{u"shellexecute=C:\\Temp\\run.vbs", "c:\\temp\\run.vbs"},
                      TextCase{u"open=\\tool.com", "e:\\tool.com"},
                      TextCase{u"open=.\\tool.com\r\nshell=tool.com", "e:\\tool.com"},
                      TextCase{u"setup.exe is mentioned without a sign", ""},
                      TextCase{u"open=missing.exe", ""}, TextCase{u"icon=setup.ico", ""}));

// A crafted text of many names on one long line: each name is looked for only within the
// length a path can have, so the work stays in proportion to the text and real names are found.
TEST_F(ExtractTargetsTest, LongCraftedLinesStayCheapAndKeepTheRealNames) {
    std::u16string equals = u"open=";
    std::u16string drive;
    for (int i = 0; i < 2000; ++i) {
        equals += u"a .exe ";
        drive += u"c:\\ x.exe ";
    }
    EXPECT_EQ(Equals(equals + u"\r\nopen=setup.exe"), "e:\\setup.exe");
    EXPECT_EQ(Drive(drive + u"c:\\windows\\evil.exe"), "c:\\windows\\evil.exe");
}

TEST_F(ExtractTargetsTest, OtherMarkersFindNothing) {
    EXPECT_EQ(ToUtf8(extractor.ExtractTargets(u"C:\\x.lnk", u"#", u"c:\\windows\\evil.exe")), "");
}

}  // namespace
}  // namespace vestra
