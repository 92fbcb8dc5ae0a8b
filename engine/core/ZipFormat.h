// The records of a ZIP archive that a scan needs: the end of the central directory (with its
// ZIP64 form), the central directory's entries one at a time, and where a member's data starts
// behind its local header. Every offset and length read is checked against the archive's bounds;
// a record that does not fit is damage, never a read outside the source.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/core/ByteSource.h"

namespace vestra::engine::zip {

inline constexpr std::uint16_t kStored = 0;
inline constexpr std::uint16_t kDeflated = 8;
inline constexpr std::uint16_t kFlagEncrypted = 1u << 0;
inline constexpr std::uint16_t kFlagUtf8 = 1u << 11;

// The first bytes of an archive: a local header, or the end record of an empty archive.
bool LooksLikeZip(std::span<const std::uint8_t> head);

struct Directory {
    std::uint64_t entries = 0;
    std::uint64_t offset = 0;  // of the first central entry
    std::uint64_t size = 0;    // of all central entries
};
// Nothing when no end record is found or it points outside the archive.
std::optional<Directory> FindDirectory(ByteSource& archive);

struct Entry {
    std::string name;  // as stored: UTF-8 when the flag says so, else the DOS code page
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localOffset = 0;
};

// Reads the central directory's entries in order.
class EntryReader {
public:
    EntryReader(ByteSource& archive, const Directory& directory)
        : archive_(archive), at_(directory.offset), end_(directory.offset + directory.size) {}
    enum class Step { Entry, End, Damaged };
    Step Next(Entry& entry);

private:
    ByteSource& archive_;
    std::uint64_t at_, end_;
};

// Where the entry's data starts; nothing when its local header is missing or the data would
// run past `limit` (the start of the central directory).
std::optional<std::uint64_t> DataOffset(ByteSource& archive, const Entry& entry,
                                        std::uint64_t limit);

}  // namespace vestra::engine::zip
