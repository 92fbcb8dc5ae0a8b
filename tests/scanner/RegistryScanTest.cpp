// The registry side of a scan run on the fakes: findings become registry rows, programs named
// by values go through the file check (once per run), and the repair pass over the list model
// fixes, fails and ignores rows as their outcomes say.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "remediation/HiddenPaths.h"
#include "scanner/RegistryFixPass.h"
#include "scanner/RegistryPhases.h"
#include "tests/support/FakeEngine.h"

namespace vestra {
namespace {

using platform::Hive;

constexpr char16_t kEngine[] = u"C:\\V\\VestEngine.dll";
const std::u16string kRun = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::u16string kWinlogon = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

class RegistryScanTest : public ::testing::Test {
protected:
    RegistryScanTest() {
        testing::ResetEngineScript();
        os.libraries.Register(kEngine, testing::FakeEngineExports());
        os.files.AddFile(kEngine, std::string_view("MZ"));
        engine = Engine::Load(os.libraries, kEngine);
        checker = std::make_unique<FileChecker>(*engine, os.files);
        os.files.AddFolder(u"C:\\Windows\\system32");
        os.registry.CreateKey(Hive::LocalMachine, kWinlogon);
    }
    void PlantMalware(std::u16string_view path) {
        os.files.AddFile(path, std::string_view("content"));
        testing::EngineScript().results[std::u16string(path)] = 16;
        testing::EngineScript().names[std::u16string(path)] = "Worm.Fake";
    }
    void SetText(Hive hive, std::u16string_view key, std::u16string_view name,
                 std::u16string_view text) {
        os.registry.CreateKey(hive, key);
        os.registry.SetValue(hive, key, name, platform::TextValue(text));
    }
    // Runs one phase the way the scan run calls it.
    void RunPhase(AreaPhase phase) {
        AreaPhases phases;
        InstallRegistryPhases(phases, parts);
        remediation::HiddenPaths hidden(os.files, report);
        PhaseContext context{report, *checker, hidden.Check(), [this] { ++pumps; }};
        phases[phase](context, PhaseForm::First);
    }

