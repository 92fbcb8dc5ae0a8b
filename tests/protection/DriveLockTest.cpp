// The drive lock on the in-memory file system: the status after a lock with and without the safe
// folder, an old autorun file kept, older entries, unlock, a drive that refuses every write, the
// exact bytes of the two texts, and the rows of the Vest-Lock page.
#include "protection/DriveLock.h"

#include <gtest/gtest.h>

#include "platform/fake/FakeFileSystem.h"
#include "protection/DriveLockList.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::protection {
namespace {

using platform::DriveType;
using platform::OsError;
using platform::fake::FsOp;
namespace attr = platform::attr;

constexpr std::u16string_view kRoot = u"E:\\";
const std::u16string kDelta = u"\u0394";

// The text as raw UTF-16LE code units, the way the lock writes it.
std::vector<std::uint8_t> Utf16Le(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string Lines(std::u16string_view text, std::size_t first, std::size_t count) {
    std::u16string out;
    std::size_t start = 0;
    for (std::size_t line = 0; line < first + count; ++line) {
        std::size_t end = text.find(u"\r\n", start);
        if (line >= first) {
            if (!out.empty())
                out += u'|';
            out += text.substr(start, end == std::u16string_view::npos ? end : end - start);
        }
        if (end == std::u16string_view::npos)
            break;
        start = end + 2;
    }
    return out;
}

class DriveLockTest : public ::testing::Test {
protected:
    DriveLockTest() {
        fs.AddDrive(u'C', DriveType::Fixed, u"System");
        fs.AddDrive(u'E', DriveType::Removable, u"FLASH");
    }
    int Lock(bool safeFolder) { return SetDriveLock(fs, kRoot, true, true, safeFolder); }
    int Unlock() { return SetDriveLock(fs, kRoot, true, false, false); }
    int Status() { return SetDriveLock(fs, kRoot, false, true, false); }
    std::vector<std::string> Names(std::u16string_view folder) {
        return platform::contract::FindNames(fs, std::u16string(folder) + u"*");
    }

    platform::fake::FakeFileSystem fs;
    DriveLockPaths paths{kRoot};
};

TEST_F(DriveLockTest, LockWithoutSafeFolderIsSemiLockedAndWithItLocked) {
    EXPECT_EQ(Status(), 0);
    EXPECT_EQ(LockStateText(Status()), u"Unlocked");
    EXPECT_EQ(Lock(false), 111);
    EXPECT_EQ(LockStateText(111), u"Semi-Locked");
    EXPECT_FALSE(fs.Exists(paths.safeFolder));
    EXPECT_EQ(fs.GetAttributes(u"E:\\autorun.inf"), attr::kDirectory | 7u);
    EXPECT_EQ(fs.GetAttributes(u"E:\\autorun.inf\\desktop.ini"), 7u);
    EXPECT_EQ(Names(u"E:\\autorun.inf\\"), (std::vector<std::string>{"con", "desktop.ini"}));
    EXPECT_EQ(Names(u"E:\\autorun.inf\\con\\"), std::vector<std::string>{"aux"});
    auto notice = fs.Find(u"E:\\autorun.inf\\con\\aux\\*");
    ASSERT_TRUE(notice.ok());
    ASSERT_EQ(notice->size(), 1u);
    EXPECT_EQ((*notice)[0].name, u"nul.  This autorun.inf is LOCKED by VESTR" + kDelta +
                                     u" to protect your Flash-Disk from virus infection.   ");

    EXPECT_EQ(Lock(true), 127);
    EXPECT_EQ(LockStateText(127), u"Locked");
    EXPECT_EQ(Status(), 127);
    EXPECT_TRUE(fs.IsFolder(u"E:\\" + kDelta + u" Vest-Lock (Brankas Vestra) " + kDelta));
    EXPECT_TRUE(fs.Exists(paths.readMe));
}

// Read without its trailing separator the notice's name would be the NUL device, which always
// answers as present.
TEST_F(DriveLockTest, AMissingNoticeFolderIsNotTakenForTheNulDevice) {
    ASSERT_EQ(Lock(true), 127);
    ASSERT_EQ(fs.RemoveFolder(paths.notice), OsError::None);
    EXPECT_EQ(Status(), 127 - lockbit::kNotice);
    EXPECT_EQ(LockStateText(Status()), u"Semi-Locked");
}

TEST_F(DriveLockTest, StateTextFollowsTheBits) {
    struct Case {
        int status;
        std::u16string_view text;
    };
    for (Case c : {Case{0, u"Unlocked"}, Case{126, u"Unlocked"}, Case{1, u"Semi-Locked"},
                   Case{111, u"Semi-Locked"}, Case{127, u"Locked"}}) {
        EXPECT_EQ(LockStateText(c.status), c.text) << c.status;
    }
}

TEST_F(DriveLockTest, AnOldAutorunFileIsKeptUnderTheNextFreeBackupName) {
    fs.AddFile(u"E:\\autorun.inf", "[autorun]\r\nopen=evil.exe", attr::kHidden | attr::kSystem);
    EXPECT_EQ(Lock(true), 127);
    EXPECT_EQ(fs.FileText(u"E:\\autorun.inf.backup"), "[autorun]\r\nopen=evil.exe");
    EXPECT_TRUE(fs.IsFolder(u"E:\\autorun.inf"));

    // A second planted file finds ".backup" taken.
    ASSERT_EQ(Unlock(), 0);
    fs.AddFile(u"E:\\autorun.inf", "second");
    EXPECT_EQ(Lock(true), 127);
    EXPECT_EQ(fs.FileText(u"E:\\autorun.inf.backup"), "[autorun]\r\nopen=evil.exe");
    EXPECT_EQ(fs.FileText(u"E:\\autorun.inf (2).backup"), "second");
}

TEST_F(DriveLockTest, LockingTwiceKeepsTheFoldersAndRewritesTheTexts) {
    ASSERT_EQ(Lock(true), 127);
    fs.AddFile(paths.desktopIni, "changed", 7);
    fs.AddFile(paths.readMe, "changed");
    fs.AddFile(paths.safeFolder + u"\\mine.doc", "keep");
    EXPECT_EQ(Lock(true), 127);
    EXPECT_EQ(fs.FileBytes(paths.desktopIni), Utf16Le(DesktopIniText()));
    EXPECT_EQ(fs.FileBytes(paths.readMe), Utf16Le(ReadMeText()));
    EXPECT_EQ(fs.FileText(paths.safeFolder + u"\\mine.doc"), "keep");
    EXPECT_EQ(Names(u"E:\\autorun.inf\\con\\aux\\").size(), 1u);
}

TEST_F(DriveLockTest, TheOlderSafeFolderIsRenamedWithItsContents) {
    std::u16string older = u"E:\\" + kDelta + u" Vest-Lock " + kDelta;
    fs.AddFile(older + u"\\report.xls", "data");
    // Even a lock without the safe folder takes the older one over.
    EXPECT_EQ(Lock(false), 127);
    EXPECT_FALSE(fs.Exists(older));
    EXPECT_EQ(fs.FileText(paths.safeFolder + u"\\report.xls"), "data");
    EXPECT_FALSE(fs.Exists(paths.readMe));
}

TEST_F(DriveLockTest, UnlockRemovesTheLockAndTheEntriesOfOlderVersions) {
    ASSERT_EQ(Lock(true), 127);
    fs.AddFolder(u"E:\\autorun.inf\\con\\aux\\nul", 7);
    fs.AddFile(u"E:\\autorun.inf\\Vestra 2010", "", 7);
    fs.AddFolder(u"E:\\autorun.inf\\" + kDelta + u" Vest-Lock (Brankas Vestra) \u2122", 7);
    fs.AddFolder(u"E:\\" + kDelta + u" Vest-Lock " + kDelta);
    fs.AddFile(u"E:\\data.txt", "stays");
    EXPECT_EQ(Unlock(), 0);
    EXPECT_EQ(Names(kRoot), std::vector<std::string>{"data.txt"});
    EXPECT_EQ(Unlock(), 0);  // nothing left to do
}

TEST_F(DriveLockTest, UnlockKeepsASafeFolderThatHoldsFiles) {
    ASSERT_EQ(Lock(true), 127);
    fs.AddFile(paths.safeFolder + u"\\mine.doc", "keep");
    EXPECT_EQ(Unlock(), lockbit::kSafeFolder);
    EXPECT_FALSE(fs.Exists(paths.lockFolder));
    EXPECT_EQ(fs.FileText(paths.safeFolder + u"\\mine.doc"), "keep");
    EXPECT_EQ(LockStateText(lockbit::kSafeFolder), u"Unlocked");
}

TEST_F(DriveLockTest, UnlockLeavesAPlainAutorunFileAndTheSafeFolderAlone) {
    fs.AddFile(u"E:\\autorun.inf", "[autorun]", 7);
    fs.AddFile(paths.readMe, "mine");
    EXPECT_EQ(Unlock(), lockbit::kSafeFolder);
    EXPECT_EQ(fs.FileText(u"E:\\autorun.inf"), "[autorun]");
    EXPECT_EQ(fs.GetAttributes(u"E:\\autorun.inf"), 7u);
    EXPECT_EQ(fs.FileText(paths.readMe), "mine");
}

TEST_F(DriveLockTest, ADriveRefusingEveryWriteStaysUnlockedAndEveryStepIsTried) {
    fs.AddFolder(u"E:\\" + kDelta + u" Vest-Lock " + kDelta);
    for (FsOp op : {FsOp::CreateFolder, FsOp::Open, FsOp::Move, FsOp::SetAttributes, FsOp::Delete,
                    FsOp::RemoveFolder}) {
        fs.faults().FailNth(op, 1, OsError::AccessDenied, true);
    }
    auto calls = [&](FsOp op) { return fs.faults().Calls(op); };
    std::uint32_t folders = calls(FsOp::CreateFolder);
    std::uint32_t opens = calls(FsOp::Open);
    std::uint32_t attributes = calls(FsOp::SetAttributes);
    std::uint32_t moves = calls(FsOp::Move);
    EXPECT_EQ(Lock(true), 0);
    EXPECT_EQ(LockStateText(0), u"Unlocked");
    EXPECT_EQ(calls(FsOp::CreateFolder), folders + 1);  // the lock folder; no level without it
    EXPECT_EQ(calls(FsOp::Open), opens + 2);            // desktop.ini and the Read Me
    EXPECT_EQ(calls(FsOp::SetAttributes), attributes + 2);
    EXPECT_EQ(calls(FsOp::Move), moves + 1);  // the older safe folder
    EXPECT_EQ(Names(kRoot), std::vector<std::string>{"\xce\x94 Vest-Lock \xce\x94"});
}

TEST_F(DriveLockTest, ALockFolderThatCannotTakeDeviceFoldersStillGetsItsDesktopIni) {
    fs.faults().FailNth(FsOp::CreateFolder, 2, OsError::AccessDenied);  // level 1
    EXPECT_EQ(Lock(true), lockbit::kFolder | lockbit::kAttributes | lockbit::kDesktopIni |
                              lockbit::kSafeFolder);
    EXPECT_EQ(LockStateText(Status()), u"Semi-Locked");
    EXPECT_EQ(Lock(true), 127);  // the next lock completes it
}

TEST_F(DriveLockTest, DesktopIniBytesAreUtf16WithoutMark) {
    ASSERT_EQ(Lock(false), 111);
    auto bytes = fs.FileBytes(paths.desktopIni);
    ASSERT_TRUE(bytes.has_value());
    std::string expected = "[.ShellClassInfo]\r\nCLSID={2559a1f2-21d7-11d4-bdaf-00c04f60b9f0}";
    ASSERT_EQ(bytes->size(), expected.size() * 2);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*bytes)[2 * i], static_cast<std::uint8_t>(expected[i])) << i;
        EXPECT_EQ((*bytes)[2 * i + 1], 0) << i;
    }
}

