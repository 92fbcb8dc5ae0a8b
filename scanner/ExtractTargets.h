// Finding the existing files that a text names: the programs behind shortcuts and task files
// (drive marker ":\") and the references after "=" in autorun files. Reads through the seam.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace vestra {

// The extensions a named file must end in to count ("ini" appears twice, as it always has).
inline constexpr std::u16string_view kTargetExtensions =
    u"exe|scr|vbs|com|bat|cmd|pif|lnk|vbe|dls|scx|db|mdb|vmx|tmp|ini|vra|inf|dll|ocx|ini";
inline constexpr std::u16string_view kDriveMarker = u":\\";
inline constexpr std::u16string_view kEqualsMarker = u"=";
// How much of a file is read as text.
inline constexpr std::size_t kTargetTextLimit = 512000;

// Up to `limit` bytes from the start of a file; empty when it cannot be read.
std::vector<std::uint8_t> ReadFileHead(platform::FileSystem& files, std::u16string_view path,
                                       std::size_t limit);

// The first kTargetTextLimit bytes of a file as text, one character a byte. When the bytes hold
// NULs (UTF-16 text such as a task file's program name), their UTF-16 reading follows after a
// "|", so that names stored either way are found. Empty when the file cannot be read.
std::u16string ReadTargetText(platform::FileSystem& files, std::u16string_view path);
// The same text from bytes already read.
std::u16string TargetTextOf(std::span<const std::uint8_t> bytes);

// Names come lower-cased out of the extraction; rows show them as the disk spells them.
std::u16string StoredSpelling(platform::FileSystem& files, std::u16string_view path);

class TargetExtractor {
public:
    // `systemRoot` is the system drive's root ("C:\"), which stands in for the climbs
    // "..\..\..\..\..\" that relative links use to reach it.
    TargetExtractor(platform::FileSystem& files, std::u16string systemRoot)
        : files_(files), systemRoot_(std::move(systemRoot)) {}

    // The "|"-joined existing files that the text names, each once, in lower case. The text is
    // `content`, or the file's own text when `content` is blank. With the ":\" marker a name
    // runs from the drive letter before the nearest ":\" to the end of its extension; with "="
    // it is a reference written after an "=" on its line, relative to the file's folder unless
    // it carries a drive. Any other marker gives the empty text.
    std::u16string ExtractTargets(std::u16string_view file, std::u16string_view marker,
                                  std::u16string_view content);

    // What a shortcut starts: a valid shell link is read as one (its target, arguments and
    // working folder); anything else with the extension, or a link whose data names nothing,
    // is searched as text, so that a damaged or crafted shortcut cannot hide its target.
    std::u16string ShortcutTargets(std::u16string_view path);

private:
    std::u16string DriveMarkerTargets(std::u16string text);
    std::u16string EqualsMarkerTargets(std::u16string_view file, std::u16string_view text);
    bool IsFile(std::u16string_view path);

    platform::FileSystem& files_;
    std::u16string systemRoot_;
};

}  // namespace vestra
