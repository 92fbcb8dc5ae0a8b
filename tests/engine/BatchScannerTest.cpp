// Batch checks give every file the verdict a check of that file alone gives: files that need MD5
// (hashed in lanes, found and clean), SHA-256 and pattern detections, a pattern across a block
// edge, the user's hashes, and files that cannot be read. Run with tiny blocks, so that lanes
// start, end and stand idle at every point, and with the real block size.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/core/BatchScanner.h"
#include "engine/core/FileScanner.h"
#include "engine/core/SignatureSource.h"
#include "tests/engine/TestFiles.h"

namespace vestra::engine {
namespace {

using testing::Hex;
using testing::TempFolder;
using testing::WriteBytes;

std::string DigestHex(DigestKind kind, const std::string& content) {
    StreamDigest digest(kind);
    digest.Reset();
    digest.Update(testing::Bytes(content));
    std::span<const std::uint8_t> bytes = digest.Finish();
    return Hex(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The user's hashes: one file's SHA-256.
class OneUserHash : public ExtraHashes {
public:
    OneUserHash(std::uint64_t size, const std::string& content) : size_(size) {
        StreamDigest digest(DigestKind::Sha256);
        digest.Reset();
        digest.Update(testing::Bytes(content));
        std::ranges::copy(digest.Finish(), digest_.begin());
    }
    bool HasSize(std::uint64_t size) const override { return size == size_; }
    std::optional<Detection> Find(std::uint64_t size, const Sha256& digest) const override {
        if (size != size_ || digest != digest_)
            return std::nullopt;
        return Detection{"User.Mine", 6, 2};
    }

private:
    std::uint64_t size_;
    Sha256 digest_{};
};

struct Planted {
    std::size_t size;
    const char* expect;  // the detection's name, "" for clean
};

// Every file of a size in this table needs MD5: clean ones through decoys of their size.
constexpr Planted kFiles[] = {
    {1, "Test.Md5.1"},
    {63, ""},
    {64, "Test.Md5.64"},
    {65, ""},
    {119, "Test.Md5.119"},
    {120, ""},
    {4096, "Test.Md5.4096"},
    {4097, ""},
    {70000, "Test.Md5.70000"},
    {150001, ""},
    {55, "Test.Sha.55"},
    {9000, "Test.Sha.9000"},
    {300, "Test.Marker"},
    {200000, "Test.Marker"},
    {77, "User.Mine"},
    {5000, "Test.Md5.5000"},
    {131072, ""},
    {131073, "Test.Md5.131073"},
    {33, ""},
    {12345, ""},
};

class BatchScannerTest : public ::testing::TestWithParam<std::tuple<Md5Lanes::Build, std::size_t>> {
protected:
    void SetUp() override {
        std::mt19937 random(11);
        std::string hdb, hsb;
        for (std::size_t i = 0; i < std::size(kFiles); ++i) {
            const Planted& file = kFiles[i];
            std::string content(file.size, '\0');
            for (char& c : content)
                c = static_cast<char>('a' + random() % 26);
            std::string expect = file.expect;
            if (expect == "Test.Marker")  // across the edge of 4096-byte blocks too
                content.replace(file.size > 5000 ? 4090 : 100, 13, "VESTRA-MARKER");
            if (expect.starts_with("Test.Md5"))
                hdb += DigestHex(DigestKind::Md5, content) + ":" + std::to_string(file.size) + ":" +
                       expect + "\n";
            else if (expect.starts_with("Test.Sha"))
                hsb += DigestHex(DigestKind::Sha256, content) + ":" + std::to_string(file.size) +
                       ":" + expect + "\n";
            else if (expect == "User.Mine")
                user_ = std::make_unique<OneUserHash>(file.size, content);
            // A decoy of every size, so that every file is MD5-hashed.
            hdb += std::string(32, '0') + ":" + std::to_string(file.size) + ":Decoy\n";
            paths_.push_back(folder_ / std::string("f").append(std::to_string(i)));
            WriteBytes(paths_.back(), content);
            expected_.push_back(expect);
        }
        // Files with nothing to read are clean.
        paths_.push_back(folder_ / "missing");
        WriteBytes(folder_ / "empty", "");
        paths_.push_back(folder_ / "empty");
        paths_.push_back(folder_.path());
        expected_.insert(expected_.end(), 3, "");

        SignatureSet set;
        ASSERT_TRUE(ParseSource(SourceKind::Md5, "t.hdb", hdb, set).empty());
        ASSERT_TRUE(ParseSource(SourceKind::Sha256, "t.hsb", hsb, set).empty());
        ASSERT_TRUE(
            ParseSource(SourceKind::Body, "t.ndb", "Test.Marker:0:*:" + Hex("VESTRA-MARKER"), set)
                .empty());
        DatabaseLoad load = Database::FromImage(WriteDatabase(set));
        ASSERT_TRUE(load.database);
        database_ = load.database;
    }

    // Each file `rounds` times over, so that more files than lanes pass through every lane.
    std::map<std::size_t, std::string> RunBatch(std::size_t rounds) {
        auto [build, blockSize] = GetParam();
        BatchScanner scanner(database_, blockSize, build);
        std::size_t next = 0;
        std::map<std::size_t, std::string> verdicts;
        scanner.Run(
            [&]() -> std::optional<BatchScanner::Job> {
                if (next == rounds * paths_.size())
                    return std::nullopt;
                std::size_t id = next++;
                return BatchScanner::Job{paths_[id % paths_.size()], id};
            },
            [&](std::size_t id, ScanResult result) {
                EXPECT_FALSE(verdicts.contains(id)) << "reported twice: " << id;
                verdicts[id] = result.detection ? result.detection->name : "";
            },
            user_.get());
        return verdicts;
    }

    TempFolder folder_;
    std::vector<std::filesystem::path> paths_;
    std::vector<std::string> expected_;
    std::unique_ptr<OneUserHash> user_;
    std::shared_ptr<const Database> database_;
};

TEST_P(BatchScannerTest, GivesEveryFileItsOwnVerdict) {
    constexpr std::size_t kRounds = 3;
    std::map<std::size_t, std::string> verdicts = RunBatch(kRounds);
    ASSERT_EQ(verdicts.size(), kRounds * paths_.size());
    FileScanner alone(database_);
    for (auto& [id, name] : verdicts) {
        const std::filesystem::path& path = paths_[id % paths_.size()];
        EXPECT_EQ(name, expected_[id % paths_.size()]) << path;
        std::optional<Detection> reference = alone.Scan(path, user_.get());
        EXPECT_EQ(name, reference ? reference->name : "") << path;
    }
}

TEST_P(BatchScannerTest, NoFilesIsNoReport) {
    BatchScanner scanner(database_, std::get<1>(GetParam()), std::get<0>(GetParam()));
    bool reported = false;
    scanner.Run([] { return std::optional<BatchScanner::Job>(); },
                [&](std::size_t, ScanResult) { reported = true; });
    EXPECT_FALSE(reported);
}

INSTANTIATE_TEST_SUITE_P(
    BuildsAndBlocks, BatchScannerTest,
    ::testing::Combine(::testing::Values(Md5Lanes::Build::Best, Md5Lanes::Build::Portable),
                       ::testing::Values(std::size_t{64}, std::size_t{100}, std::size_t{4096},
                                         BatchScanner::kBlockSize)));

}  // namespace
}  // namespace vestra::engine
