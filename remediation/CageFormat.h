// The quarantine file format and the older store's index, as bytes: a ".vra" file is the magic
// "Vra!", three UTF-16LE texts each ended by a 16-bit zero (origin path, virus name, type), then
// the file's bytes scrambled by position. Pure functions; no disk access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::remediation {

inline constexpr std::uint8_t kCageMagic[4] = {'V', 'r', 'a', '!'};
// The key byte for bodies whose length is a multiple of 256, where the length gives none.
inline constexpr std::uint8_t kFallbackKey = 0x5D;

// N mod 256, or the fallback key for a multiple of 256.
std::uint8_t CageKey(std::size_t bodyLength);
// Byte i becomes byte i XOR (i mod 256) XOR key; the same call undoes it.
void ScrambleBody(std::span<std::uint8_t> body);

struct CageHeader {
    std::u16string originPath;
    std::u16string virusName;
    std::u16string virusType;
    std::size_t bodyOffset = 0;  // just past the third terminator
};

// Header and scrambled body of one quarantine file.
std::vector<std::uint8_t> BuildCageFile(std::u16string_view originPath,
                                        std::u16string_view virusName,
                                        std::u16string_view virusType,
                                        std::span<const std::uint8_t> content);

// The header of the bytes given (the whole file, or its start). `checkMagic` refuses a file
// that does not begin with "Vra!"; restore reads without that test. Nullopt when fewer than
// three terminators lie within the bytes.
std::optional<CageHeader> ParseCageHeader(std::span<const std::uint8_t> bytes, bool checkMagic);

// One record of "Cage.DaB".
struct OldCageEntry {
    std::u16string virusName;
    std::u16string virusType;
    std::u16string originPath;
    std::u16string storedName;  // the file's name inside the old folder
};

// The index's records ("||" between records, "|" between fields). Bytes with a zero byte are
// UTF-16LE, others ANSI, turned to text by `fromAnsi`. Records without the four fields, or whose
// stored name is empty or not a plain file name (a folder part, a drive, ".."), are left out.
std::vector<OldCageEntry> ParseOldCageIndex(
    std::span<const std::uint8_t> bytes,
    const std::function<std::u16string(std::string_view)>& fromAnsi);

}  // namespace vestra::remediation
