// One registry rule as data: what is checked where, what a sound system holds there and how a
// finding is repaired. The tables of rules live in RegRuleTables.cpp; RegChecks runs them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/Registry.h"

namespace vestra::registry {

enum class RuleCheck : std::uint8_t {
    ForbiddenString,  // F: the value must not exist
    EqualString,      // E: the value must hold the expected text
    Program,          // I: the value names a program that must not be malware
    ForbiddenDword,   // FD
    EqualDword,       // ED
    ForbiddenKey,     // K: the key must not exist
    ProgramTree,      // I over every string value of the key and of every key below it
    ForbiddenValues,  // F over every value of the key (policy keys), without subkeys
    DebuggerKeys,     // K on every subkey below the key that names a program and holds "debugger"
};

enum class RuleRepair : std::uint8_t {
    Delete,      // d
    Rewrite,     // r
    ReportOnly,  // n: no registry row (a program check still reports the file)
};

namespace rule_flag {
inline constexpr std::uint8_t kKeyRequired = 1;     // k: a missing key is "Lost Key"
inline constexpr std::uint8_t kMissingFinding = 2;  // m: a missing value is "Lost Value"
inline constexpr std::uint8_t kExpand = 4;          // x: expand before comparing, REG_EXPAND_SZ
// a: another accepted form of the value an earlier row of the same list names; the value is
// sound when any row of the group that applies accepts it, and the first one repairs it.
inline constexpr std::uint8_t kAlternative = 8;
}  // namespace rule_flag

enum class RuleOs : std::uint8_t { Any, PreVista, Win7Plus, NotWin7 };

// An expected text, or one for systems before Vista and another for the rest.
struct Expect {
    std::u16string_view text;
    std::u16string_view preVista;
    bool split = false;

    constexpr Expect() = default;
    constexpr Expect(const char16_t* always) : text(always) {}  // NOLINT: reads like the list
    constexpr Expect(std::u16string_view xp, std::u16string_view other)
        : text(other), preVista(xp), split(true) {}
};

// Texts in keys, names and expected data may hold the key-path constants in braces
// ("{KeyExplorer}"), "{SysDir}", "{WinDir}" and "{ProgramFiles}" (with trailing backslash), and
// <1>, <2>, <3> for the entries of the row's loop lists, which run side by side. A loop list of
// "@ControlSets" runs over the numbered control sets that the machine has.
struct RegRule {
    RuleCheck check;
    platform::Hive hive;
    std::u16string_view key;
    std::u16string_view name;  // "(Default)" for the unnamed value
    Expect expected;
    RuleRepair repair = RuleRepair::ReportOnly;
    std::uint8_t flags = 0;
    RuleOs os = RuleOs::Any;
    std::array<std::u16string_view, 3> loops{};
};

struct RuleConditions {
    bool preVista = false;
    bool win7Plus = true;
};

bool RuleApplies(RuleOs os, const RuleConditions& conditions);

// The default registry area, the deep one after it, and the start-up run keys.
std::span<const RegRule> DefaultRules();
std::span<const RegRule> DeepRules();
std::span<const RegRule> StartupRunKeyRules();

}  // namespace vestra::registry
