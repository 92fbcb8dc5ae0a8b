// The lanes of a batch: each holds one file that needs MD5 and the block of it last read. A round
// refills every lane whose block is hashed (ending and starting files on the way), then hashes
// all lanes together for as many 64-byte blocks as the shortest has.
#include "engine/core/BatchScanner.h"

#include <algorithm>
#include <cstring>

namespace vestra::engine {
namespace {

std::size_t WholeMd5Blocks(std::size_t size) {
    return (std::max(size, Md5Lanes::kBlock) + Md5Lanes::kBlock - 1) / Md5Lanes::kBlock *
           Md5Lanes::kBlock;
}

}  // namespace

BatchScanner::BatchScanner(std::shared_ptr<const Database> database, std::size_t blockSize,
                           Md5Lanes::Build build, ArchiveLimits limits)
    : database_(std::move(database)), md5_(build), archives_(*database_, limits) {
    for (std::size_t i = 0; i < Md5Lanes::kLanes; ++i)
        lanes_.emplace_back(*database_, WholeMd5Blocks(blockSize));
}

void BatchScanner::Run(const NextJob& next, const Report& report, const ExtraHashes* extra) {
    extra_ = extra;
    for (;;) {
        bool hashing = false;
        for (std::size_t i = 0; i < lanes_.size(); ++i)
            hashing = Feed(i, next, report, extra) || hashing;
        if (!hashing)
            return;
        HashPending();
    }
}

bool BatchScanner::Feed(std::size_t index, const NextJob& next, const Report& report,
                        const ExtraHashes* extra) {
    Lane& lane = lanes_[index];
    for (;;) {
        if (lane.busy && lane.pending > 0)
            return true;
        if (lane.busy && lane.last) {
            Conclude(lane.id, lane.check.Verdict(md5_.Digest(index)), lane.check, lane.path,
                     report);
            lane.busy = false;
        }
        if (!lane.busy) {
            std::optional<Job> job = next();
            if (!job)
                return false;
            if (!lane.check.Open(job->path, extra)) {
                Conclude(job->id, std::nullopt, lane.check, job->path, report);
                continue;
            }
            if (!lane.check.NeedsMd5()) {
                Conclude(job->id, lane.check.ReadToEnd(nullptr), lane.check, job->path, report);
                continue;
            }
            lane.id = job->id;
            lane.path = std::move(job->path);
            lane.busy = true;
            lane.last = false;
            md5_.Start(index);
        }
        ReadBlock(lane, report);
    }
}

void BatchScanner::ReadBlock(Lane& lane, const Report& report) {
    std::span<const std::uint8_t> block = lane.check.Read();
    // Copied before the matcher takes it: the matcher's window moves on.
    if (!block.empty())
        std::memcpy(lane.data.data(), block.data(), block.size());
    lane.check.Commit();
    lane.offset = 0;
    lane.pending = block.size();
    if (!lane.check.Done())
        return;
    if (!lane.check.Complete()) {
        Conclude(lane.id, lane.check.Verdict({}), lane.check, lane.path, report);
        lane.busy = false;
        lane.pending = 0;
        return;
    }
    std::span<std::uint8_t, Md5Lanes::kMaxPadding> padding(lane.data.data() + lane.pending,
                                                           Md5Lanes::kMaxPadding);
    lane.pending += Md5Lanes::Padding(lane.check.Size(), padding);
    lane.last = true;
}

void BatchScanner::Conclude(std::size_t id, std::optional<Detection> verdict,
                            const FileCheck& check, const std::filesystem::path& path,
                            const Report& report) {
    report(id, WithMembers(std::move(verdict), check, path, archives_, extra_));
}

void BatchScanner::HashPending() {
    Md5Lanes::Inputs inputs{};
    std::size_t blocks = SIZE_MAX;
    for (std::size_t i = 0; i < lanes_.size(); ++i) {
        const Lane& lane = lanes_[i];
        if (!lane.busy)
            continue;
        inputs[i] = lane.data.data() + lane.offset;
        blocks = std::min(blocks, lane.pending / Md5Lanes::kBlock);
    }
    md5_.Compress(inputs, blocks);
    for (Lane& lane : lanes_) {
        if (!lane.busy)
            continue;
        lane.offset += blocks * Md5Lanes::kBlock;
        lane.pending -= blocks * Md5Lanes::kBlock;
    }
}

}  // namespace vestra::engine
