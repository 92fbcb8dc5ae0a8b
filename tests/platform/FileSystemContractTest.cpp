// What callers rely on from the file system seam, checked on every implementation: attributes,
// listings and their order, opening and sharing, copy, move, delete, folders, long names and
// drives.
#include <gtest/gtest.h>

#include "tests/platform/ContractEnvironments.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::contract {
namespace {

constexpr std::uint32_t kVisibleBits = attr::kReadOnly | attr::kHidden | attr::kSystem;

template <class Env>
class FileSystemContract : public ::testing::Test {
protected:
    ~FileSystemContract() override {
        // Read-only files would stop the environment's clean-up.
        auto found = fs.Find(env.scratch + u"*");
        if (!found.ok())
            return;
        for (const auto& entry : *found)
            fs.SetAttributes(env.scratch + entry.name, attr::kNormal);
    }
    std::u16string P(std::u16string_view name) { return env.scratch + std::u16string(name); }

    Env env;
    FileSystem& fs = env.platform().files;
};
TYPED_TEST_SUITE(FileSystemContract, ContractEnvironments);

TYPED_TEST(FileSystemContract, AttributesRoundTripOnFilesAndFolders) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"f.txt"), "x");
    ASSERT_EQ(fs.CreateFolder(this->P(u"Sub")), OsError::None);
    EXPECT_EQ(fs.GetAttributes(this->P(u"f.txt")) & kVisibleBits, 0u);
    struct Case {
        std::uint32_t set;
        std::uint32_t expected;
    };
    for (Case c : {Case{attr::kHidden, attr::kHidden}, Case{attr::kSystem, attr::kSystem},
                   Case{attr::kHidden | attr::kSystem, attr::kHidden | attr::kSystem},
                   Case{attr::kReadOnly, attr::kReadOnly}, Case{attr::kNormal, 0}}) {
        ASSERT_EQ(fs.SetAttributes(this->P(u"f.txt"), c.set), OsError::None);
        EXPECT_EQ(fs.GetAttributes(this->P(u"f.txt")) & (kVisibleBits | attr::kDirectory),
                  c.expected)
            << "set " << c.set;
    }
    ASSERT_EQ(fs.SetAttributes(this->P(u"Sub"), attr::kHidden | attr::kSystem), OsError::None);
    EXPECT_EQ(fs.GetAttributes(this->P(u"Sub")) & (kVisibleBits | attr::kDirectory),
              attr::kDirectory | attr::kHidden | attr::kSystem);
    ASSERT_EQ(fs.SetAttributes(this->P(u"Sub"), attr::kNormal), OsError::None);
    EXPECT_EQ(fs.GetAttributes(this->P(u"Sub")) & (kVisibleBits | attr::kDirectory),
              attr::kDirectory);
    EXPECT_EQ(fs.SetAttributes(this->P(u"missing"), attr::kHidden), OsError::FileNotFound);
}

TYPED_TEST(FileSystemContract, ExistsAndIsFolderIgnoreCaseAndSeparatorStyle) {
    auto& fs = this->fs;
    ASSERT_EQ(fs.CreateFolder(this->P(u"Sub")), OsError::None);
    WriteFile(fs, this->P(u"Sub\\In.txt"), "x");
    EXPECT_TRUE(fs.Exists(this->P(u"SUB\\in.TXT")));
    EXPECT_TRUE(fs.Exists(this->P(u"sub/in.txt")));
    EXPECT_FALSE(fs.IsFolder(this->P(u"Sub\\In.txt")));
    EXPECT_TRUE(fs.IsFolder(this->P(u"sub")));
    EXPECT_TRUE(fs.IsFolder(this->P(u"sub\\")));
    EXPECT_FALSE(fs.Exists(this->P(u"Sub\\In.txt\\")));  // a file named as a folder
    EXPECT_FALSE(fs.Exists(this->P(u"missing")));
    EXPECT_FALSE(fs.Exists(this->P(u"missing\\deeper")));
    EXPECT_EQ(fs.GetAttributes(this->P(u"missing")), attr::kInvalid);
}

