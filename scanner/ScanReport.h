// The scan run's report: its state record, the three result lists (viruses, registry values,
// hidden paths), the result-tab captions and the progress display. Owned by the main window;
// the scan run, the cleaning and repair passes and the unhide pass all write into it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scanner/ReportView.h"
#include "scanner/ResultList.h"
#include "scanner/ScanState.h"

namespace vestra {

// Kinds of findings as EnumDet numbers them.
inline constexpr int kDetFiles = 1;
inline constexpr int kDetRegistry = 2;
inline constexpr int kDetHidden = 3;

// Icon of a freshly detected virus row.
inline constexpr int kIconDetected = 2;

// One virus-list row as the report takes it. Empty texts leave their cell (or the tag) unset.
struct Detection {
    std::u16string_view name;    // "Virus Name"
    std::u16string_view type;    // "Type": the category
    std::u16string_view path;    // "File Path"; joins the detected paths
    std::u16string_view kind;    // "Status": "Virus File", "Infected Shortcut", ...
    std::u16string_view action;  // the row's tag: its action code
};

struct ReportProgress {
    std::int32_t bar = 0;        // 0 to 100
    std::u16string percentText;  // "12.5%", or empty
};

class ScanReport {
public:
    ScanReport();
    ScanReport(const ScanReport&) = delete;
    ScanReport& operator=(const ScanReport&) = delete;

    ScanState state;
    ResultList detect;    // LVDetect: "Virus Name", "Type", "File Path", "Status"
    ResultList registry;  // LVRegDet: "Value Name", "Key Path", "Type", "Status"
    ResultList hidden;    // LVHide: "Name", "Attributes", "Type", "Path"
    ReportProgress progress;

    void SetView(ReportView* view) { view_ = view ? view : &noView_; }
    ReportView& view() { return *view_; }

    // Back to the empty idle state: a fresh state record with a stop request set, empty lists,
    // the plain tab captions and an empty progress display.
    void ClearReport();

    // One more detected (detPlus) or fixed finding of a kind; refreshes that kind's tab caption.
    void EnumDet(int detType, bool detPlus);

    // A virus-list row; the path joins the detected paths, and the report text grows by the
    // detection. With `count` the detected-files counter grows.
    void AddDetection(const Detection& detection, bool count);

    // "Virus", "Registry", "Hidden" when cleared; "Virus (3)" etc. once EnumDet counted.
    const std::u16string& TabCaption(int detType) const;
    std::size_t TotalRows() const { return detect.Count() + registry.Count() + hidden.Count(); }

    // Status line for long work; tells the view.
    void SetStatus(std::u16string_view text);
    // Progress of a pass over `total` items after `done` of them: the bar in rounded whole
    // percent and the box in tenths.
    void SetPassProgress(std::size_t done, std::size_t total);

private:
    ResultList& ListOf(int detType);

    std::u16string captions_[3];
    ReportView noView_;
    ReportView* view_ = &noView_;
};

}  // namespace vestra
