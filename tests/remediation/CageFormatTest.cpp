// The quarantine file's bytes: key choice, position-keyed scrambling, the header's three
// terminators (only at even offsets), the magic test, and the old store's index records.
#include "remediation/CageFormat.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace vestra::remediation {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(CageFormatTest, KeyIsTheLengthModulo256OrTheFallback) {
    EXPECT_EQ(CageKey(256), kFallbackKey);
    EXPECT_EQ(CageKey(0), kFallbackKey);
    EXPECT_EQ(CageKey(257), 1);
    EXPECT_EQ(CageKey(300), 44);
    EXPECT_NE(kFallbackKey, 0);
}

TEST(CageFormatTest, BodyBytesAreXoredWithPositionAndKey) {
    for (std::size_t length : {256u, 257u, 600u}) {
        std::vector<std::uint8_t> input(length, 0xA7);
        std::vector<std::uint8_t> file = BuildCageFile(u"C:\\x.exe", u"V", u"T", input);
        auto header = ParseCageHeader(file, true);
        ASSERT_TRUE(header.has_value());
        ASSERT_EQ(file.size() - header->bodyOffset, length);
        const std::uint8_t* body = file.data() + header->bodyOffset;
        std::uint8_t key = CageKey(length);
        EXPECT_EQ(body[0], 0xA7 ^ key);
        EXPECT_EQ(body[1], 0xA7 ^ 1 ^ key);
        EXPECT_EQ(body[255], 0xA7 ^ 255 ^ key);
        EXPECT_EQ(body[256 % length], 0xA7 ^ key) << length;  // the position term wraps
        std::vector<std::uint8_t> back(body, body + length);
        ScrambleBody(back);
        EXPECT_EQ(back, input);
    }
}

TEST(CageFormatTest, HeaderIsMagicThenThreeUtf16TextsEachEndedByZero) {
    std::vector<std::uint8_t> file = BuildCageFile(u"C:\\a.exe", u"", u"", Bytes("MZ"));
    std::vector<std::uint8_t> expected = {'V', 'r', 'a', '!', 'C', 0,   ':', 0,   '\\',
                                          0,   'a', 0,   '.', 0,   'e', 0,   'x', 0,
                                          'e', 0,   0,   0,   0,   0,   0,   0};
    expected.push_back('M' ^ 0 ^ 2);
    expected.push_back('Z' ^ 1 ^ 2);
    EXPECT_EQ(file, expected);
    auto header = ParseCageHeader(file, true);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(ToUtf8(header->originPath), "C:\\a.exe");
    EXPECT_TRUE(header->virusName.empty());
    EXPECT_TRUE(header->virusType.empty());
    EXPECT_EQ(header->bodyOffset, 26u);
}

TEST(CageFormatTest, ZeroBytesAcrossTwoCharactersAreNoTerminator) {
    // 'A' then U+4100: bytes 41 00 00 41, a zero pair at an odd offset.
    std::u16string origin = u"C:\\A\u4100.exe";
    auto header = ParseCageHeader(BuildCageFile(origin, u"Name", u"Type", Bytes("x")), true);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->originPath, origin);
    EXPECT_EQ(ToUtf8(header->virusName), "Name");
    EXPECT_EQ(ToUtf8(header->virusType), "Type");
}

TEST(CageFormatTest, MagicIsCheckedOnlyWhenAskedAndShortHeadersFail) {
    std::vector<std::uint8_t> file = BuildCageFile(u"C:\\a.exe", u"N", u"T", Bytes("body"));
    file[0] = 'X';
    EXPECT_FALSE(ParseCageHeader(file, true).has_value());
    EXPECT_TRUE(ParseCageHeader(file, false).has_value());
    std::vector<std::uint8_t> twoTexts = {'V', 'r', 'a', '!', 'a', 0, 0, 0, 'b', 0, 0, 0, 'c', 0};
    EXPECT_FALSE(ParseCageHeader(twoTexts, true).has_value());
    EXPECT_FALSE(ParseCageHeader({}, false).has_value());
    EXPECT_FALSE(ParseCageHeader(Bytes("Vra"), true).has_value());
}

std::u16string Latin1(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

TEST(OldCageIndexTest, ReadsAnsiAndUtf16RecordsAndDropsNamesOutsideTheFolder) {
    std::string ansi =
        "W32.A|Worm|C:\\a.exe|a.vra||W32.B|Virus|D:\\b\\b.exe|b.vra||"
        "Bad|Worm|C:\\c.exe|..\\..\\Windows\\win.ini||Bad|Worm|C:\\d.exe|C:\\boot.ini||"
        "Bad|Worm|C:\\e.exe|sub/e.vra||short|record||Bad|Worm|C:\\f.exe|..";
    auto entries = ParseOldCageIndex(Bytes(ansi), Latin1);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(ToUtf8(entries[0].virusName), "W32.A");
    EXPECT_EQ(ToUtf8(entries[0].virusType), "Worm");
    EXPECT_EQ(ToUtf8(entries[0].originPath), "C:\\a.exe");
    EXPECT_EQ(ToUtf8(entries[0].storedName), "a.vra");
    EXPECT_EQ(ToUtf8(entries[1].originPath), "D:\\b\\b.exe");

    std::u16string wide = u"N\u0416|T|C:\\\u0416.exe|z.vra";
    std::vector<std::uint8_t> bytes;
    for (char16_t c : wide) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    entries = ParseOldCageIndex(bytes, Latin1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].virusName, u"N\u0416");
    EXPECT_EQ(entries[0].originPath, u"C:\\\u0416.exe");
}

}  // namespace
}  // namespace vestra::remediation