TYPED_TEST(FileSystemContract, FindListsByUpperCasedNameWithoutDotEntries) {
    auto& fs = this->fs;
    for (const char16_t* name : {u"b.txt", u"A.txt", u"_x", u"Zeta", u"alpha", u"Beta.dat", u"a_b",
                                 u"a-b", u"~t", u"[z]", u"noext"}) {
        WriteFile(fs, this->P(name), "12345");
    }
    ASSERT_EQ(fs.CreateFolder(this->P(u"Mid")), OsError::None);
    auto found = fs.Find(this->P(u"*"));
    ASSERT_TRUE(found.ok());
    std::vector<std::string> names;
    for (const auto& entry : *found) {
        names.push_back(U8(entry.name));
        bool folder = (entry.attributes & attr::kDirectory) != 0;
        EXPECT_EQ(folder, entry.name == u"Mid") << U8(entry.name);
        EXPECT_EQ(entry.size, folder ? 0u : 5u) << U8(entry.name);
    }
    // '-' < '.' < letters < '[' < '_' < '~' once letters are upper-cased.
    EXPECT_EQ(names, (std::vector<std::string>{"a-b", "A.txt", "alpha", "a_b", "b.txt", "Beta.dat",
                                               "Mid", "noext", "Zeta", "[z]", "_x", "~t"}));
}

TYPED_TEST(FileSystemContract, FindMatchesWildcardsWithoutRegardToCase) {
    auto& fs = this->fs;
    for (const char16_t* name : {u"b.txt", u"A.txt", u"Beta.dat", u"a_b", u"a-b", u"noext"}) {
        WriteFile(fs, this->P(name), "x");
    }
    using Names = std::vector<std::string>;
    struct Case {
        const char16_t* pattern;
        Names expected;
    };
    const Case cases[] = {
        {u"*.txt", {"A.txt", "b.txt"}},
        {u"?.TXT", {"A.txt", "b.txt"}},
        {u"a?b", {"a-b", "a_b"}},
        {u"B.TXT", {"b.txt"}},
        {u"*.*", {"a-b", "A.txt", "a_b", "b.txt", "Beta.dat", "noext"}},
        {u"be*", {"Beta.dat"}},
        {u"nomatch*", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindNames(fs, this->P(c.pattern)), c.expected) << U8(c.pattern);
    }
}

TYPED_TEST(FileSystemContract, FindTellsEmptyFolderFromMissingFolder) {
    auto& fs = this->fs;
    ASSERT_EQ(fs.CreateFolder(this->P(u"Empty")), OsError::None);
    WriteFile(fs, this->P(u"file"), "x");
    auto empty = fs.Find(this->P(u"Empty\\*"));
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->empty());
    EXPECT_EQ(fs.Find(this->P(u"Missing\\*")).error(), OsError::PathNotFound);
    EXPECT_EQ(fs.Find(this->P(u"file\\*")).error(), OsError::InvalidName);
}

