// The sound machine the rule suites start from.
#include "tests/registry/RegRuleFixture.h"

namespace vestra::registry::test {
namespace {

bool SameValue(const ConcreteRule& a, const ConcreteRule& b) {
    return a.hive == b.hive && EqualsNoCase(a.key, b.key) && EqualsNoCase(a.name, b.name);
}

}  // namespace

std::vector<RegRuleFixture::Row> RegRuleFixture::ConcreteRows(bool preVista) {
    RecordingSink sink;
    RegChecker checker(access, sink, Setup(preVista));
    std::vector<Row> rows;
    for (auto list : {DefaultRules(), DeepRules()}) {
        for (const RegRule& rule : list) {
            if (!RuleApplies(rule.os, Setup(preVista).conditions))
                continue;
            for (ConcreteRule& concrete : checker.Expand(rule)) {
                Row* first = nullptr;
                for (Row& earlier : rows) {
                    if (!first && SameValue(earlier.rule, concrete))
                        first = &earlier;
                }
                if (first && (rule.flags & rule_flag::kAlternative))
                    first->alternatives.push_back(std::move(concrete));
                else
                    rows.push_back({std::move(concrete), {}});
            }
        }
    }
    return rows;
}

void RegRuleFixture::MakeSound(bool preVista) {
    registry.CreateKey(platform::Hive::LocalMachine, u"SYSTEM\\ControlSet001\\Control\\SafeBoot");
    for (const Row& row : ConcreteRows(preVista)) {
        const ConcreteRule& r = row.rule;
        switch (r.check) {
            case RuleCheck::EqualString:
                registry.CreateKey(r.hive, r.key);
                registry.SetValue(r.hive, r.key, r.name,
                                  platform::TextValue(r.expected, (r.flags & rule_flag::kExpand)
                                                                      ? platform::regtype::kExpandSz
                                                                      : platform::regtype::kSz));
                break;
            case RuleCheck::EqualDword:
                registry.CreateKey(r.hive, r.key);
                registry.SetValue(r.hive, r.key, r.name,
                                  platform::DwordValue(static_cast<std::uint32_t>(
                                      ParseInteger(r.expected).value_or(0))));
                break;
            case RuleCheck::Program:
                // A clean program where a missing one would be a finding.
                if (r.flags & rule_flag::kMissingFinding) {
                    registry.CreateKey(r.hive, r.key);
                    registry.SetValue(r.hive, r.key, r.name,
                                      platform::TextValue(u"C:\\Windows\\notepad.exe"));
                }
                [[fallthrough]];
            case RuleCheck::ForbiddenString:
            case RuleCheck::ForbiddenDword:
                if (r.flags & rule_flag::kKeyRequired)
                    registry.CreateKey(r.hive, r.key);
                break;
            default:
                break;
        }
    }
}

std::string Describe(const RegFinding& finding) {
    return ToUtf8(finding.path + u" : " + finding.text + u" : " + finding.descriptor);
}

}  // namespace vestra::registry::test
