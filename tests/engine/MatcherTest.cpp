// The matcher over in-memory data: a table of {data, pattern, expected} rows run at many block
// sizes (so that every row also crosses block edges), patterns planted at the default block edge,
// sets of patterns, and randomised comparison with the plain reference matcher.
#include <gtest/gtest.h>

#include <random>

#include "engine/core/Matcher.h"
#include "tests/engine/ReferenceMatcher.h"
#include "tests/engine/TestFiles.h"

namespace vestra::engine {
namespace {

using testing::Bytes;
using testing::ReferenceMatch;

constexpr std::size_t FileBlock() {
    return 256 * 1024;
}
constexpr std::size_t kBlockSizes[] = {1, 2, 3, 5, 7, 16, FileBlock()};

BodyPattern Parse(std::string_view hex, std::optional<std::uint64_t> offset = std::nullopt) {
    Outcome<BodyPattern> pattern = ParseHexPattern(hex, offset);
    EXPECT_TRUE(pattern) << hex << ": " << pattern.error();
    return pattern ? pattern.value() : BodyPattern{};
}

std::optional<std::uint32_t> Find(const Matcher& matcher, std::span<const std::uint8_t> data,
                                  std::size_t blockSize) {
    MatchStream stream(matcher, blockSize);
    return stream.ScanAll(data);
}

struct Row {
    const char* what;
    std::string data;
    const char* hex;  // letters: A=41 B=42 C=43 D=44 E=45 F=46 G=47 H=48
    std::optional<std::uint64_t> offset;
    bool expected;
};

class MatcherRows : public ::testing::TestWithParam<Row> {};

TEST_P(MatcherRows, AtEveryBlockSize) {
    const Row& row = GetParam();
    Matcher matcher({Parse(row.hex, row.offset)});
    std::vector<std::uint8_t> data = Bytes(row.data);
    ASSERT_EQ(ReferenceMatch(Parse(row.hex, row.offset), data), row.expected) << "row is wrong";
    for (std::size_t blockSize : kBlockSizes) {
        EXPECT_EQ(Find(matcher, data, blockSize).has_value(), row.expected)
            << "block " << blockSize;
    }
}

const Row kRows[] = {
    {"whole file", "ABCD", "41424344", {}, true},
    {"inside", "xxABCDxx", "41424344", {}, true},
    {"at the very end", "xxxxABCD", "41424344", {}, true},
    {"broken by a byte", "xxABCxDxx", "41424344", {}, false},
    {"file shorter than pattern", "ABC", "41424344", {}, false},
    {"empty file", "", "41424344", {}, false},
    {"any byte", "xABzCDx", "4142??4344", {}, true},
    {"any byte needs a byte", "xABCDx", "4142??4344", {}, false},
    {"bounded gap too short", "ABxCD", "4142{2-4}4344", {}, false},
    {"bounded gap lowest", "ABxxCD", "4142{2-4}4344", {}, true},
    {"bounded gap highest", "ABxxxxCD", "4142{2-4}4344", {}, true},
    {"bounded gap too long", "ABxxxxxCD", "4142{2-4}4344", {}, false},
    {"exact gap", "ABxxxCD", "4142{3}4344", {}, true},
    {"exact gap missed", "ABxxCD", "4142{3}4344", {}, false},
    {"pieces in order", "ABCDxxxEFGH", "41424344*45464748", {}, true},
    {"pieces adjacent", "ABCDEFGH", "41424344*45464748", {}, true},
    {"pieces reversed", "EFGHxxABCD", "41424344*45464748", {}, false},
    {"second piece also after", "EFGHABCDEFGH", "41424344*45464748", {}, true},
    {"pieces may not overlap", "ABCDEF", "41424344*43444546", {}, false},
    {"pieces apart", "ABCDxCDEF", "41424344*43444546", {}, true},
    {"open gap below minimum", "ABCDxEFGH", "41424344{2-}45464748", {}, false},
    {"open gap at minimum", "ABCDxxEFGH", "41424344{2-}45464748", {}, true},
    {"offset 0", "ABCDxx", "41424344", 0, true},
    {"offset 0 elsewhere", "xABCD", "41424344", 0, false},
    {"offset 3", "xxxABCD", "41424344", 3, true},
    {"offset 3 too early", "xxABCDx", "41424344", 3, false},
    {"offset 3 too late", "xxxxABCD", "41424344", 3, false},
    {"offset past the end", "ABCD", "41424344", 10, false},
    {"offset with a later piece", "ABxxCD", "4142*4344", 0, true},
    {"offset with a later piece shifted", "xABxxCD", "4142*4344", 0, false},
    {"offset first piece of any bytes", "zA", "??41", 0, true},
    {"two-byte anchor", "zAxBCz", "41??4243", {}, true},
    {"two-byte anchor missed", "zAxBxC", "41??4243", {}, false},
    {"three-byte anchor", "zABCxDz", "414243??44", {}, true},
    {"self-overlapping anchor", "AAAAAAAB", "4141414142", {}, true},
    {"segment before the anchor", "AxBCDE", "41{1-3}42434445", {}, true},
    {"segment before the anchor, far", "AxxxBCDE", "41{1-3}42434445", {}, true},
    {"segment before the anchor, too far", "AxxxxBCDE", "41{1-3}42434445", {}, false},
    {"segments after the anchor", "BCDEFxG", "42434445{0-2}46{1}47", {}, true},
    {"segments after the anchor, widest", "BCDExxFxG", "42434445{0-2}46{1}47", {}, true},
    {"segments after the anchor, too wide", "BCDExxxFxG", "42434445{0-2}46{1}47", {}, false},
    {"gap piece then chained piece", "ABxxCxDE", "4142{0-8}43*4445", {}, true},
    {"zero bytes", std::string("\0\0\0\0ABCD\0", 9), "0000000041", {}, true},
};

INSTANTIATE_TEST_SUITE_P(Table, MatcherRows, ::testing::ValuesIn(kRows));

std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> data(size);
    for (std::uint8_t& b : data)
        b = static_cast<std::uint8_t>(random());
    return data;
}

struct Planted {
    const char* hex;
    std::vector<std::uint8_t> first;   // planted around the block edge
    std::vector<std::uint8_t> second;  // planted well after it, when the pattern has two pieces
};

TEST(MatcherBlockEdge, PatternsStraddlingTheDefaultBlockEdgeAreFound) {
    const std::size_t edge = FileBlock();
    const Planted cases[] = {
        {"c0ffee00??11223344{1-2}5566",
         {0xc0, 0xff, 0xee, 0x00, 0x99, 0x11, 0x22, 0x33, 0x44, 0x77, 0x55, 0x66},
         {}},
        {"c1??c2c3", {0xc1, 0x00, 0xc2, 0xc3}, {}},
        {"a1a2a3a4a5*b1b2b3b4b5", {0xa1, 0xa2, 0xa3, 0xa4, 0xa5}, {0xb1, 0xb2, 0xb3, 0xb4, 0xb5}},
    };
    for (const Planted& c : cases) {
        Matcher matcher({Parse(c.hex)});
        for (std::size_t at = edge - 30; at <= edge + 5; ++at) {
            std::vector<std::uint8_t> data =
                RandomBytes(edge * 2 + 100, static_cast<std::uint32_t>(at));
            std::ranges::copy(c.first, data.begin() + at);
            std::ranges::copy(c.second, data.begin() + edge + 40);
            ASSERT_TRUE(ReferenceMatch(Parse(c.hex), data));
            EXPECT_TRUE(Find(matcher, data, edge)) << c.hex << " at " << at;
        }
    }
}

TEST(MatcherSets, ReportsAPatternThatMatchesAndNothingOtherwise) {
    std::vector<BodyPattern> patterns = {Parse("41424344"),          Parse("42434445"),
                                         Parse("45464748*41424344"), Parse("41??41??4141"),
                                         Parse("4848", 2),           Parse("47474747{1-3}4848")};
    Matcher matcher(patterns);
    const char* inputs[] = {"",       "xx",  "ABCD",    "xBCDEx",     "EFGHxxABCD", "AxAxAA",
                            "xxHHxx", "xHH", "GGGGzHH", "GGGGzzzzHH", "ABC BCD CDE"};
    for (const char* input : inputs) {
        std::vector<std::uint8_t> data = Bytes(input);
        bool any = false;
        for (const BodyPattern& pattern : patterns)
            any = any || ReferenceMatch(pattern, data);
        for (std::size_t blockSize : kBlockSizes) {
            std::optional<std::uint32_t> found = Find(matcher, data, blockSize);
            EXPECT_EQ(found.has_value(), any) << input << " block " << blockSize;
            if (found) {
                EXPECT_TRUE(ReferenceMatch(patterns[*found], data)) << input;
            }
        }
    }
}

TEST(MatcherSets, EmptyMatcherFindsNothing) {
    Matcher matcher;
    EXPECT_TRUE(matcher.Empty());
    EXPECT_FALSE(Find(matcher, Bytes("anything at all"), 4));
}

// Random patterns over a three-letter alphabet, so that they often almost match.
std::string RandomHex(std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    std::string hex;
    int pieces = 1 + pick(3);
    for (int p = 0; p < pieces; ++p) {
        if (p > 0)
            hex += pick(2) ? "*" : "{" + std::to_string(1 + pick(3)) + "-}";
        int segments = 1 + pick(3);
        for (int s = 0; s < segments; ++s) {
            if (s > 0) {
                int min = pick(3);
                hex += "{" + std::to_string(min) + "-" + std::to_string(min + pick(3)) + "}";
            }
            int length = 1 + pick(5);
            for (int i = 0; i < length; ++i)
                hex += pick(6) == 0 ? "??" : testing::Hex(std::string(1, "ABC"[pick(3)]));
        }
    }
    return hex;
}

TEST(MatcherRandom, AgreesWithTheReferenceMatcher) {
    std::mt19937 random(12345);
    int checked = 0, matched = 0;
    while (checked < 3000) {
        std::vector<BodyPattern> patterns;
        int count = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < count; ++i) {
            std::optional<std::uint64_t> offset;
            if (random() % 4 == 0)
                offset = random() % 8;
            Outcome<BodyPattern> pattern = ParseHexPattern(RandomHex(random), offset);
            if (pattern)
                patterns.push_back(pattern.value());
        }
        if (patterns.empty())
            continue;
        std::string text;
        std::size_t length = random() % 120;
        for (std::size_t i = 0; i < length; ++i)
            text += "ABCD"[random() % 4];
        std::vector<std::uint8_t> data = Bytes(text);
        bool any = false;
        for (const BodyPattern& pattern : patterns)
            any = any || ReferenceMatch(pattern, data);
        Matcher matcher(patterns);
        std::size_t blockSize = 1 + random() % 40;
        std::optional<std::uint32_t> found = Find(matcher, data, blockSize);
        ASSERT_EQ(found.has_value(), any) << "data " << text << " block " << blockSize << " first "
                                          << FormatHexPattern(patterns[0]);
        if (found) {
            ASSERT_TRUE(ReferenceMatch(patterns[*found], data));
        }
        matched += any;
        ++checked;
    }
    EXPECT_GT(matched, 300);  // the comparison must cover both answers
    EXPECT_LT(matched, 2700);
}

}  // namespace
}  // namespace vestra::engine
