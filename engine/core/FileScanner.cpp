// The block loop of one file check, and the whole-file SHA-256 behind checksums and user
// signatures.
#include "engine/core/FileScanner.h"

#include <algorithm>
#include <vector>

#include "engine/core/FileAccess.h"

namespace vestra::engine {

FileScanner::FileScanner(std::shared_ptr<const Database> database, std::size_t blockSize)
    : database_(std::move(database)), stream_(database_->Patterns(), blockSize) {}

std::optional<Detection> FileScanner::Scan(const std::filesystem::path& path,
                                           const ExtraHashes* extra) {
    std::optional<InputFile> file = InputFile::Open(path);
    if (!file || file->Size() == 0)
        return std::nullopt;
    const std::uint64_t size = file->Size();
    const bool md5 = database_->HasSize(DigestKind::Md5, size);
    const bool sha256 =
        database_->HasSize(DigestKind::Sha256, size) || (extra && extra->HasSize(size));
    const bool patterns = !database_->Patterns().Empty();
    if (!patterns && !md5 && !sha256)
        return std::nullopt;

    stream_.Reset();
    if (md5)
        md5_.Reset();
    if (sha256)
        sha256_.Reset();
    std::uint64_t total = 0;
    while (total < size) {
        std::span<std::uint8_t> block = stream_.NextBlock();
        std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - total));
        std::ptrdiff_t got = file->Read(block.first(want));
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;  // the file shrank while being read
        std::span<const std::uint8_t> data = block.first(static_cast<std::size_t>(got));
        if (md5)
            md5_.Update(data);
        if (sha256)
            sha256_.Update(data);
        total += static_cast<std::uint64_t>(got);
        if (patterns) {
            if (auto found = stream_.Commit(data.size(), total == size)) {
                return database_->PatternDetection(*found);
            }
        }
    }
    if (total != size) {
        // What was read may still hold a pattern; the digests are of no use.
        std::optional<std::uint32_t> found = patterns ? stream_.Commit(0, true) : std::nullopt;
        if (found)
            return database_->PatternDetection(*found);
        return std::nullopt;
    }
    return LookUpHashes(size, md5, sha256, extra);
}

std::optional<Detection> FileScanner::LookUpHashes(std::uint64_t size, bool md5, bool sha256,
                                                   const ExtraHashes* extra) {
    if (sha256) {
        Sha256 digest;
        std::ranges::copy(sha256_.Finish(), digest.begin());
        if (extra) {
            if (auto found = extra->Find(size, digest))
                return found;
        }
        if (md5) {
            if (auto found = database_->FindHash(DigestKind::Md5, size, md5_.Finish()))
                return found;
        }
        return database_->FindHash(DigestKind::Sha256, size, digest);
    }
    if (md5)
        return database_->FindHash(DigestKind::Md5, size, md5_.Finish());
    return std::nullopt;
}

std::optional<FileDigest> FileSha256(const std::filesystem::path& path) {
    std::optional<InputFile> file = InputFile::Open(path);
    if (!file)
        return std::nullopt;
    StreamDigest digest(DigestKind::Sha256);
    std::vector<std::uint8_t> block(FileScanner::kBlockSize);
    FileDigest result;
    for (;;) {
        std::ptrdiff_t got = file->Read(block);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        digest.Update(std::span(block).first(static_cast<std::size_t>(got)));
        result.size += static_cast<std::uint64_t>(got);
    }
    std::ranges::copy(digest.Finish(), result.sha256.begin());
    return result;
}

}  // namespace vestra::engine
