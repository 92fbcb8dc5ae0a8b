// The small file routines that cleaning, quarantine, the scan log and the windows share: delete,
// unique names, whole-file reads and writes, folder chains, Explorer, version strings and sizes.
// They reach the disk only through the platform seam, so every subsystem above it may use them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/VersionInfo.h"
#include "platform/WindowSystem.h"

namespace vestra {

// Normal attributes, then the folder or file removed. False when the path does not exist or the
// removal failed; a file that stays keeps the attributes it had.
bool DeletePath(platform::FileSystem& files, std::u16string_view path);

// Whether the path is gone for certain: a failed attribute read alone may be a passing refusal,
// so only an open that reports the file or its folder missing confirms it. A file held open
// without sharing (by anyone, the caller included) still counts as there.
bool PathVanished(platform::FileSystem& files, std::u16string_view path);

// The path with " (n)" before the extension's dot (at the end without an extension); n 1 is the
// path itself.
std::u16string NumberedName(std::u16string_view path, int n);
// The first of path, "name (2).ext", "name (3).ext", ... that does not exist. Only a guess
// between processes: WriteUniqueFile takes a name for certain.
std::u16string UniqueFileName(platform::FileSystem& files, std::u16string_view path);

// The whole file (or its first `limit` bytes when limit >= 1), opened for reading with read
// sharing. Empty on any failure, and when fewer bytes arrive than the file holds.
std::vector<std::uint8_t> ReadFileBytes(platform::FileSystem& files, std::u16string_view path,
                                        std::size_t limit = 0);

// Replaces the file: an existing one is deleted first (no write when that fails), then the bytes
// go to a new file. True only when all of them are on disk.
bool WriteFileBytes(platform::FileSystem& files, std::u16string_view path,
                    std::span<const std::uint8_t> bytes);
bool WriteFileBytes(platform::FileSystem& files, std::u16string_view path, std::string_view bytes);

// Creates the file new (never over an existing one), writes every byte and checks the size on
// disk. On a failure after the file was created the partial file is removed again.
platform::OsError WriteNewFile(platform::FileSystem& files, std::u16string_view path,
                               std::span<const std::uint8_t> bytes);
// WriteNewFile at the first free numbered name of `path`, taken by the exclusive create itself,
// so two writers never share a name. The name used, or empty on failure.
std::u16string WriteUniqueFile(platform::FileSystem& files, std::u16string_view path,
                               std::span<const std::uint8_t> bytes);

bool MakeFolder(platform::FileSystem& files, std::u16string_view path);
// Creates each missing folder of the chain from the fourth character on; the last component only
// when the path ends in a backslash.
void MakePath(platform::FileSystem& files, std::u16string_view path);

struct ExploreSeams {
    platform::FileSystem& files;
    platform::Shell& shell;
    platform::WindowSystem& windows;
};
// Shows the nearest existing part of the path in Explorer: a file selected in its folder, or
// the folder itself. False, after telling the user, when nothing of the path exists.
bool ExplorePath(const ExploreSeams& seams, std::u16string_view path);

inline constexpr std::array<std::u16string_view, 12> kVersionStringNames = {
    u"CompanyName",    u"FileDescription",  u"FileVersion", u"InternalName",
    u"LegalCopyright", u"OriginalFileName", u"ProductName", u"ProductVersion",
    u"Comments",       u"LegalTrademarks",  u"PublicBuild", u"SpecialBuild"};
// The twelve strings in the order of kVersionStringNames, empty where absent.
std::array<std::u16string, 12> GetVersionStrings(platform::VersionInfo& versions,
                                                 std::u16string_view path);

// Size units of FileSizeText.
inline constexpr int kUnitByte = 1, kUnitKB = 2, kUnitMB = 3, kUnitGB = 4;
// The size (low 32 bits) in the unit, rounded half to even, with " KB" etc. when asked; "N/A"
// when the file cannot be opened for shared reading.
std::u16string FileSizeText(platform::FileSystem& files, std::u16string_view path, int unit,
                            bool showUnit);

// The text padded with blanks to `width`: half the shortfall (rounded down) on the left, the
// rest on the right. Longer texts stay as they are.
std::u16string CenterText(std::u16string_view text, std::size_t width);

}  // namespace vestra
