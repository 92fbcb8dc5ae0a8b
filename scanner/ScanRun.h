// One scan run from the Scan button to the summary: targets from the tree, the area phases, the
// counting pass, the walk, the end steps; the Skip/Stop/Result button and the timer displays.
// Runs on the window's thread and lets its events through between directory entries.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "config/MessageTable.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "scanner/AreaPhases.h"
#include "scanner/CheckFile.h"
#include "scanner/ExtractTargets.h"
#include "scanner/FolderWalk.h"
#include "scanner/HiddenPathCheck.h"
#include "scanner/ScanReport.h"
#include "scanner/ScanRunView.h"
#include "scanner/TargetSelection.h"
#include "scanner/TargetTree.h"

namespace vestra {

// The states of the button beside Scan: idle, counting, scanning, finished.
enum class StopButton : std::uint8_t { Idle, Skip, Stop, Result };
std::u16string_view StopCaption(StopButton button);

// How a run paces itself. End-to-end tests slow the pump so that a click lands while the run is
// still counting or walking; a zero delay (the default) costs nothing.
struct ScanRunOptions {
    std::uint32_t pumpDelayMs = 0;  // waited before each directory entry's message pump
};

struct ScanRunParts {
    platform::FileSystem& files;
    platform::System& system;
    platform::WindowSystem& windows;
    const config::MessageTable& messages;
    FileChecker& checker;
    TargetTree& tree;
    ScanReport& report;
    // The hidden-path test (remediation supplies it); empty: nothing counts as hidden.
    HiddenPathCheck checkHidden;
};

class ScanRun {
public:
    ScanRun(const ScanRunParts& parts, ScanRunView& view);
    ScanRun(const ScanRun&) = delete;
    ScanRun& operator=(const ScanRun&) = delete;

    // Filled by the subsystems that scan the non-file areas.
    AreaPhases phases;
    ScanRunOptions options;
    // Title of the program's message boxes and of the minimized window.
    std::u16string appTitle = u"Vestra";
    // Whether a folder is on the folder exception list (the exception list supplies it).
    void SetFolderExceptions(std::function<bool(std::u16string_view)> isExcluded) {
        walk_.isExcludedFolder = std::move(isExcluded);
    }

    // cmdScan: with rows in the lists, asks before they are cleared; then clears and scans.
    void ScanClicked();
    // The report back to empty, and the fast-scan filter out of its file phase.
    void ClearReport();
    // The scan run. With `cornering` the area phases are left out and the corner window shows it.
    void StartScan(bool cornering);
    bool Running() const { return running_; }

    // cmdStop by its state: Skip asks to skip counting, Stop asks to stop, Result opens the
    // result tab that has findings.
    void StopClicked();
    StopButton stopButton() const { return stopButton_; }
    // cmdMinimize during a run: the corner window shows it, and no summary box follows.
    void SetCornerMode(bool corner) { parts_.report.state.cornerMode = corner; }

    // TimerTime: one more second.
    void TickSecond() { ++parts_.report.state.elapsedSeconds; }
    // The time box: the elapsed time, or nothing while counting.
    std::u16string TimeBoxText() const;
    // The window's caption while minimized during a run.
    std::u16string MinimizedCaption() const;
    // TimerPB: percent and progress once counting is over (not skipped, something counted).
    void TickProgress();
    // The folder of the path being checked, for the path box.
    std::u16string CurrentFolder() const;

    const ScanTargets& targets() const { return targets_; }
    FolderWalk& walk() { return walk_; }

private:
    void SetStopButton(StopButton button);
    bool Ask(std::u16string_view text, std::u16string_view title, std::uint32_t style);
    void RunPhase(PhaseContext& context, AreaPhase phase, PhaseForm form);
    void RunAreaPhases(PhaseContext& context);
    void RunSecondForms(PhaseContext& context);
    void CountingPass();
    void WalkTargets();
    void EndRun();
    void SyncFilter();

    ScanRunParts parts_;
    ScanRunView& view_;
    TargetExtractor extractor_;
    FolderWalk walk_;
    ScanTargets targets_;
    StopButton stopButton_ = StopButton::Idle;
    bool running_ = false;
};

}  // namespace vestra
