// Process-wide state created by the entry point and kept until the process ends.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/OsLevel.h"
#include "app/PathTable.h"
#include "engine/client/Engine.h"
#include "processes/MemoryScan.h"
#include "scanner/SuspectList.h"

namespace vestra {

struct AppState {
    std::u16string commandWord;
    std::u16string appTitle;

    bool protectionStartFlag = false;  // started by the logon entry (word exactly "rtp")
    bool guiModeFlag = false;          // the main-window path was taken
    bool exitingFlag = false;
    bool mainWindowLoadingFlag = false;
    bool unloadMainAfterLoadFlag = false;
    bool startedFromVrs = false;  // a "vrs <path>" request added a user signature

    OsLevel os;
    std::uint32_t ownProcessId = 0;
    std::u16string computerName;
    PathTable paths;

    std::unique_ptr<Engine> engine;
    SignatureCounts signatureCounts;
    // What the start-up memory check found and ended, for the main window's virus list.
    std::vector<processes::ProcessDetection> startupDetections;
    // The autostart suspects of the ordinary start, before any window (the user-virus page
    // shows them until a scan run gathers them again).
    SuspectList suspects;
};

}  // namespace vestra
