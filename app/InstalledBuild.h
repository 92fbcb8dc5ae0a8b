// The build number stamped into the installed protection copy, which decides whether the
// program offers to install or update it.
#pragma once

#include "app/PathTable.h"
#include "platform/FileSystem.h"

namespace vestra {

inline constexpr int kNoProtectionInstalled = -1;

// The last four bytes of the first existing protection executable (installed, then the legacy
// places), read as decimal digits; 0 when unreadable or not a number; -1 when none exists.
int InstalledBuild(platform::FileSystem& files, const PathTable& paths);

}  // namespace vestra
