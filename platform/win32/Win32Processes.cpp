// The process list (CreateToolhelp32Snapshot), image paths (QueryFullProcessImageNameW with
// GetModuleFileNameExW as fallback), command lines read from the target's process parameters,
// modules, memory counters, termination and suspension of every thread.
#include "platform/win32/Win32Processes.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

namespace vestra::platform::win32 {

namespace {

Result<KernelOwner> OpenProcessFor(DWORD access, std::uint32_t processId) {
    KernelOwner process(::OpenProcess(access, FALSE, processId));
    if (!process)
        return LastError();
    return process;
}

template <class T>
bool ReadRemote(HANDLE process, const void* address, T& out) {
    SIZE_T got = 0;
    return ::ReadProcessMemory(process, address, &out, sizeof(T), &got) && got == sizeof(T);
}

using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

}  // namespace

Result<std::vector<ProcessEntry>> Win32Processes::Snapshot() {
    FileOwner snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return LastError();
    std::vector<ProcessEntry> entries;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    if (!::Process32FirstW(snapshot.get(), &entry))
        return LastError();
    do {
        entries.push_back({entry.th32ProcessID, entry.th32ParentProcessID,
                           FromWide(entry.szExeFile), entry.cntThreads});
    } while (::Process32NextW(snapshot.get(), &entry));
    return entries;
}

Result<std::u16string> Win32Processes::ImagePath(std::uint32_t processId) {
    if (auto process = OpenProcessFor(PROCESS_QUERY_LIMITED_INFORMATION, processId)) {
        wchar_t path[MAX_PATH * 2] = {};
        DWORD size = MAX_PATH * 2;
        if (::QueryFullProcessImageNameW(process->get(), 0, path, &size)) {
            return FromWide(path, size);
        }
    }
    auto process = OpenProcessFor(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, processId);
    if (!process)
        return process.error();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD length = ::GetModuleFileNameExW(process->get(), nullptr, path, MAX_PATH * 2);
    if (length == 0)
        return LastError();
    return FromWide(path, length);
}

Result<std::u16string> Win32Processes::CommandLine(std::uint32_t processId) {
    auto query = reinterpret_cast<QueryInformationProcess>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    if (query == nullptr)
        return OsError::NotSupported;
    auto process = OpenProcessFor(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, processId);
    if (!process)
        return process.error();
    PROCESS_BASIC_INFORMATION basic = {};
    if (query(process->get(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
        return OsError::Other;
    }
    // The PEB points at the process parameters, which hold the command line as a counted string.
    PEB peb;
    RTL_USER_PROCESS_PARAMETERS parameters;
    if (!ReadRemote(process->get(), basic.PebBaseAddress, peb) ||
        !ReadRemote(process->get(), peb.ProcessParameters, parameters)) {
        return LastError();
    }
    const UNICODE_STRING& text = parameters.CommandLine;
    std::wstring buffer(text.Length / sizeof(wchar_t), L'\0');
    SIZE_T got = 0;
    if (!buffer.empty() &&
        (!::ReadProcessMemory(process->get(), text.Buffer, buffer.data(), text.Length, &got) ||
         got != text.Length)) {
        return LastError();
    }
    return FromWide(buffer.data(), buffer.size());
}

Result<std::vector<std::u16string>> Win32Processes::Modules(std::uint32_t processId) {
    FileOwner snapshot;
    for (int attempt = 0; attempt < 3 && !snapshot; ++attempt) {
        // ERROR_BAD_LENGTH means the module list changed during the snapshot: try again.
        *snapshot.put() =
            ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
        if (!snapshot && ::GetLastError() != ERROR_BAD_LENGTH)
            break;
    }
    if (!snapshot)
        return LastError();
    std::vector<std::u16string> modules;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    if (!::Module32FirstW(snapshot.get(), &entry))
        return LastError();
    do {
        modules.push_back(FromWide(entry.szExePath));
    } while (::Module32NextW(snapshot.get(), &entry));
    return modules;
}

Result<MemoryCounters> Win32Processes::Memory(std::uint32_t processId) {
    auto process = OpenProcessFor(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, processId);
    if (!process)
        return process.error();
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(process->get(), &counters, sizeof(counters)))
        return LastError();
    return MemoryCounters{counters.WorkingSetSize, counters.PeakWorkingSetSize,
                          counters.PagefileUsage, counters.PageFaultCount,
                          counters.PeakPagefileUsage};
}

Result<std::uint64_t> Win32Processes::CreationTime(std::uint32_t processId) {
    auto process = OpenProcessFor(PROCESS_QUERY_LIMITED_INFORMATION, processId);
    if (!process)
        return process.error();
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    if (!::GetProcessTimes(process->get(), &created, &exited, &kernel, &user))
        return LastError();
    return (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

OsError Win32Processes::Terminate(std::uint32_t processId, std::uint32_t exitCode) {
    auto process = OpenProcessFor(PROCESS_TERMINATE, processId);
    if (!process)
        return process.error();
    return ::TerminateProcess(process->get(), exitCode) ? OsError::None : LastError();
}

OsError Win32Processes::Suspend(std::uint32_t processId) {
    return ForEachThread(processId, true);
}

OsError Win32Processes::Resume(std::uint32_t processId) {
    return ForEachThread(processId, false);
}

OsError Win32Processes::ForEachThread(std::uint32_t processId, bool suspend) {
    FileOwner snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot)
        return LastError();
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    if (!::Thread32First(snapshot.get(), &entry))
        return LastError();
    bool found = false;
    OsError result = OsError::None;
    do {
        if (entry.th32OwnerProcessID != processId)
            continue;
        found = true;
        KernelOwner thread(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        DWORD count = thread
                          ? (suspend ? ::SuspendThread(thread.get()) : ::ResumeThread(thread.get()))
                          : static_cast<DWORD>(-1);
        // One thread that refuses does not stop the others; the first failure is reported.
        if (count == static_cast<DWORD>(-1) && result == OsError::None)
            result = LastError();
    } while (::Thread32Next(snapshot.get(), &entry));
    // No thread at all: the process does not exist (OpenProcess would say invalid parameter).
    return found ? result : OsError::Other;
}

}  // namespace vestra::platform::win32
