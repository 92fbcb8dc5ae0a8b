// The drive lock ("Vest-Lock"): a folder named "autorun.inf" at a drive's root, holding folders
// named after the reserved devices con, aux and nul that ordinary programs cannot remove, so no
// autorun file can be written there; optionally a safe folder with an instruction file. Reaches
// the disk only through the file seam and the shared file routines.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace vestra::protection {

// Status bits: which parts of the lock exist.
namespace lockbit {
inline constexpr int kFolder = 1;       // "autorun.inf" is a folder
inline constexpr int kLevel2 = 2;       // ...\con\aux
inline constexpr int kLevel1 = 4;       // ...\con
inline constexpr int kNotice = 8;       // ...\con\aux\nul.  This autorun.inf is LOCKED ...
inline constexpr int kSafeFolder = 16;  // the safe folder at the root
inline constexpr int kAttributes = 32;  // the lock folder is read-only, hidden and system
inline constexpr int kDesktopIni = 64;  // the lock folder's desktop.ini
inline constexpr int kAll = 127;
}  // namespace lockbit

// The entries of the lock on a drive root ("F:\"), spelled as they are created: the device
// levels keep their ".\" steps and trailing backslashes, which is what lets the device names
// (and the notice's trailing spaces) become folder names.
struct DriveLockPaths {
    explicit DriveLockPaths(std::u16string_view root);
    std::u16string lockFolder;  // root & "autorun.inf"
    std::u16string level1;
    std::u16string level2;
    std::u16string notice;
    std::u16string desktopIni;
    std::u16string safeFolder;
    std::u16string readMe;
    // Left by older versions; an unlock removes them, a lock renames the old safe folder.
    std::u16string oldNul;
    std::u16string oldMakerEntry;
    std::u16string oldTrademarkEntry;
    std::u16string oldSafeFolder;
};

// The name of the safe folder: U+0394 " Vest-Lock (Brankas Vestra) " U+0394.
std::u16string SafeFolderName();
// The name older versions put in the lock folder: the maker and a year.
inline constexpr std::u16string_view kOldMakerEntryName = u"Vestra 2010";

// The two texts the lock writes, as raw UTF-16LE without a byte-order mark.
std::u16string DesktopIniText();
std::u16string ReadMeText();

// apply false: only the status. apply and lock: creates the lock, with the safe folder when
// safeFolder is set. apply and not lock: removes the lock, when "autorun.inf" is a folder.
// Every step is tried even when an earlier one failed; the status tells what exists afterwards.
int SetDriveLock(platform::FileSystem& files, std::u16string_view root, bool apply, bool lock,
                 bool safeFolder);

// "Locked" for the whole lock, "Semi-Locked" while the lock folder exists, else "Unlocked".
std::u16string_view LockStateText(int status);

}  // namespace vestra::protection
