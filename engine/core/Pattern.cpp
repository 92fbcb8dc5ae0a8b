// Pattern building and checks, hex text in and out, and the compact database code.
#include "engine/core/Pattern.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vestra::engine {
namespace {

enum Op : std::uint8_t { kOpFixed = 1, kOpAny = 2, kOpGap = 3, kOpOpen = 4 };
constexpr std::uint8_t kFlagOffset = 1;

std::uint64_t SpanOf(const PatternPiece& piece) {
    std::uint64_t span = 0;
    for (const PatternSegment& segment : piece.segments)
        span += segment.value.size();
    for (const BoundedGap& gap : piece.gaps)
        span += gap.max;
    return span;
}

bool HasFixedPair(const PatternPiece& piece) {
    for (const PatternSegment& segment : piece.segments) {
        for (std::size_t i = 0; i + 1 < segment.mask.size(); ++i) {
            if (segment.mask[i] && segment.mask[i + 1])
                return true;
        }
    }
    return false;
}

bool HasFixedByte(const PatternPiece& piece) {
    for (const PatternSegment& segment : piece.segments) {
        if (std::ranges::any_of(segment.mask, [](std::uint8_t m) { return m != 0; }))
            return true;
    }
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> Number(std::string_view text) {
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "{...}" contents: "n-m", "n", "-m" or "n-".
bool AddBraceGap(std::string_view inside, PatternBuilder& builder) {
    std::size_t dash = inside.find('-');
    if (dash == std::string_view::npos) {
        auto n = Number(inside);
        if (!n)
            return false;
        builder.Gap(*n, *n);
        return true;
    }
    std::string_view low = inside.substr(0, dash);
    std::string_view high = inside.substr(dash + 1);
    if (low.empty() && high.empty())
        return false;
    auto min = low.empty() ? std::optional<std::uint32_t>(0) : Number(low);
    if (!min)
        return false;
    if (high.empty()) {
        builder.OpenGap(*min);
        return true;
    }
    auto max = Number(high);
    if (!max)
        return false;
    builder.Gap(*min, *max);
    return true;
}

std::string Column(std::size_t index) {
    return std::string(" at column ").append(std::to_string(index + 1));
}

}  // namespace

std::uint32_t PatternPiece::MaxSpan() const {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(SpanOf(*this), std::numeric_limits<std::uint32_t>::max()));
}

void PatternBuilder::Fail(std::string message) {
    if (error_.empty())
        error_ = std::move(message);
}

// Checked as the piece grows, so that a hostile input cannot make it huge before Finish.
bool PatternBuilder::GrowPiece(std::uint64_t bytes) {
    pieceSpan_ += bytes;
    if (pieceSpan_ <= kMaxPieceSpan)
        return true;
    Fail(std::string("a piece spans more than ")
             .append(std::to_string(kMaxPieceSpan))
             .append(" bytes"));
    return false;
}

void PatternBuilder::AppendByte(std::uint8_t value, std::uint8_t mask) {
    if (!error_.empty())
        return;
    if (pattern_.pieces.empty())
        pattern_.pieces.emplace_back();
    PatternPiece& piece = pattern_.pieces.back();
    if (startNewSegment_)
        piece.segments.emplace_back();
    startNewSegment_ = false;
    if (!GrowPiece(1))
        return;
    piece.segments.back().value.push_back(value & mask);
    piece.segments.back().mask.push_back(mask);
    last_ = Last::Byte;
}

void PatternBuilder::FixedByte(std::uint8_t value) {
    AppendByte(value, 0xFF);
}
void PatternBuilder::AnyByte() {
    AppendByte(0, 0);
}

void PatternBuilder::Gap(std::uint32_t min, std::uint32_t max) {
    if (last_ == Last::Nothing)
        return Fail("the pattern starts with a gap");
    if (last_ == Last::Gap)
        return Fail("two gaps in a row");
    if (min > max)
        return Fail("gap minimum above its maximum");
    if (!error_.empty() || !GrowPiece(max))
        return;
    pattern_.pieces.back().gaps.push_back({min, max});
    startNewSegment_ = true;
    last_ = Last::Gap;
}

void PatternBuilder::OpenGap(std::uint32_t min) {
    if (last_ == Last::Nothing)
        return Fail("the pattern starts with a gap");
    if (last_ == Last::Gap)
        return Fail("two gaps in a row");
    if (pattern_.pieces.size() >= kMaxPieces)
        return Fail("more than 64 pieces");
    if (!error_.empty())
        return;
    pattern_.pieces.emplace_back().minGapBefore = min;
    pieceSpan_ = 0;
    startNewSegment_ = true;
    last_ = Last::Gap;
}

Outcome<BodyPattern> PatternBuilder::Finish(std::optional<std::uint64_t> offset) {
    if (!error_.empty())
        return Outcome<BodyPattern>::Failure(error_);
    if (last_ == Last::Nothing)
        return Outcome<BodyPattern>::Failure("empty pattern");
    if (last_ == Last::Gap)
        return Outcome<BodyPattern>::Failure("the pattern ends with a gap");
    for (std::size_t i = 0; i < pattern_.pieces.size(); ++i) {
        const PatternPiece& piece = pattern_.pieces[i];
        std::string which = std::string("piece ").append(std::to_string(i + 1));
        bool floating = i > 0 || !offset;
        if (floating && !HasFixedPair(piece)) {
            return Outcome<BodyPattern>::Failure(which + " has no two fixed bytes in a row");
        }
        if (!HasFixedByte(piece))
            return Outcome<BodyPattern>::Failure(which + " has no fixed byte");
    }
    pattern_.offset = offset;
    return pattern_;
}

Outcome<BodyPattern> ParseHexPattern(std::string_view hex, std::optional<std::uint64_t> offset) {
    PatternBuilder builder;
    std::size_t i = 0;
    while (i < hex.size()) {
        char c = hex[i];
        std::size_t start = i;
        if (c == '?') {
            if (i + 1 >= hex.size() || hex[i + 1] != '?') {
                return Outcome<BodyPattern>::Failure("half-byte wildcard" + Column(i));
            }
            builder.AnyByte();
            i += 2;
        } else if (c == '*') {
            builder.OpenGap(0);
            ++i;
        } else if (c == '{') {
            std::size_t close = hex.find('}', i);
            if (close == std::string_view::npos ||
                !AddBraceGap(hex.substr(i + 1, close - i - 1), builder)) {
                return Outcome<BodyPattern>::Failure("bad gap" + Column(i));
            }
            i = close + 1;
        } else if (HexDigit(c) >= 0) {
            if (i + 1 >= hex.size() || HexDigit(hex[i + 1]) < 0) {
                return Outcome<BodyPattern>::Failure("bad hex byte" + Column(i));
            }
            builder.FixedByte(static_cast<std::uint8_t>(HexDigit(c) * 16 + HexDigit(hex[i + 1])));
            i += 2;
        } else {
            return Outcome<BodyPattern>::Failure(std::string("unexpected character '") + c + "'" +
                                                 Column(i));
        }
        if (!builder.Error().empty())
            return Outcome<BodyPattern>::Failure(builder.Error() + Column(start));
    }
    return builder.Finish(offset);
}

std::string FormatHexPattern(const BodyPattern& pattern) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t p = 0; p < pattern.pieces.size(); ++p) {
        const PatternPiece& piece = pattern.pieces[p];
        if (p > 0 && piece.minGapBefore == 0)
            out += '*';
        if (p > 0 && piece.minGapBefore > 0) {
            out.append("{").append(std::to_string(piece.minGapBefore)).append("-}");
        }
        for (std::size_t s = 0; s < piece.segments.size(); ++s) {
            if (s > 0) {
                const BoundedGap& gap = piece.gaps[s - 1];
                out.append("{").append(std::to_string(gap.min));
                if (gap.max != gap.min)
                    out.append("-").append(std::to_string(gap.max));
                out += "}";
            }
            const PatternSegment& segment = piece.segments[s];
            for (std::size_t i = 0; i < segment.value.size(); ++i) {
                if (!segment.mask[i]) {
                    out += "??";
                    continue;
                }
                out += kDigits[segment.value[i] >> 4];
                out += kDigits[segment.value[i] & 15];
            }
        }
    }
    return out;
}

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Runs of fixed or of any bytes, each at most 65535 long.
void EncodeSegment(const PatternSegment& segment, std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < segment.mask.size()) {
        bool fixed = segment.mask[i] != 0;
        std::size_t end = i;
        while (end < segment.mask.size() && (segment.mask[end] != 0) == fixed && end - i < 0xFFFF)
            ++end;
        out.push_back(fixed ? kOpFixed : kOpAny);
        PutLe(out, end - i, 2);
        if (fixed)
            out.insert(out.end(), segment.value.begin() + i, segment.value.begin() + end);
        i = end;
    }
}

