// The source parsers: good files with settings lines and comments, and bad lines reported with
// their file name and line number.
#include <gtest/gtest.h>

#include "engine/core/Signature.h"
#include "engine/core/SignatureSource.h"

namespace vestra::engine {
namespace {

TEST(SignatureSource, ReadsHashAndBodyLinesWithSettings) {
    SignatureSet set;
    std::string md5 =
        "# test hashes\r\n"
        "44d88612fea8a8f36de82e1278abb02f:68:First.Md5\r\n"
        "\r\n"
        "#@ category=Worm action=CAGE\r\n"
        "00112233445566778899AABBCCDDEEFF:1234:Second Md5\r\n";
    EXPECT_TRUE(ParseSource(SourceKind::Md5, "a.hdb", md5, set).empty());
    std::string body =
        "#@ category=ScriptVirus\n"
        "Body.One:0:*:4142??4344\n"
        "#@ action=4 category=3\n"
        "Body.Two:0:12:4142*4344\n";
    EXPECT_TRUE(ParseSource(SourceKind::Body, "a.ndb", body, set).empty());
    std::string sha = std::string(64, 'a') + ":5:Sha.One\n";
    EXPECT_TRUE(ParseSource(SourceKind::Sha256, "a.hsb", sha, set).empty());

    ASSERT_EQ(set.hashes.size(), 3u);
    EXPECT_EQ(set.hashes[0].name, "First.Md5");
    EXPECT_EQ(set.hashes[0].size, 68u);
    EXPECT_EQ(set.hashes[0].digest[0], 0x44);
    EXPECT_EQ(set.hashes[0].digest[15], 0x2f);
    EXPECT_EQ(set.hashes[0].category, kCategoryVirus);  // defaults: Virus, DEL
    EXPECT_EQ(set.hashes[0].action, kActionDelete);
    EXPECT_EQ(set.hashes[1].name, "Second Md5");
    EXPECT_EQ(set.hashes[1].digest[15], 0xff);
    EXPECT_EQ(set.hashes[1].category, kCategoryWorm);
    EXPECT_EQ(set.hashes[1].action, kActionCage);
    EXPECT_EQ(set.hashes[2].kind, DigestKind::Sha256);
    EXPECT_EQ(set.hashes[2].category, kCategoryVirus);  // settings end with their file

    ASSERT_EQ(set.bodies.size(), 2u);
    EXPECT_EQ(set.bodies[0].category, 4);
    EXPECT_EQ(set.bodies[0].action, kActionDelete);
    EXPECT_FALSE(set.bodies[0].pattern.offset);
    EXPECT_EQ(set.bodies[1].category, 3);
    EXPECT_EQ(set.bodies[1].action, 4);
    EXPECT_EQ(set.bodies[1].pattern.offset, 12u);
    EXPECT_EQ(set.bodies[1].pattern.pieces.size(), 2u);
}

struct BadLine {
    SourceKind kind;
    const char* line;
    const char* message;
};

class BadSourceLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadSourceLine, IsReportedWithFileAndLineNumber) {
    const BadLine& c = GetParam();
    SignatureSet set;
    std::string text = "# comment\n\n" + std::string(c.line) + "\n";
    std::vector<SourceError> errors = ParseSource(c.kind, "sigs/x.src", text, set);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Text(), std::string("sigs/x.src:3: ") + c.message);
    EXPECT_TRUE(set.hashes.empty());
    EXPECT_TRUE(set.bodies.empty());
}

const std::string kMd5 = "44d88612fea8a8f36de82e1278abb02f";

INSTANTIATE_TEST_SUITE_P(
    Lines, BadSourceLine,
    ::testing::Values(
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb02f:68", "expected MD5:size:name"},
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb02f:68:a:b",
                "expected MD5:size:name"},
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb0:68:Name",
                "digest must be 32 hex digits"},
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb0zz:68:Name",
                "digest must be 32 hex digits"},
        BadLine{SourceKind::Sha256, "44d88612fea8a8f36de82e1278abb02f:68:Name",
                "digest must be 64 hex digits"},
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb02f:0:Name",
                "size must be a positive number"},
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb02f:*:Name",
                "size must be a positive number"},
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb02f:-5:Name",
                "size must be a positive number"},
        BadLine{SourceKind::Md5, "44d88612fea8a8f36de82e1278abb02f:68:",
                "name must be 1 to 127 printable characters"},
        BadLine{SourceKind::Body, "Name:0:*", "expected name:target:offset:hex"},
        BadLine{SourceKind::Body, "Name:1:*:41424344", "only target 0 (any file) is supported"},
        BadLine{SourceKind::Body, "Name:0:EOF-5:41424344", "offset must be * or a number"},
        BadLine{SourceKind::Body, "Name:0:*:4142 4344",
                "pattern: unexpected character ' ' at column 5"},
        BadLine{SourceKind::Body, "Name:0:*:41??42",
                "pattern: piece 1 has no two fixed bytes in a row"},
        BadLine{SourceKind::Body, "#@ category=Spyware", "unknown category 'Spyware'"},
        BadLine{SourceKind::Body, "#@ category=10", "unknown category '10'"},
        BadLine{SourceKind::Body, "#@ action=KILL", "unknown action 'KILL'"},
        BadLine{SourceKind::Body, "#@ level=3", "unknown setting 'level'"}));

TEST(SignatureSource, EveryBadLineIsReportedWithItsOwnNumber) {
    SignatureSet set;
    std::string text =
        kMd5 + ":68:Good\n" + "bad line\n" + kMd5 + ":68:Good Too\n" + kMd5 + ":x:Bad\n";
    std::vector<SourceError> errors = ParseSource(SourceKind::Md5, "f.hdb", text, set);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].line, 2u);
    EXPECT_EQ(errors[1].line, 4u);
    EXPECT_EQ(set.hashes.size(), 2u);
}

TEST(SignatureSource, NameLimitIs127PrintableCharacters) {
    SignatureSet set;
    EXPECT_TRUE(
        ParseSource(SourceKind::Md5, "f", kMd5 + ":1:" + std::string(127, 'n'), set).empty());
    EXPECT_EQ(ParseSource(SourceKind::Md5, "f", kMd5 + ":1:" + std::string(128, 'n'), set).size(),
              1u);
    EXPECT_EQ(ParseSource(SourceKind::Md5, "f", kMd5 + ":1:tab\there", set).size(), 1u);
}

TEST(SignatureSource, KindComesFromTheExtension) {
    EXPECT_EQ(SourceKindOf("a/b.hdb"), SourceKind::Md5);
    EXPECT_EQ(SourceKindOf("B.HSB"), SourceKind::Sha256);
    EXPECT_EQ(SourceKindOf("c.Ndb"), SourceKind::Body);
    EXPECT_FALSE(SourceKindOf("d.txt"));
    EXPECT_FALSE(SourceKindOf("hdb"));
}

}  // namespace
}  // namespace vestra::engine
