// Category and action tables shared by the source parser, the database and the tools.
#include "engine/core/Signature.h"

#include <array>
#include <charconv>

namespace vestra::engine {
namespace {

constexpr std::array<std::string_view, kCategoryCount> kCategoryNames = {
    "Worm",       "Virus",          "Trojan",       "Script Virus", "Suspected Virus",
    "User Virus", "Injected Virus", "Fusion Virus", "Junk Virus"};
constexpr std::array<std::string_view, kActionCount> kActionCodes = {"DEL", "CAGE", "INJ", "CLN"};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares ignoring letter case and the blanks of the reference text.
bool SameWord(std::string_view text, std::string_view reference) {
    std::size_t i = 0;
    for (char r : reference) {
        if (r == ' ')
            continue;
        if (i == text.size() || Lower(text[i]) != Lower(r))
            return false;
        ++i;
    }
    return i == text.size();
}

std::optional<std::uint32_t> SmallNumber(std::string_view text) {
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

}  // namespace

bool ValidCategory(std::uint32_t category) {
    return category >= 1 && category <= kCategoryCount;
}
bool ValidAction(std::uint32_t action) {
    return action >= 1 && action <= kActionCount;
}

std::optional<std::uint8_t> ParseCategory(std::string_view text) {
    if (auto number = SmallNumber(text)) {
        if (ValidCategory(*number))
            return static_cast<std::uint8_t>(*number);
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kCategoryNames.size(); ++i) {
        if (SameWord(text, kCategoryNames[i]))
            return static_cast<std::uint8_t>(i + 1);
    }
    return std::nullopt;
}

std::optional<std::uint8_t> ParseAction(std::string_view text) {
    if (auto number = SmallNumber(text)) {
        if (ValidAction(*number))
            return static_cast<std::uint8_t>(*number);
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kActionCodes.size(); ++i) {
        if (SameWord(text, kActionCodes[i]))
            return static_cast<std::uint8_t>(i + 1);
    }
    return std::nullopt;
}

std::string_view CategoryName(std::uint8_t category) {
    return ValidCategory(category) ? kCategoryNames[category - 1] : std::string_view();
}

std::string_view ActionCode(std::uint8_t action) {
    return ValidAction(action) ? kActionCodes[action - 1] : std::string_view();
}

bool ValidSignatureName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    for (char c : name) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

}  // namespace vestra::engine
