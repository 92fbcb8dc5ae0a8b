// Processes and threads on toolhelp snapshots, psapi and the native process information call.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/Processes.h"

namespace vestra::platform::win32 {

class Win32Processes : public Processes {
public:
    Result<std::vector<ProcessEntry>> Snapshot() override;
    Result<std::u16string> ImagePath(std::uint32_t processId) override;
    Result<std::u16string> CommandLine(std::uint32_t processId) override;
    Result<std::vector<std::u16string>> Modules(std::uint32_t processId) override;
    Result<MemoryCounters> Memory(std::uint32_t processId) override;
    Result<std::uint64_t> CreationTime(std::uint32_t processId) override;
    OsError Terminate(std::uint32_t processId, std::uint32_t exitCode) override;
    OsError Suspend(std::uint32_t processId) override;
    OsError Resume(std::uint32_t processId) override;

private:
    OsError ForEachThread(std::uint32_t processId, bool suspend);
};

}  // namespace vestra::platform::win32
