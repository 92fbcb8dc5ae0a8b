// What every signature carries (name, category, action) and the detection code that callers of
// the library decode: action × 16 + category.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::engine {

// Category numbers 1..9: Worm, Virus, Trojan, Script Virus, Suspected Virus, User Virus,
// Injected Virus, Fusion Virus, Junk Virus.
inline constexpr std::uint8_t kCategoryWorm = 1;
inline constexpr std::uint8_t kCategoryVirus = 2;
inline constexpr std::uint8_t kCategorySuspected = 5;
inline constexpr std::uint8_t kCategoryUser = 6;
inline constexpr std::uint8_t kCategoryCount = 9;

// Action numbers 1..4: DEL, CAGE, INJ, CLN.
inline constexpr std::uint8_t kActionDelete = 1;
inline constexpr std::uint8_t kActionCage = 2;
inline constexpr std::uint8_t kActionCount = 4;

// Names travel in a 128-byte buffer with a terminating NUL.
inline constexpr std::size_t kMaxNameLength = 127;

struct Detection {
    std::string name;
    std::uint8_t category = kCategoryVirus;
    std::uint8_t action = kActionDelete;

    std::int32_t Code() const { return action * 16 + category; }
};

bool ValidCategory(std::uint32_t category);
bool ValidAction(std::uint32_t action);

// Accepts the number or the name without blanks ("ScriptVirus"), any letter case.
std::optional<std::uint8_t> ParseCategory(std::string_view text);
// Accepts the number or the code (DEL, CAGE, INJ, CLN), any letter case.
std::optional<std::uint8_t> ParseAction(std::string_view text);

std::string_view CategoryName(std::uint8_t category);  // "Script Virus"; empty when unknown
std::string_view ActionCode(std::uint8_t action);      // "CAGE"; empty when unknown

// A name may be stored when it is 1..127 printable ASCII characters.
bool ValidSignatureName(std::string_view name);

}  // namespace vestra::engine
