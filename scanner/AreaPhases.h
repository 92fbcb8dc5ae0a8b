// The non-file areas a scan run looks at before its files, as a table of steps that the
// subsystems owning each area fill in (memory and services, start-up items and system checks,
// the registry lists, autorun files). An empty step adds nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "scanner/HiddenPathCheck.h"
#include "scanner/ScanState.h"

namespace vestra {

class FileChecker;
class ScanReport;

// In the order the scan run calls them.
enum class AreaPhase : std::uint8_t {
    Services,
    MemoryProcesses,
    StartupItems,
    SystemFolders,
    HostsFile,
    RegistryDefault,
    RegistryDeep,
    AutorunFiles,
    Count,
};

// Memory and service phases run a second time, in their second form, once a running malware
// process was found.
enum class PhaseForm : std::uint8_t { First, Second };

// What a step may work with.
struct PhaseContext {
    ScanReport& report;
    FileChecker& checker;
    HiddenPathCheck checkHidden;
    std::function<void()> pump;
};

using AreaStep = std::function<void(PhaseContext&, PhaseForm)>;

struct AreaPhases {
    // Fresh process and service lists and the autostart suspects, before any phase.
    std::function<void(PhaseContext&)> refreshSnapshots;
    std::array<AreaStep, static_cast<std::size_t>(AreaPhase::Count)> steps;

    AreaStep& operator[](AreaPhase phase) { return steps[static_cast<std::size_t>(phase)]; }
    const AreaStep& operator[](AreaPhase phase) const {
        return steps[static_cast<std::size_t>(phase)];
    }
};

// Whether the scan run calls a phase, by the area flags of its state: services and the hosts
// file with the services area, the system folders with the default registry area, the deep
// registry list with its area or after a running malware process, autorun files with start-up.
bool PhaseSelected(AreaPhase phase, const ScanState& state);

}  // namespace vestra
