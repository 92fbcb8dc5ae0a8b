// The record of one scan run that the main window keeps: area flags, counters, the lists of what
// was already reported, status and report texts. Resetting it means assigning a fresh one.
#pragma once

#include <cstdint>
#include <string>

namespace vestra {

struct ScanState {
    bool skipRequested = false;  // the counting pass is to stop (Skip, and the end of counting)

    // Areas checked in the target tree.
    bool areaProcesses = false;
    bool areaStartup = false;
    bool areaRegDefault = false;
    bool areaRegDeep = false;
    bool areaServices = false;

    std::int32_t totalFiles = 0;  // counting pass
    std::int32_t totalFolders = 0;
    std::int32_t foldersDone = 0;  // subfolders the walk finished
    std::int32_t elapsedSeconds = 0;
    std::u16string currentPath;

    std::int32_t filesScanned = 0;
    std::int32_t filesCleaned = 0;
    std::int32_t filesDetected = 0;

    bool cornerMode = false;  // shown in the corner window: no summary box

    std::int32_t pathsScanned = 0;  // hidden-path counters
    std::int32_t pathsHidden = 0;
    std::int32_t pathsUnhidden = 0;

    bool processInfected = false;      // the memory phase found running malware
    bool detectedBeforeFiles = false;  // filesDetected > 0 when the file phase began

    std::int32_t valuesScanned = 0;  // registry counters
    std::int32_t valuesFixed = 0;
    std::int32_t valuesDetected = 0;

    std::u16string statusText;
    bool stopRequested = false;
    bool finished = false;
    bool filePhase = false;  // area phases over; stays set until the report is cleared
    std::int32_t percent = 0;

    std::u16string detectedPaths;     // lower-cased long paths of detected files, "|"-joined
    std::u16string detectedRegistry;  // registry items already listed
    std::u16string hiddenPaths;       // lower-cased paths already in the hidden list
    bool countSkipped = false;        // the user skipped the counting pass
    std::u16string reportText;        // detections, for the scan log
};

}  // namespace vestra
