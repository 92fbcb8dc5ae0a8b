// The fake process table and the actions on its entries.
#include "platform/fake/FakeProcesses.h"

#include <algorithm>

namespace vestra::platform::fake {

void FakeProcesses::Add(FakeProcess process) {
    if (process.modules.empty() && !process.imagePath.empty()) {
        process.modules.push_back(process.imagePath);
    }
    if (process.creationTime == 0)
        process.creationTime = ++clock_;
    if (FakeProcess* existing = Get(process.processId)) {
        *existing = std::move(process);
    } else {
        table_.push_back(std::move(process));
    }
}

bool FakeProcesses::Remove(std::uint32_t processId) {
    return std::erase_if(table_, [&](const FakeProcess& p) { return p.processId == processId; }) >
           0;
}

FakeProcess* FakeProcesses::Get(std::uint32_t processId) {
    auto it = std::find_if(table_.begin(), table_.end(),
                           [&](const FakeProcess& p) { return p.processId == processId; });
    return it == table_.end() ? nullptr : &*it;
}

Result<FakeProcess*> FakeProcesses::Open(ProcOp op, std::uint32_t processId) {
    if (OsError e = faults_.Next(op); e != OsError::None)
        return e;
    FakeProcess* process = Get(processId);
    if (process == nullptr)
        return OsError::Other;
    if (process->protectedProcess)
        return OsError::AccessDenied;
    return process;
}

Result<std::vector<ProcessEntry>> FakeProcesses::Snapshot() {
    if (OsError e = faults_.Next(ProcOp::Snapshot); e != OsError::None)
        return e;
    std::vector<ProcessEntry> entries;
    for (const FakeProcess& p : table_) {
        entries.push_back({p.processId, p.parentId, p.exeName, p.threadCount});
    }
    return entries;
}

Result<std::u16string> FakeProcesses::ImagePath(std::uint32_t processId) {
    auto process = Open(ProcOp::ImagePath, processId);
    if (!process)
        return process.error();
    if ((*process)->imagePath.empty())
        return OsError::Other;
    return (*process)->imagePath;
}

Result<std::u16string> FakeProcesses::CommandLine(std::uint32_t processId) {
    auto process = Open(ProcOp::CommandLine, processId);
    if (!process)
        return process.error();
    return (*process)->commandLine;
}

Result<std::vector<std::u16string>> FakeProcesses::Modules(std::uint32_t processId) {
    auto process = Open(ProcOp::Modules, processId);
    if (!process)
        return process.error();
    return (*process)->modules;
}

Result<MemoryCounters> FakeProcesses::Memory(std::uint32_t processId) {
    auto process = Open(ProcOp::Memory, processId);
    if (!process)
        return process.error();
    return (*process)->memory;
}

Result<std::uint64_t> FakeProcesses::CreationTime(std::uint32_t processId) {
    auto process = Open(ProcOp::CreationTime, processId);
    if (!process)
        return process.error();
    return (*process)->creationTime;
}

OsError FakeProcesses::Terminate(std::uint32_t processId, std::uint32_t exitCode) {
    auto process = Open(ProcOp::Terminate, processId);
    if (!process)
        return process.error();
    terminated_.push_back({processId, exitCode});
    Remove(processId);
    return OsError::None;
}

OsError FakeProcesses::Suspend(std::uint32_t processId) {
    auto process = Open(ProcOp::Suspend, processId);
    if (!process)
        return process.error();
    (*process)->suspended = true;
    return OsError::None;
}

OsError FakeProcesses::Resume(std::uint32_t processId) {
    auto process = Open(ProcOp::Resume, processId);
    if (!process)
        return process.error();
    (*process)->suspended = false;
    return OsError::None;
}

}  // namespace vestra::platform::fake