TYPED_TEST(FileSystemContract, ReadWriteSeekSizeAndTruncate) {
    auto& fs = this->fs;
    auto file =
        fs.Open(this->P(u"data.bin"), FileAccess::ReadWrite, share::kNone, Disposition::CreateNew);
    ASSERT_TRUE(file.ok());
    auto& h = **file;
    const std::uint8_t digits[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};
    ASSERT_EQ(h.Write(digits), OsError::None);
    EXPECT_EQ(*h.Size(), 10u);
    ASSERT_EQ(h.Seek(3), OsError::None);
    std::uint8_t buffer[4] = {};
    ASSERT_EQ(*h.Read(buffer), 4u);
    EXPECT_EQ(std::string(buffer, buffer + 4), "3456");
    // Past the end: reading gives nothing, writing fills the gap with zeros.
    ASSERT_EQ(h.Seek(12), OsError::None);
    EXPECT_EQ(*h.Read(buffer), 0u);
    const std::uint8_t x[] = {'x'};
    ASSERT_EQ(h.Write(x), OsError::None);
    EXPECT_EQ(*h.Size(), 13u);
    ASSERT_EQ(h.Seek(4), OsError::None);
    ASSERT_EQ(h.Truncate(), OsError::None);
    EXPECT_EQ(*h.Size(), 4u);
    file->reset();
    EXPECT_EQ(FileContent(fs, this->P(u"data.bin")), "0123");
    WriteFile(fs, this->P(u"gap.bin"), "");
    auto gap =
        fs.Open(this->P(u"gap.bin"), FileAccess::Write, share::kNone, Disposition::OpenExisting);
    ASSERT_TRUE(gap.ok());
    ASSERT_EQ((*gap)->Seek(2), OsError::None);
    ASSERT_EQ((*gap)->Write(x), OsError::None);
    gap->reset();
    EXPECT_EQ(FileContent(fs, this->P(u"gap.bin")), std::string("\0\0x", 3));
}

TYPED_TEST(FileSystemContract, DispositionsAndOpenFailures) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"f.txt"), "old");
    ASSERT_EQ(fs.CreateFolder(this->P(u"Sub")), OsError::None);
    auto open = [&](const char16_t* name, Disposition d) {
        auto r = fs.Open(this->P(name), FileAccess::ReadWrite, share::kNone, d);
        return r.ok() ? OsError::None : r.error();
    };
    EXPECT_EQ(open(u"missing", Disposition::OpenExisting), OsError::FileNotFound);
    EXPECT_EQ(open(u"missing\\x", Disposition::OpenExisting), OsError::PathNotFound);
    EXPECT_EQ(open(u"missing\\x", Disposition::CreateAlways), OsError::PathNotFound);
    EXPECT_EQ(open(u"f.txt\\x", Disposition::OpenExisting), OsError::PathNotFound);
    EXPECT_EQ(open(u"F.TXT", Disposition::CreateNew), OsError::AlreadyExists);
    EXPECT_EQ(open(u"Sub", Disposition::OpenExisting), OsError::AccessDenied);
    EXPECT_EQ(open(u"f.txt", Disposition::OpenAlways), OsError::None);
    EXPECT_EQ(FileContent(fs, this->P(u"f.txt")), "old");
    EXPECT_EQ(open(u"f.txt", Disposition::CreateAlways), OsError::None);
    EXPECT_EQ(FileContent(fs, this->P(u"f.txt")), "");
    EXPECT_EQ(open(u"new.txt", Disposition::OpenAlways), OsError::None);
    EXPECT_TRUE(fs.Exists(this->P(u"new.txt")));
}

TYPED_TEST(FileSystemContract, HandlesRefuseWhatTheirAccessDoesNotAllow) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"f.txt"), "abc");
    std::uint8_t buffer[4];
    const std::uint8_t x[] = {'x'};
    {
        auto reader =
            fs.Open(this->P(u"f.txt"), FileAccess::Read, share::kNone, Disposition::OpenExisting);
        ASSERT_TRUE(reader.ok());
        EXPECT_EQ((*reader)->Write(x), OsError::AccessDenied);
        EXPECT_NE((*reader)->Truncate(), OsError::None);
    }
    auto writer =
        fs.Open(this->P(u"f.txt"), FileAccess::Write, share::kNone, Disposition::OpenExisting);
    ASSERT_TRUE(writer.ok());
    EXPECT_EQ((*writer)->Read(buffer).error(), OsError::AccessDenied);
}

