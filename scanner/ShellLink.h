// Reads what a shell link (.lnk) points at from its bytes alone: the header, the target's item
// list, the link information's local path and the string data. No shell object is involved, so
// shortcuts are judged the same way natively, under Wine and on Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vestra {

struct ShellLink {
    std::u16string idListPath;     // drive and file-system items of the target's item list
    std::u16string localBasePath;  // link information: local base path + common path suffix
    std::u16string name;           // description
    std::u16string relativePath;   // relative to the link's own folder
    std::u16string workingDir;
    std::u16string arguments;
    std::u16string iconLocation;
};

// nullopt when the bytes do not start with a shell link header. A link cut short keeps what was
// read before the cut.
std::optional<ShellLink> ParseShellLink(std::span<const std::uint8_t> bytes);

// The places in a link that can name a program to run, "|"-joined, each a full path where the
// link gives one: the local path, the item-list path, the relative path resolved against
// `linkFolder` (with its trailing backslash), the working folder and the arguments.
std::u16string LinkTargetText(const ShellLink& link, std::u16string_view linkFolder);

}  // namespace vestra
