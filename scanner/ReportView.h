// What the report and the passes over its lists tell the window, and the little they ask of it.
// The main window implements it; every method has a do-nothing default so tests override only
// what they watch.
#pragma once

namespace vestra {

class ReportView {
public:
    virtual ~ReportView() = default;

    // A tab caption of the result tabs changed (ScanReport::TabCaption).
    virtual void TabCaptionsChanged() {}
    // The buttons that depend on a list's rows need a refresh (1 files, 2 registry, 3 hidden).
    virtual void ListButtonsChanged(int /*detType*/) {}
    // The report was cleared: empty the progress, information and counter boxes.
    virtual void ReportCleared() {}
    // Status line or information panel changed.
    virtual void StatusChanged() {}
    // Progress bar or percent box changed (ScanReport::progress).
    virtual void ProgressChanged() {}

    // A pass over a list stops the counter timer while it runs: answers whether it was running,
    // and ResumeCounters restarts it.
    virtual bool PauseCounters() { return false; }
    virtual void ResumeCounters() {}

    // Let the window handle its waiting events (called between rows and directory entries).
    virtual void PumpMessages() {}
};

}  // namespace vestra
