// Archive members checked as files of their own: stored and deflated members, hashes and
// patterns, ZIP64 records, archives inside archives; damaged and hostile archives (truncated,
// wrong sizes, overlapping records, members that claim more than they hold, bombs, too deep,
// too many members) that must end quickly, clean or marked as not fully scanned; and archives
// found by their content through both scanners.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "engine/core/ArchiveScanner.h"
#include "engine/core/BatchScanner.h"
#include "engine/core/FileScanner.h"
#include "engine/core/SignatureSource.h"
#include "tests/engine/TestFiles.h"
#include "tests/engine/ZipWriter.h"

namespace vestra::engine {
namespace {

using testing::AsBytes;
using testing::Hex;
using testing::ZipBytes;
using testing::ZipWriter;
using Clock = std::chrono::steady_clock;

constexpr char kMd5Text[] = "member hashed by MD5";
constexpr char kShaText[] = "member hashed by SHA-256";

std::string DigestLine(std::string_view text, DigestKind kind, std::string_view name) {
    StreamDigest digest(kind);
    digest.Reset();
    digest.Update(testing::Bytes(text));
    std::span<const std::uint8_t> bytes = digest.Finish();
    return Hex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) + ":" +
           std::to_string(text.size()) + ":" + std::string(name);
}

std::shared_ptr<const Database> TestDatabase(const std::string& extraMd5 = "") {
    SignatureSet set;
    EXPECT_TRUE(ParseSource(SourceKind::Md5, "t.hdb",
                            DigestLine(kMd5Text, DigestKind::Md5, "Test.Md5") + "\n" + extraMd5,
                            set)
                    .empty());
    EXPECT_TRUE(ParseSource(SourceKind::Sha256, "t.hsb",
                            DigestLine(kShaText, DigestKind::Sha256, "Test.Sha"), set)
                    .empty());
    // The test file only counts at a member's start: found inside a stored member only when the
    // member itself is checked, not the archive's bytes around it.
    std::string body = "Eicar-Test-Signature:0:0:" + Hex(testing::EicarText()) +
                       "\nTest.Marker:0:*:" + Hex("VESTRA-MARKER") + "\n";
    EXPECT_TRUE(ParseSource(SourceKind::Body, "t.ndb", body, set).empty());
    return Database::FromImage(WriteDatabase(set)).database;
}

ZipBytes Zip(std::initializer_list<std::pair<std::string, ZipBytes>> members,
             ZipWriter::Method method = ZipWriter::kDeflated, bool zip64 = false) {
    ZipWriter writer;
    for (const auto& [name, data] : members)
        writer.Add(name, data, method);
    return writer.Write(zip64);
}

ZipBytes Eicar() {
    return AsBytes(testing::EicarText());
}

// `levels` archives, one inside the other, the innermost holding the test file.
ZipBytes NestedEicar(unsigned levels, ZipWriter::Method method = ZipWriter::kDeflated) {
    ZipBytes inner = Zip({{"eicar.com", Eicar()}}, method);
    for (unsigned i = 1; i < levels; ++i)
        inner = Zip({{"inner.zip", inner}}, method);
    return inner;
}

ZipBytes Noise(std::size_t size, std::uint32_t seed) {
    ZipBytes data(size);
    for (std::uint8_t& byte : data) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>('a' + (seed >> 24) % 26);
    }
    return data;
}

struct Case {
    const char* what;
    std::function<ZipBytes()> archive;
    const char* name;    // nullptr: nothing found
    const char* member;  // where
    bool incomplete;
};

class ArchiveScannerTest : public ::testing::Test {
protected:
    ScanResult ScanBytes(const ZipBytes& bytes, ArchiveLimits limits = {}) {
        ArchiveScanner scanner(*database_, limits);
        MemorySource source(bytes);
        return scanner.Scan(source, nullptr);
    }
    void Expect(const Case& c, ArchiveLimits limits = {}) {
        const ZipBytes bytes = c.archive();
        const Clock::time_point start = Clock::now();
        ScanResult result = ScanBytes(bytes, limits);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5)) << c.what;
        EXPECT_EQ(result.incomplete, c.incomplete) << c.what;
        if (!c.name) {
            EXPECT_FALSE(result.detection) << c.what << ": " << result.detection->name;
            return;
        }
        ASSERT_TRUE(result.detection) << c.what;
        EXPECT_EQ(result.detection->name, c.name) << c.what;
        EXPECT_EQ(result.member, c.member) << c.what;
    }

    std::shared_ptr<const Database> database_ = TestDatabase();
};

