// User signatures: shared by two processes through the store file, the run-only "Suspected By
// User", removal by path and by content, the category rule, and the store surviving interrupted
// writes and damage.
#include <gtest/gtest.h>

#include "engine/core/Engine.h"
#include "engine/core/UserSignatures.h"
#include "tests/engine/TestFiles.h"

namespace vestra::engine {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

class UserStore : public ::testing::Test {
protected:
    std::filesystem::path File(std::string_view name, std::string_view content) {
        std::filesystem::path path = folder_ / name;
        WriteBytes(path, content);
        return path;
    }
    std::optional<Detection> Lookup(UserSignatures& store, const std::filesystem::path& file) {
        store.Refresh();
        std::optional<FileDigest> digest = FileSha256(file);
        return digest ? store.Find(digest->size, digest->sha256) : std::nullopt;
    }
    std::filesystem::path store() const { return folder_ / "Vestra.vbu"; }

    TempFolder folder_;
};

TEST_F(UserStore, TheOtherProcessSeesWhatOneAdds) {
    UserSignatures main(store()), protection(store());
    std::filesystem::path file = File("a.exe", "dropper one");
    EXPECT_FALSE(Lookup(protection, file));
    ASSERT_TRUE(main.Add(file, "Malware.Behavior"));
    std::optional<Detection> seen = Lookup(protection, file);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->name, "Malware.Behavior");
    EXPECT_EQ(seen->category, kCategoryUser);
    EXPECT_EQ(seen->action, kActionCage);

    // Both add; neither loses the other's entry.
    ASSERT_TRUE(protection.Add(File("b.exe", "dropper two"), "New Heur.Level(9)"));
    ASSERT_TRUE(main.Add(File("c.exe", "dropper three"), "Malware.Behavior"));
    UserSignatures restarted(store());
    restarted.Refresh();
    EXPECT_EQ(restarted.Count(), 3u);
    EXPECT_EQ(Lookup(restarted, folder_ / "b.exe")->category, kCategorySuspected);
}

TEST_F(UserStore, SuspectedByUserLastsOnlyForTheRunThatAddedIt) {
    UserSignatures main(store()), protection(store());
    std::filesystem::path file = File("s.exe", "suspect");
    ASSERT_TRUE(main.Add(file, "Suspected By User"));
    EXPECT_EQ(Lookup(main, file)->name, "Suspected By User");
    EXPECT_FALSE(Lookup(protection, file));
    EXPECT_FALSE(std::filesystem::exists(store()));
    UserSignatures restarted(store());
    EXPECT_FALSE(Lookup(restarted, file));
}

TEST_F(UserStore, RemovesByPathEvenAfterTheFileChanged) {
    UserSignatures main(store()), other(store());
    std::filesystem::path file = File("v.exe", "first content");
    ASSERT_TRUE(main.Add(file, "Suspected By User"));
    ASSERT_TRUE(main.Add(file, "Malware.Behavior"));
    WriteBytes(file, "changed content");
    EXPECT_TRUE(main.Remove(file));
    main.Refresh();
    EXPECT_EQ(main.Count(), 0u);
    other.Refresh();
    EXPECT_EQ(other.Count(), 0u);
    EXPECT_FALSE(main.Remove(file));
}

TEST_F(UserStore, RemovesByContentFromACopyElsewhere) {
    UserSignatures main(store());
    ASSERT_TRUE(main.Add(File("orig.exe", "same bytes"), "Malware.Behavior"));
    EXPECT_TRUE(main.Remove(File("copy.exe", "same bytes")));
    EXPECT_EQ(main.Count(), 0u);
}

TEST_F(UserStore, AddingTheSameContentAgainRenamesIt) {
    UserSignatures main(store());
    ASSERT_TRUE(main.Add(File("x.exe", "bytes"), "Malware.Behavior"));
    ASSERT_TRUE(main.Add(File("y.exe", "bytes"), "Heur.Second"));
    EXPECT_EQ(main.Count(), 1u);
    EXPECT_EQ(main.At(0)->name, "Heur.Second");
    EXPECT_EQ(main.At(0)->category, kCategorySuspected);
}

