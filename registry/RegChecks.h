// The one engine that runs every registry rule list: value, key and key-walk checks, each
// finding handed to a sink with its text and repair descriptor. Knows nothing of result lists;
// the scanner's phase adapter turns findings into rows. Depends on the registry layer only.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "registry/RegRule.h"
#include "registry/RegistryAccess.h"

namespace vestra::registry {

enum class FindingIcon : std::uint8_t { String, Dword, Key };

struct RegFinding {
    Hive hive = Hive::CurrentUser;
    std::u16string key;
    std::u16string name;        // the value name ("" for the unnamed value and for key findings)
    bool keyFinding = false;    // a forbidden key: the row names the key itself
    std::u16string path;        // RegPathText of the value, or of the key for key findings
    std::u16string text;        // "Lost Key", "Different String Value", ...
    std::u16string descriptor;  // "ReString|...", "DelValue|...", ...
    FindingIcon icon = FindingIcon::String;
};

struct ProgramVerdict {
    std::u16string name;
    std::u16string type;
};

// What the checks report to and ask of the scan run around them.
class RegFindingSink {
public:
    virtual ~RegFindingSink() = default;
    // Whether the registry exception list holds this display path.
    virtual bool IsException(std::u16string_view path) = 0;
    // The lower-cased display paths already reported in this run, "|"-joined; the checks
    // append to it, so nothing is reported twice.
    virtual std::u16string& ReportedPaths() = 0;
    virtual void ValueScanned() = 0;
    virtual void Finding(const RegFinding& finding) = 0;
    // The program a value names, checked as a file: a verdict when it is malware (the sink
    // lists the file itself, once per run).
    virtual std::optional<ProgramVerdict> CheckProgram(std::u16string_view path) = 0;
    virtual bool StopRequested() = 0;
    // Lets the window's events through during long walks.
    virtual void Pump() = 0;
};

struct CheckerSetup {
    RuleConditions conditions;
    // With a trailing backslash, as the rule texts expect.
    std::u16string systemFolder;
    std::u16string windowsFolder;
    std::u16string programFiles;
};

inline constexpr std::u16string_view kLostKey = u"Lost Key";
inline constexpr std::u16string_view kLostValue = u"Lost Value";
inline constexpr std::u16string_view kForbiddenString = u"Forbidden String Value";
inline constexpr std::u16string_view kDifferentString = u"Different String Value";
inline constexpr std::u16string_view kForbiddenDword = u"Forbidden DWORD Value";
inline constexpr std::u16string_view kDifferentDword = u"Different DWORD Value";
inline constexpr std::u16string_view kForbiddenKey = u"Forbidden Key";
inline constexpr std::u16string_view kForbiddenScript = u"Forbidden Value";

// A rule with its loop entries and text constants filled in.
struct ConcreteRule {
    RuleCheck check = RuleCheck::EqualString;
    Hive hive = Hive::CurrentUser;
    std::u16string key;
    std::u16string name;
    std::u16string expected;  // as written (unexpanded)
    RuleRepair repair = RuleRepair::ReportOnly;
    std::uint8_t flags = 0;
};

class RegChecker {
public:
    RegChecker(RegistryAccess& registry, RegFindingSink& sink, CheckerSetup setup);

    // Every row that applies to this system, in order; stops early when the run is stopped.
    void RunRules(std::span<const RegRule> rules);
    // One filled-in rule (with its accepted alternatives, which name the same value).
    void Check(const ConcreteRule& rule, std::span<const ConcreteRule> alternatives = {});

    // The rows of one table row, one per loop entry (an empty entry leaves that one out).
    std::vector<ConcreteRule> Expand(const RegRule& rule);

private:
    struct Verdict {
        std::u16string text;
        bool lostKey = false;
    };

    std::optional<Verdict> Evaluate(const ConcreteRule& rule);
    std::optional<Verdict> EvaluateString(const ConcreteRule& rule);
    std::optional<Verdict> EvaluateDword(const ConcreteRule& rule);
    bool SameText(std::u16string_view value, std::u16string_view expected) const;
    void Report(const ConcreteRule& rule, const Verdict& verdict);
    void CheckKeyValues(const ConcreteRule& rule, std::u16string_view key);
    void CheckKeyTree(const ConcreteRule& rule, std::u16string_view key, int depth);
    void CheckValueOfWalk(const ConcreteRule& rule, std::u16string_view key,
                          const platform::RegValueEntry& entry);
    std::u16string FillText(std::u16string_view text, std::span<const std::u16string> entries);

    RegistryAccess& registry_;
    RegFindingSink& sink_;
    CheckerSetup setup_;
};

// The descriptor a finding of this rule carries (empty for a report-only rule).
std::u16string RepairDescriptor(const ConcreteRule& rule, bool lostKey);
// The hive as the descriptors write it: its handle value as a signed decimal number.
std::u16string HiveNumber(Hive hive);
std::optional<Hive> HiveFromNumber(std::u16string_view text);

}  // namespace vestra::registry
