// Parsing of the ZIP records; little-endian fields read from checked buffers.
#include "engine/core/ZipFormat.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace vestra::engine::zip {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndRecord = 0x06054b50;
constexpr std::uint32_t kEnd64Record = 0x06064b50;
constexpr std::uint32_t kEnd64Locator = 0x07064b50;
constexpr std::size_t kLocalSize = 30, kCentralSize = 46, kEndSize = 22;
constexpr std::size_t kEnd64Size = 56, kLocatorSize = 20;
constexpr std::size_t kMaxComment = 0xFFFF;
constexpr std::uint16_t kZip64Extra = 0x0001;
constexpr std::uint32_t kMask32 = 0xFFFFFFFFu;

std::uint16_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{Get16(b, at)} | std::uint32_t{Get16(b, at + 2)} << 16;
}
std::uint64_t Get64(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint64_t{Get32(b, at)} | std::uint64_t{Get32(b, at + 4)} << 32;
}

// The last end record whose comment fits before the end of the archive.
std::optional<std::uint64_t> FindEndRecord(ByteSource& archive, std::vector<std::uint8_t>& tail) {
    const std::uint64_t size = archive.Size();
    if (size < kEndSize)
        return std::nullopt;
    const std::uint64_t start = size - std::min<std::uint64_t>(size, kEndSize + kMaxComment);
    tail.resize(static_cast<std::size_t>(size - start));
    if (!archive.ReadExact(start, tail))
        return std::nullopt;
    for (std::size_t i = tail.size() - kEndSize + 1; i-- > 0;) {
        if (Get32(tail, i) == kEndRecord && i + kEndSize + Get16(tail, i + 20) <= tail.size())
            return start + i;
    }
    return std::nullopt;
}

// Replaces the directory's fields from the ZIP64 end record that the locator before `endAt`
// names; false when a locator is there but what it points to is not a ZIP64 end record.
bool ReadZip64End(ByteSource& archive, std::uint64_t endAt, Directory& directory,
                  std::uint64_t& recordAt) {
    std::array<std::uint8_t, kLocatorSize> locator{};
    if (endAt < kLocatorSize || !archive.ReadExact(endAt - kLocatorSize, locator) ||
        Get32(locator, 0) != kEnd64Locator)
        return true;  // an ordinary archive
    const std::uint64_t at = Get64(locator, 8);
    std::array<std::uint8_t, kEnd64Size> record{};
    if (at > endAt - kLocatorSize || endAt - kLocatorSize - at < kEnd64Size ||
        !archive.ReadExact(at, record) || Get32(record, 0) != kEnd64Record)
        return false;
    directory.entries = Get64(record, 32);
    directory.size = Get64(record, 40);
    directory.offset = Get64(record, 48);
    recordAt = at;
    return true;
}

// The ZIP64 extra block holds, in this order, each of the 32-bit fields that are all ones. False
// when such a field has no value there; a damaged extra field that is not needed is ignored.
bool ApplyZip64Extra(std::span<const std::uint8_t> extra, std::uint32_t size32,
                     std::uint32_t compressed32, std::uint32_t offset32, Entry& entry) {
    const std::pair<std::uint32_t, std::uint64_t*> fields[] = {
        {size32, &entry.size},
        {compressed32, &entry.compressedSize},
        {offset32, &entry.localOffset}};
    std::size_t needed = 0;
    for (const auto& field : fields)
        needed += field.first == kMask32 ? 1 : 0;
    if (needed == 0)
        return true;
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint16_t id = Get16(extra, at), length = Get16(extra, at + 2);
        if (at + 4 + length > extra.size())
            return false;
        if (id != kZip64Extra) {
            at += 4 + length;
            continue;
        }
        if (length < needed * 8)
            return false;
        std::size_t used = at + 4;
        for (const auto& [value32, value] : fields) {
            if (value32 != kMask32)
                continue;
            *value = Get64(extra, used);
            used += 8;
        }
        return true;
    }
    return false;
}

}  // namespace

bool LooksLikeZip(std::span<const std::uint8_t> head) {
    if (head.size() < 4)
        return false;
    const std::uint32_t signature = Get32(head, 0);
    return signature == kLocalHeader || signature == kEndRecord;
}

std::optional<Directory> FindDirectory(ByteSource& archive) {
    std::vector<std::uint8_t> tail;
    std::optional<std::uint64_t> endAt = FindEndRecord(archive, tail);
    if (!endAt)
        return std::nullopt;
    std::span<const std::uint8_t> end =
        std::span(tail).subspan(static_cast<std::size_t>(*endAt - (archive.Size() - tail.size())));
    Directory directory{Get16(end, 10), Get32(end, 16), Get32(end, 12)};
    std::uint64_t limit = *endAt;
    if (!ReadZip64End(archive, *endAt, directory, limit))
        return std::nullopt;
    if (directory.offset > limit || limit - directory.offset < directory.size)
        return std::nullopt;
    return directory;
}

EntryReader::Step EntryReader::Next(Entry& entry) {
    if (at_ >= end_)
        return Step::End;
    std::array<std::uint8_t, kCentralSize> fixed{};
    if (end_ - at_ < kCentralSize || !archive_.ReadExact(at_, fixed) ||
        Get32(fixed, 0) != kCentralHeader)
        return Step::Damaged;
    const std::size_t nameLength = Get16(fixed, 28), extraLength = Get16(fixed, 30);
    const std::size_t commentLength = Get16(fixed, 32);
    const std::uint64_t total = kCentralSize + nameLength + extraLength + commentLength;
    if (end_ - at_ < total)
        return Step::Damaged;
    std::vector<std::uint8_t> variable(nameLength + extraLength);
    if (!archive_.ReadExact(at_ + kCentralSize, variable))
        return Step::Damaged;
    entry.flags = Get16(fixed, 8);
    entry.method = Get16(fixed, 10);
    entry.crc = Get32(fixed, 16);
    const std::uint32_t compressed32 = Get32(fixed, 20), size32 = Get32(fixed, 24);
    const std::uint32_t offset32 = Get32(fixed, 42);
    entry.compressedSize = compressed32;
    entry.size = size32;
    entry.localOffset = offset32;
    entry.name.assign(variable.begin(), variable.begin() + static_cast<std::ptrdiff_t>(nameLength));
    if (!ApplyZip64Extra(std::span(variable).subspan(nameLength), size32, compressed32, offset32,
                         entry))
        return Step::Damaged;
    at_ += total;
    return Step::Entry;
}

std::optional<std::uint64_t> DataOffset(ByteSource& archive, const Entry& entry,
                                        std::uint64_t limit) {
    std::array<std::uint8_t, kLocalSize> local{};
    if (entry.localOffset > limit || limit - entry.localOffset < kLocalSize ||
        !archive.ReadExact(entry.localOffset, local) || Get32(local, 0) != kLocalHeader)
        return std::nullopt;
    const std::uint64_t data = entry.localOffset + kLocalSize + Get16(local, 26) + Get16(local, 28);
    if (data > limit || limit - data < entry.compressedSize)
        return std::nullopt;
    return data;
}

}  // namespace vestra::engine::zip