class CodeReader {
public:
    explicit CodeReader(std::span<const std::uint8_t> code) : code_(code) {}
    bool AtEnd() const { return pos_ == code_.size(); }
    std::optional<std::uint64_t> Take(std::size_t bytes) {
        if (code_.size() - pos_ < bytes)
            return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value |= std::uint64_t{code_[pos_ + i]} << (8 * i);
        pos_ += bytes;
        return value;
    }

private:
    std::span<const std::uint8_t> code_;
    std::size_t pos_ = 0;
};

// One element of the code; false when the code is cut short or unknown.
bool DecodeOp(CodeReader& reader, PatternBuilder& builder) {
    auto op = reader.Take(1);
    if (!op)
        return false;
    if (*op == kOpFixed || *op == kOpAny) {
        auto count = reader.Take(2);
        if (!count || *count == 0)
            return false;
        for (std::uint64_t i = 0; i < *count; ++i) {
            if (*op == kOpAny) {
                builder.AnyByte();
                continue;
            }
            auto value = reader.Take(1);
            if (!value)
                return false;
            builder.FixedByte(static_cast<std::uint8_t>(*value));
        }
        return true;
    }
    if (*op == kOpGap) {
        auto min = reader.Take(4);
        auto max = reader.Take(4);
        if (!min || !max)
            return false;
        builder.Gap(static_cast<std::uint32_t>(*min), static_cast<std::uint32_t>(*max));
        return true;
    }
    if (*op == kOpOpen) {
        auto min = reader.Take(4);
        if (!min)
            return false;
        builder.OpenGap(static_cast<std::uint32_t>(*min));
        return true;
    }
    return false;
}

}  // namespace

