// The registry rule engine: expands rows, evaluates each value or key against what a sound
// system holds, and reports findings with their repair descriptors, once per run.
#include "registry/RegChecks.h"

#include <array>

#include "platform/Text.h"
#include "registry/CommandPath.h"
#include "common/TextLists.h"

namespace vestra::registry {
namespace {

using platform::regtype::kDword;
using platform::regtype::kExpandSz;
using platform::regtype::kSz;

constexpr std::u16string_view kEachControlSet = u"@ControlSets";
constexpr std::u16string_view kDebuggerName = u"debugger";
constexpr int kMaxWalkDepth = 32;

bool IsStringType(std::uint32_t type) {
    return type == kSz || type == kExpandSz;
}

bool IsStringCheck(RuleCheck check) {
    return check == RuleCheck::ForbiddenString || check == RuleCheck::EqualString ||
           check == RuleCheck::Program;
}

std::vector<std::u16string> SplitKeepingEmpty(std::u16string_view list) {
    std::vector<std::u16string> items;
    if (list.empty())
        return items;
    for (;;) {
        std::size_t bar = list.find(u'|');
        items.emplace_back(list.substr(0, bar));
        if (bar == std::u16string_view::npos)
            return items;
        list.remove_prefix(bar + 1);
    }
}

// Value names that policy keys hold on sound systems too.
bool PolicyValueAllowed(std::u16string_view name) {
    static constexpr std::array<std::u16string_view, 6> kAllowed = {
        u"dontdisplaylastusername", u"shutdownwithoutlogon", u"undockwithoutlogon",
        u"nodrivetypeautorun",      u"legalnoticecaption",   u"legalnoticetext"};
    std::u16string lower = LowerCase(name);
    for (std::u16string_view allowed : kAllowed) {
        if (lower == allowed)
            return true;
    }
    return false;
}

bool SameIdentity(const RegRule& a, const RegRule& b) {
    return a.hive == b.hive && EqualsNoCase(a.key, b.key) && EqualsNoCase(a.name, b.name);
}

std::u16string LastComponent(std::u16string_view key) {
    std::size_t slash = key.rfind(u'\\');
    return std::u16string(slash == std::u16string_view::npos ? key : key.substr(slash + 1));
}

}  // namespace

std::u16string HiveNumber(Hive hive) {
    return ToText(static_cast<std::int32_t>(static_cast<std::uint32_t>(hive)));
}

std::optional<Hive> HiveFromNumber(std::u16string_view text) {
    auto number = ParseInteger(text);
    if (!number)
        return std::nullopt;
    auto value = static_cast<std::uint32_t>(static_cast<std::int32_t>(*number));
    if (value < 0x80000000u || value > 0x80000006u)
        return std::nullopt;
    return static_cast<Hive>(value);
}

std::u16string RepairDescriptor(const ConcreteRule& rule, bool lostKey) {
    const std::u16string hive = HiveNumber(rule.hive);
    const std::u16string lost = lostKey ? u"1" : u"0";
    if (rule.check == RuleCheck::ForbiddenKey)
        return u"DelKey|" + hive + u"|" + rule.key;
    switch (rule.repair) {
        case RuleRepair::Delete:
            return u"DelValue|" + hive + u"|" + rule.key + u"|" + rule.name + u"|" + lost;
        case RuleRepair::Rewrite:
            if (rule.check == RuleCheck::EqualDword || rule.check == RuleCheck::ForbiddenDword) {
                return u"ReDWORD|" + hive + u"|" + rule.key + u"|" + rule.name + u"|" +
                       rule.expected + u"|" + lost;
            }
            return u"ReString|" + hive + u"|" + rule.key + u"|" + rule.name + u"|" + rule.expected +
                   u"|" + ((rule.flags & rule_flag::kExpand) ? u"2" : u"1") + u"|" + lost;
        default:
            return {};
    }
}

RegChecker::RegChecker(RegistryAccess& registry, RegFindingSink& sink, CheckerSetup setup)
    : registry_(registry), sink_(sink), setup_(std::move(setup)) {}

std::vector<ConcreteRule> RegChecker::Expand(const RegRule& rule) {
    std::array<std::vector<std::u16string>, 3> lists;
    for (std::size_t i = 0; i < lists.size(); ++i)
        lists[i] = SplitKeepingEmpty(rule.loops[i]);
    if (rule.loops[0] == kEachControlSet) {
        lists[0].clear();
        for (std::uint32_t index = 0;; ++index) {
            auto sub = registry_.registry().EnumKey(Hive::LocalMachine, u"SYSTEM", index);
            if (!sub)
                break;
            if (StartsWithNoCase(*sub, u"ControlSet") && sub->size() > 10)
                lists[0].push_back(*sub);
        }
    }
    const bool looped = !rule.loops[0].empty();
    const std::size_t count = looped ? lists[0].size() : 1;
    const std::u16string_view expected = rule.expected.split && setup_.conditions.preVista
                                             ? rule.expected.preVista
                                             : rule.expected.text;
    std::vector<ConcreteRule> out;
    for (std::size_t i = 0; i < count; ++i) {
        std::array<std::u16string, 3> entries;
        bool complete = true;
        for (std::size_t j = 0; j < lists.size(); ++j) {
            if (rule.loops[j].empty())
                continue;
            entries[j] = i < lists[j].size() ? lists[j][i] : std::u16string();
            complete = complete && !entries[j].empty();
        }
        if (!complete)
            continue;
        ConcreteRule concrete{rule.check,  rule.hive, FillText(rule.key, entries), {}, {},
                              rule.repair, rule.flags};
        while (!concrete.key.empty() && concrete.key.back() == u'\\')
            concrete.key.pop_back();
        concrete.name = rule.name == kDefaultValueText ? u"" : FillText(rule.name, entries);
        concrete.expected = FillText(expected, entries);
        out.push_back(std::move(concrete));
    }
    return out;
}

void RegChecker::RunRules(std::span<const RegRule> rules) {
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (sink_.StopRequested())
            return;
        const RegRule& rule = rules[i];
        bool hasPrimary = false;
        if (rule.flags & rule_flag::kAlternative) {
            for (std::size_t j = 0; j < i && !hasPrimary; ++j) {
                hasPrimary =
                    !(rules[j].flags & rule_flag::kAlternative) && SameIdentity(rules[j], rule);
            }
        }
        if (hasPrimary)
            continue;  // checked together with the row it is an alternative of
        std::vector<const RegRule*> group;
        if (RuleApplies(rule.os, setup_.conditions))
            group.push_back(&rule);
        for (std::size_t j = i + 1; j < rules.size(); ++j) {
            if ((rules[j].flags & rule_flag::kAlternative) && SameIdentity(rules[j], rule) &&
                RuleApplies(rules[j].os, setup_.conditions)) {
                group.push_back(&rules[j]);
            }
        }
        if (group.empty())
            continue;
        std::vector<ConcreteRule> primaries = Expand(*group.front());
        for (std::size_t e = 0; e < primaries.size(); ++e) {
            std::vector<ConcreteRule> alternatives;
            for (std::size_t g = 1; g < group.size(); ++g) {
                auto expanded = Expand(*group[g]);
                if (e < expanded.size())
                    alternatives.push_back(std::move(expanded[e]));
            }
            Check(primaries[e], alternatives);
            sink_.Pump();
        }
    }
}

