// The registry rule lists against the fake registry: every row of both lists, on a machine
// built sound from the lists, is broken in each way its check knows and must then give exactly
// its own finding, text and repair descriptor; plus the key walks, exceptions, repeats and stop.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/registry/RegRuleFixture.h"

namespace vestra::registry::test {
namespace {

using platform::Hive;
using platform::regtype::kBinary;
using platform::regtype::kSz;

constexpr Hive kHkcu = Hive::CurrentUser;
constexpr Hive kHklm = Hive::LocalMachine;
constexpr Hive kHkcr = Hive::ClassesRoot;

// The one finding a broken row must give, or none.
struct Breakage {
    std::u16string_view how;
    std::optional<platform::RegValue> value;  // nullopt: delete the value
    std::u16string_view text;                 // empty: no finding
};

class RegRulesTest : public RegRuleFixture, public ::testing::WithParamInterface<bool> {
protected:
    void ExpectOnly(const std::vector<RegFinding>& findings, const ConcreteRule& rule,
                    std::u16string_view text, bool lostKey) {
        std::u16string path =
            RegPathText(rule.hive, rule.key, rule.name, rule.check == RuleCheck::ForbiddenKey);
        const RegFinding* mine = nullptr;
        for (const RegFinding& f : findings) {
            if (EqualsNoCase(f.path, path))
                mine = &f;
            else if (!lostKey)
                ADD_FAILURE() << "another finding: " << Describe(f);
        }
        if (text.empty()) {
            EXPECT_EQ(mine, nullptr) << Describe(*mine);
            return;
        }
        ASSERT_NE(mine, nullptr) << "no finding at " << ToUtf8(path);
        EXPECT_EQ(mine->text, text);
        EXPECT_EQ(mine->descriptor, RepairDescriptor(rule, lostKey));
    }

