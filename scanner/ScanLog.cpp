// Building and writing the scan log.
#include "scanner/ScanLog.h"

#include "common/FileNames.h"
#include "platform/Text.h"
#include "scanner/FileRoutines.h"
#include "scanner/ScanTexts.h"

namespace vestra {
namespace {

constexpr std::u16string_view kEol = u"\r\n";

class LogText {
public:
    void Line(std::u16string_view text = {}) {
        text_ += text;
        text_ += kEol;
    }
    // Text whose lines already end in CR LF (the scan run's report text).
    void Raw(std::u16string_view text) { text_ += text; }
    void Report(std::u16string_view text) { Line(u"=> " + std::u16string(text)); }
    void Detail(std::u16string_view text) { Line(u"   -" + std::u16string(text)); }
    void Separator() { Line(std::u16string(30, u'=')); }
    void Banner(std::u16string_view title) {
        Separator();
        Line(title);
        Separator();
    }
    std::u16string Take() { return std::move(text_); }

private:
    std::u16string text_;
};

std::u16string SourceText(const LogSuspect& s) {
    std::u16string text;
    auto part = [&](std::int32_t count, std::u16string_view word) {
        if (count <= 0)
            return;
        if (!text.empty())
            text += u", ";
        text += ToText(count) + u" " + std::u16string(word);
    };
    part(s.processes, u"Process");
    part(s.startups, u"Startup");
    part(s.regStrings, u"RegString");
    part(s.autoruns, u"Autorun.inf");
    return text;
}

void Snapshot(LogText& log, const std::vector<LogSuspect>& suspects,
              const std::vector<std::u16string>& processes) {
    if (!suspects.empty()) {
        log.Line();
        log.Line(u"Suspected Paths :");
        for (const LogSuspect& s : suspects) {
            log.Report(s.name + u"(Level " + ToText(s.level) + u") as  : " + SourceText(s));
            log.Detail(s.path);
            for (const std::u16string& more : s.moreLocations)
                log.Detail(more);
        }
    }
    log.Line();
    log.Line(u"Running Processes :");
    for (const std::u16string& path : processes) {
        if (!path.empty())
            log.Report(path);
    }
}

// Each counter box holds three lines; each becomes one report line.
void CounterLines(LogText& log, std::u16string_view box) {
    std::size_t start = 0;
    while (start <= box.size()) {
        std::size_t end = box.find(kEol, start);
        std::u16string_view line = box.substr(start, end == box.npos ? box.npos : end - start);
        log.Report(line);
        if (end == box.npos)
            break;
        start = end + kEol.size();
    }
}

void Header(LogText& log, const ScanState& state, const ScanLogInput& input) {
    log.Banner(kLogTitle);
    log.Line();
    log.Line(u"Scanning Results :");
    log.Report(u"Time & Date : " + input.timeText + u", on " + input.dateText);
    log.Report(u"Finishing Time : " + LongDuration(state.elapsedSeconds));
    log.Report(u"Folder Scanned :" + ToText(state.foldersDone));
    CounterLines(log, FileCounterText(state));
    CounterLines(log, RegistryCounterText(state));
    CounterLines(log, HiddenCounterText(state));
    log.Line();
    log.Banner(u"Before Scanning");
}

void Findings(LogText& log, const ScanReport& report) {
    const ScanState& state = report.state;
    if (state.filesDetected > 0) {
        log.Line();
        log.Line(u"Detected Virus :");
        log.Line();
        log.Raw(state.reportText);
    }
    if (state.valuesDetected > 0) {
        log.Line();
        log.Line(u"Infected Registry Values :");
        for (std::size_t i = 0; i < report.registry.Count(); ++i) {
            log.Report(report.registry.Cell(i, registry_column::kValueName));
            log.Detail(report.registry.Cell(i, registry_column::kKeyPath));
            log.Detail(report.registry.Cell(i, registry_column::kType));
        }
    }
    if (state.pathsHidden > 0) {
        log.Line();
        log.Line(u"Hidden Files/Folders");
        for (std::size_t i = 0; i < report.hidden.Count(); ++i) {
            log.Report(report.hidden.Cell(i, hidden_column::kPath));
            log.Detail(report.hidden.Cell(i, hidden_column::kAttributes));
        }
    }
}

}  // namespace

std::vector<LogSuspect> LogSuspectsOf(const SuspectList& suspects) {
    std::vector<LogSuspect> out;
    out.reserve(suspects.size());
    for (const Suspect& suspect : suspects) {
        LogSuspect entry;
        entry.name = FileNameOf(suspect.path, true);
        entry.level = suspect.level;
        entry.path = suspect.path;
        for (const SuspectLocation& location : suspect.locations)
            entry.moreLocations.push_back(location.path);
        auto count = [&suspect](SuspectSource source) {
            return static_cast<std::int32_t>(suspect.counts[static_cast<std::size_t>(source)]);
        };
        entry.processes = count(SuspectSource::Process);
        entry.startups = count(SuspectSource::Startup);
        entry.regStrings = count(SuspectSource::RegistryString);
        entry.autoruns = count(SuspectSource::Autorun);
        out.push_back(std::move(entry));
    }
    return out;
}

std::u16string BuildScanLog(const ScanReport& report, const ScanLogInput& input) {
    LogText log;
    Header(log, report.state, input);
    Snapshot(log, input.suspectsBefore, input.processesBefore);
    log.Line();
    log.Banner(u"After Scanning");
    Snapshot(log, input.suspectsAfter, input.processesAfter);
    Findings(log, report);
    return log.Take();
}

std::vector<std::uint8_t> EncodeScanLog(std::u16string_view text, platform::CodePage& codePage) {
    std::vector<std::uint8_t> bytes;
    std::string ansi = codePage.ToAnsi(text);
    if (codePage.FromAnsi(ansi) == text)
        return std::vector<std::uint8_t>(ansi.begin(), ansi.end());
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

bool WriteLog(platform::FileSystem& files, platform::CodePage& codePage, std::u16string_view path,
              const ScanReport& report, const ScanLogInput& input) {
    std::vector<std::uint8_t> bytes = EncodeScanLog(BuildScanLog(report, input), codePage);
    return WriteFileBytes(files, path, bytes);
}

}  // namespace vestra
