// Scan page texts.
#include "scanner/ScanTexts.h"

#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "platform/WindowSystem.h"

namespace vestra {
namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

std::u16string TwoDigits(std::int64_t n) {
    std::u16string text = ToText(n);
    return text.size() < 2 ? u"0" + text : text;
}

std::u16string Counted(std::int64_t n, std::u16string_view unit) {
    std::u16string text = ToText(n) + u" " + std::u16string(unit);
    if (n > 1)
        text += u's';
    return text;
}

std::u16string ThreeLines(std::u16string_view a, std::int32_t x, std::u16string_view b,
                          std::int32_t y, std::u16string_view c, std::int32_t z) {
    return std::u16string(a) + ToText(x) + std::u16string(kCrLf) + std::u16string(b) + ToText(y) +
           std::u16string(kCrLf) + std::u16string(c) + ToText(z);
}

}  // namespace

std::u16string ShortDuration(std::int32_t seconds) {
    if (seconds < 0)
        seconds = 0;
    std::int64_t h = seconds / 3600, m = (seconds / 60) % 60, s = seconds % 60;
    return TwoDigits(h) + u":" + TwoDigits(m) + u":" + TwoDigits(s);
}

std::u16string LongDuration(std::int32_t seconds) {
    if (seconds < 0)
        seconds = 0;
    std::int64_t h = seconds / 3600, m = (seconds / 60) % 60, s = seconds % 60;
    std::u16string text;
    if (h > 0) {
        text += Counted(h, u"hour");
        if (m > 0 || s > 0)
            text += u',';
    }
    if (m > 0) {
        text += Counted(m, u"minute");
        if (s > 0)
            text += u',';
    }
    if (s > 0)
        text += Counted(s, u"second");
    return text;
}

std::u16string PercentText(std::int64_t done, std::int64_t total) {
    if (total <= 0)
        return {};
    std::int64_t tenths = (done * 2000 + total) / (2 * total);
    return ToText(tenths / 10) + u"." + ToText(tenths % 10) + u"%";
}

std::u16string FileCounterText(const ScanState& state) {
    return ThreeLines(u"File Scanned : ", state.filesScanned, u"File Detected : ",
                      state.filesDetected, u"File Cleaned : ", state.filesCleaned);
}

std::u16string RegistryCounterText(const ScanState& state) {
    return ThreeLines(u"Value Scanned : ", state.valuesScanned, u"Value Detected: ",
                      state.valuesDetected, u"Value Fixed: ", state.valuesFixed);
}

std::u16string HiddenCounterText(const ScanState& state) {
    return ThreeLines(u"Path Scanned: ", state.pathsScanned, u"Path Hidden: ", state.pathsHidden,
                      u"Path Unhidden: ", state.pathsUnhidden);
}

std::u16string AnalyzingStatus(std::int32_t files, std::int32_t folders) {
    return u"Analyzing " + ToText(files) + u" Files and " + ToText(folders) + u" Directories" +
           u" ....";
}

std::u16string ScanningStatus(const ScanState& state) {
    if (state.countSkipped)
        return u"Scanning Files And Folders ....";
    return u"Scanning " + ToText(state.totalFiles) + u" Files and " + ToText(state.totalFolders) +
           u" Folders" + u" ....";
}

MessageBoxText SummaryBox(const ScanState& state, const config::MessageTable& messages) {
    namespace mb = platform::mb;
    namespace msg = config::msg;
    std::int32_t files = state.filesDetected - state.filesCleaned;
    std::int32_t values = state.valuesDetected - state.valuesFixed;
    std::int32_t hidden = state.pathsHidden - state.pathsUnhidden;
    if (files <= 0 && values <= 0 && hidden <= 0) {
        return {messages.Text(msg::kSummaryClean), messages.Text(msg::kSummaryCleanTitle),
                mb::kOk | mb::kIconInformation};
    }
    std::u16string lines;
    const std::pair<std::int32_t, int> parts[] = {{files, msg::kSummaryVirusFiles},
                                                  {values, msg::kSummaryRegistryValues},
                                                  {hidden, msg::kSummaryHiddenFiles}};
    for (const auto& [count, message] : parts) {
        if (count > 0)
            lines += std::u16string(kCrLf) + u"- " + ToText(count) + messages.Text(message);
    }
    int word = msg::kStateNotGood;
    std::uint32_t icon = mb::kIconExclamation;
    if (files > 0) {
        word = state.processInfected ? msg::kStateDangerous : msg::kStateBad;
        icon = state.processInfected ? mb::kIconCritical : mb::kIconExclamation;
    }
    return {messages.Text(msg::kSummaryState) + messages.Text(word) + std::u16string(kCrLf) +
                messages.Text(msg::kSummaryFound) + lines,
            messages.Text(msg::kSummaryTitle), mb::kOk | icon};
}

}  // namespace vestra