TYPED_TEST(FileSystemContract, ShareModesDecideWhetherASecondOpenSucceeds) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"f.txt"), "abc");
    using enum FileAccess;
    struct Case {
        FileAccess firstAccess;
        std::uint32_t firstShare;
        FileAccess secondAccess;
        std::uint32_t secondShare;
        bool opens;
    };
    const Case cases[] = {
        {Read, share::kRead, Read, share::kRead, true},
        {Read, share::kNone, Read, share::kRead | share::kWrite, false},
        {Read, share::kRead, Write, share::kRead | share::kWrite, false},
        {Read, share::kRead | share::kWrite, Write, share::kRead | share::kWrite, true},
        {Write, share::kRead, Read, share::kRead, false},  // the reader must let the writer be
        {Write, share::kRead, Read, share::kRead | share::kWrite, true},
        {ReadWrite, share::kAll, ReadWrite, share::kAll, true},
    };
    for (const Case& c : cases) {
        auto first =
            fs.Open(this->P(u"f.txt"), c.firstAccess, c.firstShare, Disposition::OpenExisting);
        ASSERT_TRUE(first.ok());
        auto second =
            fs.Open(this->P(u"F.TXT"), c.secondAccess, c.secondShare, Disposition::OpenExisting);
        EXPECT_EQ(second.ok(), c.opens) << "case " << (&c - cases);
        if (!c.opens) {
            EXPECT_EQ(second.error(), OsError::SharingViolation);
        }
    }
}

// The protection's alert holds a detected file this way while it is listed: nobody may open,
// copy, rename or delete the file, yet its attributes still read and change.
TYPED_TEST(FileSystemContract, AnUnsharedHandleShutsTheFileButNotItsAttributes) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"held.exe"), "MZ");
    {
        auto held = fs.Open(this->P(u"held.exe"), FileAccess::Read, share::kNone,
                            Disposition::OpenExisting);
        ASSERT_TRUE(held.ok());
        for (FileAccess access : {FileAccess::Read, FileAccess::Write, FileAccess::ReadWrite}) {
            auto other =
                fs.Open(this->P(u"HELD.exe"), access, share::kAll, Disposition::OpenExisting);
            EXPECT_EQ(other.error(), OsError::SharingViolation);
        }
        EXPECT_EQ(fs.Copy(this->P(u"held.exe"), this->P(u"copy.exe"), true),
                  OsError::SharingViolation);
        EXPECT_EQ(fs.Move(this->P(u"held.exe"), this->P(u"moved.exe")), OsError::SharingViolation);
        EXPECT_EQ(fs.Delete(this->P(u"held.exe")), OsError::SharingViolation);
        EXPECT_TRUE(fs.Exists(this->P(u"held.exe")));
        EXPECT_EQ(fs.SetAttributes(this->P(u"held.exe"), attr::kHidden), OsError::None);
        EXPECT_EQ(fs.GetAttributes(this->P(u"held.exe")) & kVisibleBits, attr::kHidden);
    }
    auto after =
        fs.Open(this->P(u"held.exe"), FileAccess::Read, share::kRead, Disposition::OpenExisting);
    EXPECT_TRUE(after.ok());
}

TYPED_TEST(FileSystemContract, DeleteRefusesReadOnlyFoldersAndOpenFiles) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"ro.txt"), "x");
    ASSERT_EQ(fs.SetAttributes(this->P(u"ro.txt"), attr::kReadOnly), OsError::None);
    EXPECT_EQ(fs.Delete(this->P(u"ro.txt")), OsError::AccessDenied);
    EXPECT_TRUE(fs.Exists(this->P(u"ro.txt")));
    ASSERT_EQ(fs.CreateFolder(this->P(u"Sub")), OsError::None);
    EXPECT_EQ(fs.Delete(this->P(u"Sub")), OsError::AccessDenied);
    EXPECT_EQ(fs.Delete(this->P(u"missing")), OsError::FileNotFound);
    EXPECT_EQ(fs.Delete(this->P(u"missing\\x")), OsError::PathNotFound);

    WriteFile(fs, this->P(u"open.txt"), "x");
    {
        auto held = fs.Open(this->P(u"open.txt"), FileAccess::Read, share::kRead,
                            Disposition::OpenExisting);
        ASSERT_TRUE(held.ok());
        EXPECT_EQ(fs.Delete(this->P(u"open.txt")), OsError::SharingViolation);
    }
    {
        // With delete sharing the name goes once the last handle closes.
        auto held = fs.Open(this->P(u"open.txt"), FileAccess::Read, share::kRead | share::kDelete,
                            Disposition::OpenExisting);
        ASSERT_TRUE(held.ok());
        EXPECT_EQ(fs.Delete(this->P(u"open.txt")), OsError::None);
    }
    EXPECT_FALSE(fs.Exists(this->P(u"open.txt")));
    EXPECT_EQ(fs.Delete(this->P(u"ro.TXT")), OsError::AccessDenied);
}

