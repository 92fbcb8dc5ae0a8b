// Windows-only: the scan run as the frame and the corner window see it, without the Scanner
// panel that owns it: whether it runs, its figures, and the few requests they make of it.
#pragma once

#include <string>

#include "ui/model/ScanDisplay.h"

namespace vestra::ui {

class ScanStatus {
public:
    virtual ~ScanStatus() = default;
    virtual bool ScanRunning() const = 0;
    virtual ScanFigures Figures() const = 0;
    // The program is closing: the run stops at its next entry and then finishes the exit.
    virtual void StopForExit() = 0;
    // The Minimize button during a run: the corner shows the rest, no summary box follows.
    virtual void HandOverToCorner() = 0;
    // The scanned folders and files, "|"-joined, for the corner window's title.
    virtual std::u16string TargetsText() const = 0;
    // The window came back from being minimised: the counters run again during a scan.
    virtual void WindowRestored() = 0;
};

}  // namespace vestra::ui
