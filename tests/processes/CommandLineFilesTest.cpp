// Command lines split into arguments, the program a command names, and detection through the
// files a command line names.
#include "processes/CommandLineFiles.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/processes/ProcessFixture.h"

namespace vestra::processes {
namespace {

std::vector<std::string> U8(const std::vector<std::u16string>& texts) {
    std::vector<std::string> out;
    for (const auto& t : texts)
        out.push_back(ToUtf8(t));
    return out;
}

TEST(SplitCommandLineTest, QuotedArgumentsStayWhole) {
    struct Case {
        const char16_t* line;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {u"wscript.exe C:\\x\\bad.vbs", {"wscript.exe", "C:\\x\\bad.vbs"}},
        {u"\"C:\\Program Files\\A B\\a.exe\" /s \"C:\\My Docs\\f.txt\"",
         {"C:\\Program Files\\A B\\a.exe", "/s", "C:\\My Docs\\f.txt"}},
        {u"\"\"C:\\q.exe\"\"", {"C:\\q.exe"}},
        {u"\"unclosed quote here", {"unclosed quote here"}},
        {u"a  b", {"a", "", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U8(SplitCommandLine(c.line)), c.arguments) << ToUtf8(c.line);
}

class CommandToPathTest : public ::testing::Test, public ProcessFixture {};

TEST_F(CommandToPathTest, ProgramOfCommandsAndValues) {
    Clean(u"C:\\x\\bad.vbs");
    Clean(u"C:\\Program Files\\App\\app.exe");
    Clean(u"C:\\Windows\\system32\\svc.exe");
    struct Case {
        const char16_t* command;
        const char* path;
    };
    const Case cases[] = {
        {u"", ""},
        {u"wscript.exe C:\\x\\bad.vbs", "C:\\x\\bad.vbs"},
        {u"\"C:\\Windows\\system32\\wscript.exe\" \"C:\\x\\bad.vbs\" //B", "C:\\x\\bad.vbs"},
        {u"\"C:\\Program Files\\App\\app.exe\" -k netsvcs", "C:\\Program Files\\App\\app.exe"},
        {u"@C:\\Windows\\system32\\svc.exe,1", "C:\\Windows\\system32\\svc.exe"},
        {u"%SystemRoot%\\system32\\svc.exe -run", "C:\\Windows\\system32\\svc.exe"},
        {u"C:\\missing\\gone.exe", ""},
        {u"no-dot-at-all", "no-dot-at-all"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToUtf8(CommandToPath(c.command, os.files, os.system)), c.path)
            << ToUtf8(c.command);
}

class CheckCommandLineTest : public ::testing::Test, public ProcessFixture {};

TEST_F(CheckCommandLineTest, TheScriptAHostRunsIsTheHit) {
    Clean(u"C:\\WINDOWS\\system32\\wscript.exe");
    Detect(u"C:\\x\\bad.vbs");
    auto hit = CheckCommandLineFiles(u"C:\\WINDOWS\\system32\\wscript.exe C:\\x\\bad.vbs", *checker,
                                     os.files, extractor);
    ASSERT_TRUE(hit);
    EXPECT_EQ(ToUtf8(hit->path), "C:\\x\\bad.vbs");
    EXPECT_EQ(ToUtf8(hit->verdict.lastVirusName), "Trojan.Test");
}

TEST_F(CheckCommandLineTest, NamedFilesInsideOtherTextAreFoundWhenNoArgumentIs) {
    Clean(u"C:\\WINDOWS\\system32\\rundll32.exe");
    // Names found in the text come lower-cased, and the scripted engine answers by exact path.
    Detect(u"c:\\x\\evil.dll");
    auto hit =
        CheckCommandLineFiles(u"rundll32.exe C:\\x\\evil.dll,Start", *checker, os.files, extractor);
    ASSERT_TRUE(hit);
    EXPECT_EQ(ToUtf8(LowerCase(hit->path)), "c:\\x\\evil.dll");
    EXPECT_FALSE(CheckCommandLineFiles(u"", *checker, os.files, extractor));
    EXPECT_FALSE(
        CheckCommandLineFiles(u"notepad.exe C:\\clean.txt", *checker, os.files, extractor));
}

}  // namespace
}  // namespace vestra::processes
