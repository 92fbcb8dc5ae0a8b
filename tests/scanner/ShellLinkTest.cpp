// Shell link parsing: a link written out byte by byte, links built part by part, links cut
// short anywhere, and the target text a shortcut check searches.
#include "scanner/ShellLink.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/scanner/LinkFixture.h"

namespace vestra {
namespace {

using testing::BuildLink;
using testing::LinkSpec;

// The smallest useful link, written out by hand: the header with only "has link info" set, then
// link information with a volume id and the ANSI local path "C:\test\a.exe".
const std::vector<std::uint8_t> kHandMadeLink = {
    // header: size, CLSID
    0x4C, 0x00, 0x00, 0x00, 0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x46,
    // flags (link info), attributes (archive)
    0x02, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00,
    // creation, access, write times
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // file size, icon index, show command, hot key, reserved
    0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // link info: size 0x3C, header 0x1C, flags 1, volume id at 0x1C, local path at 0x2D,
    // no network part, suffix at 0x3B
    0x3C, 0, 0, 0, 0x1C, 0, 0, 0, 0x01, 0, 0, 0, 0x1C, 0, 0, 0, 0x2D, 0, 0, 0, 0, 0, 0, 0, 0x3B, 0,
    0, 0,
    // volume id: size 17, fixed drive, serial, label offset 16, empty label
    0x11, 0, 0, 0, 0x03, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0x10, 0, 0, 0, 0x00,
    // "C:\test\a.exe", then the empty common suffix
    'C', ':', '\\', 't', 'e', 's', 't', '\\', 'a', '.', 'e', 'x', 'e', 0x00, 0x00};

TEST(ShellLinkTest, HandMadeLinkGivesItsLocalPath) {
    ASSERT_EQ(kHandMadeLink.size(), 0x4Cu + 0x3Cu);
    auto link = ParseShellLink(kHandMadeLink);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(ToUtf8(link->localBasePath), "C:\\test\\a.exe");
    EXPECT_TRUE(link->idListPath.empty());
    EXPECT_TRUE(link->arguments.empty());
}

TEST(ShellLinkTest, ItemListSpellsThePathWithLongNamesOrShortOnesWithoutThem) {
    LinkSpec linkParts;
    linkParts.volume = u"E:\\";
    linkParts.items = {u"Program Folder", u"Setup Program.exe"};
    auto link = ParseShellLink(BuildLink(linkParts));
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(ToUtf8(link->idListPath), "E:\\Program Folder\\Setup Program.exe");

    linkParts.longNames = false;
    link = ParseShellLink(BuildLink(linkParts));
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(ToUtf8(link->idListPath), "E:\\Progra~1\\Setup ~1");
}

TEST(ShellLinkTest, UnicodeLinkInfoAndStringDataAreRead) {
    LinkSpec linkParts;
    linkParts.localBasePath = u"D:\\Apps\\tool.exe";
    linkParts.unicodeLinkInfo = true;
    linkParts.relativePath = u"..\\Apps\\tool.exe";
    linkParts.workingDir = u"D:\\Apps";
    linkParts.arguments = u"/run d:\\x\\payload.vbs";
    auto link = ParseShellLink(BuildLink(linkParts));
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(ToUtf8(link->localBasePath), "D:\\Apps\\tool.exe");
    EXPECT_EQ(ToUtf8(link->relativePath), "..\\Apps\\tool.exe");
    EXPECT_EQ(ToUtf8(link->workingDir), "D:\\Apps");
    EXPECT_EQ(ToUtf8(link->arguments), "/run d:\\x\\payload.vbs");

    linkParts.unicodeStrings = false;
    link = ParseShellLink(BuildLink(linkParts));
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(ToUtf8(link->arguments), "/run d:\\x\\payload.vbs");
}

TEST(ShellLinkTest, NonLinksAreRefused) {
    std::vector<std::uint8_t> bytes = kHandMadeLink;
    bytes[4] = 0x02;  // another class id
    EXPECT_FALSE(ParseShellLink(bytes).has_value());
    EXPECT_FALSE(ParseShellLink(std::span(kHandMadeLink).first(40)).has_value());
    EXPECT_FALSE(ParseShellLink({}).has_value());
}

TEST(ShellLinkTest, LinksCutAnywhereParseWithoutReadingPastTheEnd) {
    LinkSpec linkParts;
    linkParts.volume = u"C:\\";
    linkParts.items = {u"Windows", u"notepad.exe"};
    linkParts.localBasePath = u"C:\\Windows\\notepad.exe";
    linkParts.unicodeLinkInfo = true;
    linkParts.arguments = u"c:\\readme.txt";
    std::vector<std::uint8_t> whole = BuildLink(linkParts);
    for (std::size_t size = 0x4C; size <= whole.size(); ++size) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + size);  // exact-size buffer
        auto link = ParseShellLink(cut);
        ASSERT_TRUE(link.has_value()) << size;
    }
    auto link = ParseShellLink(whole);
    EXPECT_EQ(ToUtf8(link->idListPath), "C:\\Windows\\notepad.exe");
    EXPECT_EQ(ToUtf8(link->arguments), "c:\\readme.txt");
}

TEST(ShellLinkTest, LyingSizesStayInsideTheBuffer) {
    LinkSpec linkParts;
    linkParts.volume = u"C:\\";
    linkParts.items = {u"a.exe"};
    linkParts.localBasePath = u"C:\\a.exe";
    std::vector<std::uint8_t> bytes = BuildLink(linkParts);
    // Every 16-bit field set to a large value in turn: sizes, offsets, counts.
    for (std::size_t at = 0x4C; at + 1 < bytes.size(); ++at) {
        std::vector<std::uint8_t> bad = bytes;
        bad[at] = 0xFF;
        bad[at + 1] = 0x7F;
        EXPECT_TRUE(ParseShellLink(bad).has_value());
    }
}

TEST(LinkTargetTextTest, JoinsTheNamedPlacesAndResolvesTheRelativePath) {
    ShellLink link;
    link.localBasePath = u"C:\\a\\x.exe";
    link.relativePath = u"..\\..\\run\\.\\y.exe";
    link.arguments = u"/q";
    EXPECT_EQ(ToUtf8(LinkTargetText(link, u"E:\\one\\two\\")), "C:\\a\\x.exe|E:\\run\\y.exe|/q");

    ShellLink relativeOnly;
    relativeOnly.relativePath = u".\\z.exe";
    EXPECT_EQ(ToUtf8(LinkTargetText(relativeOnly, u"E:\\")), "E:\\z.exe");
    EXPECT_EQ(ToUtf8(LinkTargetText(ShellLink{}, u"E:\\")), "");
}

}  // namespace
}  // namespace vestra
