// One file check at a time, and the whole-file SHA-256 behind checksums and user signatures.
#include "engine/core/FileScanner.h"

#include <algorithm>
#include <vector>

#include "engine/core/FileAccess.h"

namespace vestra::engine {

FileScanner::FileScanner(std::shared_ptr<const Database> database, std::size_t blockSize,
                         ArchiveLimits limits)
    : database_(std::move(database)),
      check_(*database_, blockSize),
      archives_(*database_, limits) {}

std::optional<Detection> FileScanner::Scan(const std::filesystem::path& path,
                                           const ExtraHashes* extra) {
    return Check(path, extra).detection;
}

ScanResult FileScanner::Check(const std::filesystem::path& path, const ExtraHashes* extra) {
    std::optional<Detection> verdict;
    if (check_.Open(path, extra))
        verdict = check_.ReadToEnd(&md5_);
    return WithMembers(std::move(verdict), check_, path, archives_, extra);
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
