// The texts the scan page shows for a scan run: durations, percentages, counter boxes, the
// status lines and the summary box at the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/MessageTable.h"
#include "scanner/ScanState.h"

namespace vestra {

// "hh:mm:ss", two digits at least in each place.
std::u16string ShortDuration(std::int32_t seconds);
// "1 hour,5 minutes,1 second": parts that are zero left out; zero gives the empty text.
std::u16string LongDuration(std::int32_t seconds);
// done/total as a percentage with one decimal, rounded ("33.3%"); empty when total is 0.
std::u16string PercentText(std::int64_t done, std::int64_t total);

// The three counter boxes, three lines each joined by CR LF.
std::u16string FileCounterText(const ScanState& state);
std::u16string RegistryCounterText(const ScanState& state);
std::u16string HiddenCounterText(const ScanState& state);

// Status lines of the counting pass and the walk.
std::u16string AnalyzingStatus(std::int32_t files, std::int32_t folders);
std::u16string ScanningStatus(const ScanState& state);
inline constexpr std::u16string_view kStatusFinished = u"Scanning Finished";

struct MessageBoxText {
    std::u16string text;
    std::u16string title;
    std::uint32_t style = 0;
};

// How the computer stands after a scan run: the verdict word and what remains, or the all-clear.
MessageBoxText SummaryBox(const ScanState& state, const config::MessageTable& messages);

}  // namespace vestra
