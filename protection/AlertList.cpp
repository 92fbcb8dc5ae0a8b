// The alert's rows, their fixes, its captions and countdown, and its dismissal.
#include "protection/AlertList.h"

#include <utility>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "scanner/CheckFile.h"
#include "scanner/FileRoutines.h"

namespace vestra::protection {
namespace {

namespace mb = platform::mb;

constexpr std::u16string_view kExceptionTitle = u"Exception List";
constexpr std::u16string_view kFailedTitle = u"Failed";
constexpr int kShowNormal = 1;

std::u16string InitialStatus(std::u16string_view action) {
    if (action == kActionInjected)
        return std::u16string(kStatusInjected);
    if (action == kActionDelete)
        return std::u16string(kStatusVirusFile);
    if (action == kActionCage)
        return std::u16string(kStatusInfectedFile);
    if (action == kActionClean)
        return std::u16string(kStatusInfectedDocument);
    return {};
}

// The folder of a file as the folder box shows it and the exception list stores it: without the
// trailing backslash, except at a drive's root.
std::u16string FolderOfFile(std::u16string_view path) {
    std::u16string folder = FolderOf(path);
    if (folder.size() > 3 && folder.back() == u'\\')
        folder.pop_back();
    return folder;
}

std::unique_ptr<platform::FileHandle> LockFile(platform::FileSystem& files,
                                               std::u16string_view path) {
    auto opened = files.Open(path, platform::FileAccess::Read, platform::share::kNone,
                             platform::Disposition::OpenExisting);
    if (!opened)
        return nullptr;
    return std::move(*opened);
}

}  // namespace

AlertList::AlertList(const AlertParts& parts) : parts_(parts) {
    RefreshForm(false);
}

void AlertList::AddAlert(std::u16string_view virusName, std::u16string_view virusType,
                         std::u16string_view fileName, std::u16string_view missingFile,
                         std::u16string_view action) {
    // The host already filters repeats; a second row would only hold no lock, since the first
    // one's handle shuts every other open out.
    for (const AlertRow& listed : rows_) {
        if (SamePath(listed.path, fileName))
            return;
    }
    ++alertCount_;
    folder_ = FolderOfFile(fileName);
    AlertRow row;
    row.virusName = virusName;
    row.virusType = virusType;
    row.path = fileName;
    row.status = InitialStatus(action);
    row.action = action;
    row.missingFile = missingFile;
    row.lock = LockFile(parts_.files, fileName);
    rows_.push_back(std::move(row));
    parts_.view.RowAdded(rows_.size() - 1);
    RefreshForm(false);
    if (!shown_) {
        shown_ = true;
        parts_.view.ShowAlert();
    }
}

void AlertList::RefreshForm(bool show) {
    const config::MessageTable& messages = parts_.messages;
    label_ =
        messages.FormatMessage(config::msg::kAlertCounts, ToText(alertCount_), ToText(fixedCount_));
    fixAllEnabled_ = fixedCount_ < alertCount_;
    ignoreCaption_ =
        messages.Text(fixAllEnabled_ ? config::msg::kIgnoreCaption : config::msg::kExitCaption);
    parts_.view.FormRefreshed(show);
}

void AlertList::AddConfirmDrive(std::u16string_view root) {
    for (const std::u16string& queued : pendingDrives_) {
        if (SamePath(queued, root))
            return;
    }
    pendingDrives_.emplace_back(root);
}

void AlertList::ShowConfirmation() {
    // Taken out first: a question pumps events, and a drive queued meanwhile waits for the next
    // dismissal instead of being dropped with this batch.
    std::vector<std::u16string> drives = std::exchange(pendingDrives_, {});
    if (!parts_.confirmDrive)
        return;
    for (const std::u16string& root : drives)
        parts_.confirmDrive(root);
}

void AlertList::SetStatus(std::size_t index, int message) {
    rows_[index].status = parts_.messages.Text(message);
}

bool AlertList::Quarantine(AlertRow& row) {
    row.lock.reset();
    remediation::CageRecord record;
    record.originPath = row.path;
    record.virusName = row.virusName;
    record.virusType = row.virusType;
    return parts_.store.CageFile(record, false);
}

bool AlertList::Delete(AlertRow& row) {
    row.lock.reset();
    return DeletePath(parts_.files, row.path);
}

int AlertList::Clean(AlertRow& row) {
    row.lock.reset();
    return parts_.cleaner.CleanInfected(row.path, row.virusName, row.virusType);
}

// A fix that failed let go of the file on the way; as long as the row is listed the file stays
// shut to everyone else.
void AlertList::Relock(AlertRow& row) {
    if (!row.lock)
        row.lock = LockFile(parts_.files, row.path);
}

void AlertList::AfterFix(AlertRow& row, bool fixed) {
    if (fixed) {
        ++fixedCount_;
        row.fixed = true;
        row.lock.reset();
    } else {
        Relock(row);
    }
    if (!row.missingFile.empty() && parts_.files.Exists(row.missingFile))
        parts_.files.SetAttributes(row.missingFile, platform::attr::kNormal);
    if (infectedDrive_.empty() && row.path.size() >= 3) {
        std::u16string root = row.path.substr(0, 3);
        if (parts_.files.GetDriveType(root) == platform::DriveType::Removable)
            infectedDrive_ = root;
    }
}

void AlertList::FixItem(std::size_t index) {
    if (index >= rows_.size() || rows_[index].fixed)
        return;
    AlertRow& row = rows_[index];
    namespace msg = config::msg;
    // Only a file that is gone for certain; an attribute read refused in passing leaves the row
    // to be fixed as usual.
    if (PathVanished(parts_.files, row.path)) {
        row.status = kStatusPathMissing;
        parts_.view.RowChanged(index);
        RefreshForm(false);
        return;
    }
    std::u16string action = forcedAction.empty() ? row.action : forcedAction;
    bool fixed = false;
    if (action == kActionExclude) {
        fixed = !parts_.exceptions.AddException(config::ExceptionKind::File, row.path).empty();
        SetStatus(index, fixed ? msg::kIgnored : msg::kNotIgnored);
    }
    // An injected program is quarantined, never cleaned in place, whatever drive it is on.
    if (action == kActionInjected)
        action = kActionCage;
    bool deleteIt = action == kActionDelete;
    if (action == kActionCage) {
        fixed = Quarantine(row);
        SetStatus(index, fixed ? msg::kQuarantined : msg::kNotQuarantined);
        deleteIt = !fixed;
    }
    if (deleteIt) {
        fixed = Delete(row);
        SetStatus(index, fixed ? msg::kDeleted : msg::kNotDeleted);
    }
    if (action == kActionClean) {
        int result = Clean(row);
        fixed = result != remediation::kNotCleaned;
        SetStatus(index, result == remediation::kCleaned       ? msg::kCleaned
                         : result == remediation::kQuarantined ? msg::kQuarantined
                                                               : msg::kNotCleaned);
    }
    AfterFix(row, fixed);
    parts_.view.RowChanged(index);
    RefreshForm(false);
}

void AlertList::FixRows(const std::vector<std::size_t>& indices) {
    std::uint32_t generation = generation_;
    for (std::size_t index : indices) {
        if (generation_ != generation)
            return;  // dismissed while events were handled: these indices mean nothing now
        FixItem(index);
        parts_.view.PumpMessages();
    }
}

void AlertList::FixCheckedRows() {
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].checked)
            indices.push_back(i);
    }
    FixRows(indices);
}

