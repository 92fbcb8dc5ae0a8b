// The Windows programs the program trusts by name and folder, and the few among them that it
// never ends because Windows cannot run without them.
#pragma once

#include <string>
#include <string_view>

namespace vestra::processes {

// The folders the trusted names are accepted in; each ends with a backslash.
struct TrustedFolders {
    std::u16string windowsDir;
    std::u16string systemDir;
    std::u16string dllCacheDir;
    std::u16string programFilesDir;
    bool preVista = false;  // the Vista-and-later programs are not known
};

// Whether `path` is one of the trusted programs at its expected place.
bool IsTrustedProcessPath(std::u16string_view path, const TrustedFolders& folders);

// The processes no action of the program may end or freeze: the kernel's own two, and the
// session and logon programs (csrss, smss, winlogon, services, lsass, wininit, ...) when they
// run from the system folder. A program of that name anywhere else is only a disguise.
bool IsCriticalProcess(std::uint32_t processId, std::u16string_view path,
                       const TrustedFolders& folders);

}  // namespace vestra::processes
