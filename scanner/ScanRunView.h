// What a scan run asks of the main window around it: pages, buttons and timers, the corner
// window, the log and the program's exit. Every method does nothing by default, so the window
// overrides what it has and tests record what they check.
#pragma once

#include <string_view>

#include "scanner/ReportView.h"

namespace vestra {

class ScanRunView : public ReportView {
public:
    // Show the scan page.
    virtual void SelectScanPage() {}
    // Give way to the corner window, which carries on showing the scan.
    virtual void EnterCornerWindow() {}
    // Running: enable Stop and Minimize, start the information, time and counter timers, disable
    // Scan and the tree timer. Not running: the reverse.
    virtual void ScanControls(bool /*running*/) {}
    // The progress timer.
    virtual void ProgressTimer(bool /*running*/) {}
    virtual void StopCaptionChanged(std::u16string_view /*caption*/) {}
    // One last refresh of lists, buttons, counters, information box, progress and time.
    virtual void RefreshDisplays() {}
    // The program is closing: the run finishes the exit instead of writing the log.
    virtual bool Exiting() { return false; }
    virtual void FinishExit() {}
    virtual void WriteLog() {}
    // Timers the scan run stopped go back to how they were.
    virtual void RestoreTimers() {}
    // Show the result tab of a kind (1 viruses, 2 registry, 3 hidden).
    virtual void SelectResultTab(int /*detType*/) {}
};

}  // namespace vestra