void RegChecker::Check(const ConcreteRule& rule, std::span<const ConcreteRule> alternatives) {
    switch (rule.check) {
        case RuleCheck::ForbiddenKey: {
            std::u16string path = RegPathText(rule.hive, rule.key, u"", true);
            if (sink_.IsException(path) || !registry_.RegKeyExists(rule.hive, rule.key))
                return;
            Report(rule, Verdict{std::u16string(kForbiddenKey)});
            return;
        }
        case RuleCheck::ProgramTree:
        case RuleCheck::DebuggerKeys:
            CheckKeyTree(rule, rule.key, 0);
            return;
        case RuleCheck::ForbiddenValues:
            if (registry_.RegKeyExists(rule.hive, rule.key))
                CheckKeyValues(rule, rule.key);
            return;
        default:
            break;
    }
    if (sink_.IsException(RegPathText(rule.hive, rule.key, rule.name, false)))
        return;
    sink_.ValueScanned();
    auto verdict = Evaluate(rule);
    if (!verdict)
        return;
    for (const ConcreteRule& alternative : alternatives) {
        if (!Evaluate(alternative))
            return;  // an accepted form
    }
    Report(rule, *verdict);
}

std::optional<RegChecker::Verdict> RegChecker::Evaluate(const ConcreteRule& rule) {
    if (!registry_.RegKeyExists(rule.hive, rule.key)) {
        if (rule.flags & rule_flag::kKeyRequired)
            return Verdict{std::u16string(kLostKey), true};
        return std::nullopt;
    }
    return IsStringCheck(rule.check) ? EvaluateString(rule) : EvaluateDword(rule);
}

