// Checks one file at a time against the database, in one pass over its blocks (see FileCheck),
// and the members of an archive (see ArchiveScanner). One scanner per thread; the database is
// shared.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "engine/core/ArchiveScanner.h"
#include "engine/core/Database.h"
#include "engine/core/Digest.h"
#include "engine/core/FileCheck.h"
#include "engine/core/ScanResult.h"
#include "engine/core/Signature.h"

namespace vestra::engine {

class FileScanner {
public:
    static constexpr std::size_t kBlockSize = 256 * 1024;

    explicit FileScanner(std::shared_ptr<const Database> database,
                         std::size_t blockSize = kBlockSize, ArchiveLimits limits = {});

    // Nothing for a clean file, and for one that is missing, locked, empty, not a regular file
    // or unreadable. A pattern wins over the user's signatures, which win over MD5, then SHA-256.
    // An archive's verdict is its own, else its first member's.
    std::optional<Detection> Scan(const std::filesystem::path& path,
                                  const ExtraHashes* extra = nullptr);
    // The same, with the member that matched and whether all of an archive could be checked.
    ScanResult Check(const std::filesystem::path& path, const ExtraHashes* extra = nullptr);

private:
    std::shared_ptr<const Database> database_;
    FileCheck check_;
    StreamDigest md5_{DigestKind::Md5};
    ArchiveScanner archives_;
};
struct FileDigest {
    Sha256 sha256{};
    std::uint64_t size = 0;
};
// SHA-256 of everything the file holds, read in blocks; nothing when it cannot be read.
std::optional<FileDigest> FileSha256(const std::filesystem::path& path);

}  // namespace vestra::engine
