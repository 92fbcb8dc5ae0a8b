// The program that a command line or a registry value starts. Heuristics weigh it, the service
// scan checks it, so both must read a command the same way.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/System.h"

namespace vestra {

// The script that wscript runs, or the text up to the end of its file name. An absolute path
// that is not an existing file gives the empty text; a relative one is resolved as the system
// resolves names (empty when it does not); a command without any dot comes back as it is.
std::u16string CommandToPath(std::u16string_view command, platform::FileSystem& files,
                             platform::System& system);

}  // namespace vestra
