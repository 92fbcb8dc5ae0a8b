// SuperKill's Win32 side: SeDebugPrivilege (best effort), OpenProcess, TerminateProcess.
#include "engine/dll/ProcessKill.h"

#include <windows.h>

#include <mutex>

namespace vestra::engine {
namespace {

// Lets an administrator's process open processes of other accounts; without the privilege in
// the account the adjustment fails and only the caller's own processes can be ended.
void EnableDebugPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid)) {
        AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr);
    }
    CloseHandle(token);
}

}  // namespace

bool KillProcess(std::uint32_t processId) {
    if (processId == 0 || processId == GetCurrentProcessId())
        return false;
    static std::once_flag privilege;
    std::call_once(privilege, EnableDebugPrivilege);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    bool canWait = process != nullptr;
    if (!process)
        process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (!process)
        return false;
    bool ended = TerminateProcess(process, 1) != 0;
    // Termination completes asynchronously; give it a moment so that a caller's next look at
    // the process list no longer shows it.
    if (ended && canWait)
        WaitForSingleObject(process, 1000);
    CloseHandle(process);
    return ended;
}

}  // namespace vestra::engine
