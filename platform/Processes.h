// Processes and threads: the snapshot of running processes and what the program does to one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace vestra::platform {

struct ProcessEntry {
    std::uint32_t processId = 0;
    std::uint32_t parentId = 0;
    std::u16string exeName;  // szExeFile of the toolhelp snapshot: the file name only
    std::uint32_t threadCount = 0;
};

struct MemoryCounters {
    std::uint64_t workingSet = 0;
    std::uint64_t peakWorkingSet = 0;
    std::uint64_t pagefileUsage = 0;
    std::uint64_t pageFaults = 0;
    std::uint64_t peakPagefileUsage = 0;
};

class Processes {
public:
    virtual ~Processes() = default;

    // CreateToolhelp32Snapshot + Process32First/Next, in the order the system lists them.
    virtual Result<std::vector<ProcessEntry>> Snapshot() = 0;
    // Full path of the process's image (GetModuleFileNameExW or the snapshot's first module).
    virtual Result<std::u16string> ImagePath(std::uint32_t processId) = 0;
    // The command line the process was started with (read from its memory).
    virtual Result<std::u16string> CommandLine(std::uint32_t processId) = 0;
    // Full paths of the loaded modules, the image first.
    virtual Result<std::vector<std::u16string>> Modules(std::uint32_t processId) = 0;
    virtual Result<MemoryCounters> Memory(std::uint32_t processId) = 0;
    // When the process started (GetProcessTimes, 100 ns units). With the id it names one
    // process: a later process that reuses the id has another creation time.
    virtual Result<std::uint64_t> CreationTime(std::uint32_t processId) = 0;
    // TerminateProcess after OpenProcess with PROCESS_TERMINATE.
    virtual OsError Terminate(std::uint32_t processId, std::uint32_t exitCode) = 0;
    // SuspendThread / ResumeThread on every thread of the process.
    virtual OsError Suspend(std::uint32_t processId) = 0;
    virtual OsError Resume(std::uint32_t processId) = 0;
};

}  // namespace vestra::platform
