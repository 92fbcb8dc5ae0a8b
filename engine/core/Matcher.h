// The body-pattern matcher. Matcher is built once from all patterns and then only read, so one
// instance serves every scan and thread; MatchStream holds the state of one scan of one file and
// finds every pattern in a single pass over the file's blocks.
//
// How it finds them: each piece of a pattern (pieces are separated by open gaps) has an anchor,
// its longest run of fixed bytes. Anchors of four bytes or more feed a filter of 4-byte grams
// tested every `stride` bytes (stride = shortest such anchor − 3, so every occurrence shows one of
// its grams at a tested position); shorter anchors feed a 2-byte table tested at every position;
// a first piece at a fixed file offset is checked right there. Filter hits are verified against
// the whole piece, and pieces of one pattern are chained in file order.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/Pattern.h"

namespace vestra::engine {

class Matcher {
public:
    Matcher() = default;  // matches nothing
    // The patterns must have passed PatternBuilder's checks.
    explicit Matcher(const std::vector<BodyPattern>& patterns);

    bool Empty() const { return patterns_.empty(); }
    std::size_t PatternCount() const { return patterns_.size(); }
    std::uint32_t Stride() const { return stride_; }

private:
    friend class MatchStream;

    // Multipliers of the two gram hashes (the filter's bitmap and the confirming one).
    static constexpr std::uint32_t kGramHash = 0x9E3779B1u;
    static constexpr std::uint32_t kConfirmHash = 0x85EBCA77u;
    static std::uint32_t LoadGram(const std::uint8_t* at) {
        std::uint32_t gram;
        std::memcpy(&gram, at, 4);  // both targets are little-endian
        return gram;
    }

    struct Segment {
        std::uint32_t offset = 0;  // into values_ and masks_
        std::uint32_t length = 0;
        bool exact = true;  // no any-byte position
    };
    struct Piece {
        std::uint32_t pattern = 0;
        std::uint32_t firstSegment = 0;  // gaps_[firstSegment + i] follows segment i
        std::uint32_t segmentCount = 0;
        std::uint32_t anchorSegment = 0;  // within the piece
        std::uint32_t anchorOffset = 0;   // of the anchor run within its segment
        std::uint32_t anchorLength = 0;
        std::uint32_t minGapBefore = 0;
        std::uint32_t span = 0;            // longest possible occurrence
        std::uint32_t forwardExtent = 0;   // longest reach after the anchor segment
        std::uint32_t backwardExtent = 0;  // longest reach before it
        bool first = true;
        bool last = true;
    };
    struct Gram {
        std::uint32_t value = 0;
        std::uint32_t piece = 0;
        std::uint32_t shift = 0;  // position of the gram within the anchor
    };
    struct FixedStart {
        std::uint64_t offset = 0;
        std::uint32_t piece = 0;
    };

    void AddPattern(const BodyPattern& pattern, std::uint32_t index);
    void AddPiece(const PatternPiece& source, Piece piece, bool fixedStart);
    void BuildGramFilter(const std::vector<std::uint32_t>& longPieces);
    void BuildPairFilter(const std::vector<std::uint32_t>& shortPieces);
    std::uint32_t GramBucket(std::uint32_t gram) const;

    std::vector<std::uint8_t> values_, masks_;
    std::vector<Segment> segments_;
    std::vector<BoundedGap> gaps_;
    std::vector<Piece> pieces_;
    std::vector<std::uint32_t> patterns_;  // first piece of each pattern

    // 4-byte grams of long anchors: a bitmap on the gram's hash, a second one on another hash
    // that confirms a hit cheaply, then buckets of candidates.
    std::uint32_t stride_ = 1;
    unsigned gramShift_ = 32, bucketShift_ = 32;
    std::vector<std::uint64_t> gramBits_, confirmBits_;
    std::vector<std::uint32_t> bucketStart_;
    std::vector<Gram> grams_;
    // First two bytes of short anchors.
    std::vector<std::uint64_t> pairBits_;
    std::vector<std::uint32_t> pairStart_, pairPieces_;
    // First pieces of patterns with a fixed offset, by offset.
    std::vector<FixedStart> fixed_;

    std::uint32_t maxSpan_ = 0;
};

// One scan of one file. The caller reads each block of the file into NextBlock() and commits it;
// the stream keeps just enough of the previous blocks to verify pieces that cross block edges.
class MatchStream {
public:
    MatchStream(const Matcher& matcher, std::size_t blockSize);

    void Reset();  // before each file
    std::span<std::uint8_t> NextBlock();
    // Takes `count` bytes just written into NextBlock(); `last` when the file ends with them.
    // Returns the index of a pattern found, after which the file need not be read further.
    std::optional<std::uint32_t> Commit(std::size_t count, bool last);
    // The whole of `data` in blocks of the stream's size.
    std::optional<std::uint32_t> ScanAll(std::span<const std::uint8_t> data);

private:
    struct Found {
        std::uint64_t maxStart = 0;  // latest start of an occurrence at this anchor
        std::uint64_t minEnd = 0;    // earliest end
    };
    struct Event {
        std::uint64_t position = 0;  // where it was discovered; orders chains
        std::uint32_t piece = 0;
        Found found;
    };

    std::optional<std::uint32_t> ScanWindow(std::uint64_t limit, bool last);
    std::optional<std::uint32_t> CheckFixedStarts(bool last);
    std::optional<std::uint32_t> ScanGrams(std::uint64_t limit);
    std::optional<std::uint32_t> GramCandidates(std::size_t rel);
    std::optional<std::uint32_t> ScanPairs(std::uint64_t limit);
    std::optional<std::uint32_t> Candidate(std::uint32_t piece, std::uint64_t segmentStart,
                                           std::uint64_t position);
    std::optional<std::uint32_t> ChainEvents();
    std::optional<Found> Verify(const Matcher::Piece& piece, std::uint64_t segmentStart);
    std::optional<std::uint32_t> Walk(const Matcher::Piece& piece, bool forward, std::size_t base);
    bool SegmentAt(const Matcher::Segment& segment, std::size_t at) const;
    void Slide();

    const Matcher& m_;
    std::size_t blockSize_;
    std::size_t lag_;   // positions this close to the end wait for the next block
    std::size_t back_;  // bytes kept before the next position to test
    std::vector<std::uint8_t> buffer_;
    std::size_t filled_ = 0;
    std::uint64_t bufferOffset_ = 0;  // file offset of buffer_[0]
    std::uint64_t next_ = 0;          // first position not yet tested
    std::size_t nextFixed_ = 0;
    std::vector<std::uint64_t> minEnd_;  // per piece: earliest end of a chain through it
    std::vector<std::uint32_t> touched_;
    std::vector<Event> events_;
    std::vector<std::uint8_t> reach_, reachNext_;
    std::vector<std::uint32_t> prefix_;
};

}  // namespace vestra::engine