    std::vector<Breakage> BreakagesOf(const ConcreteRule& r) {
        const bool missing = r.flags & rule_flag::kMissingFinding;
        switch (r.check) {
            case RuleCheck::EqualString:
                return {{u"other text", platform::TextValue(u"C:\\evil.exe"), kDifferentString},
                        {u"a number", platform::DwordValue(0), kDifferentString},
                        {u"deleted", std::nullopt, missing ? kLostValue : u""}};
            case RuleCheck::EqualDword:
                return {{u"other number", platform::DwordValue(12345), kDifferentDword},
                        {u"all bits", platform::DwordValue(0xFFFFFFFFu), kDifferentDword},
                        {u"as text", platform::TextValue(r.expected), kDifferentDword},
                        {u"deleted", std::nullopt, missing ? kLostValue : u""}};
            case RuleCheck::ForbiddenString:
                return {{u"text", platform::TextValue(u"x"), kForbiddenString},
                        {u"a number", platform::DwordValue(1), kForbiddenString}};
            case RuleCheck::ForbiddenDword:
                return {{u"a number", platform::DwordValue(1), kForbiddenDword},
                        {u"as text", platform::TextValue(u"1"), kForbiddenDword},
                        {u"as bytes", platform::RegValue{kBinary, {1, 0, 0, 0}}, kForbiddenDword}};
            case RuleCheck::Program:
                return {{u"malware", platform::TextValue(u"\"C:\\bad.exe\" /run"),
                         u"Trojan.Fake Trojan Value"},
                        {u"script switch", platform::TextValue(u"wscript.exe //E:VBScript x.txt"),
                         kForbiddenScript},
                        {u"clean", platform::TextValue(u"C:\\good.exe"), u""},
                        {u"deleted", std::nullopt, missing ? kLostValue : u""}};
            default:
                return {};
        }
    }
};

TEST_P(RegRulesTest, SoundMachineGivesNoFinding) {
    MakeSound(GetParam());
    RecordingSink sink;
    for (const RegFinding& f : RunLists(GetParam(), sink))
        ADD_FAILURE() << Describe(f);
    EXPECT_GT(sink.valuesScanned, 400);
}

TEST_P(RegRulesTest, EveryValueRowFindsItsOwnBreakage) {
    const bool xp = GetParam();
    MakeSound(xp);
    int checked = 0;
    for (const auto& row : ConcreteRows(xp)) {
        const ConcreteRule& r = row.rule;
        for (const Breakage& b : BreakagesOf(r)) {
            SCOPED_TRACE(
                ToUtf8(RegPathText(r.hive, r.key, r.name, false) + u" " + std::u16string(b.how)));
            auto before = registry.QueryValue(r.hive, r.key, r.name);
            registry.CreateKey(r.hive, r.key);
            if (b.value)
                registry.SetValue(r.hive, r.key, r.name, *b.value);
            else
                registry.DeleteValue(r.hive, r.key, r.name);
            RecordingSink sink;
            sink.malware.insert(u"c:\\bad.exe");
            ExpectOnly(CheckRow(xp, row, sink), r, b.text, false);
            if (before)
                registry.SetValue(r.hive, r.key, r.name, *before);
            else
                registry.DeleteValue(r.hive, r.key, r.name);
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST_P(RegRulesTest, AlternativeFormsAreAccepted) {
    const bool xp = GetParam();
    MakeSound(xp);
    int checked = 0;
    for (const auto& row : ConcreteRows(xp)) {
        const ConcreteRule& r = row.rule;
        for (const ConcreteRule& alternative : row.alternatives) {
            SCOPED_TRACE(ToUtf8(RegPathText(r.hive, r.key, r.name, false)));
            auto before = registry.QueryValue(r.hive, r.key, r.name);
            if (alternative.check == RuleCheck::EqualString)
                registry.SetValue(r.hive, r.key, r.name, platform::TextValue(alternative.expected));
            else
                registry.DeleteValue(r.hive, r.key, r.name);
            RecordingSink sink;
            EXPECT_TRUE(CheckRow(xp, row, sink).empty());
            if (before)
                registry.SetValue(r.hive, r.key, r.name, *before);
            ++checked;
        }
    }
    EXPECT_GE(checked, xp ? 10 : 5);
}

TEST_P(RegRulesTest, KeyRowsFindForbiddenAndLostKeys) {
    const bool xp = GetParam();
    MakeSound(xp);
    int forbidden = 0, lost = 0;
    for (const auto& row : ConcreteRows(xp)) {
        const ConcreteRule& r = row.rule;
        SCOPED_TRACE(ToUtf8(r.key));
        if (r.check == RuleCheck::ForbiddenKey) {
            registry.CreateKey(r.hive, r.key + u"\\Sub");
            RecordingSink sink;
            ExpectOnly(CheckRow(xp, row, sink), r, kForbiddenKey, false);
            access.RegRemoveTree(r.hive, r.key);
            ++forbidden;
        } else if (r.check != RuleCheck::ProgramTree && r.check != RuleCheck::ForbiddenValues &&
                   registry.KeyExists(r.hive, r.key)) {
            ASSERT_EQ(access.RegRemoveTree(r.hive, r.key), kDone);
            RecordingSink sink;
            const bool required = r.flags & rule_flag::kKeyRequired;
            ExpectOnly(CheckRow(xp, row, sink), r, required ? kLostKey : u"", true);
            MakeSound(xp);
            lost += required;
        }
    }
    EXPECT_EQ(forbidden, xp ? 20 : 10);  // every key row of both lists
    EXPECT_GT(lost, 300);
}

INSTANTIATE_TEST_SUITE_P(Systems, RegRulesTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PreVista" : "Vista7On"; });

// Value walks, exceptions, repeats, stop.
class RegWalkTest : public RegRuleFixture {
protected:
    void SetText(Hive hive, std::u16string_view key, std::u16string_view name,
                 std::u16string_view text) {
        registry.CreateKey(hive, key);
        registry.SetValue(hive, key, name, platform::TextValue(text));
    }
};

TEST_F(RegWalkTest, ProgramTreesCheckEveryStringValueAndReportOnlyWhereAsked) {
    MakeSound(false);
    SetText(kHklm, u"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe\\deep", u"",
            u"C:\\bad.exe");
    SetText(kHkcr, u"exefile\\shell\\open\\command\\more", u"Path", u"C:\\bad.exe");
    registry.SetValue(kHkcr, u"exefile\\shell\\open\\command\\more", u"Number",
                      platform::DwordValue(7));
    RecordingSink sink;
    sink.malware.insert(u"c:\\bad.exe");
    auto findings = RunLists(false, sink);
    // Report-only walks: the programs are checked (the file check lists them), no row is added.
    EXPECT_TRUE(findings.empty()) << Describe(findings.front());
    EXPECT_EQ(std::count(sink.programs.begin(), sink.programs.end(), u"C:\\bad.exe"), 2);
}

TEST_F(RegWalkTest, RunKeysAndTheirSubkeysFindMalwareWithADeleteRepair) {
    struct Case {
        Hive hive;
        std::u16string_view key;
    };
    const Case cases[] = {
        {kHkcu, u"Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {kHkcu, u"Software\\Microsoft\\Windows\\CurrentVersion\\Run-"},
        {kHklm, u"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx\\0001"},
        {kHklm,
         u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution "
         u"Options\\notepad.exe"},
        {Hive::Users, u".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.key));
        SetText(c.hive, c.key, u"Updater", u"C:\\bad.exe -silent");
        RecordingSink sink;
        sink.malware.insert(u"c:\\bad.exe");
        RegChecker(access, sink, Setup(false)).RunRules(StartupRunKeyRules());
        ASSERT_EQ(sink.findings.size(), 1u);
        EXPECT_EQ(sink.findings[0].text, u"Trojan.Fake Trojan Value");
        EXPECT_EQ(sink.findings[0].descriptor,
                  u"DelValue|" + HiveNumber(c.hive) + u"|" + std::u16string(c.key) + u"|Updater|0");
        access.RegRemoveValue(c.hive, c.key, u"Updater");
    }
}

TEST_F(RegWalkTest, DebuggerKeysOnlyForProgramNames) {
    const std::u16string ifeo =
        u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options";
    SetText(kHklm, ifeo + u"\\taskmgr.exe", u"Debugger", u"C:\\nothing.exe");
    SetText(kHklm, ifeo + u"\\NoDotHere", u"Debugger", u"C:\\nothing.exe");
    SetText(kHklm, ifeo + u"\\regedit.exe", u"Other", u"1");
    RecordingSink sink;
    RunLists(false, sink);
    std::vector<std::u16string> keys;
    for (const RegFinding& f : sink.findings) {
        if (f.keyFinding)
            keys.push_back(f.descriptor);
    }
    EXPECT_EQ(keys, std::vector<std::u16string>{u"DelKey|-2147483646|" + ifeo + u"\\taskmgr.exe"});
}

TEST_F(RegWalkTest, PolicyValuesAreForbiddenWhateverTheirType) {
    const std::u16string system = u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
    const std::u16string explorer =
        u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    registry.CreateKey(kHkcu, system);
    registry.CreateKey(kHkcu, explorer);
    registry.SetValue(kHkcu, system, u"DisableTaskMgr", platform::DwordValue(1));
    registry.SetValue(kHkcu, system, u"DisableRegistryTools", platform::RegValue{kBinary, {1, 0}});
    registry.SetValue(kHkcu, explorer, u"NoFolderOptions", platform::TextValue(u"1"));
    registry.SetValue(kHkcu, explorer, u"NoDriveTypeAutoRun", platform::DwordValue(0x91));
    registry.SetValue(kHkcu, system, u"legalnoticetext", platform::TextValue(u"hello"));
    struct Seen {
        std::u16string text, descriptor;
        bool operator==(const Seen&) const = default;
    };
    RecordingSink sink;
    RegChecker(access, sink, Setup(true)).RunRules(DeepRules());
    std::vector<Seen> seen;
    for (const RegFinding& f : sink.findings) {
        if (f.key == system || f.key == explorer)
            seen.push_back({f.text, f.descriptor});
    }
    const std::vector<Seen> expected = {
        {u"Forbidden DWORD Value", u"DelValue|-2147483647|" + system + u"|DisableTaskMgr|0"},
        {u"Forbidden DWORD Value", u"DelValue|-2147483647|" + system + u"|DisableRegistryTools|0"},
        {u"Forbidden String Value", u"DelValue|-2147483647|" + explorer + u"|NoFolderOptions|0"},
    };
    EXPECT_EQ(seen, expected);
    // On later systems the policy keys are not part of the lists.
    RecordingSink later;
    RegChecker(access, later, Setup(false)).RunRules(DeepRules());
    for (const RegFinding& f : later.findings)
        EXPECT_NE(f.key, system) << Describe(f);
}

TEST_F(RegWalkTest, ExceptionsAreNeitherCheckedNorCounted) {
    MakeSound(false);
    const std::u16string winlogon = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    SetText(kHklm, winlogon, u"Shell", u"explorer.exe C:\\bad.exe");
    RecordingSink plain;
    RunLists(false, plain);
    RecordingSink excepted;
    excepted.exceptions.insert(LowerCase(RegPathText(kHklm, winlogon, u"Shell", false)));
    RunLists(false, excepted);
    EXPECT_EQ(plain.findings.size(), 1u);
    EXPECT_TRUE(excepted.findings.empty());
    EXPECT_EQ(excepted.valuesScanned, plain.valuesScanned - 1);
}

TEST_F(RegWalkTest, SameTextComparisonsAndTheProgramTheyName) {
    MakeSound(false);
    const std::u16string winlogon = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    struct Case {
        std::u16string_view name, stored;
        bool finding;
    };
    const Case cases[] = {
        {u"Shell", u"  EXPLORER.EXE  ", false},
        {u"Shell", u"C:\\Windows\\explorer.exe", false},
        {u"Shell", u"\"C:\\Windows\\Explorer.exe\"", false},
        {u"Shell", u"explorer.exe C:\\bad.exe", true},
        {u"Shell", u"C:\\Temp\\explorer.exe", true},
        {u"Userinit", u"c:\\windows\\system32\\USERINIT.EXE,", false},
        {u"Userinit", u"C:\\Windows\\system32\\userinit.exe,C:\\bad.exe", true},
        {u"Userinit", u"C:\\bad.exe,", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.stored));
        auto before = *registry.QueryValue(kHklm, winlogon, c.name);
        SetText(kHklm, winlogon, c.name, c.stored);
        EXPECT_EQ(RunLists(false).size(), c.finding ? 1u : 0u);
        registry.SetValue(kHklm, winlogon, c.name, before);
    }
}

TEST_F(RegWalkTest, NothingIsReportedTwiceInOneRun) {
    const std::u16string run = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    SetText(kHkcu, run, u"a", u"C:\\bad.exe");
    RecordingSink sink;
    sink.malware.insert(u"c:\\bad.exe");
    RegChecker checker(access, sink, Setup(false));
    checker.RunRules(DefaultRules());
    std::size_t once = sink.findings.size();
    checker.RunRules(DefaultRules());
    checker.RunRules(StartupRunKeyRules());
    checker.RunRules(StartupRunKeyRules());
    EXPECT_EQ(sink.findings.size(), once + 1);
    EXPECT_EQ(sink.findings.back().path, u"HKEY_CURRENT_USER\\" + run + u"\\a");
}

TEST_F(RegWalkTest, StopEndsALongWalkPromptly) {
    const std::u16string paths = u"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
    for (int i = 0; i < 200; ++i)
        SetText(kHklm, paths + u"\\p" + ToText(i) + u".exe", u"", u"C:\\p.exe");
    RecordingSink all;
    RegChecker(access, all, Setup(false)).RunRules(DefaultRules());
    ASSERT_EQ(all.programs.size(), 200u);
    RecordingSink stopped;
    stopped.stopAfterPumps = 20;
    RegChecker(access, stopped, Setup(false)).RunRules(DefaultRules());
    EXPECT_LT(stopped.programs.size(), 20u);
    EXPECT_LE(stopped.pumps, 21);
}

}  // namespace
}  // namespace vestra::registry::test
