// The hosts-file and system-folder phases on the fake file system.
#include "scanner/SystemChecks.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "remediation/HiddenPaths.h"
#include "scanner/CheckFile.h"
#include "scanner/ScanReport.h"
#include "tests/support/FakeEngine.h"

namespace vestra {
namespace {

namespace attr = platform::attr;
constexpr char16_t kEngine[] = u"C:\\V\\VestEngine.dll";
constexpr char16_t kHosts[] = u"C:\\Windows\\system32\\drivers\\etc\\hosts";

class SystemChecksTest : public ::testing::Test {
protected:
    SystemChecksTest() {
        testing::ResetEngineScript();
        os.libraries.Register(kEngine, testing::FakeEngineExports());
        os.files.AddFile(kEngine, std::string_view("MZ"));
        engine = Engine::Load(os.libraries, kEngine);
        checker = std::make_unique<FileChecker>(*engine, os.files);
        files.AddFolder(u"C:\\Windows\\system32\\drivers\\etc");
        InstallSystemCheckPhases(phases, parts);
    }
    void Run(AreaPhase phase) {
        remediation::HiddenPaths hidden(files, report);
        PhaseContext context{report, *checker, hidden.Check(), {}};
        phases[phase](context, PhaseForm::First);
    }

    platform::fake::FakePlatform os;
    platform::fake::FakeFileSystem& files = os.files;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
    SystemCheckParts parts{files, u"C:\\Windows\\system32", u"C:\\Windows"};
    AreaPhases phases;
    ScanReport report;
};

TEST_F(SystemChecksTest, HostsFileMentioningMalwareOrTheProductIsListedForCleaning) {
    struct Case {
        const char* text;  // nullptr: no hosts file
        bool listed;
    };
    const Case cases[] = {
        {"127.0.0.1 localhost\r\n", false},
        {"127.0.0.1 www.VESTRA.example\r\n", true},
        {"127.0.0.1 update.antiVirus.example\r\n", true},
        {nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "missing");
        report.ClearReport();
        files.Delete(kHosts);
        if (c.text)
            files.AddFile(kHosts, std::string_view(c.text));
        Run(AreaPhase::HostsFile);
        ASSERT_EQ(report.detect.Count(), c.listed ? 1u : 0u);
        if (c.listed) {
            EXPECT_EQ(report.detect.Cell(0, detect_column::kVirusName), u"Blocked Hosts");
            EXPECT_EQ(report.detect.Cell(0, detect_column::kType), u"Host File");
            EXPECT_EQ(report.detect.Row(0).tag, u"CLN");
            EXPECT_EQ(report.state.filesDetected, 1);
        }
    }
}

TEST_F(SystemChecksTest, OnlyTheFirstMegabyteHalfIsRead) {
    std::string text(kHostsReadLimit, ' ');
    text += "vestra";
    files.AddFile(kHosts, std::string_view(text));
    Run(AreaPhase::HostsFile);
    EXPECT_EQ(report.detect.Count(), 0u);
}

TEST_F(SystemChecksTest, HiddenSystemFolderIsListed) {
    files.SetAttributes(u"C:\\Windows\\system32", attr::kDirectory | attr::kHidden | attr::kSystem);
    Run(AreaPhase::SystemFolders);
    ASSERT_EQ(report.hidden.Count(), 1u);
    EXPECT_EQ(report.hidden.Cell(0, hidden_column::kPath), u"C:\\Windows\\system32");
}

}  // namespace
}  // namespace vestra