TEST_F(DriveLockTest, ReadMeHasEighteenLinesNamingTheSafeFolderAndNoMark) {
    ASSERT_EQ(Lock(true), 127);
    auto bytes = fs.FileBytes(paths.readMe);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_GE(bytes->size(), 2u);
    EXPECT_EQ((*bytes)[0], '[');  // no byte-order mark
    EXPECT_EQ((*bytes)[1], 0);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes->size(); i += 2)
        text += static_cast<char16_t>((*bytes)[i] | ((*bytes)[i + 1] << 8));
    EXPECT_EQ(*bytes, Utf16Le(text));
    const std::u16string name = kDelta + u" Vest-Lock (Brankas Vestra) " + kDelta;
    EXPECT_EQ(Lines(text, 0, 2), u"[Instruksi penggunaan folder \"" + name + u"\"]|- Folder " +
                                     name + u" ini adalah folder teraman dari infeksi virus.");
    EXPECT_EQ(Lines(text, 6, 1), u"- Folder ini dapat diisi dengan file office ");
    EXPECT_EQ(Lines(text, 15, 3), u"  dibuka langsung dari dalam folder " + name +
                                      u",|  Untuk membukanya, Anda dapat memindahkan file "
                                      u"tersebut |  keluar folder ini terlebih dahulu sebelum "
                                      u"membukanya.");
    EXPECT_EQ(Lines(text, 18, 1), u"");  // eighteen lines
    EXPECT_FALSE(text.ends_with(u"\n"));
    std::size_t breaks = 0;
    for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos;
         at = text.find(u"\r\n", at + 2)) {
        ++breaks;
    }
    EXPECT_EQ(breaks, 17u);
}

