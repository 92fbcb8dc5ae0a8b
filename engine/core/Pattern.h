// Body patterns in parsed form: fixed and any-byte positions, bounded gaps inside a piece, open
// gaps between independently found pieces. Built through PatternBuilder from hex text or from the
// database's compact code, so both inputs pass the same checks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/Outcome.h"

namespace vestra::engine {

// Limits that keep the matcher's look-back window bounded.
inline constexpr std::uint32_t kMaxPieceSpan = 65536;
inline constexpr std::size_t kMaxPieces = 64;

// A run of byte positions without gaps; mask 0xFF is a fixed byte, 0x00 any byte.
struct PatternSegment {
    std::vector<std::uint8_t> value;
    std::vector<std::uint8_t> mask;

    bool operator==(const PatternSegment&) const = default;
};

struct BoundedGap {
    std::uint32_t min = 0;
    std::uint32_t max = 0;

    bool operator==(const BoundedGap&) const = default;
};

// Segments joined by bounded gaps (gaps[i] lies between segments i and i+1); the whole piece is
// at most kMaxPieceSpan bytes long. minGapBefore is the least distance from the previous piece.
struct PatternPiece {
    std::uint32_t minGapBefore = 0;
    std::vector<PatternSegment> segments;
    std::vector<BoundedGap> gaps;

    std::uint32_t MaxSpan() const;
    bool operator==(const PatternPiece&) const = default;
};

struct BodyPattern {
    std::optional<std::uint64_t> offset;  // where the first piece starts; any place when empty
    std::vector<PatternPiece> pieces;

    bool operator==(const BodyPattern&) const = default;
};

// Collects pattern elements in order and checks the shape when finished.
class PatternBuilder {
public:
    void FixedByte(std::uint8_t value);
    void AnyByte();
    void Gap(std::uint32_t min, std::uint32_t max);  // bounded, inside a piece
    void OpenGap(std::uint32_t min);                 // "*" or {n-}: starts a new piece
    Outcome<BodyPattern> Finish(std::optional<std::uint64_t> offset);
    const std::string& Error() const { return error_; }  // the first problem met, if any

private:
    void Fail(std::string message);
    void AppendByte(std::uint8_t value, std::uint8_t mask);
    bool GrowPiece(std::uint64_t bytes);

    BodyPattern pattern_;
    enum class Last { Nothing, Byte, Gap } last_ = Last::Nothing;
    bool startNewSegment_ = true;
    std::uint64_t pieceSpan_ = 0;
    std::string error_;
};

// Hex text: byte pairs, "??" any byte, "{n-m}" "{n}" "{-m}" bounded gaps, "{n-}" and "*" open
// gaps. Errors name the column (1-based) where the text went wrong.
Outcome<BodyPattern> ParseHexPattern(std::string_view hex, std::optional<std::uint64_t> offset);
std::string FormatHexPattern(const BodyPattern& pattern);

// The database's compact form of a pattern (offset included).
void EncodePattern(const BodyPattern& pattern, std::vector<std::uint8_t>& out);
Outcome<BodyPattern> DecodePattern(std::span<const std::uint8_t> code);

}  // namespace vestra::engine