    platform::fake::FakePlatform os;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
    registry::RegistryAccess access{os.registry, os.system};
    std::u16string exceptionList;
    RegistryScanParts parts{
        access,
        os.files,
        {{false, true}, u"C:\\Windows\\system32\\", u"C:\\Windows\\", u"C:\\Program Files\\"},
        [this] { return exceptionList; }};
    ScanReport report;
    int pumps = 0;
};

TEST_F(RegistryScanTest, InfectedRunValueGivesAVirusRowAndARegistryRow) {
    PlantMalware(u"C:\\Windows\\system32\\bad.exe");
    SetText(Hive::CurrentUser, kRun, u"a", u"bad.exe /start");
    SetText(Hive::CurrentUser, kRun + u"-", u"b", u"\"C:\\Windows\\system32\\bad.exe\"");
    RunPhase(AreaPhase::StartupItems);

    ASSERT_EQ(report.detect.Count(), 1u);  // one file, named twice
    EXPECT_EQ(report.detect.Cell(0, detect_column::kVirusName), u"Worm.Fake");
    EXPECT_EQ(report.detect.Cell(0, detect_column::kFilePath), u"C:\\Windows\\system32\\bad.exe");
    EXPECT_EQ(report.detect.Cell(0, detect_column::kStatus), u"Infected Registry");
    ASSERT_EQ(report.registry.Count(), 2u);
    EXPECT_EQ(report.registry.Cell(0, registry_column::kValueName), u"a");
    EXPECT_EQ(report.registry.Cell(0, registry_column::kKeyPath), u"HKEY_CURRENT_USER\\" + kRun);
    EXPECT_EQ(report.registry.Cell(0, registry_column::kType), u"Worm.Fake  Value");
    EXPECT_EQ(report.registry.Row(0).tag, u"DelValue|-2147483647|" + kRun + u"|a|0");
    EXPECT_EQ(report.registry.Row(0).icon, kIconRegString);
    EXPECT_EQ(report.state.valuesDetected, 2);
    EXPECT_EQ(report.state.filesDetected, 1);
    EXPECT_EQ(report.state.statusText, u"Scanning Start-Up Items ....");
    EXPECT_GT(pumps, 0);
}

TEST_F(RegistryScanTest, ExceptionListAndRepeatsKeepRowsOut) {
    SetText(Hive::LocalMachine, kWinlogon, u"Shell", u"evil.exe");
    exceptionList = u"HKEY_LOCAL_MACHINE\\" + kWinlogon + u"\\Shell";
    RunPhase(AreaPhase::RegistryDefault);
    for (std::size_t i = 0; i < report.registry.Count(); ++i) {
        EXPECT_NE(report.registry.Cell(i, registry_column::kKeyPath) + u"\\" +
                      report.registry.Cell(i, registry_column::kValueName),
                  exceptionList);
    }
    const std::size_t rows = report.registry.Count();
    EXPECT_GT(rows, 0u);  // the empty fake lacks most keys: lost keys
    RunPhase(AreaPhase::RegistryDefault);
    EXPECT_EQ(report.registry.Count(), rows);
    EXPECT_EQ(report.state.statusText, u"Scanning Registry Values .... ");
}

class RegistryFixPassTest : public RegistryScanTest {
protected:
    void SetUp() override {
        os.files.AddFolder(u"C:\\V");
        os.registry.CreateKey(Hive::CurrentUser, u"Software\\T");
        os.registry.SetValue(Hive::CurrentUser, u"Software\\T", u"v", platform::DwordValue(1));
        AddRow(u"ReDWORD|-2147483647|Software\\T|v|0|0");
        AddRow(u"ReString|-2147483647|Software\\Denied|s|x|1|0");  // key gone: fails
        AddRow(u"DelValue|-2147483647|Software\\T|w|0");
    }
    void AddRow(std::u16string_view tag) {
        std::size_t row = report.registry.Add(u"x", kIconRegString);
        report.registry.SetTag(row, tag);
        report.EnumDet(kDetRegistry, true);
    }
    registry::RegBackup backup{os.registry, os.files, u"C:\\V\\vestra.reg"};
    std::vector<std::u16string> added;
    registry::RegRepair repair{access, backup, [this](std::u16string_view path) {
                                   added.emplace_back(path);
                                   return true;
                               }};
    RegistryFixPass pass{report, repair};
};

TEST_F(RegistryFixPassTest, CheckedRowsOnlyAndFailuresStayOpen) {
    report.registry.SetChecked(0, true);
    report.registry.SetChecked(1, true);
    pass.FixRegRows(FixScope::Checked);
    EXPECT_EQ(report.registry.Cell(0, registry_column::kStatus), u"DWORD value was fixed");
    EXPECT_TRUE(report.registry.Row(0).IsFixed());
    EXPECT_EQ(report.registry.Row(0).icon, 0);
    EXPECT_EQ(report.registry.Cell(1, registry_column::kStatus), u"String value couldn't be fixed");
    EXPECT_FALSE(report.registry.Row(1).IsFixed());
    EXPECT_EQ(report.registry.Cell(2, registry_column::kStatus), u"");
    EXPECT_EQ(report.state.valuesFixed, 1);
    EXPECT_EQ(report.state.statusText, u"Fixing finished");
    EXPECT_EQ(report.progress.bar, 100);

    pass.FixRegRows(FixScope::All);
    EXPECT_EQ(report.state.valuesFixed, 2);  // the failed row fails again, the fixed one stays
    EXPECT_EQ(report.registry.Cell(2, registry_column::kStatus), u"Value was deleted");
}

TEST_F(RegistryFixPassTest, ForcedExceptionsAndAPassWithNothingLeft) {
    pass.forcedAction = u"EXC";
    pass.FixRegRows(FixScope::All);
    EXPECT_EQ(added.size(), 3u);
    EXPECT_EQ(report.registry.Cell(1, registry_column::kStatus), u"Ignored (Exception List)");
    EXPECT_EQ(report.registry.Row(1).icon, 1);
    EXPECT_EQ(report.state.valuesFixed, 3);
    EXPECT_EQ(os.registry.QueryValue(Hive::CurrentUser, u"Software\\T", u"v")->data,
              platform::DwordValue(1).data);  // nothing repaired

    report.SetStatus(u"before");
    pass.FixRegRows(FixScope::All);
    EXPECT_EQ(report.state.statusText, u"before");  // every finding dealt with: no pass
}

// The properties box and the jump to the editor read the row as it stands: the current value
// now, not at scan time; rows dealt with or without a descriptor give nothing.
TEST_F(RegistryFixPassTest, PropertiesAndKeyOfRows) {
    struct Case {
        std::u16string_view tag;
        std::u16string_view explanation;  // empty: no box
        std::u16string_view key;          // empty: no key to go to
    };
    const Case cases[] = {
        {u"ReDWORD|-2147483647|Software\\T|v|0|0",
         u"This value should be changed :\r\n- Current Value : 1\r\n- Recommended Value : 0",
         u"Software\\T"},
        {u"ReString|-2147483646|Software\\Gone|Shell|Explorer.exe|1|1",
         u"This value should be changed :\r\n- Current Value : <not exist>\r\n"
         u"- Recommended Value : Explorer.exe",
         u"Software\\Gone"},
        {u"DelKey|-2147483648|scxfile", u"This value should be deleted", u"scxfile"},
        {u"DelValue|-2147483647|Software\\T|v|0", u"This value should be deleted", u"Software\\T"},
        {u"Fixed", u"", u""},
        {u"ReString|nohive|Software\\T|v|x|1|0", u"", u""},
        {u"", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tag.begin(), c.tag.end()));
        ResultRow row;
        row.cells = {u"Shell", u"HKEY_LOCAL_MACHINE\\Software\\Gone", u"Different String Value",
                     u""};
        row.tag = std::u16string(c.tag);
        const RegistryRowProperties properties = PropertiesOfRegistryRow(access, row);
        if (c.explanation.empty()) {
            EXPECT_TRUE(properties.text.empty());
        } else {
            EXPECT_EQ(properties.title, u"Shell Properties");
            EXPECT_EQ(properties.text,
                      u"Key Path : HKEY_LOCAL_MACHINE\\Software\\Gone\r\nValue Name : Shell\r\n"
                      u"Type : Different String Value\r\n\r\n\r\nExplanation : \r\n" +
                          std::u16string(c.explanation));
        }
        const auto key = KeyOfRegistryRow(row);
        ASSERT_EQ(key.has_value(), !c.key.empty());
        if (key) {
            EXPECT_EQ(key->key, c.key);
        }
    }
    // A failed repair's outcome stays part of what the box explains.
    ResultRow failed;
    failed.cells = {u"s", u"HKEY_CURRENT_USER\\Software\\T", u"Lost Value",
                    u"String value couldn't be fixed"};
    failed.tag = u"ReString|-2147483647|Software\\T|s|x|1|0";
    EXPECT_NE(PropertiesOfRegistryRow(access, failed)
                  .text.find(u"Explanation : String value couldn't be fixed\r\n"),
              std::u16string::npos);
}

}  // namespace
}  // namespace vestra