// A forbidden value is forbidden whatever its type, and a value that must hold a text is not
// sound when it holds something else, even if its bytes happen to spell that text.
std::optional<RegChecker::Verdict> RegChecker::EvaluateString(const ConcreteRule& rule) {
    auto raw = registry_.registry().QueryValue(rule.hive, rule.key, rule.name);
    if (!raw) {
        if (rule.check != RuleCheck::ForbiddenString && (rule.flags & rule_flag::kMissingFinding))
            return Verdict{std::u16string(kLostValue)};
        return std::nullopt;
    }
    if (rule.check == RuleCheck::ForbiddenString)
        return Verdict{std::u16string(kForbiddenString)};
    std::u16string value = registry_.RegReadString(rule.hive, rule.key, rule.name);
    if (rule.check == RuleCheck::EqualString) {
        // Values always read expanded, so the expected text is expanded too, whether or not
        // the rule rewrites it as an expandable text; otherwise every value stored as
        // REG_EXPAND_SZ would differ from its own unexpanded form.
        std::u16string expected = registry_.ExpandEnv(rule.expected);
        if (IsStringType(raw->type) && SameText(value, expected))
            return std::nullopt;
        return Verdict{std::u16string(kDifferentString)};
    }
    std::u16string program = registry_.ExpandEnv(SplitCommand(value).program);
    if (!program.empty()) {
        if (auto malware = sink_.CheckProgram(program))
            return Verdict{malware->name + u" " + malware->type + u" Value"};
    }
    if (LowerCase(value).find(u"//e:vbscript") != std::u16string::npos)
        return Verdict{std::u16string(kForbiddenScript)};
    return std::nullopt;
}

std::optional<RegChecker::Verdict> RegChecker::EvaluateDword(const ConcreteRule& rule) {
    auto raw = registry_.registry().QueryValue(rule.hive, rule.key, rule.name);
    if (!raw) {
        if (rule.check == RuleCheck::EqualDword && (rule.flags & rule_flag::kMissingFinding))
            return Verdict{std::u16string(kLostValue)};
        return std::nullopt;
    }
    if (rule.check == RuleCheck::ForbiddenDword)
        return Verdict{std::u16string(kForbiddenDword)};
    // Read from the raw data: a stored 0xFFFFFFFF is a number, not the missing sentinel, and a
    // value of another type is never the expected number.
    auto expected = ParseInteger(rule.expected);
    if (raw->type == kDword && raw->data.size() == 4 && expected) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | raw->data[static_cast<std::size_t>(i)];
        if (number == static_cast<std::uint32_t>(*expected))
            return std::nullopt;
    }
    return Verdict{std::u16string(kDifferentDword)};
}

// Equal after trimming and without regard to case; or naming the same program with the same
// arguments after it, so "Explorer.exe evil.exe" never passes for "Explorer.exe".
bool RegChecker::SameText(std::u16string_view value, std::u16string_view expected) const {
    if (SamePath(value, expected))
        return true;
    CommandParts a = SplitCommand(value);
    CommandParts b = SplitCommand(expected);
    if (a.program.empty() || b.program.empty() || !SamePath(a.rest, b.rest))
        return false;
    if (SamePath(a.program, b.program))
        return true;
    // A bare program name stands for the one in the Windows or the system folder.
    auto bareMatches = [this](const std::u16string& bare, const std::u16string& full) {
        if (bare.find(u'\\') != std::u16string::npos)
            return false;
        return SamePath(setup_.windowsFolder + bare, full) ||
               SamePath(setup_.systemFolder + bare, full);
    };
    return bareMatches(a.program, b.program) || bareMatches(b.program, a.program);
}

