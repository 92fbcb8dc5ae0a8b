// Running malware: the start-up sweep that kills detected processes before the main window
// opens, and the memory-process and service phases of a scan run. A process is detected by its
// image or by a file its command line names; a detected one is frozen at once and ended after
// the whole list was checked, so that processes guarding each other cannot restart one another
// in between. Only detected processes are touched, never the program itself or a critical one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "processes/ProcessActions.h"
#include "processes/ProcessList.h"
#include "processes/ServiceControl.h"
#include "scanner/AreaPhases.h"
#include "scanner/CheckFile.h"
#include "scanner/ExtractTargets.h"

namespace vestra::processes {

// The start-up detection list has room for this many rows.
inline constexpr std::size_t kStartupDetectionRoom = 21;

struct SweepParts {
    ProcessList& list;
    ProcessActions& actions;
    ServiceControl& services;
    platform::Processes& processes;
    platform::FileSystem& files;
    TargetExtractor& extractor;
    std::uint32_t ownProcessId = 0;
};

// One virus-list row that a sweep or phase made.
struct ProcessDetection {
    std::u16string name;
    std::u16string type;
    std::u16string path;  // the detected file (the script a host program runs, when it was that)
    std::u16string status;
    std::u16string action;
    std::uint32_t processId = 0;
};

struct DetectedProcess {
    ProcessInfo process;
    Verdict verdict;
    std::u16string path;
};

// Checks every listed process but the program itself; detected ones (but "INJ") are suspended
// at once. `next` runs between processes and may answer false to stop the pass early.
std::vector<DetectedProcess> DetectRunningMalware(const SweepParts& parts, FileChecker& checker,
                                                  const std::function<bool()>& next);

// The start-up sweep: detected processes killed, or their services stopped when they survive.
std::vector<ProcessDetection> KillDetectedProcesses(const SweepParts& parts, FileChecker& checker);

// Fills the memory-process and service phases and adds the fresh lists to the snapshot step.
// The parts must outlive the phases.
void InstallProcessPhases(AreaPhases& phases, const SweepParts& parts);

// The two phases, as the scan run calls them.
void ScanMemoryProcesses(const SweepParts& parts, PhaseContext& context);
void ScanServices(const SweepParts& parts, PhaseContext& context);

}  // namespace vestra::processes
