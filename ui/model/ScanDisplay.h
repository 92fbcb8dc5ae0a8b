// What the main window shows of a scan run besides the scanner's own texts: the information box,
// the exit question while a scan runs, and the corner window's path line and title.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "config/MessageTable.h"
#include "platform/WindowSystem.h"

namespace vestra::ui {

// The scan run as the window's displays see it. Filled from the scan run's state by the window
// on every timer tick.
enum class ScanPhase { Idle, Counting, Scanning, Finished };

struct ScanFigures {
    ScanPhase phase = ScanPhase::Idle;
    bool countSkipped = false;
    std::int64_t totalFiles = 0;
    std::int64_t totalFolders = 0;
    std::int64_t filesScanned = 0;
    std::int64_t filesDetected = 0;
    std::int64_t valuesDetected = 0;
    std::int64_t pathsHidden = 0;
    int percent = 0;
    std::u16string statusText;
    std::u16string currentPath;
    std::u16string elapsedText;  // the short duration format
};

// The right-hand information box, one fact per line, in the message table's language (0
// Indonesian, anything else English).
std::u16string InformationText(const ScanFigures& figures, int language);

// TriggerExit's decision.
enum class ExitChoice {
    Stay,               // the user answered No
    Close,              // no scan runs: save the window state and end
    StopScanThenClose,  // stop the scan; its end steps finish the exit
};
// While a scan runs and `ask` is set, asks message 1 with title message 2 (Yes/No, question).
ExitChoice DecideExit(bool scanRunning, bool ask, const config::MessageTable& messages,
                      platform::WindowSystem& windows);

}  // namespace vestra::ui

namespace vestra::ui {

// A path shortened to fit a width: its beginning up to the first "\" and its end from a later
// "\", with "..." between, keeping as much of the end as fits. `measure` gives a text's width.
std::u16string ShortenPathToWidth(std::u16string_view path, int width,
                                  const std::function<int(std::u16string_view)>& measure);

// The corner window's title for its targets: one target gives "Scanning Floppy Disk >> A:\" or
// "Scanning Flash Disk >> <target>"; several ("|"-joined) or none give "Scanning File/Folder(s)".
std::u16string CornerTitle(std::u16string_view targets);

}  // namespace vestra::ui
