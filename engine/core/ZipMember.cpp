// Reading one member through zlib's raw inflate; zlib is the only code here that is not ours.
#include "engine/core/ZipMember.h"

#include <zlib.h>

#include <algorithm>
#include <array>

namespace vestra::engine::zip {
namespace {

constexpr std::size_t kInputBlock = 64 * 1024;

std::uint32_t Crc(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const uInt chunk = static_cast<uInt>(std::min<std::size_t>(bytes.size(), 1u << 30));
        crc = static_cast<std::uint32_t>(crc32(crc, bytes.data(), chunk));
        bytes = bytes.subspan(chunk);
    }
    return crc;
}

}  // namespace

struct MemberStream::Inflater {
    z_stream z{};
    bool ready = false;
    Inflater() { ready = inflateInit2(&z, -MAX_WBITS) == Z_OK; }
    ~Inflater() {
        if (ready)
            inflateEnd(&z);
    }
};

MemberStream::MemberStream(ByteSource& archive, std::uint64_t dataOffset, const Entry& entry,
                           const StreamLimits& limits)
    : archive_(archive), dataOffset_(dataOffset), entry_(entry), limits_(limits) {
    if (entry.flags & kFlagEncrypted) {
        status_ = Status::Unsupported;
    } else if (entry.method == kDeflated) {
        inflater_ = std::make_unique<Inflater>();
        if (!inflater_->ready)
            status_ = Status::Limit;  // no memory for zlib: a bound of this machine
        input_.resize(kInputBlock);
    } else if (entry.method != kStored) {
        status_ = Status::Unsupported;
    } else if (entry.compressedSize != entry.size) {
        status_ = Status::Damaged;
    }
}

MemberStream::~MemberStream() = default;

std::ptrdiff_t MemberStream::Stop(Status status) {
    if (status_ == Status::Fine)
        status_ = status;
    return 0;
}

std::ptrdiff_t MemberStream::Read(std::span<std::uint8_t> into) {
    if (status_ != Status::Fine || into.empty())
        return 0;
    // Never more than the member claims (CheckEnd looks for the rest), nor than any limit allows.
    const std::uint64_t claimed = entry_.size - std::min(entry_.size, produced_);
    if (claimed == 0)
        return 0;
    std::uint64_t room = std::min(claimed, limits_.maxSize - std::min(limits_.maxSize, produced_));
    if (limits_.budget)
        room = std::min(room, *limits_.budget);
    if (room == 0)
        return Stop(Status::Limit);
    into = into.first(static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), room)));
    std::ptrdiff_t got = entry_.method == kStored ? ReadStored(into) : ReadDeflated(into);
    if (got <= 0)
        return got;
    std::span<const std::uint8_t> bytes = into.first(static_cast<std::size_t>(got));
    produced_ += bytes.size();
    if (limits_.budget)
        *limits_.budget -= bytes.size();
    crc_ = Crc(crc_, bytes);
    Keep(bytes);
    const std::uint64_t used = consumed_ - (inflater_ ? inflater_->z.avail_in : 0);
    if (limits_.maxRatio && produced_ > limits_.ratioFloor &&
        produced_ / std::max<std::uint64_t>(used, 1) >= limits_.maxRatio)
        status_ = Status::Limit;  // these bytes are still checked; no more are expanded
    return got;
}

void MemberStream::Keep(std::span<const std::uint8_t> bytes) {
    if (!capturing_)
        return;
    if (captured_.empty() && !LooksLikeZip(bytes)) {
        capturing_ = false;  // not an archive: nothing to keep
        return;
    }
    if (captured_.size() + bytes.size() > captureLimit_) {
        capturing_ = false;
        captured_ = {};
        captureLost_ = true;
        return;
    }
    captured_.insert(captured_.end(), bytes.begin(), bytes.end());
}

std::ptrdiff_t MemberStream::ReadStored(std::span<std::uint8_t> into) {
    const std::uint64_t left = entry_.size - consumed_;
    if (left == 0) {
        ended_ = true;
        return 0;
    }
    into = into.first(static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), left)));
    std::ptrdiff_t got = archive_.ReadAt(dataOffset_ + consumed_, into);
    if (got <= 0)
        return Stop(Status::Damaged);
    consumed_ += static_cast<std::uint64_t>(got);
    return got;
}

bool MemberStream::Refill() {
    const std::uint64_t left = entry_.compressedSize - consumed_;
    if (left == 0)
        return false;
    std::span<std::uint8_t> block = std::span(input_).first(
        static_cast<std::size_t>(std::min<std::uint64_t>(kInputBlock, left)));
    if (!archive_.ReadExact(dataOffset_ + consumed_, block))
        return false;
    consumed_ += block.size();
    inflater_->z.next_in = block.data();
    inflater_->z.avail_in = static_cast<uInt>(block.size());
    return true;
}

std::ptrdiff_t MemberStream::ReadDeflated(std::span<std::uint8_t> into) {
    if (ended_)
        return 0;
    z_stream& z = inflater_->z;
    z.next_out = into.data();
    z.avail_out = static_cast<uInt>(std::min<std::size_t>(into.size(), 1u << 30));
    while (z.avail_out > 0) {
        if (z.avail_in == 0 && !Refill())
            break;  // the compressed data ran out before the stream's end
        const int result = inflate(&z, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            ended_ = true;
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR)
            return Stop(Status::Damaged);
    }
    const std::size_t got = static_cast<std::size_t>(z.next_out - into.data());
    if (got == 0 && !ended_)
        return Stop(Status::Damaged);
    return static_cast<std::ptrdiff_t>(got);
}

void MemberStream::CheckEnd() {
    if (status_ != Status::Fine)
        return;
    if (produced_ != entry_.size)
        return void(Stop(Status::Damaged));
    // One byte more, past the limits: the data must end exactly at the claimed size.
    std::array<std::uint8_t, 1> more{};
    if (!ended_) {
        std::ptrdiff_t got = entry_.method == kStored ? ReadStored(more) : ReadDeflated(more);
        if (got != 0 || !ended_)
            return void(Stop(Status::Damaged));
    }
    if (crc_ != entry_.crc)
        Stop(Status::Damaged);
}

}  // namespace vestra::engine::zip
