// A process table that tests set up: ids, parents, names, image paths, command lines, modules,
// memory figures. Terminate removes a process unless it is protected; Suspend and Resume flip
// a flag. Every action is recorded.
#pragma once

#include <string>
#include <vector>

#include "platform/Processes.h"
#include "platform/fake/FaultInjector.h"

namespace vestra::platform::fake {

enum class ProcOp : std::uint8_t {
    Snapshot,
    ImagePath,
    CommandLine,
    Modules,
    Memory,
    CreationTime,
    Terminate,
    Suspend,
    Resume,
    Count,
};

struct FakeProcess {
    std::uint32_t processId = 0;
    std::uint32_t parentId = 0;
    std::u16string exeName;
    std::u16string imagePath;
    std::u16string commandLine;
    std::vector<std::u16string> modules;  // the image first; filled from imagePath when empty
    MemoryCounters memory;
    std::uint32_t threadCount = 1;
    // 0: Add gives it the next tick of the fake's clock, so every added process has its own.
    std::uint64_t creationTime = 0;
    // Opening it for anything beyond the snapshot is AccessDenied (a system process).
    bool protectedProcess = false;
    bool suspended = false;
};

struct TerminateRecord {
    std::uint32_t processId = 0;
    std::uint32_t exitCode = 0;
};

class FakeProcesses : public Processes {
public:
    // Adds or replaces the process with that id, keeping table order for a new one.
    void Add(FakeProcess process);
    bool Remove(std::uint32_t processId);
    // nullptr when no such process runs.
    FakeProcess* Get(std::uint32_t processId);
    const std::vector<FakeProcess>& table() const { return table_; }
    const std::vector<TerminateRecord>& terminated() const { return terminated_; }

    FaultInjector<ProcOp>& faults() { return faults_; }

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
    // The process as OpenProcess would give it: missing is ERROR_INVALID_PARAMETER (Other),
    // protected is AccessDenied.
    Result<FakeProcess*> Open(ProcOp op, std::uint32_t processId);

    std::vector<FakeProcess> table_;
    std::vector<TerminateRecord> terminated_;
    std::uint64_t clock_ = 0;
    FaultInjector<ProcOp> faults_;
};

}  // namespace vestra::platform::fake
