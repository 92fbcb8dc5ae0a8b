// The rule lists on the real registry of a fresh Wine prefix: what they find there, each
// explained as a Wine default that differs from Windows; and typical malware changes planted,
// found, repaired, and put back exactly by importing the undo file with "regedit /s".
#include <gtest/gtest.h>

#include <process.h>

#include <chrono>
#include <cstdio>

#include "platform/Text.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "registry/RegChecks.h"
#include "registry/RegRepair.h"
#include "tests/registry/RegRuleFixture.h"

namespace vestra::registry::test {
namespace {

using platform::Hive;

class RegRulesWineTest : public ::testing::Test {
protected:
    CheckerSetup RealSetup(bool forcePreVista = false) {
        platform::OsVersion v = system.Version();
        RuleConditions conditions{v.major<6, v.major> 6 || (v.major == 6 && v.minor >= 1)};
        if (forcePreVista)
            conditions = {true, false};
        return {conditions, system.SystemDirectory() + u"\\", system.WindowsDirectory() + u"\\",
                system.SpecialFolder(platform::csidl::kProgramFiles) + u"\\"};
    }

    platform::win32::Win32Registry registry;
    platform::win32::Win32System system;
    platform::win32::Win32FileSystem files;
    RegistryAccess access{registry, system};
};

// Why a fresh prefix differs from a fresh Windows, by the start of the display path.
struct Explained {
    std::u16string_view pathStart;
    std::u16string_view text;  // empty: any finding
    const char* why;
};

const Explained kWineDefaults[] = {
#include "tests/registry/WineDefaults.inc"
};

const Explained* ExplanationOf(const RegFinding& f) {
    for (const Explained& e : kWineDefaults) {
        if (StartsWithNoCase(f.path, e.pathStart) && (e.text.empty() || e.text == f.text))
            return &e;
    }
    return nullptr;
}

TEST_F(RegRulesWineTest, FreshPrefixFindingsAreWineDefaults) {
    RecordingSink sink;
    RegChecker checker(access, sink, RealSetup());
    auto start = std::chrono::steady_clock::now();
    checker.RunRules(DefaultRules());
    auto middle = std::chrono::steady_clock::now();
    std::size_t defaultFindings = sink.findings.size();
    int defaultValues = sink.valuesScanned;
    checker.RunRules(DeepRules());
    auto end = std::chrono::steady_clock::now();
    using ms = std::chrono::milliseconds;
    std::printf("default list: %d values, %zu findings, %lld ms\n", defaultValues, defaultFindings,
                static_cast<long long>(std::chrono::duration_cast<ms>(middle - start).count()));
    std::printf("deep list: %d values, %zu findings, %lld ms\n", sink.valuesScanned - defaultValues,
                sink.findings.size() - defaultFindings,
                static_cast<long long>(std::chrono::duration_cast<ms>(end - middle).count()));
    EXPECT_GT(defaultValues, 300);
    for (const RegFinding& f : sink.findings) {
        const Explained* why = ExplanationOf(f);
        if (!why)
            ADD_FAILURE() << "unexplained: " << Describe(f);
        else if (std::getenv("VESTRA_VERBOSE"))
            std::printf("%s (%s)\n", Describe(f).c_str(), why->why);
    }
}

struct Planted {
    Hive hive;
    std::u16string key;
    std::u16string name;
    platform::RegValue value;
    std::u16string_view finding;
};

class RegRepairWineTest : public RegRulesWineTest {
protected:
    void SetUp() override {
        const std::u16string winlogon =
            u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
        const std::u16string policies = u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
        const std::u16string windows = system.WindowsDirectory();
        planted = {
            // Task manager disabled by policy.
            {Hive::CurrentUser, policies + u"\\System", u"DisableTaskMgr", platform::DwordValue(1),
             u"Forbidden DWORD Value"},
            // Hidden files forced off: the folder options taken away, stored as text.
            {Hive::CurrentUser, policies + u"\\Explorer", u"NoFolderOptions",
             platform::TextValue(u"1"), u"Forbidden String Value"},
            // Shell and Userinit replaced so that a second program starts with them.
            {Hive::LocalMachine, winlogon, u"Shell",
             platform::TextValue(u"explorer.exe " + windows + u"\\svch0st.exe"),
             u"Different String Value"},
            {Hive::LocalMachine, winlogon, u"Userinit",
             platform::TextValue(system.SystemDirectory() + u"\\userinit.exe," + windows +
                                 u"\\svch0st.exe"),
             u"Different String Value"},
        };
        for (const Planted& p : planted) {
            originals.push_back(registry.QueryValue(p.hive, p.key, p.name));
            keyExisted.push_back(registry.OpenKey(p.hive, p.key, platform::KeyAccess::Read) ==
                                 platform::OsError::None);
            registry.CreateKey(p.hive, p.key);
            ASSERT_EQ(registry.SetValue(p.hive, p.key, p.name, p.value), platform::OsError::None);
        }
        backupPath =
            system.TempPath() + u"VestraUndo" + ToText(system.CurrentProcessId()) + u".reg";
        files.Delete(backupPath);
    }
    void TearDown() override {
        for (std::size_t i = 0; i < planted.size(); ++i) {
            const Planted& p = planted[i];
            if (originals[i])
                registry.SetValue(p.hive, p.key, p.name, *originals[i]);
            else
                registry.DeleteValue(p.hive, p.key, p.name);
            if (!keyExisted[i])
                access.RegRemoveTree(p.hive, p.key);
        }
        files.Delete(backupPath);
    }

