// The folder part of the start-up pass: the start-up folders, the desktops, the drive roots
// and the Windows task folder go through the folder walk. Depends on the walk and the platform.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/System.h"
#include "scanner/AreaPhases.h"
#include "scanner/FolderWalk.h"

namespace vestra {

// "A:\|C:\|..." in letter order, without drives that have no root, without CD-ROM drives with
// `skipCd` and without a removable A:\ with `skipFloppy`.
std::u16string DriveRoots(platform::FileSystem& files, bool skipCd, bool skipFloppy);

struct StartupFolder {
    std::u16string path;  // without a trailing backslash, except a drive root
    bool recurse = false;
};

// In walking order: the user's, all users' and the default user's start-up folders (with
// subfolders), then the two desktops, every drive root and the Windows "Tasks" folder (without).
// Unknown special folders are left out.
std::vector<StartupFolder> StartupFolders(platform::FileSystem& files, platform::System& system);

// Adds the folder walk to the start-up phase, after whatever the phase already does; install it
// after the registry phases so the run keys come first.
void InstallStartupFolderPhase(AreaPhases& phases, FolderWalk& walk, platform::FileSystem& files,
                               platform::System& system);

}  // namespace vestra