TEST_F(DriveLockTest, PageRowsListLockableDrivesWithLabelAndState) {
    fs.AddDrive(u'D', DriveType::CdRom, u"DVD");
    fs.AddDrive(u'F', DriveType::Remote, u"");
    fs.AddFile(u"E:\\autorun.inf", "[autorun]");
    auto rows = ListLockableDrives(fs);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].root, u"C:\\");
    EXPECT_EQ(rows[0].label, u"System (C:)");
    EXPECT_EQ(rows[1].root, u"E:\\");
    EXPECT_EQ(rows[1].label, u"FLASH (E:)");
    EXPECT_EQ(rows[1].StateText(), u"Unlocked");
    EXPECT_EQ(rows[2].label, u" (F:)");
    EXPECT_FALSE(fs.Exists(u"E:\\autorun.inf.backup"));  // listing never changes a drive

    std::vector<std::size_t> chosen = {1};
    ApplyDriveLock(fs, rows, chosen, true);
    EXPECT_EQ(rows[1].status, 127);
    EXPECT_EQ(rows[1].StateText(), u"Locked");
    EXPECT_EQ(rows[0].status, 0);
    EXPECT_FALSE(fs.Exists(u"C:\\autorun.inf"));
    ApplyDriveLock(fs, rows, chosen, false);
    EXPECT_EQ(rows[1].StateText(), u"Unlocked");
}

}  // namespace
}  // namespace vestra::protection