TYPED_TEST(FileSystemContract, CopyHonoursFailIfExistsAndCarriesContentAndAttributes) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"a.txt"), "aaa");
    WriteFile(fs, this->P(u"b.txt"), "bbb");
    EXPECT_EQ(fs.Copy(this->P(u"a.txt"), this->P(u"B.TXT"), true), OsError::AlreadyExists);
    EXPECT_EQ(FileContent(fs, this->P(u"b.txt")), "bbb");
    EXPECT_EQ(fs.Copy(this->P(u"a.txt"), this->P(u"b.txt"), false), OsError::None);
    EXPECT_EQ(FileContent(fs, this->P(u"b.txt")), "aaa");
    ASSERT_EQ(fs.SetAttributes(this->P(u"a.txt"), attr::kReadOnly), OsError::None);
    EXPECT_EQ(fs.Copy(this->P(u"a.txt"), this->P(u"c.txt"), true), OsError::None);
    EXPECT_EQ(fs.GetAttributes(this->P(u"c.txt")) & kVisibleBits, attr::kReadOnly);
    EXPECT_EQ(fs.Copy(this->P(u"missing"), this->P(u"d.txt"), false), OsError::FileNotFound);
    EXPECT_EQ(fs.Copy(this->P(u"b.txt"), this->P(u"missing\\d.txt"), false), OsError::PathNotFound);
    ASSERT_EQ(fs.CreateFolder(this->P(u"Sub")), OsError::None);
    EXPECT_EQ(fs.Copy(this->P(u"Sub"), this->P(u"Sub2"), false), OsError::AccessDenied);
    EXPECT_EQ(fs.Copy(this->P(u"b.txt"), this->P(u"Sub"), false), OsError::AccessDenied);
    auto held =
        fs.Open(this->P(u"b.txt"), FileAccess::Read, share::kNone, Disposition::OpenExisting);
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(fs.Copy(this->P(u"b.txt"), this->P(u"e.txt"), false), OsError::SharingViolation);
}

TYPED_TEST(FileSystemContract, MoveRenamesFilesAndFoldersButNeverOverwrites) {
    auto& fs = this->fs;
    WriteFile(fs, this->P(u"a.txt"), "aaa");
    WriteFile(fs, this->P(u"b.txt"), "bbb");
    EXPECT_EQ(fs.Move(this->P(u"a.txt"), this->P(u"b.txt")), OsError::AlreadyExists);
    EXPECT_EQ(FileContent(fs, this->P(u"b.txt")), "bbb");
    EXPECT_EQ(fs.Move(this->P(u"missing"), this->P(u"c.txt")), OsError::FileNotFound);
    EXPECT_EQ(fs.Move(this->P(u"a.txt"), this->P(u"missing\\c.txt")), OsError::PathNotFound);
    // A change of case alone is accepted (Windows then shows the new spelling, Wine keeps the
    // old one; the fake's own tests pin the Windows behaviour).
    EXPECT_EQ(fs.Move(this->P(u"a.txt"), this->P(u"A.TXT")), OsError::None);
    EXPECT_EQ(FindNames(fs, this->P(u"a.*")).size(), 1u);

    ASSERT_EQ(fs.CreateFolder(this->P(u"Sub")), OsError::None);
    WriteFile(fs, this->P(u"Sub\\in.txt"), "in");
    EXPECT_EQ(fs.Move(this->P(u"Sub"), this->P(u"Moved")), OsError::None);
    EXPECT_FALSE(fs.Exists(this->P(u"Sub")));
    EXPECT_EQ(FileContent(fs, this->P(u"Moved\\in.txt")), "in");

    auto held =
        fs.Open(this->P(u"b.txt"), FileAccess::Read, share::kRead, Disposition::OpenExisting);
    ASSERT_TRUE(held.ok());
    EXPECT_EQ(fs.Move(this->P(u"b.txt"), this->P(u"c.txt")), OsError::SharingViolation);
}

