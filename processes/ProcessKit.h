// The process and service parts wired together once, for the windows and the start-up sweep
// that share them: one snapshot, one set of actions, one service control.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "processes/MemoryScan.h"

namespace vestra::processes {

struct ProcessKitSetup {
    TrustedFolders folders;     // folders end with a backslash
    std::u16string systemRoot;  // "C:\" of the Windows drive
    std::uint32_t ownProcessId = 0;
    ForcedKill forcedKill;
};

class ProcessKit {
public:
    ProcessKit(platform::Platform& os, const ProcessKitSetup& setup)
        : folders(setup.folders),
          list(os.processes, os.files, setup.folders.windowsDir),
          actions(ActionParts{os.processes, os.shell, setup.forcedKill, setup.ownProcessId,
                              setup.folders}),
          services(ServiceParts{os.services, os.registry, os.shell, os.files, os.system,
                                setup.folders.windowsDir}),
          extractor(os.files, setup.systemRoot),
          sweep{list, actions, services, os.processes, os.files, extractor, setup.ownProcessId} {}
    ProcessKit(const ProcessKit&) = delete;
    ProcessKit& operator=(const ProcessKit&) = delete;

    TrustedFolders folders;
    ProcessList list;
    ProcessActions actions;
    ServiceControl services;
    TargetExtractor extractor;
    SweepParts sweep;
};

}  // namespace vestra::processes