void RegChecker::Report(const ConcreteRule& rule, const Verdict& verdict) {
    if (rule.repair == RuleRepair::ReportOnly && rule.check != RuleCheck::ForbiddenKey)
        return;
    const bool keyFinding = rule.check == RuleCheck::ForbiddenKey;
    RegFinding finding;
    finding.hive = rule.hive;
    finding.key = rule.key;
    finding.name = keyFinding ? u"" : rule.name;
    finding.keyFinding = keyFinding;
    finding.path = RegPathText(rule.hive, rule.key, rule.name, keyFinding);
    std::u16string lower = LowerCase(finding.path);
    std::u16string& reported = sink_.ReportedPaths();
    if (InList(reported, lower))
        return;
    AppendToList(reported, lower);
    finding.text = verdict.text;
    finding.descriptor = RepairDescriptor(rule, verdict.lostKey);
    finding.icon =
        keyFinding ? FindingIcon::Key
        : (rule.check == RuleCheck::EqualDword || rule.check == RuleCheck::ForbiddenDword)
            ? FindingIcon::Dword
            : FindingIcon::String;
    sink_.Finding(finding);
}

void RegChecker::CheckKeyValues(const ConcreteRule& rule, std::u16string_view key) {
    for (std::uint32_t index = 0;; ++index) {
        if (sink_.StopRequested())
            return;
        auto entry = registry_.registry().EnumValue(rule.hive, key, index);
        if (!entry)
            return;
        CheckValueOfWalk(rule, key, *entry);
        sink_.Pump();
    }
}

void RegChecker::CheckValueOfWalk(const ConcreteRule& rule, std::u16string_view key,
                                  const platform::RegValueEntry& entry) {
    ConcreteRule value{RuleCheck::Program,
                       rule.hive,
                       std::u16string(key),
                       entry.name,
                       {},
                       rule.repair,
                       rule_flag::kKeyRequired | rule_flag::kMissingFinding};
    if (rule.check == RuleCheck::ForbiddenValues) {
        if (PolicyValueAllowed(entry.name))
            return;
        // Policies are honoured whatever type they are stored as, so every type is checked.
        value.check =
            IsStringType(entry.value.type) ? RuleCheck::ForbiddenString : RuleCheck::ForbiddenDword;
        value.repair = RuleRepair::Delete;
        Check(value);
        return;
    }
    if (!IsStringType(entry.value.type))
        return;
    if (!rule.name.empty() && !SamePath(rule.name, entry.name))
        return;
    value.expected = rule.expected;
    Check(value);
}

void RegChecker::CheckKeyTree(const ConcreteRule& rule, std::u16string_view key, int depth) {
    if (sink_.StopRequested() || depth > kMaxWalkDepth)
        return;
    sink_.Pump();
    if (rule.check == RuleCheck::DebuggerKeys) {
        if (LastComponent(key).find(u'.') != std::u16string::npos &&
            registry_.RegValueExists(rule.hive, key, kDebuggerName)) {
            Check(ConcreteRule{RuleCheck::ForbiddenKey,
                               rule.hive,
                               std::u16string(key),
                               {},
                               {},
                               RuleRepair::Delete,
                               0});
        }
    } else {
        CheckKeyValues(rule, key);
    }
    for (std::uint32_t index = 0;; ++index) {
        if (sink_.StopRequested())
            return;
        auto sub = registry_.registry().EnumKey(rule.hive, key, index);
        if (!sub)
            return;
        std::u16string child = key.empty() ? *sub : std::u16string(key) + u"\\" + *sub;
        CheckKeyTree(rule, child, depth + 1);
    }
}

}  // namespace vestra::registry
