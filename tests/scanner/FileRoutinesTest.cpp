// The shared file routines on the in-memory file system: deletion that keeps a file's marks when
// it fails, the certain test that a path is gone, numbered names taken exclusively, whole reads and
// writes that never leave a partial file, folder chains, Explorer requests, version strings, size
// texts and centring.
#include "scanner/FileRoutines.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeVersionInfo.h"
#include "platform/fake/FakeWindowSystem.h"

namespace vestra {
namespace {

namespace attr = platform::attr;
using platform::OsError;
using platform::fake::FsOp;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

class FileRoutinesTest : public ::testing::Test {
protected:
    FileRoutinesTest() { files.AddDrive(u'C', platform::DriveType::Fixed); }

    std::unique_ptr<platform::FileHandle> Hold(std::u16string_view path, std::uint32_t share) {
        auto handle = files.Open(path, platform::FileAccess::Read, share,
                                 platform::Disposition::OpenExisting);
        EXPECT_TRUE(handle.ok());
        return handle ? std::move(*handle) : nullptr;
    }

    platform::fake::FakeFileSystem files;
};

TEST_F(FileRoutinesTest, DeletePathRemovesFilesAndEmptyFoldersWhateverTheirMarks) {
    files.AddFile(u"C:\\d\\ro.exe", std::string_view("x"), attr::kReadOnly | attr::kHidden);
    files.AddFolder(u"C:\\d\\empty", attr::kSystem);
    EXPECT_TRUE(DeletePath(files, u"C:\\d\\ro.exe"));
    EXPECT_TRUE(DeletePath(files, u"C:\\d\\empty"));
    EXPECT_FALSE(files.Exists(u"C:\\d\\ro.exe"));
    EXPECT_FALSE(files.Exists(u"C:\\d\\empty"));
    EXPECT_FALSE(DeletePath(files, u"C:\\d\\missing.exe"));
}

TEST_F(FileRoutinesTest, AFileThatCannotBeDeletedKeepsItsAttributes) {
    files.AddFile(u"C:\\d\\held.exe", std::string_view("x"), attr::kReadOnly | attr::kHidden);
    auto holder = Hold(u"C:\\d\\held.exe", platform::share::kNone);
    EXPECT_FALSE(DeletePath(files, u"C:\\d\\held.exe"));
    EXPECT_EQ(files.GetAttributes(u"C:\\d\\held.exe"), attr::kReadOnly | attr::kHidden);
    files.AddFolder(u"C:\\d\\full", attr::kHidden);
    files.AddFile(u"C:\\d\\full\\a.txt", std::string_view("a"));
    EXPECT_FALSE(DeletePath(files, u"C:\\d\\full"));
    EXPECT_EQ(files.GetAttributes(u"C:\\d\\full"), attr::kHidden | attr::kDirectory);
}

TEST_F(FileRoutinesTest, OnlyAnOpenThatFindsNothingMakesAPathVanished) {
    files.AddFile(u"C:\\d\\held.exe", std::string_view("x"));
    EXPECT_FALSE(PathVanished(files, u"C:\\d\\held.exe"));
    EXPECT_TRUE(PathVanished(files, u"C:\\d\\gone.exe"));
    EXPECT_TRUE(PathVanished(files, u"C:\\nowhere\\gone.exe"));
    // A refused attribute read is no proof, even while the file is held without sharing.
    auto held = Hold(u"C:\\d\\held.exe", platform::share::kNone);
    files.faults().FailNth(FsOp::GetAttributes, 1, OsError::AccessDenied);
    EXPECT_FALSE(PathVanished(files, u"C:\\d\\held.exe"));
}

TEST(NumberedNameTest, PutsTheNumberBeforeTheExtensionOrAtTheEnd) {
    struct Case {
        const char16_t* path;
        int n;
        const char* expected;
    } cases[] = {
        {u"C:\\a\\name.exe", 1, "C:\\a\\name.exe"},
        {u"C:\\a\\name.exe", 2, "C:\\a\\name (2).exe"},
        {u"C:\\a\\name.tar.gz", 3, "C:\\a\\name.tar (3).gz"},
        {u"C:\\a\\name", 2, "C:\\a\\name (2)"},
        {u"C:\\a.dir\\name", 2, "C:\\a.dir\\name (2)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToUtf8(NumberedName(c.path, c.n)), c.expected) << ToUtf8(c.path);
}

TEST_F(FileRoutinesTest, UniqueFileNameSkipsTakenNames) {
    files.AddFile(u"C:\\d\\r.doc", std::string_view("1"));
    files.AddFile(u"C:\\d\\r (2).doc", std::string_view("2"));
    EXPECT_EQ(ToUtf8(UniqueFileName(files, u"C:\\d\\r.doc")), "C:\\d\\r (3).doc");
    EXPECT_EQ(ToUtf8(UniqueFileName(files, u"C:\\d\\s.doc")), "C:\\d\\s.doc");
}

TEST_F(FileRoutinesTest, ReadFileBytesReadsWholeOrLimitedAndFailsEmpty) {
    files.AddFile(u"C:\\d\\f.bin", std::string_view("abcdef"));
    EXPECT_EQ(ReadFileBytes(files, u"C:\\d\\f.bin"), Bytes("abcdef"));
    EXPECT_EQ(ReadFileBytes(files, u"C:\\d\\f.bin", 4), Bytes("abcd"));
    EXPECT_EQ(ReadFileBytes(files, u"C:\\d\\f.bin", 100), Bytes("abcdef"));
    EXPECT_TRUE(ReadFileBytes(files, u"C:\\d\\none.bin").empty());
    files.faults().FailNth(FsOp::Read, 1, OsError::Other);
    EXPECT_TRUE(ReadFileBytes(files, u"C:\\d\\f.bin").empty());
    auto holder = Hold(u"C:\\d\\f.bin", platform::share::kNone);
    EXPECT_TRUE(ReadFileBytes(files, u"C:\\d\\f.bin").empty());
}

TEST_F(FileRoutinesTest, WriteNewFileNeverReplacesAndLeavesNoPartialFile) {
    files.AddFile(u"C:\\d\\old.txt", std::string_view("keep"));
    EXPECT_EQ(WriteNewFile(files, u"C:\\d\\old.txt", Bytes("new")), OsError::AlreadyExists);
    EXPECT_EQ(files.FileText(u"C:\\d\\old.txt"), "keep");
    for (FsOp op : {FsOp::Write, FsOp::Size}) {
        files.faults().FailNth(op, 1, OsError::Other);
        EXPECT_NE(WriteNewFile(files, u"C:\\d\\new.txt", Bytes("new")), OsError::None);
        EXPECT_FALSE(files.Exists(u"C:\\d\\new.txt")) << static_cast<int>(op);
    }
    EXPECT_EQ(WriteNewFile(files, u"C:\\d\\new.txt", Bytes("new")), OsError::None);
    EXPECT_EQ(files.FileText(u"C:\\d\\new.txt"), "new");
    EXPECT_EQ(files.OpenHandleCount(), 0u);
}

TEST_F(FileRoutinesTest, WriteUniqueFileTakesTheNextFreeNamePastFilesAndFolders) {
    files.AddFile(u"C:\\d\\q.vra", std::string_view("first"));
    files.AddFolder(u"C:\\d\\q (2).vra");
    EXPECT_EQ(ToUtf8(WriteUniqueFile(files, u"C:\\d\\q.vra", Bytes("third"))), "C:\\d\\q (3).vra");
    EXPECT_EQ(files.FileText(u"C:\\d\\q.vra"), "first");
    EXPECT_EQ(files.FileText(u"C:\\d\\q (3).vra"), "third");
    // A failure other than a taken name ends the attempt instead of trying further names.
    std::uint32_t opensBefore = files.faults().Calls(FsOp::Open);
    files.faults().FailNth(FsOp::Open, 1, OsError::AccessDenied, true);
    EXPECT_TRUE(WriteUniqueFile(files, u"C:\\d\\r.vra", Bytes("x")).empty());
    EXPECT_EQ(files.faults().Calls(FsOp::Open), opensBefore + 1);
}

TEST_F(FileRoutinesTest, WriteFileBytesReplacesOnlyWhenTheOldFileGoes) {
    files.AddFile(u"C:\\d\\hosts", std::string_view("old"), attr::kReadOnly);
    EXPECT_TRUE(WriteFileBytes(files, u"C:\\d\\hosts", std::string_view("new")));
    EXPECT_EQ(files.FileText(u"C:\\d\\hosts"), "new");
    auto holder = Hold(u"C:\\d\\hosts", platform::share::kRead);
    EXPECT_FALSE(WriteFileBytes(files, u"C:\\d\\hosts", std::string_view("newer")));
    EXPECT_EQ(files.FileText(u"C:\\d\\hosts"), "new");
}

TEST_F(FileRoutinesTest, MakePathCreatesTheFolderChainButNotTheLastName) {
    MakePath(files, u"C:\\a\\b\\c\\file.txt");
    EXPECT_TRUE(files.IsFolder(u"C:\\a\\b\\c"));
    EXPECT_FALSE(files.Exists(u"C:\\a\\b\\c\\file.txt"));
    MakePath(files, u"C:\\x\\y\\");
    EXPECT_TRUE(files.IsFolder(u"C:\\x\\y"));
}

TEST_F(FileRoutinesTest, ExplorePathSelectsAFileOrOpensTheNearestFolder) {
    platform::fake::FakeShell shell;
    platform::fake::FakeWindowSystem windows;
    ExploreSeams seams{files, shell, windows};
    files.AddFile(u"C:\\d\\e\\f.exe", std::string_view("x"));
    EXPECT_TRUE(ExplorePath(seams, u"C:\\d\\e\\f.exe"));
    EXPECT_TRUE(ExplorePath(seams, u"C:\\d\\e\\gone\\g.exe"));
    ASSERT_EQ(shell.requests().size(), 2u);
    EXPECT_EQ(ToUtf8(shell.requests()[0].verb), "open");
    EXPECT_EQ(ToUtf8(shell.requests()[0].file), "Explorer.exe");
    EXPECT_EQ(ToUtf8(shell.requests()[0].parameters), "/Select, \"C:\\d\\e\\f.exe\"");
    EXPECT_EQ(ToUtf8(shell.requests()[1].verb), "explore");
    EXPECT_EQ(ToUtf8(shell.requests()[1].file), "C:\\d\\e\\");
    EXPECT_FALSE(ExplorePath(seams, u"Q:\\nowhere\\x.exe"));
    EXPECT_EQ(shell.requests().size(), 2u);
    ASSERT_EQ(windows.messageBoxes().size(), 1u);
    EXPECT_EQ(ToUtf8(windows.messageBoxes()[0].text), "Couldn't find the file/folder");
}

TEST(VersionStringsTest, TwelveStringsInOrderEmptyWhereAbsent) {
    platform::fake::FakeVersionInfo versions;
    versions.Set(u"C:\\p.exe",
                 {{u"CompanyName", u"Acme"}, {u"SpecialBuild", std::u16string(u"sp\0x", 4)}});
    auto strings = GetVersionStrings(versions, u"C:\\p.exe");
    EXPECT_EQ(ToUtf8(strings[0]), "Acme");
    EXPECT_EQ(ToUtf8(strings[11]), "sp");
    EXPECT_TRUE(strings[2].empty());
    for (const std::u16string& s : GetVersionStrings(versions, u"C:\\other.exe"))
        EXPECT_TRUE(s.empty());
}

TEST_F(FileRoutinesTest, FileSizeTextRoundsHalvesToEven) {
    struct Case {
        std::size_t size;
        int unit;
        bool showUnit;
        const char* expected;
    } cases[] = {
        {1536, kUnitKB, false, "2"},      {2560, kUnitKB, false, "2"},
        {3584, kUnitKB, true, "4 KB"},    {1023, kUnitKB, false, "1"},
        {511, kUnitKB, false, "0"},       {700, kUnitByte, true, "700 Byte"},
        {3 << 20, kUnitMB, true, "3 MB"}, {0, kUnitGB, true, "0 GB"},
    };
    for (const Case& c : cases) {
        files.AddFile(u"C:\\s.bin", std::string(c.size, 'z'));
        EXPECT_EQ(ToUtf8(FileSizeText(files, u"C:\\s.bin", c.unit, c.showUnit)), c.expected)
            << c.size;
    }
    EXPECT_EQ(ToUtf8(FileSizeText(files, u"C:\\none.bin", kUnitKB, true)), "N/A");
    auto holder = Hold(u"C:\\s.bin", platform::share::kNone);
    EXPECT_EQ(ToUtf8(FileSizeText(files, u"C:\\s.bin", kUnitKB, true)), "N/A");
}

TEST(CenterTextTest, HalfTheShortfallLeftTheRestRight) {
    EXPECT_EQ(ToUtf8(CenterText(u"Quarantine (3)", 15)), "Quarantine (3) ");
    EXPECT_EQ(ToUtf8(CenterText(u"ab", 5)), " ab  ");
    EXPECT_EQ(ToUtf8(CenterText(u"Quarantine (100)", 15)), "Quarantine (100)");
}

}  // namespace
}  // namespace vestra
