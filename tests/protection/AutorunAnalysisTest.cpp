// The autorun-file analysis (trusted launchers, "=" references, the UTF-16 script case and the
// thumbnail decoy) and the scan run's phase that reports suspected autorun files.
#include "protection/AutorunAnalysis.h"

#include <gtest/gtest.h>

#include "protection/AutorunPhase.h"
#include "tests/scanner/WalkFixture.h"

namespace vestra::protection {
namespace {

using platform::DriveType;

std::string Utf16Bytes(std::string_view text) {
    std::string bytes("\xFF\xFE", 2);
    for (char c : text) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

class AutorunTest : public testing::WalkFixture {
protected:
    AutorunTest() {
        os.files.AddDrive(u'F', DriveType::CdRom);
        Plant(u"E:\\setup.exe");
        Plant(u"E:\\RECYCLER\\x.exe");
        Plant(u"E:\\My Stuff\\start me.bat");
    }

    struct Answer {
        bool suspected;
        std::string targets;
    };
    Answer Analyze(std::string_view content, std::u16string_view path = u"E:\\autorun.inf") {
        os.files.AddFile(path, content);
        std::u16string targets = u"before";
        bool suspected = AnalyzeAutorun(os.files, extractor, path, targets);
        return {suspected, ToUtf8(targets)};
    }

    TargetExtractor extractor{os.files, u"C:\\"};
};

struct AutorunCase {
    const char* name;
    const char* content;
    bool suspected;
    const char* targets;  // appended after "before"
};

class AutorunCaseTest : public AutorunTest, public ::testing::WithParamInterface<AutorunCase> {};

TEST_P(AutorunCaseTest, SuspectsWhatStartsAFileAndNamesIt) {
    Answer answer = Analyze(GetParam().content);
    EXPECT_EQ(answer.suspected, GetParam().suspected);
    EXPECT_EQ(answer.targets, GetParam().targets);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AutorunCaseTest,
    ::testing::Values(
        AutorunCase{"OpenLine", "[autorun]\r\nopen=setup.exe\r\n", true, "before|e:\\setup.exe"},
        AutorunCase{"ShellCommandWithDrive",
                    "[AutoRun]\nshell\\open\\command=E:\\RECYCLER\\x.exe /a\nicon=x.ico\n", true,
                    "before|e:\\recycler\\x.exe"},
        AutorunCase{"BlanksInTheName", "[autorun]\ropen=My Stuff\\start me.bat\r", true,
                    "before|e:\\my stuff\\start me.bat"},
        AutorunCase{"TrustedLauncherEvenWhenItStartsAProgram",
                    "[autorun]\r\nopen=setup.exe\r\n; Start.exe from PortableApps.com\r\n", false,
                    "before"},
        AutorunCase{"OtherTrustedMarker", "[autorun]\r\nopen=wubi.exe setup.exe\r\n", false,
                    "before"},
        AutorunCase{"MissingProgram", "[autorun]\r\nopen=gone.exe\r\nicon=x.ico\r\n", false,
                    "before"},
        AutorunCase{"NoRiskyExtension", "[autorun]\r\nlabel=My Disk\r\nicon=disk.ico\r\n", false,
                    "before"},
        AutorunCase{"NameWithoutEquals", "[autorun]\r\nsetup.exe\r\n", false, "before"},
        AutorunCase{"Empty", "", false, "before"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AutorunTest, AMissingFileIsNotSuspected) {
    std::u16string targets;
    EXPECT_FALSE(AnalyzeAutorun(os.files, extractor, u"E:\\autorun.inf", targets));
    EXPECT_FALSE(AnalyzeAutorun(os.files, extractor, u"E:\\RECYCLER", targets));
    EXPECT_EQ(targets, u"");
}

TEST_F(AutorunTest, AUtf16FileThatRunsAScriptIsSuspectedAndNamesTheThumbnailDecoy) {
    Answer answer = Analyze(Utf16Bytes("[autorun]\r\nshellexecute=wscript.exe //e:vbs gone\r\n"));
    EXPECT_TRUE(answer.suspected);
    EXPECT_EQ(answer.targets, "before");
    os.files.AddFile(u"E:\\thumb.db", std::string_view("MZ"));
    answer = Analyze(Utf16Bytes("[autorun]\r\nshellexecute=WScript.exe //e:vbs thumb\r\n"));
    EXPECT_TRUE(answer.suspected);
    EXPECT_EQ(answer.targets, "before|E:\\thumb.db");
}

TEST_F(AutorunTest, AUtf16OpenLineNamesItsProgram) {
    Answer answer = Analyze(Utf16Bytes("[autorun]\r\nopen=setup.exe\r\n"));
    EXPECT_TRUE(answer.suspected);
    EXPECT_EQ(answer.targets, "before|e:\\setup.exe");
}

TEST_F(AutorunTest, OnlyTheFirstHalfMegabyteIsRead) {
    std::string content(kTargetTextLimit, ' ');
    content += "\r\nopen=setup.exe\r\n";
    EXPECT_FALSE(Analyze(content).suspected);
    content =
        "[autorun]\r\nopen=setup.exe\r\n" + std::string(kTargetTextLimit, ' ') + "PortableApps";
    EXPECT_TRUE(Analyze(content).suspected);  // a marker past the limit does not vouch for it
}

// ---- The scan run's phase ----

class AutorunPhaseTest : public AutorunTest {
protected:
    int Run() {
        PhaseContext context{report, *checker, hidden.Check(), {}};
        return ScanAutorunFiles(parts, context);
    }

    FolderWalk walk{{os.files, *checker, report, extractor, hidden.Check()}};
    AutorunPhaseParts parts{os.files, extractor, walk};
};

TEST_F(AutorunPhaseTest, ReportsTheFileOnceAndChecksWhatItStarts) {
    Plant(u"E:\\RECYCLER\\x.exe", testing::kWormDelete, "W32.Autorun");
    os.files.AddFile(u"E:\\autorun.inf", std::string_view("[autorun]\r\nopen=RECYCLER\\x.exe\r\n"));
    os.files.AddFile(u"C:\\autorun.inf", std::string_view("[autorun]\r\nicon=c.ico\r\n"));
    os.files.AddFile(u"F:\\autorun.inf", std::string_view("[autorun]\r\nopen=setup.exe\r\n"));
    Plant(u"F:\\setup.exe");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Run(), 0);  // once per scan run
    EXPECT_EQ(Column(report.detect, detect_column::kFilePath),
              (std::vector<std::string>{"E:\\autorun.inf", "E:\\RECYCLER\\x.exe"}));
    EXPECT_EQ(Column(report.detect, detect_column::kVirusName),
              (std::vector<std::string>{"Autorun.INF", "W32.Autorun"}));
    EXPECT_EQ(ToUtf8(report.detect.Cell(0, detect_column::kType)), "Suspected INF");
    EXPECT_EQ(ToUtf8(report.detect.Cell(0, detect_column::kStatus)), "Suspected Autorun");
    EXPECT_EQ(ToUtf8(report.detect.Row(0).tag), "DEL");
    EXPECT_EQ(report.state.filesDetected, 2);
    // The CD-ROM's autorun file is never read.
    for (const std::u16string& scanned : testing::EngineScript().scanned)
        EXPECT_NE(LowerCase(scanned).substr(0, 2), u"f:");
}

}  // namespace
}  // namespace vestra::protection
