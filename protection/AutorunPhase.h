// The scan run's autorun-file phase: every drive's suspected autorun file becomes a row, and the
// programs it starts go through the file check. Depends on the analysis and the scanner's walk.
#pragma once

#include "platform/FileSystem.h"
#include "scanner/AreaPhases.h"
#include "scanner/ExtractTargets.h"
#include "scanner/FolderWalk.h"

namespace vestra::protection {

struct AutorunPhaseParts {
    platform::FileSystem& files;
    TargetExtractor& extractor;
    FolderWalk& walk;  // its single-file step checks and reports each program
};

// Answers how many autorun files it reported.
int ScanAutorunFiles(const AutorunPhaseParts& parts, PhaseContext& context);

// Fills the autorun-file phase. The parts must outlive the phases.
void InstallAutorunPhase(AreaPhases& phases, const AutorunPhaseParts& parts);

}  // namespace vestra::protection
