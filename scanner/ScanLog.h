// The scan log "vestra.log": one plain-text report of a finished scan run (counters, the
// processes and suspects before and after, the findings of the three lists), written whole over
// the previous one, as ANSI when that loses nothing and as UTF-16LE otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "scanner/ScanReport.h"
#include "scanner/SuspectList.h"

namespace vestra {

// One program that starts by itself and looks suspicious, with where it was met.
struct LogSuspect {
    std::u16string name;
    std::int32_t level = 0;
    std::int32_t processes = 0, startups = 0, regStrings = 0, autoruns = 0;
    std::u16string path;
    std::vector<std::u16string> moreLocations;
};

struct ScanLogInput {
    std::u16string timeText;  // the current time and date in the system's short formats
    std::u16string dateText;
    std::vector<std::u16string> processesBefore;  // image paths, as the run's snapshot had them
    std::vector<std::u16string> processesAfter;   // image paths now
    std::vector<LogSuspect> suspectsBefore;       // as the scan run started
    std::vector<LogSuspect> suspectsAfter;        // gathered again for the log
};

// The suspect records as the log lists them: the file's name, its level, the references of
// each kind at its first place, that path and its further places.
std::vector<LogSuspect> LogSuspectsOf(const SuspectList& suspects);

inline constexpr std::u16string_view kLogTitle = u"Log File of Vestra 2010 Rev. 8.3";

// The whole log text, lines ended by CR LF.
std::u16string BuildScanLog(const ScanReport& report, const ScanLogInput& input);
// ANSI bytes when the text comes back unchanged from the code page, else UTF-16LE units.
std::vector<std::uint8_t> EncodeScanLog(std::u16string_view text, platform::CodePage& codePage);
// Replaces the file at `path`; false (and nothing written) when the old one cannot be deleted
// or the new one not written whole.
bool WriteLog(platform::FileSystem& files, platform::CodePage& codePage, std::u16string_view path,
              const ScanReport& report, const ScanLogInput& input);

}  // namespace vestra