TYPED_TEST(FileSystemContract, FolderCreationAndRemoval) {
    auto& fs = this->fs;
    EXPECT_EQ(fs.CreateFolder(this->P(u"missing\\child")), OsError::PathNotFound);
    ASSERT_EQ(fs.CreateFolder(this->P(u"Sub")), OsError::None);
    EXPECT_EQ(fs.CreateFolder(this->P(u"SUB")), OsError::AlreadyExists);
    WriteFile(fs, this->P(u"f.txt"), "x");
    EXPECT_EQ(fs.CreateFolder(this->P(u"f.txt")), OsError::AlreadyExists);
    WriteFile(fs, this->P(u"Sub\\in.txt"), "x");
    EXPECT_EQ(fs.RemoveFolder(this->P(u"Sub")), OsError::DirectoryNotEmpty);
    EXPECT_EQ(fs.RemoveFolder(this->P(u"missing")), OsError::FileNotFound);
    EXPECT_EQ(fs.RemoveFolder(this->P(u"f.txt")), OsError::InvalidName);
    ASSERT_EQ(fs.Delete(this->P(u"Sub\\in.txt")), OsError::None);
    EXPECT_EQ(fs.RemoveFolder(this->P(u"sub")), OsError::None);
    EXPECT_FALSE(fs.Exists(this->P(u"Sub")));
}

// The steps a drive lock takes: "." steps collapse, and a trailing separator lets a folder carry
// a reserved device name or end in spaces. Without that separator the last name loses its
// trailing dots and spaces.
TYPED_TEST(FileSystemContract, DotStepsAndTrailingSeparatorsNameFoldersAsWin32Does) {
    auto& fs = this->fs;
    ASSERT_EQ(fs.CreateFolder(this->P(u"lock")), OsError::None);
    const std::u16string con = this->P(u"lock\\.\\con\\");
    const std::u16string aux = con + u".\\aux\\";
    const std::u16string nul = aux + u".\\nul.  tail.   \\";
    for (const std::u16string& path : {con, aux, nul})
        ASSERT_EQ(fs.CreateFolder(path), OsError::None);
    EXPECT_EQ(FindNames(fs, this->P(u"lock\\*")), std::vector<std::string>{"con"});
    EXPECT_EQ(FindNames(fs, con + u"*"), std::vector<std::string>{"aux"});
    EXPECT_EQ(FindNames(fs, aux + u"*"), std::vector<std::string>{"nul.  tail.   "});
    EXPECT_TRUE(fs.IsFolder(nul));
    EXPECT_TRUE(fs.IsFolder(this->P(u"lock\\con\\aux\\")));
    EXPECT_TRUE(fs.IsFolder(this->P(u"lock\\x\\..\\con\\")));
    // Without the separator a device name in an existing folder is the device, which answers as
    // a plain file whether or not a folder of that name is there.
    EXPECT_EQ(fs.GetAttributes(this->P(u"lock\\con")), attr::kArchive);
    EXPECT_EQ(fs.GetAttributes(this->P(u"lock\\nul.txt")), attr::kArchive);
    EXPECT_EQ(fs.GetAttributes(this->P(u"missing\\aux")), attr::kInvalid);
    EXPECT_TRUE(fs.IsFolder(this->P(u"lock\\con\\")));
    ASSERT_EQ(fs.CreateFolder(this->P(u"keep  \\")), OsError::None);
    EXPECT_EQ(FindNames(fs, this->P(u"keep*")), std::vector<std::string>{"keep  "});
    EXPECT_FALSE(fs.Exists(this->P(u"keep  ")));  // read as "keep"
    EXPECT_EQ(fs.RemoveFolder(this->P(u"keep  \\")), OsError::None);
    EXPECT_EQ(fs.CreateFolder(this->P(u"trail. .")), OsError::None);
    EXPECT_EQ(FindNames(fs, this->P(u"trail*")), std::vector<std::string>{"trail"});
    for (const std::u16string& path : {nul, aux, con})
        EXPECT_EQ(fs.RemoveFolder(path), OsError::None);
    EXPECT_EQ(FindNames(fs, this->P(u"lock\\*")), std::vector<std::string>{});
}

