// The trusted program groups and the critical ones among them.
#include "processes/TrustedProcesses.h"

#include "common/TextLists.h"
#include "platform/Text.h"
#include "processes/ProcessList.h"

namespace vestra::processes {
namespace {

struct Group {
    std::u16string_view names;
    std::u16string TrustedFolders::*first;
    std::u16string TrustedFolders::*second;  // nullptr: one folder only
    bool vistaAndLater;
};

constexpr Group kGroups[] = {
    {u"userinit|cmd|winlogon|spoolsv|svchost|csrss|smss|services|lsass|ctfmon|wdfmgr|alg|dllhost|"
     u"msdtc|msiexec|ntvdm|rundll32|taskmgr|write|wscript|wuauclt|calc|ping|notepad|logoff",
     &TrustedFolders::systemDir, &TrustedFolders::dllCacheDir, false},
    {u"explorer|regedit|hh|winhelp|winhlp32", &TrustedFolders::windowsDir,
     &TrustedFolders::dllCacheDir, false},
    {u"taskeng|wbem\\WmiPrvSE|wininit|lsm|audiodg|SLsvc|dwm|SearchIndexer|VSSVC|"
     u"SearchProtocolHost|SearchFilterHost|sppsvc|taskhost",
     &TrustedFolders::systemDir, nullptr, true},
    {u"servicing\\TrustedInstaller", &TrustedFolders::windowsDir, nullptr, true},
    {u"Windows Sidebar\\sidebar|Windows Defender\\MSASCui|Windows Media Player\\wmpnetwk",
     &TrustedFolders::programFilesDir, nullptr, true},
};

// Ending any of these ends the session or stops the machine.
constexpr std::u16string_view kCriticalNames =
    u"csrss|smss|winlogon|services|lsass|wininit|lsm|svchost|dwm";

bool InFolderAs(std::u16string_view path, const std::u16string& folder, std::u16string_view name) {
    return !folder.empty() && SamePath(path, folder + std::u16string(name) + u".exe");
}

}  // namespace

bool IsTrustedProcessPath(std::u16string_view path, const TrustedFolders& folders) {
    for (const Group& group : kGroups) {
        if (group.vistaAndLater && folders.preVista)
            continue;
        for (std::u16string_view name : SplitList(group.names)) {
            if (InFolderAs(path, folders.*group.first, name) ||
                (group.second && InFolderAs(path, folders.*group.second, name))) {
                return true;
            }
        }
    }
    return false;
}

bool IsCriticalProcess(std::uint32_t processId, std::u16string_view path,
                       const TrustedFolders& folders) {
    if (processId == kIdleProcessId || processId == kSystemProcessId)
        return true;
    for (std::u16string_view name : SplitList(kCriticalNames)) {
        if (InFolderAs(path, folders.systemDir, name))
            return true;
    }
    return false;
}

}  // namespace vestra::processes
