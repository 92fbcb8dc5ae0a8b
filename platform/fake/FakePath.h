// Splits the full Windows paths that the fakes accept ("C:\dir\file", "/" allowed, repeated
// separators collapsed) into a drive letter and components.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::platform::fake {

struct FakePath {
    char16_t drive = 0;  // upper case
    std::vector<std::u16string> parts;
    bool trailingSeparator = false;  // "C:\dir\" as opposed to "C:\dir"
};

// nullopt for anything but a drive-rooted path (relative paths, UNC names, empty text).
std::optional<FakePath> ParseFakePath(std::u16string_view path);

// The key under which a name is stored: names compare without regard to case, and NTFS lists a
// folder in the order of its upper-cased names.
std::u16string NameKey(std::u16string_view name);

// Whether a name could be a DOS 8.3 name: at most 8 characters, optionally a dot and at most 3
// more, none of "*+,/:;<=>?[\]| or control characters (spaces are allowed).
bool IsLegalShortName(std::u16string_view name);

// Windows wildcard match of a name against a pattern of '*' and '?', without regard to case.
bool MatchesPattern(std::u16string_view name, std::u16string_view pattern);

}  // namespace vestra::platform::fake
