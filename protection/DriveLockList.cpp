// The Vest-Lock page's rows, built from the drive types, the shared drive-label routine and the
// drive lock's status.
#include "protection/DriveLockList.h"

#include "protection/DriveLock.h"
#include "scanner/TargetTree.h"

namespace vestra::protection {

using platform::DriveType;

std::u16string_view DriveLockRow::StateText() const {
    return LockStateText(status);
}

std::vector<DriveLockRow> ListLockableDrives(platform::FileSystem& files) {
    std::vector<DriveLockRow> rows;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        std::u16string root = {letter, u':', u'\\'};
        DriveType type = files.GetDriveType(root);
        if (type == DriveType::Unknown || type == DriveType::NoRootDir || type == DriveType::CdRom)
            continue;
        DriveLockRow row;
        row.label = DriveName(files, root, true);
        row.status = SetDriveLock(files, root, false, true, false);
        row.root = std::move(root);
        rows.push_back(std::move(row));
    }
    return rows;
}

void ApplyDriveLock(platform::FileSystem& files, std::span<DriveLockRow> rows,
                    std::span<const std::size_t> chosen, bool lock) {
    for (std::size_t index : chosen) {
        if (index < rows.size())
            rows[index].status = SetDriveLock(files, rows[index].root, true, lock, true);
    }
}

}  // namespace vestra::protection