void AlertList::FixAllRows() {
    std::vector<std::size_t> indices(rows_.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = i;
    FixRows(indices);
}

void AlertList::FixWithAction(std::u16string_view action, bool checkedOnly) {
    forcedAction = action;
    if (checkedOnly)
        FixCheckedRows();
    else
        FixAllRows();
    forcedAction.clear();
}

void AlertList::MenuCommand(AlertMenu entry) {
    switch (entry) {
        case AlertMenu::CleanAll:
            return FixWithAction({}, false);
        case AlertMenu::CleanSelected:
            return FixWithAction({}, true);
        case AlertMenu::QuarantineAll:
            return FixWithAction(kActionCage, false);
        case AlertMenu::QuarantineSelected:
            return FixWithAction(kActionCage, true);
        case AlertMenu::DeleteAll:
            return FixWithAction(kActionDelete, false);
        case AlertMenu::DeleteSelected:
            return FixWithAction(kActionDelete, true);
        case AlertMenu::Exception:
            return FixWithAction(kActionExclude, true);
    }
}

void AlertList::SetChecked(std::size_t index, bool checked) {
    if (index < rows_.size())
        rows_[index].checked = checked;
}

void AlertList::FixAllClicked() {
    FixAllRows();
    countdown_ = kFixAllCountdown;
    timerOn_ = true;
    parts_.view.TimerEnabled(true);
}

void AlertList::TimerTick() {
    if (!timerOn_)
        return;
    --countdown_;
    const config::MessageTable& messages = parts_.messages;
    std::u16string_view base =
        messages.Text(fixAllEnabled_ ? config::msg::kIgnoreCaption : config::msg::kExitCaption);
    ignoreCaption_ = std::u16string(base) + u" (" + ToText(countdown_) + u")";
    parts_.view.FormRefreshed(false);
    if (countdown_ <= 0)
        IgnoreClicked();
}

// In this order: the timer stops; the deep-scan question for an infected drive is asked while
// the rows are still on screen; the rows go with their locks; the host ends its danger state;
// the queued drive questions come; and last the deep scan, so that it does not find the files
// still held open.
void AlertList::IgnoreClicked() {
    timerOn_ = false;
    parts_.view.TimerEnabled(false);
    std::u16string drive = std::exchange(infectedDrive_, {});
    bool deepScan = false;
    if (!drive.empty()) {
        const config::MessageTable& messages = parts_.messages;
        deepScan =
            parts_.view.MessageBox(messages.FormatMessage(config::msg::kDeepScanDrive, drive),
                                   messages.Text(config::msg::kRecommendationTitle),
                                   mb::kYesNo | mb::kIconExclamation) == mb::kAnswerYes;
    }
    rows_.clear();
    ++generation_;
    alertCount_ = 0;
    fixedCount_ = 0;
    parts_.view.RowsCleared();
    shown_ = false;
    parts_.view.HideAlert();
    RefreshForm(false);
    if (parts_.stopDanger)
        parts_.stopDanger(true);
    ShowConfirmation();
    if (deepScan)
        parts_.shell.Execute({u"open", parts_.installedExe, drive, u"", kShowNormal});
}

void AlertList::ExceptionFolderClicked() {
    const config::MessageTable& messages = parts_.messages;
    int answer = parts_.view.MessageBox(messages.Text(config::msg::kAddFolderException),
                                        kExceptionTitle, mb::kOkCancel | mb::kIconExclamation);
    if (answer != mb::kAnswerOk)
        return;
    if (!parts_.exceptions.AddException(config::ExceptionKind::Folder, folder_).empty()) {
        IgnoreClicked();
        return;
    }
    parts_.view.MessageBox(messages.Text(config::msg::kExceptionFailed), kFailedTitle,
                           mb::kIconExclamation);
}

}  // namespace vestra::protection
