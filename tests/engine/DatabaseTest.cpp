// Vestra.loov: a round trip keeps every signature; truncated, corrupted and foreign files are
// refused with their reason; damage behind a valid digest is still caught.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/Database.h"
#include "engine/core/DatabaseLayout.h"
#include "tests/engine/TestFiles.h"

namespace vestra::engine {
namespace {

HashSignature Hash(DigestKind kind, std::uint8_t fill, std::uint64_t size, std::string name) {
    HashSignature hash{kind, {}, size, std::move(name), 3, 2};
    hash.digest.fill(fill);
    if (kind == DigestKind::Md5)
        std::fill(hash.digest.begin() + 16, hash.digest.end(), 0);
    return hash;
}

SignatureSet SampleSet() {
    SignatureSet set;
    set.hashes = {
        Hash(DigestKind::Md5, 0x22, 500, "Md5.B"), Hash(DigestKind::Md5, 0x11, 500, "Md5.A"),
        Hash(DigestKind::Md5, 0x33, 40, "Md5.C"), Hash(DigestKind::Sha256, 0x44, 40, "Sha.A"),
        Hash(DigestKind::Md5, 0x22, 500, "Md5.B duplicate")};
    for (const char* hex : {"41424344", "4142??4344{1-3}45*46474849"}) {
        set.bodies.push_back(
            {std::string("Body.") + hex, 4, 1, ParseHexPattern(hex, std::nullopt).value()});
    }
    set.bodies.push_back({"Body.Offset", 1, 4, ParseHexPattern("4d5a", 0).value()});
    return set;
}

// Patches the image and writes a fresh digest over it, as a careful forger would.
std::vector<std::uint8_t> Redigested(std::vector<std::uint8_t> image) {
    Sha256 digest = Sha256Of(std::span(image).subspan(layout::kDigestedFrom));
    std::memcpy(&image[layout::kDigestAt], digest.data(), digest.size());
    return image;
}

TEST(Database, RoundTripKeepsEverySignature) {
    SignatureSet set = SampleSet();
    DatabaseLoad load = Database::FromImage(WriteDatabase(set));
    ASSERT_TRUE(load.database) << LoadErrorText(load.error);
    const Database& db = *load.database;
    EXPECT_EQ(db.Md5Count(), 3u);  // the duplicate key is dropped, the first name kept
    EXPECT_EQ(db.Sha256Count(), 1u);
    EXPECT_EQ(db.PatternCount(), 3u);

    // Listing order: MD5 sorted by (size, digest), then SHA-256.
    const char* names[] = {"Md5.C", "Md5.A", "Md5.B", "Sha.A"};
    for (std::uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(db.HashAt(i).name, names[i]);

    Md5 md5;
    md5.fill(0x22);
    std::optional<Detection> found = db.FindHash(DigestKind::Md5, 500, md5);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "Md5.B");
    EXPECT_EQ(found->Code(), 2 * 16 + 3);
    EXPECT_FALSE(db.FindHash(DigestKind::Md5, 501, md5));
    md5.fill(0x23);
    EXPECT_FALSE(db.FindHash(DigestKind::Md5, 500, md5));
    EXPECT_TRUE(db.HasSize(DigestKind::Md5, 40));
    EXPECT_FALSE(db.HasSize(DigestKind::Md5, 41));
    EXPECT_TRUE(db.HasSize(DigestKind::Sha256, 40));
    EXPECT_FALSE(db.HasSize(DigestKind::Sha256, 500));

    for (std::uint32_t i = 0; i < set.bodies.size(); ++i) {
        BodySignature body = db.PatternAt(i);
        EXPECT_EQ(body.name, set.bodies[i].name);
        EXPECT_EQ(body.category, set.bodies[i].category);
        EXPECT_EQ(body.action, set.bodies[i].action);
        EXPECT_EQ(body.pattern, set.bodies[i].pattern);
    }
    EXPECT_EQ(db.Patterns().PatternCount(), 3u);
}

TEST(Database, EmptySetMakesAnEmptyDatabase) {
    DatabaseLoad load = Database::FromImage(WriteDatabase({}));
    ASSERT_TRUE(load.database);
    EXPECT_EQ(load.database->HashCount() + load.database->PatternCount(), 0u);
    EXPECT_TRUE(load.database->Patterns().Empty());
}

TEST(Database, EveryTruncationIsRefused) {
    std::vector<std::uint8_t> image = WriteDatabase(SampleSet());
    for (std::size_t length = 0; length < image.size(); ++length) {
        DatabaseLoad load = Database::FromImage({image.begin(), image.begin() + length});
        EXPECT_FALSE(load.database) << length;
        EXPECT_EQ(load.error, LoadError::Truncated) << length;
    }
}

TEST(Database, EveryFlippedByteIsRefused) {
    std::vector<std::uint8_t> image = WriteDatabase(SampleSet());
    for (std::size_t at = 0; at < image.size(); ++at) {
        std::vector<std::uint8_t> damaged = image;
        damaged[at] ^= 0x10;
        DatabaseLoad load = Database::FromImage(damaged);
        EXPECT_FALSE(load.database) << at;
        if (at < 8) {
            EXPECT_EQ(load.error, LoadError::Foreign) << at;
        } else if (at >= layout::kDigestAt) {
            EXPECT_EQ(load.error, LoadError::Integrity) << at;
        }
    }
}

TEST(Database, ForeignAndNewerFilesAreRefused) {
    EXPECT_EQ(Database::FromImage(testing::Bytes("MZ\x90\x00 this is a program")).error,
              LoadError::Foreign);
    EXPECT_EQ(Database::FromImage(testing::Bytes("VESTLOO")).error, LoadError::Truncated);
    std::vector<std::uint8_t> newer = WriteDatabase(SampleSet());
    layout::Put(&newer[layout::kVersionAt], 2, 4);
    EXPECT_EQ(Database::FromImage(Redigested(newer)).error, LoadError::Version);
    std::vector<std::uint8_t> longer = WriteDatabase(SampleSet());
    longer.push_back(0);
    EXPECT_EQ(Database::FromImage(longer).error, LoadError::Malformed);
}

// Damage that a recomputed digest does not hide.
struct Forgery {
    const char* what;
    void (*patch)(std::vector<std::uint8_t>& image);
};

constexpr std::size_t kFirstMd5 = layout::kHeaderSize;
constexpr std::size_t kFirstTail = kFirstMd5 + 8 + 16;

const Forgery kForgeries[] = {
    {"MD5 count beyond the file", [](auto& i) { layout::Put(&i[layout::kMd5CountAt], 1000, 4); }},
    {"reserved kind in use", [](auto& i) { layout::Put(&i[layout::kReservedCountAt], 1, 4); }},
    {"zero file size in a record", [](auto& i) { layout::Put(&i[kFirstMd5], 0, 8); }},
    {"records out of order", [](auto& i) { layout::Put(&i[kFirstMd5], 100000, 8); }},
    {"name outside the pool", [](auto& i) { layout::Put(&i[kFirstTail], 0xFFFFFF, 4); }},
    {"category 0", [](auto& i) { i[kFirstTail + 4] = 0; }},
    {"category 10", [](auto& i) { i[kFirstTail + 4] = 10; }},
    {"action 5", [](auto& i) { i[kFirstTail + 5] = 5; }},
    {"pool not ending in NUL", [](auto& i) { i.back() = 'x'; }},
    {"pattern code past the end",
     [](auto& i) {
         std::size_t pattern = layout::kHeaderSize + 3 * 32 + 48;
         layout::Put(&i[pattern + 12], 0xFFFF, 4);
     }},
    {"pattern code damaged",
     [](auto& i) {
         std::size_t code = layout::kHeaderSize + 3 * 32 + 48 + 3 * 16;
         i[code + 1] = 0x77;  // an unknown element
     }},
};

TEST(Database, DamageBehindAValidDigestIsRefused) {
    for (const Forgery& forgery : kForgeries) {
        std::vector<std::uint8_t> image = WriteDatabase(SampleSet());
        forgery.patch(image);
        DatabaseLoad load = Database::FromImage(Redigested(image));
        EXPECT_FALSE(load.database) << forgery.what;
        EXPECT_EQ(load.error, LoadError::Malformed) << forgery.what;
    }
}

TEST(Database, LoadsFromAFileAndReportsAMissingOne) {
    testing::TempFolder folder;
    testing::WriteBytes(folder / "Vestra.loov", WriteDatabase(SampleSet()));
    DatabaseLoad load = Database::Load(folder / "Vestra.loov");
    ASSERT_TRUE(load.database);
    EXPECT_EQ(load.database->HashCount(), 4u);
    EXPECT_EQ(Database::Load(folder / "absent.loov").error, LoadError::Missing);
    EXPECT_EQ(Database::Load(folder.path()).error, LoadError::Missing);  // a folder
}

}  // namespace
}  // namespace vestra::engine
