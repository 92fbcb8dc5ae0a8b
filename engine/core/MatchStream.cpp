// One scan through the matcher: the sliding window over the file's blocks, the filter loops,
// verification of candidates and the chaining of multi-piece patterns.
#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/core/Matcher.h"

namespace vestra::engine {
namespace {

constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();

std::uint32_t Load16(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8;
}

bool TestBit(const std::vector<std::uint64_t>& bits, std::uint32_t bit) {
    return (bits[bit >> 6] >> (bit & 63)) & 1;
}

}  // namespace

MatchStream::MatchStream(const Matcher& matcher, std::size_t blockSize)
    : m_(matcher), blockSize_(std::max<std::size_t>(blockSize, 1)) {
    lag_ = std::max<std::size_t>(m_.maxSpan_, 4);
    back_ = std::size_t{m_.maxSpan_} + m_.stride_;
    buffer_.resize(m_.Empty() ? blockSize_ : lag_ + back_ + blockSize_);
    minEnd_.assign(m_.pieces_.size(), kNone);
}

void MatchStream::Reset() {
    for (std::uint32_t piece : touched_)
        minEnd_[piece] = kNone;
    touched_.clear();
    filled_ = 0;
    bufferOffset_ = 0;
    next_ = 0;
    nextFixed_ = 0;
}

std::span<std::uint8_t> MatchStream::NextBlock() {
    return std::span<std::uint8_t>(buffer_.data() + filled_, blockSize_);
}

std::optional<std::uint32_t> MatchStream::Commit(std::size_t count, bool last) {
    filled_ += std::min(count, blockSize_);
    if (m_.Empty()) {
        bufferOffset_ += filled_;
        filled_ = 0;
        return std::nullopt;
    }
    std::uint64_t end = bufferOffset_ + filled_;
    std::uint64_t limit = last ? end : (end > lag_ ? end - lag_ : 0);
    limit = std::max(limit, next_);
    std::optional<std::uint32_t> found = ScanWindow(limit, last);
    next_ = limit;
    if (!last)
        Slide();
    return found;
}

std::optional<std::uint32_t> MatchStream::ScanAll(std::span<const std::uint8_t> data) {
    Reset();
    std::size_t done = 0;
    do {
        std::size_t count = std::min(blockSize_, data.size() - done);
        if (count > 0)
            std::memcpy(NextBlock().data(), data.data() + done, count);
        done += count;
        if (auto found = Commit(count, done == data.size()))
            return found;
    } while (done < data.size());
    return std::nullopt;
}

// Keeps what the next window may still need: the look-back before the next position, and a
// fixed-offset piece that did not fit yet.
void MatchStream::Slide() {
    std::uint64_t keepFrom = next_ > back_ ? next_ - back_ : 0;
    if (nextFixed_ < m_.fixed_.size())
        keepFrom = std::min(keepFrom, m_.fixed_[nextFixed_].offset);
    keepFrom = std::max(keepFrom, bufferOffset_);
    std::size_t drop = static_cast<std::size_t>(keepFrom - bufferOffset_);
    if (drop == 0)
        return;
    std::memmove(buffer_.data(), buffer_.data() + drop, filled_ - drop);
    filled_ -= drop;
    bufferOffset_ = keepFrom;
}

std::optional<std::uint32_t> MatchStream::ScanWindow(std::uint64_t limit, bool last) {
    events_.clear();
    if (auto found = CheckFixedStarts(last))
        return found;
    if (!m_.grams_.empty()) {
        if (auto found = ScanGrams(limit))
            return found;
    }
    if (!m_.pairPieces_.empty()) {
        if (auto found = ScanPairs(limit))
            return found;
    }
    return ChainEvents();
}

std::optional<std::uint32_t> MatchStream::CheckFixedStarts(bool last) {
    std::uint64_t end = bufferOffset_ + filled_;
    while (nextFixed_ < m_.fixed_.size()) {
        const Matcher::FixedStart& fixed = m_.fixed_[nextFixed_];
        if (!last && fixed.offset + m_.pieces_[fixed.piece].span > end)
            break;
        ++nextFixed_;
        if (auto found = Candidate(fixed.piece, fixed.offset, fixed.offset))
            return found;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> MatchStream::ScanGrams(std::uint64_t limit) {
    std::uint64_t end = bufferOffset_ + filled_;
    std::uint64_t stop = std::min(limit, end >= 4 ? end - 3 : 0);
    const std::size_t stride = m_.stride_;
    std::uint64_t first = (next_ + stride - 1) / stride * stride;
    if (first >= stop)
        return std::nullopt;
    // Positions inside the window; grams stay aligned to the stride in file offsets.
    const std::uint8_t* data = buffer_.data();
    const std::uint64_t* bits = m_.gramBits_.data();
    const unsigned shift = m_.gramShift_;
    auto hit = [data, bits, shift](std::size_t rel) -> std::uint64_t {
        std::uint32_t bit = (Matcher::LoadGram(data + rel) * Matcher::kGramHash) >> shift;
        return (bits[bit >> 6] >> (bit & 63)) & 1;
    };
    const std::size_t relStop = static_cast<std::size_t>(stop - bufferOffset_);
    std::size_t rel = static_cast<std::size_t>(first - bufferOffset_);
    // Four tests a round with one branch: nearly every position misses the bitmap.
    for (; rel + 3 * stride < relStop; rel += 4 * stride) {
        std::uint64_t h0 = hit(rel), h1 = hit(rel + stride), h2 = hit(rel + 2 * stride);
        std::uint64_t h3 = hit(rel + 3 * stride);
        if (!(h0 | h1 | h2 | h3))
            continue;
        const std::uint64_t hits[4] = {h0, h1, h2, h3};
        for (std::size_t k = 0; k < 4; ++k) {
            if (!hits[k])
                continue;
            if (auto found = GramCandidates(rel + k * stride))
                return found;
        }
    }
    for (; rel < relStop; rel += stride) {
        if (!hit(rel))
            continue;
        if (auto found = GramCandidates(rel))
            return found;
    }
    return std::nullopt;
}

// The pieces whose anchor has the gram at window position `rel`.
std::optional<std::uint32_t> MatchStream::GramCandidates(std::size_t rel) {
    std::uint32_t gram = Matcher::LoadGram(buffer_.data() + rel);
    if (!TestBit(m_.confirmBits_, (gram * Matcher::kConfirmHash) >> m_.gramShift_))
        return std::nullopt;
    std::uint64_t p = bufferOffset_ + rel;
    std::uint32_t bucket = m_.GramBucket(gram);
    for (std::uint32_t i = m_.bucketStart_[bucket]; i < m_.bucketStart_[bucket + 1]; ++i) {
        const Matcher::Gram& entry = m_.grams_[i];
        if (entry.value != gram)
            continue;
        const Matcher::Piece& piece = m_.pieces_[entry.piece];
        std::uint64_t anchor = p - entry.shift;
        if (anchor < piece.anchorOffset)
            continue;
        if (auto found = Candidate(entry.piece, anchor - piece.anchorOffset, p))
            return found;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> MatchStream::ScanPairs(std::uint64_t limit) {
    std::uint64_t end = bufferOffset_ + filled_;
    std::uint64_t stop = std::min(limit, end >= 2 ? end - 1 : 0);
    if (next_ >= stop)
        return std::nullopt;
    const std::size_t relStop = static_cast<std::size_t>(stop - bufferOffset_);
    for (std::size_t rel = static_cast<std::size_t>(next_ - bufferOffset_); rel < relStop; ++rel) {
        std::uint32_t pair = Load16(buffer_.data() + rel);
        if (!TestBit(m_.pairBits_, pair))
            continue;
        std::uint64_t p = bufferOffset_ + rel;
        for (std::uint32_t i = m_.pairStart_[pair]; i < m_.pairStart_[pair + 1]; ++i) {
            std::uint32_t index = m_.pairPieces_[i];
            const Matcher::Piece& piece = m_.pieces_[index];
            if (p < piece.anchorOffset)
                continue;
            if (auto found = Candidate(index, p - piece.anchorOffset, p))
                return found;
        }
    }
    return std::nullopt;
}

// A verified single-piece pattern is a result at once; pieces of longer patterns wait until the
// window's events can be chained in file order.
std::optional<std::uint32_t> MatchStream::Candidate(std::uint32_t index, std::uint64_t segmentStart,
                                                    std::uint64_t position) {
    const Matcher::Piece& piece = m_.pieces_[index];
    std::optional<Found> found = Verify(piece, segmentStart);
    if (!found)
        return std::nullopt;
    if (piece.first && piece.last)
        return piece.pattern;
    events_.push_back({position, index, *found});
    return std::nullopt;
}

// Pieces of a pattern must occur in order, each at least its gap after the end of the previous
// one. Keeping the earliest end of a valid chain through each piece is enough, because events
// come in discovery order and an occurrence is always discovered before anything that can follow
// it.
std::optional<std::uint32_t> MatchStream::ChainEvents() {
    std::ranges::sort(events_, {}, &Event::position);
    for (const Event& event : events_) {
        const Matcher::Piece& piece = m_.pieces_[event.piece];
        if (!piece.first) {
            std::uint64_t previous = minEnd_[event.piece - 1];
            if (previous == kNone || event.found.maxStart < previous + piece.minGapBefore)
                continue;
        }
        if (event.found.minEnd < minEnd_[event.piece]) {
            if (minEnd_[event.piece] == kNone)
                touched_.push_back(event.piece);
            minEnd_[event.piece] = event.found.minEnd;
        }
        if (piece.last)
            return piece.pattern;
    }
    return std::nullopt;
}

bool MatchStream::SegmentAt(const Matcher::Segment& segment, std::size_t at) const {
    if (at > filled_ || filled_ - at < segment.length)
        return false;
    const std::uint8_t* data = buffer_.data() + at;
    const std::uint8_t* value = m_.values_.data() + segment.offset;
    if (segment.exact)
        return std::memcmp(data, value, segment.length) == 0;
    const std::uint8_t* mask = m_.masks_.data() + segment.offset;
    for (std::uint32_t i = 0; i < segment.length; ++i) {
        if ((data[i] & mask[i]) != value[i])
            return false;
    }
    return true;
}

std::optional<MatchStream::Found> MatchStream::Verify(const Matcher::Piece& piece,
                                                      std::uint64_t segmentStart) {
    if (segmentStart < bufferOffset_)
        return std::nullopt;
    std::size_t at = static_cast<std::size_t>(segmentStart - bufferOffset_);
    const Matcher::Segment& anchor = m_.segments_[piece.firstSegment + piece.anchorSegment];
    if (!SegmentAt(anchor, at))
        return std::nullopt;
    Found found{segmentStart, segmentStart + anchor.length};
    if (piece.segmentCount == 1)
        return found;
    std::optional<std::uint32_t> before = Walk(piece, false, at);
    if (!before)
        return std::nullopt;
    std::optional<std::uint32_t> after = Walk(piece, true, at + anchor.length);
    if (!after)
        return std::nullopt;
    found.maxStart -= *before;
    found.minEnd += *after;
    return found;
}

// Follows the segments outward from the anchor segment (after it when `forward`, before it
// otherwise) through their bounded gaps. reach_[d] says that the segments so far can end
// (forward) or start (backward) at distance d from `base`. Returns the least distance that
// covers every segment, or nothing.
std::optional<std::uint32_t> MatchStream::Walk(const Matcher::Piece& piece, bool forward,
                                               std::size_t base) {
    std::uint32_t extent = forward ? piece.forwardExtent : piece.backwardExtent;
    reach_.assign(extent + 1, 0);
    prefix_.resize(extent + 2);
    reach_[0] = 1;
    std::uint32_t low = 0, high = 0;
    std::uint32_t count =
        forward ? piece.segmentCount - piece.anchorSegment - 1 : piece.anchorSegment;
    for (std::uint32_t step = 0; step < count; ++step) {
        std::uint32_t s = forward ? piece.anchorSegment + 1 + step : piece.anchorSegment - 1 - step;
        const Matcher::Segment& segment = m_.segments_[piece.firstSegment + s];
        const BoundedGap& gap = m_.gaps_[piece.firstSegment + (forward ? s - 1 : s)];
        prefix_[low] = 0;
        for (std::uint32_t d = low; d <= high; ++d)
            prefix_[d + 1] = prefix_[d] + reach_[d];
        reachNext_.assign(extent + 1, 0);
        std::uint32_t nextLow = extent + 1, nextHigh = 0;
        std::uint32_t from = low + gap.min + segment.length;
        std::uint32_t to = std::min(high + gap.max + segment.length, extent);
        for (std::uint32_t d = from; d <= to; ++d) {
            // Earlier distances e with d − e − length inside the gap's bounds.
            std::uint32_t reachFrom =
                d - segment.length >= gap.max ? d - segment.length - gap.max : 0;
            std::uint32_t a = std::max(low, reachFrom);
            std::uint32_t b = std::min(high, d - segment.length - gap.min);
            if (a > b || prefix_[b + 1] == prefix_[a])
                continue;
            if (!forward && d > base)
                break;
            std::size_t at = forward ? base + d - segment.length : base - d;
            if (!SegmentAt(segment, at))
                continue;
            reachNext_[d] = 1;
            nextLow = std::min(nextLow, d);
            nextHigh = d;
        }
        if (nextLow > nextHigh)
            return std::nullopt;
        reach_.swap(reachNext_);
        low = nextLow;
        high = nextHigh;
    }
    return low;
}

}  // namespace vestra::engine
