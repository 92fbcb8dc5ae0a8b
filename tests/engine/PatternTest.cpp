// Hex pattern text and the database's pattern code: what is accepted, what is refused and why,
// and that both forms carry a pattern unchanged.
#include <gtest/gtest.h>

#include "engine/core/Pattern.h"

namespace vestra::engine {
namespace {

struct GoodCase {
    const char* hex;
    std::optional<std::uint64_t> offset;
    const char* formatted;  // canonical text of the parsed pattern
    std::size_t pieces;
};

class GoodPattern : public ::testing::TestWithParam<GoodCase> {};

TEST_P(GoodPattern, ParsesFormatsAndSurvivesTheDatabaseCode) {
    const GoodCase& c = GetParam();
    Outcome<BodyPattern> parsed = ParseHexPattern(c.hex, c.offset);
    ASSERT_TRUE(parsed) << parsed.error();
    EXPECT_EQ(parsed.value().pieces.size(), c.pieces);
    EXPECT_EQ(FormatHexPattern(parsed.value()), c.formatted);
    std::vector<std::uint8_t> code;
    EncodePattern(parsed.value(), code);
    Outcome<BodyPattern> decoded = DecodePattern(code);
    ASSERT_TRUE(decoded) << decoded.error();
    EXPECT_EQ(decoded.value(), parsed.value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GoodPattern,
    ::testing::Values(GoodCase{"41424344", std::nullopt, "41424344", 1},
                      GoodCase{"41424344", 0, "41424344", 1},
                      GoodCase{"4142??4344", std::nullopt, "4142??4344", 1},
                      GoodCase{"4142{2-4}4344", std::nullopt, "4142{2-4}4344", 1},
                      GoodCase{"4142{3}4344", std::nullopt, "4142{3}4344", 1},
                      GoodCase{"4142{-3}4344", std::nullopt, "4142{0-3}4344", 1},
                      GoodCase{"4142*4344", std::nullopt, "4142*4344", 2},
                      GoodCase{"4142{5-}4344*4546", std::nullopt, "4142{5-}4344*4546", 3},
                      GoodCase{"ABcdEF01", std::nullopt, "abcdef01", 1},
                      // At a fixed offset the first piece needs only one fixed byte.
                      GoodCase{"41??42", 16, "41??42", 1}, GoodCase{"??41", 0, "??41", 1}));

struct BadCase {
    const char* hex;
    std::optional<std::uint64_t> offset;
    const char* error;
};

class BadPattern : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadPattern, IsRefusedWithItsReason) {
    const BadCase& c = GetParam();
    Outcome<BodyPattern> parsed = ParseHexPattern(c.hex, c.offset);
    ASSERT_FALSE(parsed);
    EXPECT_EQ(parsed.error(), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadPattern,
    ::testing::Values(
        BadCase{"", std::nullopt, "empty pattern"},
        BadCase{"414", std::nullopt, "bad hex byte at column 3"},
        BadCase{"4g", std::nullopt, "bad hex byte at column 1"},
        BadCase{"41g2", std::nullopt, "unexpected character 'g' at column 3"},
        BadCase{"4142?4", std::nullopt, "half-byte wildcard at column 5"},
        BadCase{"4142 4344", std::nullopt, "unexpected character ' ' at column 5"},
        BadCase{"*41424344", std::nullopt, "the pattern starts with a gap at column 1"},
        BadCase{"41424344*", std::nullopt, "the pattern ends with a gap"},
        BadCase{"4142**4344", std::nullopt, "two gaps in a row at column 6"},
        BadCase{"4142{1-2}{3}4344", std::nullopt, "two gaps in a row at column 10"},
        BadCase{"4142{4-2}4344", std::nullopt, "gap minimum above its maximum at column 5"},
        BadCase{"4142{x}4344", std::nullopt, "bad gap at column 5"},
        BadCase{"4142{2-4", std::nullopt, "bad gap at column 5"},
        BadCase{"4142{-}4344", std::nullopt, "bad gap at column 5"},
        BadCase{"4142{0-70000}4344", std::nullopt,
                "a piece spans more than 65536 bytes at column 5"},
        // Floating pieces need an anchor for the filters.
        BadCase{"41??42??43", std::nullopt, "piece 1 has no two fixed bytes in a row"},
        BadCase{"4142*43??44", std::nullopt, "piece 2 has no two fixed bytes in a row"},
        BadCase{"????", 0, "piece 1 has no fixed byte"}));

TEST(PatternCode, DamagedCodeIsRefused) {
    Outcome<BodyPattern> parsed = ParseHexPattern("4142{1-2}4344*4546", 7);
    ASSERT_TRUE(parsed);
    std::vector<std::uint8_t> code;
    EncodePattern(parsed.value(), code);
    // Every shorter prefix is cut inside an element or leaves a pattern ending in a gap.
    for (std::size_t length = 0; length < code.size(); ++length) {
        std::vector<std::uint8_t> cut(code.begin(), code.begin() + length);
        Outcome<BodyPattern> decoded = DecodePattern(cut);
        EXPECT_FALSE(decoded && decoded.value() == parsed.value()) << "prefix " << length;
    }
    std::vector<std::uint8_t> unknownOp = code;
    unknownOp.push_back(9);
    EXPECT_FALSE(DecodePattern(unknownOp));
    EXPECT_FALSE(DecodePattern(std::vector<std::uint8_t>{0x02, 0x01, 0x00}));  // flag byte 2
}

TEST(PatternCode, HugeAnyRunsStopAtThePieceLimit) {
    // 30 runs of 65535 any-bytes joined by zero gaps: tiny code, far beyond one piece's span.
    std::vector<std::uint8_t> code = {0, 1, 2, 0, 0x41, 0x42};
    for (int i = 0; i < 30; ++i) {
        code.insert(code.end(), {3, 0, 0, 0, 0, 0, 0, 0, 0});
        code.insert(code.end(), {2, 0xFF, 0xFF});
    }
    Outcome<BodyPattern> decoded = DecodePattern(code);
    ASSERT_FALSE(decoded);
    EXPECT_EQ(decoded.error(), "a piece spans more than 65536 bytes");
}

}  // namespace
}  // namespace vestra::engine