void EncodePattern(const BodyPattern& pattern, std::vector<std::uint8_t>& out) {
    out.push_back(pattern.offset ? kFlagOffset : 0);
    if (pattern.offset)
        PutLe(out, *pattern.offset, 8);
    for (std::size_t p = 0; p < pattern.pieces.size(); ++p) {
        const PatternPiece& piece = pattern.pieces[p];
        if (p > 0) {
            out.push_back(kOpOpen);
            PutLe(out, piece.minGapBefore, 4);
        }
        for (std::size_t s = 0; s < piece.segments.size(); ++s) {
            if (s > 0) {
                out.push_back(kOpGap);
                PutLe(out, piece.gaps[s - 1].min, 4);
                PutLe(out, piece.gaps[s - 1].max, 4);
            }
            EncodeSegment(piece.segments[s], out);
        }
    }
}

Outcome<BodyPattern> DecodePattern(std::span<const std::uint8_t> code) {
    CodeReader reader(code);
    auto flags = reader.Take(1);
    if (!flags || (*flags & ~std::uint64_t{kFlagOffset}) != 0) {
        return Outcome<BodyPattern>::Failure("bad pattern flags");
    }
    std::optional<std::uint64_t> offset;
    if (*flags & kFlagOffset) {
        offset = reader.Take(8);
        if (!offset)
            return Outcome<BodyPattern>::Failure("pattern code cut short");
    }
    PatternBuilder builder;
    while (!reader.AtEnd()) {
        if (!DecodeOp(reader, builder))
            return Outcome<BodyPattern>::Failure("bad pattern code");
        if (!builder.Error().empty())
            return Outcome<BodyPattern>::Failure(builder.Error());
    }
    return builder.Finish(offset);
}

}  // namespace vestra::engine
