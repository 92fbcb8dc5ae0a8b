// Checks many files on one thread with the same verdicts as FileScanner, faster when many need
// MD5: up to sixteen such files are open at once, each in a lane of Md5Lanes, and their blocks
// are hashed side by side while the matcher and SHA-256 take each block as it is read. Files
// that need no MD5 are checked straight through, and archives then have their members checked
// one at a time (ArchiveScanner). One batch scanner per thread; the database is shared.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/core/ArchiveScanner.h"
#include "engine/core/Database.h"
#include "engine/core/FileCheck.h"
#include "engine/core/Md5Lanes.h"
#include "engine/core/ScanResult.h"
#include "engine/core/Signature.h"

namespace vestra::engine {

class BatchScanner {
public:
    // Small enough that sixteen lanes' blocks stay in the processor's cache between the read
    // and the hashing.
    static constexpr std::size_t kBlockSize = 32 * 1024;

    struct Job {
        std::filesystem::path path;
        std::size_t id = 0;  // handed back with the verdict
    };
    // The next file to check, or nothing when there are no more; may be shared between threads.
    using NextJob = std::function<std::optional<Job>()>;
    // Called once per job, in the order the verdicts come, from the thread running the batch.
    using Report = std::function<void(std::size_t id, ScanResult result)>;

    explicit BatchScanner(std::shared_ptr<const Database> database,
                          std::size_t blockSize = kBlockSize,
                          Md5Lanes::Build build = Md5Lanes::Build::Best, ArchiveLimits limits = {});

    void Run(const NextJob& next, const Report& report, const ExtraHashes* extra = nullptr);

private:
    struct Lane {
        explicit Lane(const Database& database, std::size_t blockSize)
            : check(database, blockSize), data(blockSize + Md5Lanes::kMaxPadding) {}
        FileCheck check;
        std::vector<std::uint8_t> data;  // a block and, at the end, the MD5 padding
        std::filesystem::path path;
        std::size_t id = 0;
        std::size_t offset = 0, pending = 0;  // bytes of `data` not yet hashed
        bool busy = false;
        bool last = false;  // `pending` ends with the padding
    };

    // Gives the lane a block to hash, taking new files as the old ones end; false when the
    // lane stays idle because there are no more files.
    bool Feed(std::size_t index, const NextJob& next, const Report& report,
              const ExtraHashes* extra);
    void ReadBlock(Lane& lane, const Report& report);
    void HashPending();
    void Conclude(std::size_t id, std::optional<Detection> verdict, const FileCheck& check,
                  const std::filesystem::path& path, const Report& report);

    std::shared_ptr<const Database> database_;
    std::deque<Lane> lanes_;  // not moved once made
    Md5Lanes md5_;
    ArchiveScanner archives_;
    const ExtraHashes* extra_ = nullptr;  // of the current Run
};

}  // namespace vestra::engine
