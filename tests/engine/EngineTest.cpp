// File checks through the engine: hash and pattern detections, files that cannot be read, the
// counts and listing by kind, a missing or damaged database, and the file checksum.
#include <gtest/gtest.h>

#include "engine/core/Engine.h"
#include "engine/core/SignatureSource.h"
#include "tests/engine/TestFiles.h"

namespace vestra::engine {
namespace {

using testing::Hex;
using testing::TempFolder;
using testing::WriteBytes;

constexpr char kMd5Text[] = "hash me please";
constexpr char kShaText[] = "sha content";

class EngineFiles : public ::testing::Test {
protected:
    void SetUp() override {
        SignatureSet set;
        ASSERT_TRUE(ParseSource(SourceKind::Md5, "t.hdb", Md5Line(), set).empty());
        ASSERT_TRUE(ParseSource(SourceKind::Sha256, "t.hsb", ShaLine(), set).empty());
        std::string body = "#@ category=Worm action=CLN\nTest.Marker:0:*:" + Hex("VESTRA-MARKER") +
                           "\nTest.Start:0:0:" + Hex("MZ") + "{0-4}" + Hex("START") + "\n";
        ASSERT_TRUE(ParseSource(SourceKind::Body, "t.ndb", body, set).empty());
        WriteBytes(database(), WriteDatabase(set));
        ASSERT_EQ(engine_.Load(), LoadError::None);
    }

    // The digests are taken from the engine's own hashing so the fixture cannot drift.
    static std::string Md5Line() { return DigestLine(kMd5Text, DigestKind::Md5, "Test.Md5"); }
    static std::string ShaLine() {
        return "#@ category=Trojan action=CAGE\n" +
               DigestLine(kShaText, DigestKind::Sha256, "Test.Sha");
    }
    static std::string DigestLine(std::string_view text, DigestKind kind, std::string_view name) {
        StreamDigest digest(kind);
        digest.Reset();
        digest.Update(testing::Bytes(text));
        std::span<const std::uint8_t> bytes = digest.Finish();
        std::string hex =
            Hex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return hex + ":" + std::to_string(text.size()) + ":" + std::string(name);
    }

    std::filesystem::path database() const { return folder_ / "Vestra.loov"; }
    std::filesystem::path File(std::string_view name, std::string_view content) {
        std::filesystem::path path = folder_ / name;
        WriteBytes(path, content);
        return path;
    }