    std::vector<Planted> planted;
    std::vector<platform::Result<platform::RegValue>> originals;
    std::vector<bool> keyExisted;
    std::u16string backupPath;
};

TEST_F(RegRepairWineTest, PlantedChangesAreFoundRepairedAndUndoneByImport) {
    // The policy keys are checked on systems before Vista only; the lists run as on one.
    RecordingSink sink;
    RegChecker(access, sink, RealSetup()).RunRules(DefaultRules());
    RegChecker(access, sink, RealSetup(true)).RunRules(DeepRules());

    RegBackup backup(registry, files, backupPath);
    RegRepair repair(access, backup, {});
    for (const Planted& p : planted) {
        SCOPED_TRACE(ToUtf8(p.name));
        std::u16string path = RegPathText(p.hive, p.key, p.name, false);
        const RegFinding* found = nullptr;
        for (const RegFinding& f : sink.findings) {
            if (EqualsNoCase(f.path, path))
                found = &f;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->text, p.finding);
        RepairOutcome outcome = repair.Carry(found->descriptor);
        EXPECT_EQ(outcome.result, RepairResult::Fixed) << ToUtf8(outcome.status);
    }
    EXPECT_FALSE(registry.QueryValue(planted[0].hive, planted[0].key, planted[0].name).ok());
    EXPECT_FALSE(registry.QueryValue(planted[1].hive, planted[1].key, planted[1].name).ok());
    EXPECT_EQ(access.RegReadString(planted[2].hive, planted[2].key, u"Shell"), u"Explorer.exe");

    // Importing the undo file puts every planted value back: its type, and its bytes (a text
    // comes back with its closing zero, as the editor writes texts).
    std::wstring file(backupPath.begin(), backupPath.end());
    std::wstring quoted = L"\"" + file + L"\"";
    std::u16string editor = system.WindowsDirectory() + u"\\regedit.exe";
    std::wstring program(editor.begin(), editor.end());
    intptr_t code =
        _wspawnl(_P_WAIT, program.c_str(), L"regedit.exe", L"/s", quoted.c_str(), nullptr);
    ASSERT_EQ(code, 0);
    for (const Planted& p : planted) {
        SCOPED_TRACE(ToUtf8(p.name));
        auto now = registry.QueryValue(p.hive, p.key, p.name);
        ASSERT_TRUE(now.ok());
        EXPECT_EQ(now->type, p.value.type);
        std::vector<std::uint8_t> expected = p.value.data;
        if (p.value.type == platform::regtype::kSz)
            expected.insert(expected.end(), {0, 0});
        EXPECT_EQ(now->data, expected);
    }
}

}  // namespace
}  // namespace vestra::registry::test
