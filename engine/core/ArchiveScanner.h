// Checks the members of a ZIP archive against the database as if each were a file of its own,
// and the members of archives inside it, down to a depth. Members are streamed through one file
// check (matcher and digests) and never held whole; only a compressed archive inside another is
// expanded into memory, up to a bound, to be read as an archive in turn. Limits on depth, member
// count, expanded sizes and compression ratio keep a hostile archive from costing unbounded time
// or memory: what lies beyond them is left unchecked and the result says so.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/ByteSource.h"
#include "engine/core/Database.h"
#include "engine/core/Digest.h"
#include "engine/core/FileCheck.h"
#include "engine/core/ScanResult.h"
#include "engine/core/ZipFormat.h"
#include "engine/core/ZipMember.h"

namespace vestra::engine {

struct ArchiveLimits {
    unsigned maxDepth = 5;             // archives inside archives, the outermost one counted
    std::uint64_t maxMembers = 10000;  // over every level of one file
    std::uint64_t maxMemberSize = 512ull << 20;  // expanded bytes checked of one member
    std::uint64_t maxTotalSize = 2ull << 30;     // expanded bytes of one file, all levels
    std::uint32_t maxRatio = 250;  // expanded per compressed byte, once past `ratioFloor`
    std::uint64_t ratioFloor = 1u << 20;
    std::size_t maxNestedInMemory = 16u << 20;  // a compressed archive inside an archive
};

class ArchiveScanner {
public:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    explicit ArchiveScanner(const Database& database, ArchiveLimits limits = {});

    // The first member detection of the archive at `path` (or any archive inside it).
    ScanResult Scan(const std::filesystem::path& path, const ExtraHashes* extra);
    ScanResult Scan(ByteSource& archive, const ExtraHashes* extra);

private:
    struct Run {
        const ExtraHashes* extra = nullptr;
        std::uint64_t members = 0;
        std::uint64_t budget = 0;        // expanded bytes left
        std::vector<std::string> names;  // of the members being read, outermost first
        ScanResult result;
    };

    // True when a detection ends the scan.
    bool ScanArchive(ByteSource& archive, unsigned depth, Run& run);
    bool ScanMember(ByteSource& archive, const zip::Entry& entry, std::uint64_t data,
                    unsigned depth, Run& run);
    bool CheckStream(zip::MemberStream& stream, const zip::Entry& entry, Run& run,
                     bool& archiveInside);
    bool Nested(ByteSource& archive, const zip::Entry& entry, std::uint64_t data,
                zip::MemberStream& stream, unsigned depth, Run& run);

    ArchiveLimits limits_;
    FileCheck check_;
    StreamDigest md5_{DigestKind::Md5};
};

// A file check's answer with the archive members behind it: when the file itself matched
// nothing and began as an archive, its members are checked.
ScanResult WithMembers(std::optional<Detection> verdict, const FileCheck& check,
                       const std::filesystem::path& path, ArchiveScanner& archives,
                       const ExtraHashes* extra);

}  // namespace vestra::engine
