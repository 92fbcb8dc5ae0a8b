// A deliberately plain matcher that tries every start: slow, obviously right, and so the yardstick
// for the real matcher in randomised tests.
#pragma once

#include <set>
#include <span>

#include "engine/core/Pattern.h"

namespace vestra::engine::testing {

// Every end of `piece` when its segment `segment` starts exactly at `at`.
inline void PieceEnds(const PatternPiece& piece, std::size_t segment, std::size_t at,
                      std::span<const std::uint8_t> data, std::set<std::size_t>& ends) {
    const PatternSegment& s = piece.segments[segment];
    if (at > data.size() || data.size() - at < s.value.size())
        return;
    for (std::size_t i = 0; i < s.value.size(); ++i) {
        if ((data[at + i] & s.mask[i]) != s.value[i])
            return;
    }
    std::size_t end = at + s.value.size();
    if (segment + 1 == piece.segments.size()) {
        ends.insert(end);
        return;
    }
    for (std::uint32_t gap = piece.gaps[segment].min; gap <= piece.gaps[segment].max; ++gap) {
        PieceEnds(piece, segment + 1, end + gap, data, ends);
    }
}

// Pieces in order: piece k may start anywhere at least its gap after the earliest end of a
// valid chain through piece k − 1.
inline bool ReferenceMatch(const BodyPattern& pattern, std::span<const std::uint8_t> data) {
    std::size_t earliestEnd = 0;
    for (std::size_t k = 0; k < pattern.pieces.size(); ++k) {
        std::set<std::size_t> ends;
        std::size_t from = k == 0 ? 0 : earliestEnd + pattern.pieces[k].minGapBefore;
        std::size_t to = data.size();
        if (k == 0 && pattern.offset) {
            if (*pattern.offset > data.size())
                return false;
            from = to = static_cast<std::size_t>(*pattern.offset);
        }
        for (std::size_t start = from; start <= to; ++start)
            PieceEnds(pattern.pieces[k], 0, start, data, ends);
        if (ends.empty())
            return false;
        earliestEnd = *ends.begin();
    }
    return true;
}

}  // namespace vestra::engine::testing
