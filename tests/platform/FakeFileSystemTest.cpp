// The in-memory file system's own controls (set-up, drives, injected failures) and the Windows
// rules that the contract run under Wine cannot show (Wine as root ignores read-only on open and
// overwrite; Windows refuses to replace hidden or system files without saying so).
#include <gtest/gtest.h>

#include "platform/fake/FakeFileSystem.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::fake {
namespace {

using contract::FileContent;
using contract::FindNames;

class FakeFileSystemTest : public ::testing::Test {
protected:
    FakeFileSystemTest() { fs.AddDrive(u'C', DriveType::Fixed, u"System"); }
    FakeFileSystem fs;
};

TEST_F(FakeFileSystemTest, SetUpCreatesParentsAndKeepsSpelling) {
    ASSERT_TRUE(fs.AddFile(u"c:/Deep/Er/File.TXT", "abc", attr::kHidden));
    EXPECT_TRUE(fs.IsFolder(u"C:\\deep\\er"));
    EXPECT_EQ(fs.GetAttributes(u"C:\\DEEP\\ER\\FILE.txt"), attr::kHidden);
    EXPECT_EQ(FindNames(fs, u"C:\\*"), std::vector<std::string>{"Deep"});
    EXPECT_EQ(fs.FileText(u"C:\\Deep\\Er\\File.TXT"), "abc");
    EXPECT_FALSE(fs.AddFile(u"C:\\Deep\\Er\\File.TXT\\x", "no"));  // a file in the way
    EXPECT_FALSE(fs.AddFile(u"Q:\\x", "no"));                      // no such drive
    EXPECT_FALSE(fs.AddFolder(u"relative\\path"));
}

TEST_F(FakeFileSystemTest, FileWithoutAttributesReportsNormal) {
    ASSERT_TRUE(fs.AddFile(u"C:\\f", "x", 0));
    EXPECT_EQ(fs.GetAttributes(u"C:\\f"), attr::kNormal);
    ASSERT_EQ(fs.SetAttributes(u"C:\\f", attr::kHidden | attr::kDirectory), OsError::None);
    EXPECT_EQ(fs.GetAttributes(u"C:\\f"), attr::kHidden);  // the folder bit cannot be set
}

TEST_F(FakeFileSystemTest, ReadOnlyRefusesWritingAndOverwriting) {
    ASSERT_TRUE(fs.AddFile(u"C:\\ro.txt", "keep", attr::kReadOnly));
    ASSERT_TRUE(fs.AddFile(u"C:\\src.txt", "new"));
    for (auto [access, disposition] : {std::pair{FileAccess::Write, Disposition::OpenExisting},
                                       std::pair{FileAccess::ReadWrite, Disposition::OpenAlways},
                                       std::pair{FileAccess::Read, Disposition::CreateAlways}}) {
        EXPECT_EQ(fs.Open(u"C:\\ro.txt", access, share::kAll, disposition).error(),
                  OsError::AccessDenied);
    }
    EXPECT_TRUE(
        fs.Open(u"C:\\ro.txt", FileAccess::Read, share::kAll, Disposition::OpenExisting).ok());
    EXPECT_EQ(fs.Copy(u"C:\\src.txt", u"C:\\ro.txt", false), OsError::AccessDenied);
    EXPECT_EQ(fs.FileText(u"C:\\ro.txt"), "keep");
    ASSERT_TRUE(fs.AddFolder(u"C:\\RoFolder", attr::kReadOnly));
    EXPECT_EQ(fs.RemoveFolder(u"C:\\RoFolder"), OsError::AccessDenied);
}

TEST_F(FakeFileSystemTest, HiddenOrSystemFilesAreNotReplacedBehindTheirBack) {
    ASSERT_TRUE(fs.AddFile(u"C:\\hidden.ini", "old", attr::kHidden));
    ASSERT_TRUE(fs.AddFile(u"C:\\plain.ini", "new"));
    ASSERT_TRUE(fs.AddFile(u"C:\\alsohidden.ini", "newer", attr::kHidden));
    EXPECT_EQ(fs.Open(u"C:\\hidden.ini", FileAccess::Write, share::kNone, Disposition::CreateAlways)
                  .error(),
              OsError::AccessDenied);
    EXPECT_EQ(fs.Copy(u"C:\\plain.ini", u"C:\\hidden.ini", false), OsError::AccessDenied);
    EXPECT_EQ(fs.Copy(u"C:\\alsohidden.ini", u"C:\\hidden.ini", false), OsError::None);
    EXPECT_EQ(fs.FileText(u"C:\\hidden.ini"), "newer");
    // Opening for writing without truncation is allowed.
    EXPECT_TRUE(
        fs.Open(u"C:\\hidden.ini", FileAccess::Write, share::kNone, Disposition::OpenExisting)
            .ok());
}

TEST_F(FakeFileSystemTest, DeletePendingFileRefusesNewOpensUntilTheLastHandleCloses) {
    ASSERT_TRUE(fs.AddFile(u"C:\\f.txt", "x"));
    auto held = fs.Open(u"C:\\f.txt", FileAccess::Read, share::kAll, Disposition::OpenExisting);
    ASSERT_TRUE(held.ok());
    ASSERT_EQ(fs.Delete(u"C:\\f.txt"), OsError::None);
    EXPECT_TRUE(fs.Exists(u"C:\\f.txt"));
    EXPECT_EQ(
        fs.Open(u"C:\\f.txt", FileAccess::Read, share::kAll, Disposition::OpenExisting).error(),
        OsError::AccessDenied);
    EXPECT_EQ(FileContent(fs, u"C:\\f.txt"), "<AccessDenied>");
    held->reset();
    EXPECT_FALSE(fs.Exists(u"C:\\f.txt"));
    EXPECT_EQ(fs.OpenHandleCount(), 0u);
}

TEST_F(FakeFileSystemTest, MovedOpenFileKeepsItsHandleAndFoldersWithOpenFilesStay) {
    ASSERT_TRUE(fs.AddFile(u"C:\\Dir\\f.txt", "abc"));
    auto held =
        fs.Open(u"C:\\Dir\\f.txt", FileAccess::ReadWrite, share::kAll, Disposition::OpenExisting);
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(fs.Move(u"C:\\Dir", u"C:\\Dir2"), OsError::AccessDenied);
    ASSERT_EQ(fs.Move(u"C:\\Dir\\f.txt", u"C:\\g.txt"), OsError::None);
    const std::uint8_t z[] = {'z'};
    ASSERT_EQ((*held)->Write(z), OsError::None);
    EXPECT_EQ(fs.FileText(u"C:\\g.txt"), "zbc");
    EXPECT_EQ(fs.Move(u"C:\\Dir", u"C:\\Dir\\Inside"), OsError::AccessDenied);
}

TEST_F(FakeFileSystemTest, MoveThatOnlyChangesCaseRenames) {
    ASSERT_TRUE(fs.AddFile(u"C:\\autorun.inf", "x"));
    ASSERT_EQ(fs.Move(u"C:\\autorun.inf", u"C:\\AUTORUN.INF"), OsError::None);
    EXPECT_EQ(FindNames(fs, u"C:\\*"), std::vector<std::string>{"AUTORUN.INF"});
}

TEST_F(FakeFileSystemTest, MoveBetweenDrivesCarriesFilesButNotFolders) {
    fs.AddDrive(u'E', DriveType::Removable, u"STICK");
    ASSERT_TRUE(fs.AddFile(u"C:\\Dir\\f.txt", "abc"));
    EXPECT_EQ(fs.Move(u"C:\\Dir\\f.txt", u"E:\\f.txt"), OsError::None);
    EXPECT_EQ(fs.FileText(u"E:\\F.TXT"), "abc");
    EXPECT_EQ(fs.Move(u"C:\\Dir", u"E:\\Dir"), OsError::Other);
}

TEST_F(FakeFileSystemTest, DrivesWithoutMediumAndRemovedDrives) {
    fs.AddDrive(u'D', DriveType::CdRom);
    fs.AddDrive(u'E', DriveType::Removable, u"STICK");
    ASSERT_TRUE(fs.AddFile(u"E:\\autorun.inf", "[autorun]"));
    fs.SetMediumPresent(u'D', false);
    EXPECT_EQ(fs.LogicalDrives(), (std::vector<std::u16string>{u"C:\\", u"D:\\", u"E:\\"}));
    EXPECT_EQ(fs.GetDriveType(u"d:\\"), DriveType::CdRom);
    EXPECT_EQ(fs.GetDriveType(u"E:"), DriveType::Removable);
    EXPECT_EQ(fs.GetVolumeInfo(u"D:\\").error(), OsError::NotReady);
    EXPECT_EQ(fs.Find(u"D:\\*").error(), OsError::NotReady);
    EXPECT_EQ(fs.GetVolumeInfo(u"E:\\")->label, u"STICK");
    EXPECT_EQ(fs.GetVolumeInfo(u"E:\\")->fileSystem, u"FAT32");
    auto held =
        fs.Open(u"E:\\autorun.inf", FileAccess::Read, share::kRead, Disposition::OpenExisting);
    ASSERT_TRUE(held.ok());
    fs.RemoveDrive(u'E');  // pulled out while a file is open
    EXPECT_FALSE(fs.Exists(u"E:\\autorun.inf"));
    EXPECT_EQ(fs.GetDriveType(u"E:\\"), DriveType::NoRootDir);
    EXPECT_EQ(contract::ReadAll(**held), "[autorun]");
}

TEST_F(FakeFileSystemTest, LongPathNameKeepsTheCallersDriveLetterAndTrailingSeparator) {
    ASSERT_TRUE(fs.AddFolder(u"C:\\Program Files\\Vestra"));
    EXPECT_EQ(fs.LongPathName(u"c:\\PROGRAM FILES\\vestra\\").value(),
              u"c:\\PROGRAM FILES\\Vestra\\");
    EXPECT_EQ(fs.LongPathName(u"C:\\missing\\x").error(), OsError::FileNotFound);
}

TEST_F(FakeFileSystemTest, HandlesOutlivingTheFileSystemFailQuietly) {
    auto fs2 = std::make_unique<FakeFileSystem>();
    fs2->AddDrive(u'C', DriveType::Fixed);
    auto file = fs2->Open(u"C:\\f", FileAccess::ReadWrite, share::kNone, Disposition::CreateNew);
    ASSERT_TRUE(file.ok());
    fs2.reset();
    EXPECT_EQ((*file)->Size().error(), OsError::Other);
}

TEST_F(FakeFileSystemTest, InjectedFailuresHitTheNthCallOnceOrFromThenOn) {
    ASSERT_TRUE(fs.AddFile(u"C:\\f.txt", "x"));
    fs.faults().FailNth(FsOp::Delete, 2, OsError::SharingViolation);
    ASSERT_TRUE(fs.AddFile(u"C:\\a.txt", "a"));
    ASSERT_TRUE(fs.AddFile(u"C:\\b.txt", "b"));
    EXPECT_EQ(fs.Delete(u"C:\\a.txt"), OsError::None);
    EXPECT_EQ(fs.Delete(u"C:\\b.txt"), OsError::SharingViolation);
    EXPECT_TRUE(fs.Exists(u"C:\\b.txt"));
    EXPECT_EQ(fs.Delete(u"C:\\b.txt"), OsError::None);  // once only
    EXPECT_EQ(fs.faults().Calls(FsOp::Delete), 3u);

    fs.faults().FailNth(FsOp::Write, 1, OsError::Other, /*persistent=*/true);
    auto file = fs.Open(u"C:\\f.txt", FileAccess::Write, share::kNone, Disposition::OpenExisting);
    ASSERT_TRUE(file.ok());
    const std::uint8_t y[] = {'y'};
    EXPECT_EQ((*file)->Write(y), OsError::Other);
    EXPECT_EQ((*file)->Write(y), OsError::Other);
    fs.faults().Clear();
    EXPECT_EQ((*file)->Write(y), OsError::None);

    fs.faults().FailNth(FsOp::GetAttributes, 1, OsError::AccessDenied);
    EXPECT_FALSE(fs.Exists(u"C:\\f.txt"));
    EXPECT_TRUE(fs.Exists(u"C:\\f.txt"));
    fs.faults().FailNth(FsOp::Find, 1, OsError::NotReady);
    EXPECT_EQ(fs.Find(u"C:\\*").error(), OsError::NotReady);
}

TEST(FakePathTest, WildcardMatching) {
    struct Case {
        const char16_t* name;
        const char16_t* pattern;
        bool matches;
    };
    const Case cases[] = {
        {u"autorun.inf", u"AUTORUN.INF", true},
        {u"a.lnk", u"*.lnk", true},
        {u"a.lnk.exe", u"*.lnk", false},
        {u"noext", u"*.*", true},
        {u"abc", u"a*c*", true},
        {u"ab", u"a?b", false},
        {u"axxb", u"a*x*b", true},
        {u"x", u"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches)
            << contract::U8(c.name) << " ~ " << contract::U8(c.pattern);
    }
}

}  // namespace
}  // namespace vestra::platform::fake
