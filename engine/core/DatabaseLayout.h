// Byte layout of Vestra.loov, shared by its writer and its reader. All numbers little-endian.
//
//   header (96 bytes)
//     0  "VESTLOOV"        8  u32 version          12 u32 header size (96)
//     16 u64 file size     24 SHA-256 of bytes 56 .. end of file
//     56 u32 MD5 records   60 u32 SHA-256 records  64 u32 patterns      68 u32 reserved kind (0)
//     72 u32 code bytes    76 u32 string pool bytes 80..95 zero
//   MD5 records      32 bytes: u64 size, 16-byte digest, u32 name, u8 category, u8 action, 2 zero
//   SHA-256 records  48 bytes: u64 size, 32-byte digest, u32 name, u8 category, u8 action, 2 zero
//   pattern records  16 bytes: u32 name, u8 category, u8 action, 2 zero, u32 code offset, u32 size
//   pattern code     EncodePattern() of each pattern
//   string pool      NUL-terminated names; a name field is an offset into it
//
// Hash records are sorted by (size, digest) without duplicates, so lookups binary-search them
// where they lie and a file whose size is absent is never hashed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vestra::engine::layout {

inline constexpr char kMagic[8] = {'V', 'E', 'S', 'T', 'L', 'O', 'O', 'V'};
inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 96;
inline constexpr std::size_t kDigestedFrom = 56;

inline constexpr std::size_t kVersionAt = 8, kHeaderSizeAt = 12, kFileSizeAt = 16, kDigestAt = 24;
inline constexpr std::size_t kMd5CountAt = 56, kSha256CountAt = 60, kPatternCountAt = 64;
inline constexpr std::size_t kReservedCountAt = 68, kCodeSizeAt = 72, kPoolSizeAt = 76;

inline constexpr std::size_t kMd5RecordSize = 32, kSha256RecordSize = 48, kPatternRecordSize = 16;
// Within a hash record, after the size and the digest.
inline constexpr std::size_t kHashTailSize = 8;

inline std::uint64_t Get(const std::uint8_t* at, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value |= std::uint64_t{at[i]} << (8 * i);
    return value;
}

inline void Put(std::uint8_t* at, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace vestra::engine::layout
