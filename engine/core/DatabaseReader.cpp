// Loading Vestra.loov: one read, then checks of the header, the digest and every record before
// anything is used. Records stay where they lie in the image; only patterns are decoded, to
// build the matcher.
#include <algorithm>
#include <cstring>

#include "engine/core/Database.h"
#include "engine/core/DatabaseLayout.h"
#include "engine/core/FileAccess.h"

namespace vestra::engine {
namespace {

using layout::Get;

constexpr std::uint64_t kMaxDatabaseSize = std::uint64_t{1} << 30;
// Expanded pattern bytes that a database may ask for, so a hostile file cannot exhaust memory.
constexpr std::uint64_t kMaxPatternBytes = std::uint64_t{64} << 20;

std::uint64_t PatternBytes(const BodyPattern& pattern) {
    std::uint64_t bytes = 0;
    for (const PatternPiece& piece : pattern.pieces) {
        for (const PatternSegment& segment : piece.segments)
            bytes += segment.value.size();
    }
    return bytes;
}

}  // namespace

const char* LoadErrorText(LoadError error) {
    switch (error) {
        case LoadError::None:
            return "loaded";
        case LoadError::Missing:
            return "missing or unreadable";
        case LoadError::TooLarge:
            return "too large";
        case LoadError::Truncated:
            return "truncated";
        case LoadError::Foreign:
            return "not a Vestra database";
        case LoadError::Version:
            return "unsupported database version";
        case LoadError::Integrity:
            return "corrupted (integrity digest does not match)";
        case LoadError::Malformed:
            return "malformed";
    }
    return "unknown error";
}

DatabaseLoad Database::Load(const std::filesystem::path& path) {
    std::optional<std::vector<std::uint8_t>> image = ReadSmallFile(path, kMaxDatabaseSize);
    if (!image) {
        FileStamp stamp = StampOf(path);
        bool tooLarge = stamp.exists && stamp.size > kMaxDatabaseSize;
        return {nullptr, tooLarge ? LoadError::TooLarge : LoadError::Missing};
    }
    return FromImage(std::move(*image));
}

DatabaseLoad Database::FromImage(std::vector<std::uint8_t> image, bool checkDigest) {
    std::shared_ptr<Database> database(new Database());
    database->image_ = std::move(image);
    LoadError error = database->Parse(checkDigest);
    if (error != LoadError::None)
        return {nullptr, error};
    return {std::move(database), LoadError::None};
}

LoadError Database::Parse(bool checkDigest) {
    const std::uint8_t* d = image_.data();
    const std::size_t size = image_.size();
    if (size == 0)
        return LoadError::Truncated;
    if (std::memcmp(d, layout::kMagic, std::min<std::size_t>(size, 8)) != 0)
        return LoadError::Foreign;
    if (size < layout::kHeaderSize)
        return LoadError::Truncated;
    if (Get(d + layout::kVersionAt, 4) != layout::kVersion)
        return LoadError::Version;
    if (Get(d + layout::kHeaderSizeAt, 4) != layout::kHeaderSize)
        return LoadError::Malformed;
    std::uint64_t fileSize = Get(d + layout::kFileSizeAt, 8);
    if (fileSize > size)
        return LoadError::Truncated;
    if (fileSize < size)
        return LoadError::Malformed;
    if (checkDigest) {
        Sha256 digest = Sha256Of(std::span(image_).subspan(layout::kDigestedFrom));
        if (std::memcmp(digest.data(), d + layout::kDigestAt, digest.size()) != 0) {
            return LoadError::Integrity;
        }
    }
    md5Count_ = static_cast<std::uint32_t>(Get(d + layout::kMd5CountAt, 4));
    sha256Count_ = static_cast<std::uint32_t>(Get(d + layout::kSha256CountAt, 4));
    patternCount_ = static_cast<std::uint32_t>(Get(d + layout::kPatternCountAt, 4));
    std::uint64_t codeSize = Get(d + layout::kCodeSizeAt, 4);
    std::uint64_t poolSize = Get(d + layout::kPoolSizeAt, 4);
    if (Get(d + layout::kReservedCountAt, 4) != 0)
        return LoadError::Malformed;
    std::uint64_t md5Bytes = std::uint64_t{md5Count_} * layout::kMd5RecordSize;
    std::uint64_t sha256Bytes = std::uint64_t{sha256Count_} * layout::kSha256RecordSize;
    std::uint64_t patternBytes = std::uint64_t{patternCount_} * layout::kPatternRecordSize;
    if (layout::kHeaderSize + md5Bytes + sha256Bytes + patternBytes + codeSize + poolSize != size) {
        return LoadError::Malformed;
    }
    const std::uint8_t* at = d + layout::kHeaderSize;
    md5_ = {at, md5Count_, layout::kMd5RecordSize, 16};
    at += md5Bytes;
    sha256_ = {at, sha256Count_, layout::kSha256RecordSize, 32};
    at += sha256Bytes;
    patterns_ = at;
    at += patternBytes;
    code_ = {at, static_cast<std::size_t>(codeSize)};
    pool_ = {at + codeSize, static_cast<std::size_t>(poolSize)};
    if (!pool_.empty() && pool_.back() != 0)
        return LoadError::Malformed;
    if (LoadError error = CheckHashes(md5_); error != LoadError::None)
        return error;
    if (LoadError error = CheckHashes(sha256_); error != LoadError::None)
        return error;
    return BuildPatterns();
}

bool Database::ValidNameAt(std::uint64_t offset) const {
    if (offset >= pool_.size())
        return false;
    const std::uint8_t* start = pool_.data() + offset;
    const void* nul = std::memchr(start, 0, pool_.size() - offset);  // the pool ends with NUL
    std::size_t length = static_cast<const std::uint8_t*>(nul) - start;
    return ValidSignatureName(std::string_view(reinterpret_cast<const char*>(start), length));
}

bool Database::ValidTail(const std::uint8_t* tail) const {
    return ValidNameAt(Get(tail, 4)) && ValidCategory(tail[4]) && ValidAction(tail[5]);
}

LoadError Database::CheckHashes(const Table& table) const {
    for (std::uint32_t i = 0; i < table.count; ++i) {
        const std::uint8_t* record = table.base + i * table.stride;
        if (Get(record, 8) == 0 || !ValidTail(record + 8 + table.digestSize))
            return LoadError::Malformed;
        if (i == 0)
            continue;
        const std::uint8_t* previous = record - table.stride;
        std::uint64_t size = Get(record, 8), previousSize = Get(previous, 8);
        if (size < previousSize)
            return LoadError::Malformed;
        if (size == previousSize && std::memcmp(previous + 8, record + 8, table.digestSize) >= 0) {
            return LoadError::Malformed;
        }
    }
    return LoadError::None;
}

LoadError Database::BuildPatterns() {
    std::vector<BodyPattern> patterns;
    patterns.reserve(patternCount_);
    std::uint64_t expanded = 0;
    for (std::uint32_t i = 0; i < patternCount_; ++i) {
        const std::uint8_t* record = patterns_ + i * layout::kPatternRecordSize;
        if (!ValidTail(record))
            return LoadError::Malformed;
        std::uint64_t offset = Get(record + 8, 4), length = Get(record + 12, 4);
        if (offset > code_.size() || length > code_.size() - offset)
            return LoadError::Malformed;
        Outcome<BodyPattern> pattern = DecodePattern(code_.subspan(offset, length));
        if (!pattern)
            return LoadError::Malformed;
        expanded += PatternBytes(pattern.value());
        if (expanded > kMaxPatternBytes)
            return LoadError::Malformed;
        patterns.push_back(std::move(pattern.value()));
    }
    matcher_ = Matcher(patterns);
    return LoadError::None;
}

std::uint32_t Database::LowerBound(const Table& table, std::uint64_t size,
                                   std::span<const std::uint8_t> digest) const {
    std::uint32_t low = 0, high = table.count;
    while (low < high) {
        std::uint32_t middle = low + (high - low) / 2;
        const std::uint8_t* record = table.base + middle * table.stride;
        std::uint64_t recordSize = Get(record, 8);
        bool less =
            recordSize < size ||
            (recordSize == size && std::memcmp(record + 8, digest.data(), table.digestSize) < 0);
        if (less) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

bool Database::HasSize(DigestKind kind, std::uint64_t size) const {
    static constexpr std::uint8_t kLowest[32] = {};
    const Table& table = TableOf(kind);
    std::uint32_t i = LowerBound(table, size, kLowest);
    return i < table.count && Get(table.base + i * table.stride, 8) == size;
}

std::optional<Detection> Database::FindHash(DigestKind kind, std::uint64_t size,
                                            std::span<const std::uint8_t> digest) const {
    const Table& table = TableOf(kind);
    if (digest.size() != table.digestSize)
        return std::nullopt;
    std::uint32_t i = LowerBound(table, size, digest);
    if (i == table.count)
        return std::nullopt;
    const std::uint8_t* record = table.base + i * table.stride;
    if (Get(record, 8) != size || std::memcmp(record + 8, digest.data(), table.digestSize) != 0) {
        return std::nullopt;
    }
    return DetectionAt(record + 8 + table.digestSize);
}

Detection Database::DetectionAt(const std::uint8_t* tail) const {
    const char* name = reinterpret_cast<const char*>(pool_.data() + Get(tail, 4));
    return {std::string(name), tail[4], tail[5]};
}

HashSignature Database::HashAt(std::uint32_t index) const {
    bool md5 = index < md5Count_;
    const Table& table = md5 ? md5_ : sha256_;
    const std::uint8_t* record = table.base + (md5 ? index : index - md5Count_) * table.stride;
    Detection detection = DetectionAt(record + 8 + table.digestSize);
    HashSignature hash{md5 ? DigestKind::Md5 : DigestKind::Sha256,
                       {},
                       Get(record, 8),
                       detection.name,
                       detection.category,
                       detection.action};
    std::copy_n(record + 8, table.digestSize, hash.digest.begin());
    return hash;
}

Detection Database::PatternDetection(std::uint32_t index) const {
    return DetectionAt(patterns_ + index * layout::kPatternRecordSize);
}

BodySignature Database::PatternAt(std::uint32_t index) const {
    const std::uint8_t* record = patterns_ + index * layout::kPatternRecordSize;
    Detection detection = DetectionAt(record);
    Outcome<BodyPattern> pattern =
        DecodePattern(code_.subspan(Get(record + 8, 4), Get(record + 12, 4)));
    return {detection.name, detection.category, detection.action, pattern.value()};
}

}  // namespace vestra::engine
