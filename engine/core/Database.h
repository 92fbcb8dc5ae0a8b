// The signature database (Vestra.loov): written by vestsig from a SignatureSet, loaded by the
// engine in one read. Loading checks the header, the integrity digest and every record, so a
// truncated, corrupted or foreign file is refused with a reason and never read out of bounds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/Matcher.h"
#include "engine/core/Signature.h"
#include "engine/core/SignatureSource.h"

namespace vestra::engine {

enum class LoadError {
    None,
    Missing,  // absent or unreadable
    TooLarge,
    Truncated,  // shorter than its header says
    Foreign,    // not a database of ours
    Version,    // ours, but a version this engine does not read
    Integrity,  // the content does not match its digest
    Malformed,  // digest right, content inconsistent
};
const char* LoadErrorText(LoadError error);

class Database;

struct DatabaseLoad {
    std::shared_ptr<const Database> database;  // null on failure
    LoadError error = LoadError::None;
};

// The database's bytes; empty when the set does not fit the format's 32-bit offsets.
std::vector<std::uint8_t> WriteDatabase(const SignatureSet& signatures);

class Database {
public:
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    static DatabaseLoad Load(const std::filesystem::path& path);
    // `checkDigest` false lets the fuzzer reach the checks behind the digest.
    static DatabaseLoad FromImage(std::vector<std::uint8_t> image, bool checkDigest = true);

    std::uint32_t Md5Count() const { return md5Count_; }
    std::uint32_t Sha256Count() const { return sha256Count_; }
    std::uint32_t HashCount() const { return md5Count_ + sha256Count_; }
    std::uint32_t PatternCount() const { return patternCount_; }

    bool HasSize(DigestKind kind, std::uint64_t size) const;
    std::optional<Detection> FindHash(DigestKind kind, std::uint64_t size,
                                      std::span<const std::uint8_t> digest) const;

    // Listing order of hashes: the MD5 records, then the SHA-256 records.
    HashSignature HashAt(std::uint32_t index) const;
    BodySignature PatternAt(std::uint32_t index) const;
    Detection PatternDetection(std::uint32_t index) const;

    const Matcher& Patterns() const { return matcher_; }

private:
    Database() = default;

    struct Table {
        const std::uint8_t* base = nullptr;
        std::uint32_t count = 0;
        std::size_t stride = 0;
        std::size_t digestSize = 0;
    };

    LoadError Parse(bool checkDigest);
    LoadError CheckHashes(const Table& table) const;
    LoadError BuildPatterns();
    const Table& TableOf(DigestKind kind) const { return kind == DigestKind::Md5 ? md5_ : sha256_; }
    std::uint32_t LowerBound(const Table& table, std::uint64_t size,
                             std::span<const std::uint8_t> digest) const;
    bool ValidNameAt(std::uint64_t offset) const;
    bool ValidTail(const std::uint8_t* tail) const;  // name, category and action fields
    Detection DetectionAt(const std::uint8_t* tail) const;

    std::vector<std::uint8_t> image_;
    std::uint32_t md5Count_ = 0, sha256Count_ = 0, patternCount_ = 0;
    Table md5_, sha256_;
    const std::uint8_t* patterns_ = nullptr;
    std::span<const std::uint8_t> code_, pool_;
    Matcher matcher_;
};

}  // namespace vestra::engine
