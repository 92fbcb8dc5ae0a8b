// Turning body patterns into the matcher's frozen tables: flattened segments, anchors, the gram
// and pair filters and the fixed-offset list.
#include <algorithm>
#include <bit>

#include "engine/core/Matcher.h"

namespace vestra::engine {
namespace {

constexpr std::uint32_t kMaxStride = 8;

struct Run {
    std::uint32_t segment = 0, offset = 0, length = 0;
};

// The longest run of fixed bytes in a piece: the part that the filters look for.
Run LongestFixedRun(const PatternPiece& piece) {
    Run best;
    for (std::uint32_t s = 0; s < piece.segments.size(); ++s) {
        const std::vector<std::uint8_t>& mask = piece.segments[s].mask;
        std::uint32_t i = 0;
        while (i < mask.size()) {
            if (!mask[i]) {
                ++i;
                continue;
            }
            std::uint32_t end = i;
            while (end < mask.size() && mask[end])
                ++end;
            if (end - i > best.length)
                best = {s, i, end - i};
            i = end;
        }
    }
    return best;
}

// Longest distance from the end of the anchor segment to the end of the piece.
std::uint32_t ForwardExtent(const PatternPiece& piece, std::uint32_t anchor) {
    std::uint32_t extent = 0;
    for (std::size_t s = anchor + 1; s < piece.segments.size(); ++s) {
        extent +=
            piece.gaps[s - 1].max + static_cast<std::uint32_t>(piece.segments[s].value.size());
    }
    return extent;
}

// Longest distance from the start of the piece to the start of the anchor segment.
std::uint32_t BackwardExtent(const PatternPiece& piece, std::uint32_t anchor) {
    std::uint32_t extent = 0;
    for (std::size_t s = 0; s < anchor; ++s) {
        extent += static_cast<std::uint32_t>(piece.segments[s].value.size()) + piece.gaps[s].max;
    }
    return extent;
}

void SetBit(std::vector<std::uint64_t>& bits, std::uint32_t bit) {
    bits[bit >> 6] |= std::uint64_t{1} << (bit & 63);
}

}  // namespace

Matcher::Matcher(const std::vector<BodyPattern>& patterns) {
    for (std::uint32_t i = 0; i < patterns.size(); ++i)
        AddPattern(patterns[i], i);
    std::vector<std::uint32_t> longPieces, shortPieces;
    for (std::uint32_t p = 0; p < pieces_.size(); ++p) {
        const Piece& piece = pieces_[p];
        maxSpan_ = std::max(maxSpan_, piece.span);
        if (piece.first && patterns[piece.pattern].offset) {
            fixed_.push_back({*patterns[piece.pattern].offset, p});
        } else if (piece.anchorLength >= 4) {
            longPieces.push_back(p);
        } else {
            shortPieces.push_back(p);
        }
    }
    std::ranges::stable_sort(fixed_, {}, &FixedStart::offset);
    BuildGramFilter(longPieces);
    BuildPairFilter(shortPieces);
}

void Matcher::AddPattern(const BodyPattern& pattern, std::uint32_t index) {
    patterns_.push_back(static_cast<std::uint32_t>(pieces_.size()));
    for (std::size_t i = 0; i < pattern.pieces.size(); ++i) {
        Piece piece;
        piece.pattern = index;
        piece.first = i == 0;
        piece.last = i + 1 == pattern.pieces.size();
        // A first piece at a fixed offset is checked from its start, not found by an anchor.
        AddPiece(pattern.pieces[i], piece, i == 0 && pattern.offset.has_value());
    }
}

void Matcher::AddPiece(const PatternPiece& source, Piece piece, bool fixedStart) {
    piece.firstSegment = static_cast<std::uint32_t>(segments_.size());
    piece.segmentCount = static_cast<std::uint32_t>(source.segments.size());
    piece.minGapBefore = source.minGapBefore;
    piece.span = source.MaxSpan();
    Run anchor = fixedStart ? Run{} : LongestFixedRun(source);
    piece.anchorSegment = anchor.segment;
    piece.anchorOffset = anchor.offset;
    piece.anchorLength = anchor.length;
    piece.forwardExtent = ForwardExtent(source, anchor.segment);
    piece.backwardExtent = BackwardExtent(source, anchor.segment);
    for (std::size_t s = 0; s < source.segments.size(); ++s) {
        const PatternSegment& segment = source.segments[s];
        bool exact = std::ranges::all_of(segment.mask, [](std::uint8_t m) { return m == 0xFF; });
        segments_.push_back({static_cast<std::uint32_t>(values_.size()),
                             static_cast<std::uint32_t>(segment.value.size()), exact});
        values_.insert(values_.end(), segment.value.begin(), segment.value.end());
        masks_.insert(masks_.end(), segment.mask.begin(), segment.mask.end());
        gaps_.push_back(s < source.gaps.size() ? source.gaps[s] : BoundedGap{});
    }
    pieces_.push_back(piece);
}

std::uint32_t Matcher::GramBucket(std::uint32_t gram) const {
    return bucketShift_ >= 32 ? 0 : (gram * kGramHash) >> bucketShift_;
}

void Matcher::BuildGramFilter(const std::vector<std::uint32_t>& longPieces) {
    if (longPieces.empty())
        return;
    std::uint32_t shortest = pieces_[longPieces.front()].anchorLength;
    for (std::uint32_t p : longPieces)
        shortest = std::min(shortest, pieces_[p].anchorLength);
    stride_ = std::min(shortest - 3, kMaxStride);
    for (std::uint32_t p : longPieces) {
        const Piece& piece = pieces_[p];
        const Segment& segment = segments_[piece.firstSegment + piece.anchorSegment];
        const std::uint8_t* anchor = values_.data() + segment.offset + piece.anchorOffset;
        for (std::uint32_t shift = 0; shift < stride_; ++shift) {
            grams_.push_back({LoadGram(anchor + shift), p, shift});
        }
    }
    // About 64 bitmap bits per gram: false hits near 1.5 %. A larger bitmap falls out of the
    // caches, a smaller one lets through false hits that cost more. Buckets hold about one gram.
    unsigned hashBits = std::clamp<unsigned>(std::bit_width(grams_.size() * 64), 12, 24);
    unsigned bucketBits = std::clamp<unsigned>(std::bit_width(grams_.size()), 4, 20);
    gramShift_ = 32 - hashBits;
    bucketShift_ = 32 - bucketBits;
    gramBits_.assign((std::size_t{1} << hashBits) / 64, 0);
    confirmBits_.assign(gramBits_.size(), 0);
    for (const Gram& gram : grams_) {
        SetBit(gramBits_, (gram.value * kGramHash) >> gramShift_);
        SetBit(confirmBits_, (gram.value * kConfirmHash) >> gramShift_);
    }
    std::ranges::stable_sort(grams_, {}, [this](const Gram& g) { return GramBucket(g.value); });
    bucketStart_.assign((std::size_t{1} << bucketBits) + 1, 0);
    for (const Gram& gram : grams_)
        ++bucketStart_[GramBucket(gram.value) + 1];
    for (std::size_t b = 1; b < bucketStart_.size(); ++b)
        bucketStart_[b] += bucketStart_[b - 1];
}

void Matcher::BuildPairFilter(const std::vector<std::uint32_t>& shortPieces) {
    if (shortPieces.empty())
        return;
    auto pairOf = [this](std::uint32_t p) {
        const Piece& piece = pieces_[p];
        const Segment& segment = segments_[piece.firstSegment + piece.anchorSegment];
        const std::uint8_t* anchor = values_.data() + segment.offset + piece.anchorOffset;
        return std::uint32_t{anchor[0]} | std::uint32_t{anchor[1]} << 8;
    };
    pairBits_.assign(65536 / 64, 0);
    pairStart_.assign(65537, 0);
    for (std::uint32_t p : shortPieces) {
        SetBit(pairBits_, pairOf(p));
        ++pairStart_[pairOf(p) + 1];
    }
    for (std::size_t v = 1; v < pairStart_.size(); ++v)
        pairStart_[v] += pairStart_[v - 1];
    pairPieces_.resize(shortPieces.size());
    std::vector<std::uint32_t> fill(pairStart_.begin(), pairStart_.end() - 1);
    for (std::uint32_t p : shortPieces)
        pairPieces_[fill[pairOf(p)]++] = p;
}

}  // namespace vestra::engine