    TempFolder folder_;
    Engine engine_{folder_ / "Vestra.loov"};
};

struct FileCase {
    const char* what;
    std::string content;
    const char* name;  // nullptr: clean
    std::int32_t code;
};

TEST_F(EngineFiles, DetectsByHashAndByPattern) {
    const FileCase cases[] = {
        {"MD5", kMd5Text, "Test.Md5", 1 * 16 + 2},
        {"SHA-256", kShaText, "Test.Sha", 2 * 16 + 3},
        {"marker", "some text VESTRA-MARKER more text", "Test.Marker", 4 * 16 + 1},
        {"fixed start", "MZ..START rest", "Test.Start", 4 * 16 + 1},
        {"fixed start moved", "xMZ..START", nullptr, 0},
        {"same size as the MD5, other bytes", "hash me pleasE", nullptr, 0},
        {"clean", "nothing to see", nullptr, 0},
        {"one byte", "x", nullptr, 0},
    };
    for (const FileCase& c : cases) {
        std::optional<Detection> found = engine_.Scan(File("sample.bin", c.content));
        if (!c.name) {
            EXPECT_FALSE(found) << c.what;
            continue;
        }
        ASSERT_TRUE(found) << c.what;
        EXPECT_EQ(found->name, c.name);
        EXPECT_EQ(found->Code(), c.code) << c.what;
    }
}

TEST_F(EngineFiles, APatternWinsOverAHashOfTheSameFile) {
    // A file whose bytes carry the marker and whose hash is also listed.
    std::string content = "xxVESTRA-MARKERxx";
    SignatureSet set;
    ASSERT_TRUE(
        ParseSource(SourceKind::Md5, "t.hdb", DigestLine(content, DigestKind::Md5, "By.Hash"), set)
            .empty());
    ASSERT_TRUE(
        ParseSource(SourceKind::Body, "t.ndb", "By.Pattern:0:*:" + Hex("VESTRA-MARKER"), set)
            .empty());
    WriteBytes(database(), WriteDatabase(set));
    ASSERT_EQ(engine_.Load(), LoadError::None);
    EXPECT_EQ(engine_.Scan(File("both.bin", content))->name, "By.Pattern");
}

TEST_F(EngineFiles, FindsAPatternAcrossTheBlockEdgeOfALargeFile) {
    for (std::size_t at : {FileScanner::kBlockSize - 7, FileScanner::kBlockSize * 3 + 1}) {
        std::string content(FileScanner::kBlockSize * 4, 'z');
        content.replace(at, 13, "VESTRA-MARKER");
        std::optional<Detection> found = engine_.Scan(File("large.bin", content));
        ASSERT_TRUE(found) << at;
        EXPECT_EQ(found->name, "Test.Marker");
    }
}

TEST_F(EngineFiles, FilesThatCannotBeReadAreClean) {
    EXPECT_FALSE(engine_.Scan(folder_ / "missing.bin"));
    EXPECT_FALSE(engine_.Scan(File("empty.bin", "")));
    EXPECT_FALSE(engine_.Scan(folder_.path()));  // a folder
    EXPECT_FALSE(FileChecksum(folder_ / "missing.bin"));
}

TEST_F(EngineFiles, CountsAndListsByKind) {
    EXPECT_EQ(engine_.Count(kKindHashes), 2u);
    EXPECT_EQ(engine_.Count(kKindPatterns), 2u);
    EXPECT_EQ(engine_.Count(kKindReserved), 0u);
    EXPECT_EQ(engine_.Count(kKindUser), 0u);
    EXPECT_EQ(engine_.Count(0), 0u);
    EXPECT_EQ(engine_.Count(5), 0u);

    EXPECT_EQ(engine_.Entry(kKindHashes, 0)->name, "Test.Md5");
    EXPECT_EQ(engine_.Entry(kKindHashes, 1)->name, "Test.Sha");
    EXPECT_EQ(engine_.Entry(kKindHashes, 1)->category, 3);
    EXPECT_FALSE(engine_.Entry(kKindHashes, 2));
    EXPECT_EQ(engine_.Entry(kKindPatterns, 1)->name, "Test.Start");
    EXPECT_FALSE(engine_.Entry(kKindReserved, 0));
    EXPECT_FALSE(engine_.Entry(kKindUser, 0));

    ASSERT_TRUE(engine_.AddUser(File("mine.bin", "my own"), "Malware.Behavior"));
    EXPECT_EQ(engine_.Count(kKindUser), 1u);
    EXPECT_EQ(engine_.Entry(kKindUser, 0)->name, "Malware.Behavior");
}

TEST_F(EngineFiles, AMissingOrDamagedDatabaseLeavesAnEmptyEngine) {
    std::vector<std::uint8_t> image = testing::ReadBytes(database());
    image[image.size() / 2] ^= 1;
    WriteBytes(database(), image);
    EXPECT_EQ(engine_.Load(), LoadError::Integrity);
    EXPECT_EQ(engine_.Count(kKindHashes), 0u);
    EXPECT_EQ(engine_.Count(kKindPatterns), 0u);
    EXPECT_FALSE(engine_.Scan(File("md5.bin", kMd5Text)));

    std::filesystem::remove(database());
    EXPECT_EQ(engine_.Load(), LoadError::Missing);
    EXPECT_FALSE(engine_.Scan(File("md5.bin", kMd5Text)));
}

TEST_F(EngineFiles, ChecksumIsTheStartOfTheSha256) {
    struct Case {
        const char* content;
        std::uint32_t a, b;
    };
    // SHA-256("abc") = ba7816bf 8f01cfea ...; SHA-256("") = e3b0c442 98fc1c14 ...
    for (const Case& c :
         {Case{"abc", 0xBA7816BFu, 0x8F01CFEAu}, Case{"", 0xE3B0C442u, 0x98FC1C14u}}) {
        std::optional<Checksum> checksum = FileChecksum(File("sum.bin", c.content));
        ASSERT_TRUE(checksum);
        EXPECT_EQ(checksum->a, c.a);
        EXPECT_EQ(checksum->b, c.b);
    }
}

}  // namespace
}  // namespace vestra::engine