TYPED_TEST(FileSystemContract, LongPathNameSpellsShortNamesAsStoredAndKeepsLongOnes) {
    auto& fs = this->fs;
    ASSERT_EQ(fs.CreateFolder(this->P(u"MixCase")), OsError::None);
    ASSERT_EQ(fs.CreateFolder(this->P(u"MixCase\\LongerMixedName")), OsError::None);
    WriteFile(fs, this->P(u"MixCase\\LongerMixedName\\File.Txt"), "x");
    // Only names that could be 8.3 names are looked up; longer ones stay as the caller wrote
    // them, and so do the separators.
    auto tail = [&](std::u16string_view name) -> std::string {
        auto full = fs.LongPathName(this->P(name));
        if (!full.ok())
            return std::string("<") + OsErrorName(full.error()) + ">";
        return U8(std::u16string_view(*full).substr(this->env.scratch.size()));
    };
    EXPECT_EQ(tail(u"MIXCASE\\LONGERMIXEDNAME\\FILE.TXT"), "MixCase\\LONGERMIXEDNAME\\File.Txt");
    EXPECT_EQ(tail(u"mixcase/longermixedname/"), "MixCase/longermixedname/");
    EXPECT_EQ(tail(u"missing"), "<FileNotFound>");
    EXPECT_EQ(tail(u"MissingLongName"), "<FileNotFound>");
    EXPECT_EQ(tail(u"missing\\deeper"), "<FileNotFound>");
}

TYPED_TEST(FileSystemContract, DrivesListTypesAndVolumes) {
    auto& fs = this->fs;
    auto drives = fs.LogicalDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().size(), 3u);
    EXPECT_NE(std::find(drives.begin(), drives.end(), u"C:\\"), drives.end());
    EXPECT_EQ(fs.GetDriveType(u"C:\\"), DriveType::Fixed);
    char16_t absent = 0;
    for (char16_t letter = u'Y'; letter >= u'D' && absent == 0; --letter) {
        std::u16string root{letter, u':', u'\\'};
        if (std::find(drives.begin(), drives.end(), root) == drives.end())
            absent = letter;
    }
    ASSERT_NE(absent, 0);
    std::u16string absentRoot{absent, u':', u'\\'};
    EXPECT_EQ(fs.GetDriveType(absentRoot), DriveType::NoRootDir);
    EXPECT_EQ(fs.GetVolumeInfo(absentRoot).error(), OsError::PathNotFound);
    auto volume = fs.GetVolumeInfo(u"C:\\");
    ASSERT_TRUE(volume.ok());
    EXPECT_EQ(U8(volume->fileSystem), "NTFS");
}

}  // namespace
}  // namespace vestra::platform::contract
