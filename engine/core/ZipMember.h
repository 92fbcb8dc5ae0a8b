// One member's bytes as a stream: stored bytes read straight from the archive, deflated ones
// expanded through zlib a block at a time, so that no member is ever held whole. The stream stops
// at the limits it is given (its own expanded size, a share of the archive's, the compression
// ratio) and tells why it stopped; it checks the CRC once every byte was read.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/ByteSource.h"
#include "engine/core/ZipFormat.h"

namespace vestra::engine::zip {

struct StreamLimits {
    std::uint64_t maxSize = 0;        // expanded bytes of this member
    std::uint64_t* budget = nullptr;  // expanded bytes left for the whole scan; counted down
    std::uint32_t maxRatio = 0;       // expanded bytes per compressed byte, past `ratioFloor`
    std::uint64_t ratioFloor = 0;
};

class MemberStream final : public ByteStream {
public:
    enum class Status {
        Fine,
        Damaged,      // truncated, corrupt, wrong sizes or CRC
        Limit,        // a limit stopped the stream
        Unsupported,  // encrypted, or a method other than stored and deflated
    };

    MemberStream(ByteSource& archive, std::uint64_t dataOffset, const Entry& entry,
                 const StreamLimits& limits);
    ~MemberStream() override;
    MemberStream(const MemberStream&) = delete;
    MemberStream& operator=(const MemberStream&) = delete;

    std::ptrdiff_t Read(std::span<std::uint8_t> into) override;

    // After the reader took the member's claimed size: reads on to see that the data ends there
    // and that its CRC is right; sets the status when not.
    void CheckEnd();
    Status status() const { return status_; }

    // Keeps every byte expanded, up to `limit`, for reading the member as an archive itself;
    // call before the first Read. Dropped when it grows past the limit (CaptureLost()).
    void Capture(std::size_t limit) { captureLimit_ = limit, capturing_ = true; }
    bool Captured() const { return capturing_; }
    bool CaptureLost() const { return captureLost_; }
    std::span<const std::uint8_t> CapturedBytes() const { return captured_; }

private:
    std::ptrdiff_t ReadStored(std::span<std::uint8_t> into);
    std::ptrdiff_t ReadDeflated(std::span<std::uint8_t> into);
    bool Refill();
    std::ptrdiff_t Stop(Status status);
    void Keep(std::span<const std::uint8_t> bytes);

    struct Inflater;

    ByteSource& archive_;
    std::uint64_t dataOffset_;
    Entry entry_;
    StreamLimits limits_;
    std::unique_ptr<Inflater> inflater_;
    std::vector<std::uint8_t> input_;
    std::uint64_t consumed_ = 0;  // compressed bytes taken from the archive
    std::uint64_t produced_ = 0;  // expanded bytes handed out
    std::uint32_t crc_ = 0;
    bool ended_ = false;  // the data ended where it should
    Status status_ = Status::Fine;
    bool capturing_ = false, captureLost_ = false;
    std::size_t captureLimit_ = 0;
    std::vector<std::uint8_t> captured_;
};

}  // namespace vestra::engine::zip
