// The rows of the main window's Vest-Lock page: every lockable drive with its label and lock
// state, and the Lock and Unlock actions on chosen rows. Free of the window, so it is tested
// against the fake file system.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace vestra::protection {

struct DriveLockRow {
    std::u16string root;   // "E:\"
    std::u16string label;  // "Flash (E:)"
    int status = 0;
    std::u16string_view StateText() const;
};

// One row per drive root "A:\" to "Z:\" that is neither unknown, without a root nor a CD-ROM,
// with the lock state as it is now.
std::vector<DriveLockRow> ListLockableDrives(platform::FileSystem& files);

// Locks (with the safe folder) or unlocks the drive of each chosen row and stores the status
// that comes back in the row.
void ApplyDriveLock(platform::FileSystem& files, std::span<DriveLockRow> rows,
                    std::span<const std::size_t> chosen, bool lock);

}  // namespace vestra::protection