TEST_F(ArchiveScannerTest, FindsMembersAsFiles) {
    const std::size_t big = 3 * ArchiveScanner::kBlockSize;
    ZipBytes marked = Noise(big, 7);
    std::ranges::copy(std::string_view("VESTRA-MARKER"), marked.begin() + big / 3 * 2 - 5);
    const Case cases[] = {
        {"deflated",
         [] {
             return Zip({{"eicar.com", Eicar()}});
         },
         "Eicar-Test-Signature", "eicar.com", false},
        {"stored",
         [] {
             return Zip({{"eicar.com", Eicar()}}, ZipWriter::kStored);
         },
         "Eicar-Test-Signature", "eicar.com", false},
        {"MD5 of a member",
         [] {
             return Zip({{"a.bin", AsBytes(kMd5Text)}});
         },
         "Test.Md5", "a.bin", false},
        {"SHA-256 of a member",
         [] {
             return Zip({{"s.bin", AsBytes(kShaText)}}, ZipWriter::kStored);
         },
         "Test.Sha", "s.bin", false},
        {"second member, in a folder",
         [] {
             return Zip({{"a.txt", AsBytes("clean")}, {"dir/b.txt", AsBytes("x VESTRA-MARKER")}});
         },
         "Test.Marker", "dir/b.txt", false},
        {"pattern across blocks of a large member",
         [&] {
             return Zip({{"big.txt", marked}});
         },
         "Test.Marker", "big.txt", false},
        {"nested, deflated", [] { return NestedEicar(2); }, "Eicar-Test-Signature",
         "inner.zip/eicar.com", false},
        {"nested, stored", [] { return NestedEicar(3, ZipWriter::kStored); },
         "Eicar-Test-Signature", "inner.zip/inner.zip/eicar.com", false},
        {"ZIP64 records",
         [] {
             return Zip({{"a.txt", AsBytes("clean")}, {"eicar.com", Eicar()}}, ZipWriter::kDeflated,
                        true);
         },
         "Eicar-Test-Signature", "eicar.com", false},
        {"nested ZIP64",
         [] {
             return Zip({{"in.zip", Zip({{"e", Eicar()}}, ZipWriter::kDeflated, true)}},
                        ZipWriter::kDeflated, true);
         },
         "Eicar-Test-Signature", "in.zip/e", false},
        {"a member without a name",
         [] {
             return Zip({{"", Eicar()}});
         },
         "Eicar-Test-Signature", "?", false},
        {"control characters in a name",
         [] {
             return Zip({{"a\r\nb: x FOUND", Eicar()}});
         },
         "Eicar-Test-Signature", "a??b: x FOUND", false},
        {"the test file not at a member's start",
         [] {
             return Zip({{"x.txt", AsBytes(std::string("x").append(testing::EicarText()))}});
         },
         nullptr, "", false},
        {"clean",
         [] {
             return Zip(
                 {{"a.txt", AsBytes("hello")}, {"b/", {}}, {"c.zip", Zip({{"d", AsBytes("d")}})}});
         },
         nullptr, "", false},
        {"empty archive", [] { return ZipWriter().Write(); }, nullptr, "", false},
    };
    for (const Case& c : cases)
        Expect(c);
}

// A copy of `archive` with its bytes changed by `edit`.
ZipBytes Edited(ZipBytes archive, const std::function<void(ZipBytes&)>& edit) {
    edit(archive);
    return archive;
}

