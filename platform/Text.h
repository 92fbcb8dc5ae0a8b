// UTF-16 text helpers shared by every subsystem. The core keeps text as std::u16string;
// conversion to UTF-8 (tests, Linux) or ANSI (some Win32 calls) happens only at the edges.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vestra {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Simple (one-to-one) case mapping of the Basic Multilingual Plane, as Windows applies it when it
// compares file names and registry keys: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.
char16_t UpperChar(char16_t c);
char16_t LowerChar(char16_t c);
std::u16string UpperCase(std::u16string_view text);
std::u16string LowerCase(std::u16string_view text);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix);
bool EndsWithNoCase(std::u16string_view text, std::u16string_view suffix);

// Removes leading and trailing spaces (U+0020 only, like the classic Trim).
std::u16string Trim(std::u16string_view text);

// Decimal text of a signed number, and the inverse for texts made only of an optional sign and
// digits (surrounding spaces allowed). Anything else, or overflow, gives nullopt.
std::u16string ToText(std::int64_t number);
std::optional<std::int64_t> ParseInteger(std::u16string_view text);

// Upper-case hexadecimal without leading zeros ("0" for zero).
std::u16string ToHex(std::uint32_t number);

}  // namespace vestra
