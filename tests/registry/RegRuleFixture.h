// A fake machine for the registry rule suites: fake registry and system, a sink that records
// findings and program checks, and a "sound" registry built from the rule tables themselves, so
// every row can be broken on its own and must then give exactly its own finding.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeSystem.h"
#include "registry/RegChecks.h"

namespace vestra::registry::test {

class RecordingSink : public RegFindingSink {
public:
    bool IsException(std::u16string_view path) override {
        return exceptions.count(LowerCase(path)) != 0;
    }
    std::u16string& ReportedPaths() override { return reported; }
    void ValueScanned() override { ++valuesScanned; }
    void Finding(const RegFinding& finding) override { findings.push_back(finding); }
    std::optional<ProgramVerdict> CheckProgram(std::u16string_view path) override {
        programs.emplace_back(path);
        if (malware.count(LowerCase(path)))
            return ProgramVerdict{u"Trojan.Fake", u"Trojan"};
        return std::nullopt;
    }
    bool StopRequested() override { return stopAfterPumps >= 0 && pumps >= stopAfterPumps; }
    void Pump() override { ++pumps; }

    std::set<std::u16string> exceptions;  // lower-cased display paths
    std::set<std::u16string> malware;     // lower-cased program paths
    std::u16string reported;
    std::vector<RegFinding> findings;
    std::vector<std::u16string> programs;
    int valuesScanned = 0;
    int pumps = 0;
    int stopAfterPumps = -1;
};

class RegRuleFixture : public ::testing::Test {
protected:
    CheckerSetup Setup(bool preVista) const {
        return {{preVista, !preVista},
                u"C:\\Windows\\system32\\",
                u"C:\\Windows\\",
                u"C:\\Program Files\\"};
    }
    // Runs the default and the deep list.
    std::vector<RegFinding> RunLists(bool preVista, RecordingSink& sink) {
        RegChecker checker(access, sink, Setup(preVista));
        checker.RunRules(DefaultRules());
        checker.RunRules(DeepRules());
        return sink.findings;
    }
    std::vector<RegFinding> RunLists(bool preVista) {
        RecordingSink sink;
        return RunLists(preVista, sink);
    }

    // Every row of both lists that applies, filled in. An alternative form is not a row of its
    // own but rides with the first row that names the same value.
    struct Row {
        ConcreteRule rule;
        std::vector<ConcreteRule> alternatives;
    };
    std::vector<Row> ConcreteRows(bool preVista);
    // One row on its own, as the list run checks it.
    std::vector<RegFinding> CheckRow(bool preVista, const Row& row, RecordingSink& sink) {
        RegChecker(access, sink, Setup(preVista)).Check(row.rule, row.alternatives);
        return sink.findings;
    }

    // Writes what every applicable row expects, creates the keys that must exist.
    void MakeSound(bool preVista);

    platform::fake::FakeRegistry registry;
    platform::fake::FakeSystem system;
    RegistryAccess access{registry, system};
};

std::string Describe(const RegFinding& finding);

}  // namespace vestra::registry::test