// The end record's field at `at` (from the record's start) set to a 32-bit value.
void SetEndField(ZipBytes& archive, std::size_t at, std::uint32_t value) {
    const std::size_t end = archive.size() - 22;
    for (int i = 0; i < 4; ++i)
        archive[end + at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

ZipBytes WithMember(const std::function<void(ZipWriter::Member&)>& edit,
                    const ZipBytes& data = Eicar()) {
    ZipWriter writer;
    writer.Add("eicar.com", data);
    edit(writer[0]);
    return writer.Write();
}

TEST_F(ArchiveScannerTest, DamagedAndHostileArchivesEndQuickly) {
    const ZipBytes zeros(8u << 20, 0);  // expands 1000-fold
    const Case cases[] = {
        {"cut in half",
         [] {
             ZipBytes z = NestedEicar(1);
             z.resize(z.size() / 2);
             return z;
         },
         nullptr, "", true},
        {"no end record",
         [] { return Edited(NestedEicar(1), [](ZipBytes& z) { z.erase(z.end() - 22, z.end()); }); },
         nullptr, "", true},
        {"directory beyond the end",
         [] { return Edited(NestedEicar(1), [](ZipBytes& z) { SetEndField(z, 16, 0x7FFFFFFF); }); },
         nullptr, "", true},
        {"directory entry overwritten",
         [] {
             return Edited(NestedEicar(1), [](ZipBytes& z) { z[z.size() - 22 - 46 - 9] ^= 0xFF; });
         },
         nullptr, "", true},
        {"claims more than it holds, found in what it holds",
         [] { return WithMember([](auto& m) { m.size = 0xFFFFFFF0u; }); }, "Eicar-Test-Signature",
         "eicar.com", false},
        {"claims more than it holds",
         [] { return WithMember([](auto& m) { m.size = 0xFFFFFFF0u; }, AsBytes("clean text")); },
         nullptr, "", true},
        {"claims fewer bytes than it expands to",
         [] { return WithMember([](auto& m) { m.size = 10; }); }, nullptr, "", true},
        {"compressed size past the directory",
         [] { return WithMember([](auto& m) { m.compressedSize += 1000; }); }, nullptr, "", true},
        {"wrong CRC, still read", [] { return WithMember([](auto& m) { m.crc ^= 1; }); },
         "Eicar-Test-Signature", "eicar.com", false},
        {"wrong CRC, clean member",
         [] { return WithMember([](auto& m) { m.crc ^= 1; }, AsBytes("clean text")); }, nullptr, "",
         true},
        {"corrupt deflate data",
         [] { return WithMember([](auto& m) { m.payload.assign(m.payload.size(), 0xFF); }); },
         nullptr, "", true},
        {"encrypted", [] { return WithMember([](auto& m) { m.flags |= 1; }); }, nullptr, "", true},
        {"unknown method", [] { return WithMember([](auto& m) { m.method = 12; }); }, nullptr, "",
         true},
        {"stored with two sizes",
         [] {
             return WithMember([](auto& m) {
                 m.method = 0;
                 m.payload = Eicar();
                 m.compressedSize = 60;
             });
         },
         nullptr, "", true},
        {"overlapping entries",
         [] {
             // The first member's stored bytes are the records of the second one.
             const ZipBytes inner = Zip({{"eicar.com", Eicar()}});
             ZipWriter writer;
             writer.Add("a.txt", ZipBytes(inner.begin(), inner.end() - 22 - 46 - 9),
                        ZipWriter::kStored);
             writer.Add("eicar.com", Eicar());
             writer[1].offset = 30 + 5;
             return writer.Write();
         },
         nullptr, "", true},
        {"bomb-like ratio",
         [&] {
             return Zip({{"zeros.bin", zeros}});
         },
         nullptr, "", true},
        {"bomb-like ratio, nested",
         [&] {
             return Zip({{"z.zip", Zip({{"zeros.bin", zeros}})}});
         },
         nullptr, "", true},
    };
    for (const Case& c : cases)
        Expect(c);
}

TEST_F(ArchiveScannerTest, LimitsLeaveTheRestUnchecked) {
    struct LimitCase {
        Case c;
        ArchiveLimits limits;
    };
    auto manyMembers = [] {
        ZipWriter writer;
        for (int i = 0; i < 40; ++i)
            writer.Add(std::string("m").append(std::to_string(i)),
                       AsBytes(std::string("clean ").append(std::to_string(i))));
        writer.Add("eicar.com", Eicar());
        return writer.Write();
    };
    ZipBytes late = Noise(200000, 3);
    std::ranges::copy(std::string_view("VESTRA-MARKER"), late.end() - 20);
    const LimitCase cases[] = {
        {{"one level too deep", [] { return NestedEicar(4); }, nullptr, "", true}, {.maxDepth = 3}},
        {{"deep enough", [] { return NestedEicar(3); }, "Eicar-Test-Signature",
          "inner.zip/inner.zip/eicar.com", false},
         {.maxDepth = 3}},
        {{"too many members", manyMembers, nullptr, "", true}, {.maxMembers = 40}},
        {{"members over all levels",
          [] {
              return Zip(
                  {{"a", AsBytes("a")}, {"b.zip", Zip({{"b", AsBytes("b")}, {"e", Eicar()}})}});
          },
          nullptr, "", true},
         {.maxMembers = 3}},
        {{"just enough members", manyMembers, "Eicar-Test-Signature", "eicar.com", false},
         {.maxMembers = 41}},
        {{"member beyond its size limit",
          [&] {
              return Zip({{"late.txt", late}});
          },
          nullptr, "", true},
         {.maxMemberSize = 100000}},
        {{"archive beyond its total",
          [&] {
              return Zip({{"a", Noise(60000, 1)}, {"b", late}});
          },
          nullptr, "", true},
         {.maxTotalSize = 150000}},
        {{"nested archive too large to expand",
          [] {
              return Zip({{"big.zip",
                           Zip({{"pad", Noise(300000, 2)}, {"e", Eicar()}}, ZipWriter::kStored)}});
          },
          nullptr, "", true},
         {.maxNestedInMemory = 100000}},
        {{"stored nested archive needs no memory",
          [] {
              return Zip({{"big.zip",
                           Zip({{"pad", Noise(300000, 2)}, {"e", Eicar()}}, ZipWriter::kStored)}},
                         ZipWriter::kStored);
          },
          "Eicar-Test-Signature", "big.zip/e", false},
         {.maxNestedInMemory = 100000}},
    };
    for (const LimitCase& c : cases)
        Expect(c.c, c.limits);
}

// Archives on disk are known by their content, not their name, in both scanners; the batch
// scanner's lanes (files that need MD5) hand archives on as well.
TEST(ArchiveFiles, BothScannersFindMembersByContent) {
    testing::TempFolder folder;
    const ZipBytes nested = NestedEicar(2);
    const ZipBytes junk = AsBytes("PK\x03\x04 not really an archive");
    struct File {
        const char* name;
        ZipBytes content;
        const char* found;
        const char* member;
        bool incomplete;
    } files[] = {
        {"archive.txt", nested, "Eicar-Test-Signature", "inner.zip/eicar.com", false},
        {"named.zip", AsBytes("plain text, not an archive"), nullptr, "", false},
        {"junk.bin", junk, nullptr, "", true},
        {"clean.zip", Zip({{"a.txt", AsBytes("a")}}), nullptr, "", false},
    };
    // A decoy MD5 of the nested archive's size, so that the batch scanner hashes it in a lane.
    auto database =
        TestDatabase(std::string(32, '0') + ":" + std::to_string(nested.size()) + ":Decoy\n");
    std::vector<std::filesystem::path> paths;
    for (const File& f : files) {
        paths.push_back(folder / f.name);
        testing::WriteBytes(paths.back(), f.content);
    }
    std::vector<ScanResult> batch(paths.size());
    BatchScanner(database).Run(
        [&, next = std::size_t{0}]() mutable -> std::optional<BatchScanner::Job> {
            if (next == paths.size())
                return std::nullopt;
            return BatchScanner::Job{paths[next], next++};
        },
        [&](std::size_t id, ScanResult result) { batch[id] = std::move(result); });
    FileScanner alone(database);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        for (const ScanResult& result : {alone.Check(paths[i]), batch[i]}) {
            EXPECT_EQ(result.incomplete, files[i].incomplete) << files[i].name;
            EXPECT_EQ(result.member, files[i].member) << files[i].name;
            if (files[i].found) {
                ASSERT_TRUE(result.detection) << files[i].name;
                EXPECT_EQ(result.detection->name, files[i].found);
            } else {
                EXPECT_FALSE(result.detection) << files[i].name;
            }
        }
    }
    // Without a single body pattern or a hash of its size, an archive is still opened.
    SignatureSet set;
    ASSERT_TRUE(
        ParseSource(SourceKind::Md5, "t.hdb", DigestLine(kMd5Text, DigestKind::Md5, "M"), set)
            .empty());
    FileScanner hashesOnly(Database::FromImage(WriteDatabase(set)).database);
    testing::WriteBytes(folder / "md5.zip", Zip({{"in.zip", Zip({{"m", AsBytes(kMd5Text)}})}}));
    ScanResult result = hashesOnly.Check(folder / "md5.zip");
    ASSERT_TRUE(result.detection);
    EXPECT_EQ(result.member, "in.zip/m");
}

}  // namespace
}  // namespace vestra::engine
