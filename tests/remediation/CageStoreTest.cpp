// Quarantine and restore on the in-memory disk: the round trip, names taken in the folder, empty
// and held files, restoring beside an existing file or into a vanished folder, headers longer
// than the first read, the folder's attributes, and a sweep that fails every call of every
// operation once: each either completes or leaves everything as it was.
#include "remediation/CageStore.h"

#include <gtest/gtest.h>

#include "remediation/CageFormat.h"
#include "tests/remediation/CageFixture.h"

namespace vestra::remediation {
namespace {

namespace attr = platform::attr;
using platform::OsError;
using platform::fake::FsOp;
using testing::Bytes;
using testing::CageMachine;
using testing::kCage;

constexpr char16_t kVictim[] = u"C:\\Users\\me\\tool.exe";
const std::string kContent = std::string("MZ") + std::string(300, '\x90') + "end";

class CageStoreTest : public ::testing::Test, public CageMachine {
protected:
    CageStoreTest() { files.AddFile(kVictim, kContent); }
    CageRecord Record() {
        CageRecord r;
        r.originPath = kVictim;
        r.virusName = u"W32.Test";
        r.virusType = u"Virus";
        return r;
    }
};

TEST_F(CageStoreTest, QuarantineThenRestoreGivesTheFileBack) {
    CageRecord record = Record();
    ASSERT_TRUE(store.CageFile(record, false));
    EXPECT_EQ(ToUtf8(record.cagePath), "C:\\[Vest-Cage]\\tool.vra");
    EXPECT_FALSE(files.Exists(kVictim));
    auto stored = files.FileBytes(record.cagePath);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(std::string(stored->begin(), stored->begin() + 4), "Vra!");
    EXPECT_EQ(std::string(stored->end() - 3, stored->end()).find("end"), std::string::npos);

    CageRecord info;
    info.cagePath = record.cagePath;
    ASSERT_TRUE(store.ReadCageInfo(info));
    EXPECT_EQ(ToUtf8(info.originPath), ToUtf8(kVictim));
    EXPECT_EQ(ToUtf8(info.virusName), "W32.Test");
    EXPECT_EQ(ToUtf8(info.virusType), "Virus");

    CageRecord restore;
    restore.cagePath = record.cagePath;
    ASSERT_TRUE(store.CageFile(restore, true));
    EXPECT_EQ(ToUtf8(restore.originPath), ToUtf8(kVictim));
    EXPECT_EQ(files.FileText(kVictim), kContent);
    EXPECT_FALSE(files.Exists(record.cagePath));
    EXPECT_EQ(files.OpenHandleCount(), 0u);
}

TEST_F(CageStoreTest, SameNamesGetNumberedQuarantineFiles) {
    files.AddFile(u"C:\\a\\name", std::string_view("one"));
    files.AddFile(u"E:\\b\\name", std::string_view("two"));
    for (const char16_t* path : {u"C:\\a\\name", u"E:\\b\\name"}) {
        CageRecord r;
        r.originPath = path;
        ASSERT_TRUE(store.CageFile(r, false));
    }
    EXPECT_EQ(CageNames(), (std::vector<std::string>{"name (2).vra", "name.vra"}));
}

TEST_F(CageStoreTest, EmptyOrUnreadableFilesStayWhereTheyAre) {
    files.AddFile(u"C:\\empty.exe", std::string_view(""));
    CageRecord empty;
    empty.originPath = u"C:\\empty.exe";
    EXPECT_FALSE(store.CageFile(empty, false));
    EXPECT_TRUE(files.Exists(u"C:\\empty.exe"));

    auto holder = files.Open(kVictim, platform::FileAccess::Read, platform::share::kNone,
                             platform::Disposition::OpenExisting);
    ASSERT_TRUE(holder.ok());
    CageRecord held = Record();
    EXPECT_FALSE(store.CageFile(held, false));
    EXPECT_TRUE(CageNames().empty());
    EXPECT_EQ(files.FileText(kVictim), kContent);
}

TEST_F(CageStoreTest, AFileThatCannotBeDeletedIsNotReportedQuarantined) {
    // Readable by others but not deletable: the copy would be a second file, not a quarantine.
    auto holder = files.Open(kVictim, platform::FileAccess::Read, platform::share::kRead,
                             platform::Disposition::OpenExisting);
    ASSERT_TRUE(holder.ok());
    CageRecord record = Record();
    EXPECT_FALSE(store.CageFile(record, false));
    EXPECT_TRUE(CageNames().empty());
    EXPECT_EQ(files.FileText(kVictim), kContent);
}

TEST_F(CageStoreTest, RestoreBesideAnExistingFileAndIntoAVanishedFolder) {
    CageRecord first = Record();
    ASSERT_TRUE(store.CageFile(first, false));
    files.AddFile(kVictim, std::string_view("newer"));
    CageRecord back;
    back.cagePath = first.cagePath;
    ASSERT_TRUE(store.CageFile(back, true));
    EXPECT_EQ(ToUtf8(back.originPath), "C:\\Users\\me\\tool (2).exe");
    EXPECT_EQ(files.FileText(u"C:\\Users\\me\\tool (2).exe"), kContent);
    EXPECT_EQ(files.FileText(kVictim), "newer");

    files.AddFile(u"C:\\gone\\deep\\x.bat", std::string_view("@echo"));
    CageRecord second;
    second.originPath = u"C:\\gone\\deep\\x.bat";
    ASSERT_TRUE(store.CageFile(second, false));
    ASSERT_EQ(files.RemoveFolder(u"C:\\gone\\deep"), OsError::None);
    ASSERT_EQ(files.RemoveFolder(u"C:\\gone"), OsError::None);
    ASSERT_FALSE(files.Exists(u"C:\\gone"));
    CageRecord restore;
    restore.cagePath = second.cagePath;
    ASSERT_TRUE(store.CageFile(restore, true));
    EXPECT_EQ(files.FileText(u"C:\\gone\\deep\\x.bat"), "@echo");
}

TEST_F(CageStoreTest, RestoreIgnoresTheMagicButTheListingDoesNot) {
    std::vector<std::uint8_t> file = BuildCageFile(u"C:\\m.exe", u"N", u"T", Bytes("body"));
    file[3] = '?';
    files.AddFile(u"C:\\[Vest-Cage]\\m.vra", file);
    CageRecord info;
    info.cagePath = u"C:\\[Vest-Cage]\\m.vra";
    EXPECT_FALSE(store.ReadCageInfo(info));
    CageRecord restore = info;
    ASSERT_TRUE(store.CageFile(restore, true));
    EXPECT_EQ(files.FileText(u"C:\\m.exe"), "body");
}

TEST_F(CageStoreTest, AHeaderLongerThanTheFirstReadIsStillReadAndRestored) {
    std::u16string folder = u"C:\\";
    while (folder.size() < 1500)
        folder += u"long folder name\\";
    std::u16string origin = folder + u"deep.exe";
    files.AddFile(origin, kContent);
    CageRecord record;
    record.originPath = origin;
    record.virusName = u"Long.Path";
    ASSERT_TRUE(store.CageFile(record, false));
    ASSERT_GT(files.FileBytes(record.cagePath)->size(), 3000u);
    CageRecord info;
    info.cagePath = record.cagePath;
    ASSERT_TRUE(store.ReadCageInfo(info));
    EXPECT_EQ(info.originPath, origin);
    EXPECT_EQ(ToUtf8(info.virusName), "Long.Path");
    CageRecord restore;
    restore.cagePath = record.cagePath;
    ASSERT_TRUE(store.CageFile(restore, true));
    EXPECT_EQ(files.FileText(origin), kContent);
}

TEST(CageFolderTest, MadeHiddenAndSystemOnceAndMarkedWhenFoundPlain) {
    platform::fake::FakeFileSystem files;
    files.AddDrive(u'C', platform::DriveType::Fixed);
    CageStore store(files, CageFolders{u"C:\\[Vest-Cage]\\", u"C:\\[VestCage]\\"});
    EXPECT_TRUE(store.EnsureCageFolder());
    EXPECT_EQ(files.GetAttributes(u"C:\\[Vest-Cage]"),
              attr::kDirectory | attr::kHidden | attr::kSystem);
    EXPECT_FALSE(store.EnsureCageFolder());

    files.SetAttributes(u"C:\\[Vest-Cage]", attr::kNormal);
    EXPECT_FALSE(store.EnsureCageFolder());
    EXPECT_EQ(files.GetAttributes(u"C:\\[Vest-Cage]"),
              attr::kDirectory | attr::kHidden | attr::kSystem);

    platform::fake::FakeFileSystem noDrive;
    CageStore nowhere(noDrive, CageFolders{u"Q:\\[Vest-Cage]\\", u"Q:\\[VestCage]\\"});
    EXPECT_FALSE(nowhere.EnsureCageFolder());
}

TEST_F(CageStoreTest, CountsVraFilesOfBothFoldersInAnyCase) {
    files.AddFile(u"C:\\[Vest-Cage]\\a.vra", std::string_view("x"));
    files.AddFile(u"C:\\[Vest-Cage]\\b.VRA", std::string_view("x"));
    files.AddFile(u"C:\\[Vest-Cage]\\c.txt", std::string_view("x"));
    files.AddFolder(u"C:\\[Vest-Cage]\\d.vra");
    files.AddFile(u"C:\\[VestCage]\\e.vra", std::string_view("x"));
    EXPECT_EQ(store.CountCageFiles(), 3);
}

// Sets the victim up and, when `quarantined`, quarantines it first with no fault.
CageRecord Prepare(CageMachine& m, bool quarantined) {
    m.files.AddFile(kVictim, kContent, attr::kArchive | attr::kReadOnly);
    CageRecord r;
    r.originPath = kVictim;
    r.virusName = u"W32.Test";
    if (quarantined) {
        EXPECT_TRUE(m.store.CageFile(r, false));
        r.originPath.clear();
        // The restore finds its origin taken and writes beside it.
        m.files.AddFile(kVictim, std::string_view("taken"));
    }
    return r;
}

TEST(CageFaultSweepTest, QuarantineEitherCompletesOrLeavesTheFileUntouched) {
    auto points =
        testing::FaultPoints([](CageMachine& m) { return Prepare(m, false); },
                             [](CageMachine& m, CageRecord& r) { m.store.CageFile(r, false); });
    ASSERT_GT(points.size(), 5u);
    for (const testing::FaultPoint& p : points) {
        SCOPED_TRACE(testing::Describe(p));
        CageMachine m;
        CageRecord r = Prepare(m, false);
        m.files.faults().FailNth(p.op, p.nth, OsError::AccessDenied);
        if (m.store.CageFile(r, false)) {
            EXPECT_FALSE(m.files.Exists(kVictim));
            ASSERT_EQ(m.CageNames().size(), 1u);
            CageRecord back;
            back.cagePath = r.cagePath;
            ASSERT_TRUE(m.store.CageFile(back, true));
            EXPECT_EQ(m.files.FileText(kVictim), kContent);
        } else {
            EXPECT_EQ(m.files.FileText(kVictim), kContent);
            EXPECT_TRUE(m.CageNames().empty());
        }
        EXPECT_EQ(m.files.OpenHandleCount(), 0u);
    }
}

TEST(CageFaultSweepTest, RestoreEitherCompletesOrKeepsTheQuarantineFile) {
    auto points =
        testing::FaultPoints([](CageMachine& m) { return Prepare(m, true); },
                             [](CageMachine& m, CageRecord& r) { m.store.CageFile(r, true); });
    ASSERT_GT(points.size(), 5u);
    const char16_t* beside = u"C:\\Users\\me\\tool (2).exe";
    for (const testing::FaultPoint& p : points) {
        SCOPED_TRACE(testing::Describe(p));
        CageMachine m;
        CageRecord r = Prepare(m, true);
        std::vector<std::uint8_t> stored = *m.files.FileBytes(r.cagePath);
        m.files.faults().FailNth(p.op, p.nth, OsError::AccessDenied);
        if (m.store.CageFile(r, true)) {
            EXPECT_EQ(m.files.FileText(beside), kContent);
            EXPECT_TRUE(m.CageNames().empty());
        } else {
            EXPECT_FALSE(m.files.Exists(beside));
            EXPECT_EQ(m.files.FileBytes(r.cagePath), stored);
        }
        EXPECT_EQ(m.files.FileText(kVictim), "taken");
        EXPECT_EQ(m.files.OpenHandleCount(), 0u);
    }
}

}  // namespace
}  // namespace vestra::remediation