TEST_F(UserStore, RefusesWhatCannotBecomeASignature) {
    UserSignatures main(store());
    EXPECT_FALSE(main.Add(folder_ / "missing.exe", "Malware.Behavior"));
    EXPECT_FALSE(main.Add(File("empty.exe", ""), "Malware.Behavior"));
    EXPECT_FALSE(main.Add(File("ok.exe", "ok"), ""));
    ASSERT_TRUE(
        main.Add(File("odd.exe", "odd"), std::string("bad\tname\x01") + std::string(200, 'n')));
    std::string name = main.At(0)->name;
    EXPECT_EQ(name.size(), kMaxNameLength);
    EXPECT_TRUE(name.starts_with("bad?name?nnn"));
}

TEST_F(UserStore, AnInterruptedWriteLeavesTheOldStore) {
    UserSignatures main(store());
    std::filesystem::path file = File("a.exe", "kept");
    ASSERT_TRUE(main.Add(file, "Malware.Behavior"));
    // A writer that died half-way leaves only its temporary file behind.
    std::vector<std::uint8_t> whole = EncodeUserSignatures({});
    WriteBytes(folder_ / "Vestra.vbu.tmp", std::string(whole.begin(), whole.begin() + 20));
    UserSignatures restarted(store());
    EXPECT_EQ(Lookup(restarted, file)->name, "Malware.Behavior");
    ASSERT_TRUE(restarted.Add(File("b.exe", "added"), "Malware.Behavior"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Vestra.vbu.tmp"));
    EXPECT_EQ(restarted.Count(), 2u);
}

TEST_F(UserStore, ADamagedStoreReadsAsEmptyAndIsRewrittenSound) {
    UserSignatures main(store());
    ASSERT_TRUE(main.Add(File("a.exe", "one"), "Malware.Behavior"));
    std::vector<std::uint8_t> bytes = testing::ReadBytes(store());
    bytes.back() ^= 0x55;
    WriteBytes(store(), bytes);
    UserSignatures restarted(store());
    restarted.Refresh();
    EXPECT_EQ(restarted.Count(), 0u);
    ASSERT_TRUE(restarted.Add(File("b.exe", "two"), "Malware.Behavior"));
    EXPECT_TRUE(DecodeUserSignatures(testing::ReadBytes(store())));
}

TEST(UserStoreFormat, EveryTruncationIsRefused) {
    UserSignature entry{
        5, {}, "Malware.Behavior", kCategoryUser, std::filesystem::path("x.exe").native()};
    std::vector<std::uint8_t> bytes = EncodeUserSignatures({entry, entry});
    ASSERT_TRUE(DecodeUserSignatures(bytes));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(DecodeUserSignatures(std::span(bytes).first(length))) << length;
    }
}

TEST(UserStoreFormat, CategoryRuleAndRunOnlyName) {
    EXPECT_EQ(UserSignatures::CategoryFor("Malware.Behavior"), kCategoryUser);
    EXPECT_EQ(UserSignatures::CategoryFor("Suspected By User"), kCategoryUser);
    EXPECT_EQ(UserSignatures::CategoryFor("New Heur.Level(8)"), kCategorySuspected);
    EXPECT_EQ(UserSignatures::CategoryFor("heur.anything"), kCategorySuspected);
    EXPECT_TRUE(UserSignatures::RunOnly("Suspected By User"));
    EXPECT_TRUE(UserSignatures::RunOnly("suspected by user"));
    EXPECT_FALSE(UserSignatures::RunOnly("Suspected By User 2"));
}

TEST(FileLockTest, IsExclusiveUntilReleased) {
    TempFolder folder;
    std::optional<FileLock> first =
        FileLock::Acquire(folder / "x.lock", std::chrono::milliseconds(0));
    ASSERT_TRUE(first);
    EXPECT_FALSE(FileLock::Acquire(folder / "x.lock", std::chrono::milliseconds(30)));
    first.reset();
    EXPECT_TRUE(FileLock::Acquire(folder / "x.lock", std::chrono::milliseconds(0)));
}

}  // namespace
}  // namespace vestra::engine
