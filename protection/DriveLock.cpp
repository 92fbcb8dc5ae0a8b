// The drive lock: creating, removing and reading the state of the "autorun.inf" lock folder and
// the safe folder. Deletes, unique names and whole-file writes go through the file routines.
#include "protection/DriveLock.h"

#include <cstdint>
#include <vector>

#include "scanner/FileRoutines.h"

namespace vestra::protection {

namespace {

using platform::FileSystem;
namespace attr = platform::attr;

constexpr char16_t kDelta = u'\u0394';
constexpr std::uint32_t kLockAttributes = attr::kReadOnly | attr::kHidden | attr::kSystem;

std::u16string WithDeltas(std::u16string_view middle) {
    return std::u16string(1, kDelta) + std::u16string(middle) + std::u16string(1, kDelta);
}

// The text's code units, low byte first, without a byte-order mark.
std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// Deletes an existing file first, then writes the text to a new file in one write.
void WriteText(FileSystem& files, std::u16string_view path, std::u16string_view text) {
    WriteFileBytes(files, path, Utf16LeBytes(text));
}

int LockStatus(FileSystem& files, const DriveLockPaths& paths) {
    int status = 0;
    std::uint32_t lockAttributes = files.GetAttributes(paths.lockFolder);
    bool folder = lockAttributes != attr::kInvalid && (lockAttributes & attr::kDirectory) != 0;
    if (folder)
        status |= lockbit::kFolder;
    if (files.IsFolder(paths.level2))
        status |= lockbit::kLevel2;
    if (files.IsFolder(paths.level1))
        status |= lockbit::kLevel1;
    if (files.Exists(paths.notice))
        status |= lockbit::kNotice;
    if (files.Exists(paths.safeFolder))
        status |= lockbit::kSafeFolder;
    if (folder && (lockAttributes & kLockAttributes) == kLockAttributes)
        status |= lockbit::kAttributes;
    if (files.Exists(paths.desktopIni))
        status |= lockbit::kDesktopIni;
    return status;
}

void Lock(FileSystem& files, const DriveLockPaths& paths, bool safeFolder) {
    std::uint32_t existing = files.GetAttributes(paths.lockFolder);
    if (existing != attr::kInvalid && (existing & attr::kDirectory) == 0)
        files.Move(paths.lockFolder, UniqueFileName(files, paths.lockFolder + u".backup"));

    if (!files.IsFolder(paths.lockFolder))
        files.CreateFolder(paths.lockFolder);
    if (files.IsFolder(paths.lockFolder)) {
        files.CreateFolder(paths.level1);
        if (files.Exists(paths.level1)) {
            files.CreateFolder(paths.level2);
            if (files.Exists(paths.level2))
                files.CreateFolder(paths.notice);
        }
    }

    WriteText(files, paths.desktopIni, DesktopIniText());
    files.SetAttributes(paths.lockFolder, kLockAttributes);
    files.SetAttributes(paths.desktopIni, kLockAttributes);

    if (files.Exists(paths.oldSafeFolder))
        files.Move(paths.oldSafeFolder, paths.safeFolder);
    else if (safeFolder && !files.Exists(paths.safeFolder))
        files.CreateFolder(paths.safeFolder);
    if (safeFolder)
        WriteText(files, paths.readMe, ReadMeText());
}

void Unlock(FileSystem& files, const DriveLockPaths& paths) {
    if (!files.IsFolder(paths.lockFolder))
        return;
    for (const std::u16string* path :
         {&paths.oldNul, &paths.oldMakerEntry, &paths.oldTrademarkEntry, &paths.notice,
          &paths.level2, &paths.level1, &paths.readMe, &paths.safeFolder, &paths.oldSafeFolder,
          &paths.desktopIni, &paths.lockFolder}) {
        DeletePath(files, *path);
    }
}

}  // namespace

DriveLockPaths::DriveLockPaths(std::u16string_view root)
    : lockFolder(std::u16string(root) + u"autorun.inf") {
    level1 = lockFolder + u"\\.\\con\\";
    level2 = level1 + u".\\aux\\";
    notice = level2 +
             u".\\nul.  This autorun.inf is LOCKED by VESTR\u0394 to protect your Flash-Disk "
             u"from virus infection.   \\";
    desktopIni = lockFolder + u"\\desktop.ini";
    safeFolder = std::u16string(root) + SafeFolderName();
    readMe = safeFolder + u"\\Read Me.txt";
    oldNul = level2 + u".\\nul\\";
    oldMakerEntry = lockFolder + u"\\" + std::u16string(kOldMakerEntryName);
    oldTrademarkEntry =
        lockFolder + u"\\" + std::u16string(1, kDelta) + u" Vest-Lock (Brankas Vestra) \u2122";
    oldSafeFolder = std::u16string(root) + WithDeltas(u" Vest-Lock ");
}

std::u16string SafeFolderName() {
    return WithDeltas(u" Vest-Lock (Brankas Vestra) ");
}

std::u16string DesktopIniText() {
    return u"[.ShellClassInfo]\r\nCLSID={2559a1f2-21d7-11d4-bdaf-00c04f60b9f0}";
}

std::u16string ReadMeText() {
    const std::u16string name = SafeFolderName();
    const std::u16string lines[] = {
        u"[Instruksi penggunaan folder \"" + name + u"\"]",
        u"- Folder " + name + u" ini adalah folder teraman dari infeksi virus.",
        u"  karena virus hampir tidak mungkin dapat memasuki folder ini.",
        u"  Jadi, semua file yang Anda taruh dalam folder ini",
        u"  SANGAT AMAN dari infeksi virus.",
        u"- Anda tidak boleh me-rename nama folder ini sedikitpun.",
        u"- Folder ini dapat diisi dengan file office ",
        u"  berjenis DOC, XLS, PPT, dan semua file office sejenisnya.",
        u"  file-file yang ada di dalam folder ini",
        u"  hanya dapat dibuka oleh semua program buatan Microsoft dan",
        u"  beberapa program tertentu lainnya.",
        u"- Untuk file yang bukan berjenis dokumen office,",
        u"  Anda masih dapat mengisinya ke dalam folder ini,",
        u"  tapi jika file itu gagal dibuka dari dalam folder ini,",
        u"  itu artinya jenis file tersebut memang tidak bisa ",
        u"  dibuka langsung dari dalam folder " + name + u",",
        u"  Untuk membukanya, Anda dapat memindahkan file tersebut ",
        u"  keluar folder ini terlebih dahulu sebelum membukanya.",
    };
    std::u16string text;
    for (const std::u16string& line : lines) {
        if (!text.empty())
            text += u"\r\n";
        text += line;
    }
    return text;
}

int SetDriveLock(FileSystem& files, std::u16string_view root, bool apply, bool lock,
                 bool safeFolder) {
    DriveLockPaths paths(root);
    if (apply && lock)
        Lock(files, paths, safeFolder);
    else if (apply)
        Unlock(files, paths);
    return LockStatus(files, paths);
}

std::u16string_view LockStateText(int status) {
    if (status == lockbit::kAll)
        return u"Locked";
    if ((status & lockbit::kFolder) != 0)
        return u"Semi-Locked";
    return u"Unlocked";
}

}  // namespace vestra::protection
