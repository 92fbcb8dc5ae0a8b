// The quarantine store on disk: quarantining a file into the quarantine folder and restoring it,
// reading a quarantine file's header, counting the store and making sure its folder exists.
// A file leaves its place only once its copy on the other side is complete.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace vestra::remediation {

struct CageRecord {
    std::u16string originPath;  // before quarantine; on restore the target (empty: the header's)
    std::u16string sourcePath;  // the file read when quarantining; empty: originPath
    std::u16string cagePath;    // the quarantine file
    std::u16string virusName;
    std::u16string virusType;
};

// Both with a trailing backslash.
struct CageFolders {
    std::u16string cage;     // "[Vest-Cage]" at the root of the Windows drive
    std::u16string oldCage;  // "[VestCage]", the older store, only imported from
};

inline constexpr std::u16string_view kCageExtension = u"vra";

class CageStore {
public:
    CageStore(platform::FileSystem& files, CageFolders folders)
        : files_(files), folders_(std::move(folders)) {}

    // Quarantines (restore false) or restores (restore true) and fills the record's paths.
    bool CageFile(CageRecord& record, bool restore) {
        return restore ? Restore(record) : Quarantine(record);
    }
    // The source, scrambled, becomes a new quarantine file under a name no other file has; the
    // source is deleted only after that file is complete, and if the source cannot be deleted
    // the quarantine file goes again. False leaves the source as it was.
    bool Quarantine(CageRecord& record);
    // The body goes to a new file at the first free name of the origin path (missing folders
    // are made); the quarantine file is deleted only after that, and if it cannot be the
    // restored copy goes again. False leaves the quarantine file as it was.
    bool Restore(CageRecord& record);

    // Origin path, name and type from the header of record.cagePath, which must begin "Vra!".
    // Headers of any length a path can make are read.
    bool ReadCageInfo(CageRecord& record);

    // ".vra" files (any case) in the old and the current folder together.
    int CountCageFiles();

    // Creates the quarantine folder hidden and system; true only when it made it now. A folder
    // that is already there gets the two attributes if it lacks them.
    bool EnsureCageFolder();

    const CageFolders& folders() const { return folders_; }
    platform::FileSystem& files() { return files_; }

private:
    platform::FileSystem& files_;
    CageFolders folders_;
};

}  // namespace vestra::remediation
