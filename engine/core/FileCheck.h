// One file being checked against the database: opened, read once in blocks that feed the matcher
// and, when the file's size has SHA-256 signatures, the SHA-256; judged by its digests once read.
// MD5 is left to the caller, which hashes one file on its own (FileScanner) or sixteen side by
// side (BatchScanner). Reading stops at the first pattern found. The same check reads an archive
// member from its stream (ArchiveScanner).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "engine/core/ByteSource.h"
#include "engine/core/Database.h"
#include "engine/core/Digest.h"
#include "engine/core/FileAccess.h"
#include "engine/core/Matcher.h"
#include "engine/core/Signature.h"

namespace vestra::engine {

// Whole-file signatures kept outside the database (the user's), looked up by SHA-256.
class ExtraHashes {
public:
    virtual ~ExtraHashes() = default;
    virtual bool HasSize(std::uint64_t size) const = 0;
    virtual std::optional<Detection> Find(std::uint64_t size, const Sha256& digest) const = 0;
};

class FileCheck {
public:
    // `blockSize` a multiple of 64, so that every block but a file's last fills whole MD5 blocks.
    FileCheck(const Database& database, std::size_t blockSize);

    // False when there is nothing to check: the file is missing, locked, empty, not a regular
    // file, or of a size no signature could match.
    bool Open(const std::filesystem::path& path, const ExtraHashes* extra);
    // The same for `size` bytes read from `input`, which must outlive the check.
    bool Open(ByteStream& input, std::uint64_t size, const ExtraHashes* extra);
    // The file began as an archive does: known once the first block was read, or when Open()
    // found nothing to check in a file that is not empty.
    bool LooksLikeArchive() const { return archive_; }
    bool NeedsMd5() const { return md5Needed_; }
    std::uint64_t Size() const { return size_; }

    // Reads the next block: a full one unless it is the file's last. Its bytes stay valid until
    // Commit(). Empty when reading failed or the file shrank.
    std::span<const std::uint8_t> Read();
    // Hands the block read to the matcher.
    void Commit();
    // The check has its answer or wants its digests: a pattern was found, reading stopped, or
    // every byte was read.
    bool Done() const { return state_ != State::Reading; }
    // Every byte was read and no pattern found: the digests decide.
    bool Complete() const { return state_ == State::Complete; }
    // The answer once Done(); `md5` is the file's MD5 when it was Complete() and NeedsMd5().
    std::optional<Detection> Verdict(std::span<const std::uint8_t> md5);

    // Reads what is left and answers, hashing MD5 in `md5` (reset here); `md5` may be null when
    // the file does not need it.
    std::optional<Detection> ReadToEnd(StreamDigest* md5);

private:
    enum class State { Reading, Found, Unreadable, Shrunk, Complete };

    bool Start(std::uint64_t size, const ExtraHashes* extra);
    std::ptrdiff_t ReadInput(std::span<std::uint8_t> into) {
        return file_ ? file_->Read(into) : input_->Read(into);
    }
    void Close() {
        file_.reset();
        input_ = nullptr;
    }

    const Database& database_;
    MatchStream stream_;
    StreamDigest sha256_{DigestKind::Sha256};
    std::optional<InputFile> file_;
    ByteStream* input_ = nullptr;  // when not reading a file
    const ExtraHashes* extra_ = nullptr;
    std::uint64_t size_ = 0, total_ = 0;
    std::size_t block_ = 0;  // bytes of the block read and not yet committed
    bool md5Needed_ = false, sha256Needed_ = false, patterns_ = false, archive_ = false;
    State state_ = State::Reading;
    std::optional<std::uint32_t> pattern_;
};

}  // namespace vestra::engine
