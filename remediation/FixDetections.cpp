// The fix pass over the virus list.
#include "remediation/FixDetections.h"

#include "scanner/CheckFile.h"
#include "scanner/FileRoutines.h"

namespace vestra::remediation {
namespace {

constexpr int kMsgShouldQuarantine = 87, kMsgNotQuarantined = 88, kMsgQuarantined = 89;
constexpr int kMsgNotCleaned = 90, kMsgCleaned = 91, kMsgNotDeleted = 92, kMsgDeleted = 93;
constexpr int kMsgNotIgnored = 94, kMsgIgnored = 95;

}  // namespace

void DetectionFixer::FixDetFiles(int scope) {
    ScanReport& report = parts_.report;
    if (report.state.filesDetected == report.state.filesCleaned)
        return;
    ReportView& view = report.view();
    bool paused = view.PauseCounters();
    report.SetStatus(u"Cleaning detected virus files ....");
    std::vector<std::size_t> rows =
        scope == kScopeChecked ? report.detect.CheckedRows() : report.detect.AllRows();
    for (std::size_t p = 0; p < rows.size(); ++p) {
        FixDetItem(rows[p]);
        report.SetPassProgress(p + 1, rows.size());
        view.PumpMessages();
    }
    report.SetStatus(u"Cleaning finished");
    if (paused)
        view.ResumeCounters();
}

void DetectionFixer::FixWithAction(std::u16string_view action, int scope) {
    forcedAction = action;
    FixDetFiles(scope);
    forcedAction.clear();
}

void DetectionFixer::Status(std::size_t index, int message) {
    parts_.report.detect.SetCell(index, detect_column::kStatus, parts_.messages.Text(message));
}

void DetectionFixer::Fixed(std::size_t index, int message, int icon) {
    Status(index, message);
    parts_.report.detect.MarkFixed(index, icon);
    parts_.report.EnumDet(kDetFiles, false);
}

bool DetectionFixer::Quarantine(std::size_t index, std::u16string_view path) {
    ResultList& list = parts_.report.detect;
    CageRecord record;
    record.originPath = path;
    record.virusName = list.Cell(index, detect_column::kVirusName);
    record.virusType = list.Cell(index, detect_column::kType);
    if (!parts_.store.CageFile(record, false)) {
        Status(index, kMsgNotQuarantined);
        return false;
    }
    Fixed(index, kMsgQuarantined, kIconQuarantined);
    if (parts_.quarantine != nullptr)
        parts_.quarantine->AddCaged(record);
    return true;
}

void DetectionFixer::FixDetItem(std::size_t index) {
    ResultList& list = parts_.report.detect;
    if (index >= list.Count() || list.Row(index).IsFixed())
        return;
    std::u16string path = list.Cell(index, detect_column::kFilePath);
    ReportView& view = parts_.report.view();
    // Marking a row fixed on a passing refusal would leave its file unhandled for good.
    if (PathVanished(parts_.files, path)) {
        list.SetCell(index, detect_column::kStatus, kStatusPathMissing);
        list.MarkFixed(index, kIconGone);
        view.StatusChanged();
        return;
    }
    std::u16string action = forcedAction.empty() ? list.Row(index).tag : forcedAction;
    if (action == kActionExclude) {
        bool added = parts_.addFileException && parts_.addFileException(path);
        if (added) {
            Status(index, kMsgIgnored);
            list.MarkFixed(index, kIconIgnored);
        } else {
            Status(index, kMsgNotIgnored);
        }
    }
    if (action == kActionInjected) {
        std::u16string root = path.substr(0, 3);
        if (parts_.files.GetDriveType(root) == platform::DriveType::Removable)
            action = kActionCage;
        else
            Status(index, kMsgShouldQuarantine);
    }
    bool deleteIt = action == kActionDelete;
    if (action == kActionCage)
        deleteIt = !Quarantine(index, path);
    if (deleteIt) {
        if (DeletePath(parts_.files, path))
            Fixed(index, kMsgDeleted, kIconGone);
        else
            Status(index, kMsgNotDeleted);
    }
    if (action == kActionClean) {
        CageRecord caged;
        int r = parts_.cleaner.CleanInfected(path, list.Cell(index, detect_column::kVirusName),
                                             list.Cell(index, detect_column::kType), &caged);
        if (r == kCleaned)
            Fixed(index, kMsgCleaned, kIconGone);
        else if (r == kQuarantined)
            Fixed(index, kMsgQuarantined, kIconQuarantined);
        else
            Status(index, kMsgNotCleaned);
        if (r == kQuarantined && parts_.quarantine != nullptr)
            parts_.quarantine->AddCaged(caged);
    }
    view.StatusChanged();
}

}  // namespace vestra::remediation
