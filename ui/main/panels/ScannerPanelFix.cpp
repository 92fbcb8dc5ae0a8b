// Windows-only: the Scanner panel's commands on the findings: the virus and hidden lists' buttons
// and pop-up items, "Fix All" (also the corner window's), the scan log written at the end of a
// run and opened in Notepad. The passes themselves live in remediation/ and scanner/ScanLog.
#include <windows.h>

#include "platform/win32/Win32CodePage.h"
#include "scanner/CheckFile.h"
#include "scanner/FileRoutines.h"
#include "scanner/ScanLog.h"
#include "ui/forms/FormFileProp.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/ListEvents.h"
#include "ui/main/panels/ScannerPanel.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

using remediation::kScopeAll;
using remediation::kScopeChecked;

// The current time or date in the user's short format.
std::u16string NowText(bool date) {
    wchar_t buffer[128] = {};
    const int n =
        date ? GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 128)
             : GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 128);
    return n > 0 ? win::U16(std::wstring_view(buffer)) : std::u16string();
}

}  // namespace

void ScannerPanel::BindFix(int commandId, std::function<void()> work) {
    // A pass pumps messages between rows: a second click, or one while a scan runs and still
    // adds rows, must not start another pass over the same lists.
    ctx_.bindings.Bind(commandId, [this, work = std::move(work)] {
        if (fixing_ || ScanRunning())
            return;
        fixing_ = true;
        work();
        fixing_ = false;
        RefreshCounters();
        ListButtonsChanged(0);
        ctx_.host.RefreshInformation();
        ctx_.host.QuarantineChanged();
    });
}

void ScannerPanel::BindFixCommands() {
    using namespace std::string_view_literals;
    struct Pass {
        int command;
        std::u16string_view action;  // empty: each row's own
        int scope;
    };
    constexpr Pass kPasses[] = {
        {cmd::kPopDetClnAll, u""sv, kScopeAll},
        {cmd::kPopDetClnSel, u""sv, kScopeChecked},
        {cmd::kPopDetCageAll, kActionCage, kScopeAll},
        {cmd::kPopDetCageSel, kActionCage, kScopeChecked},
        {cmd::kPopDetDelAll, kActionDelete, kScopeAll},
        {cmd::kPopDetDelSel, kActionDelete, kScopeChecked},
        {cmd::kPopDetExc, kActionExclude, kScopeChecked},
    };
    for (const Pass& pass : kPasses) {
        BindFix(pass.command, [this, pass] {
            if (pass.action.empty())
                fixer_.FixDetFiles(pass.scope);
            else
                fixer_.FixWithAction(pass.action, pass.scope);
        });
    }
    BindFix(cmd::kPopUnhideAll, [this] { hidden_.UnhidePaths(kScopeAll); });
    BindFix(cmd::kPopUnhideSel, [this] { hidden_.UnhidePaths(kScopeChecked); });
    BindFix(ctl::kCmdCleanAll, [this] { RunFixAll(); });
    ctx_.bindings.Bind(cmd::kPopDetExp,
                       [this] { ExploreRow(ctl::kLVDetect, detect_column::kFilePath); });
    ctx_.bindings.Bind(cmd::kPopUnhideExp,
                       [this] { ExploreRow(ctl::kLVHide, hidden_column::kPath); });
    ctx_.bindings.Bind(cmd::kPopDetProp,
                       [this] { ShowRowProperties(ctl::kLVDetect, detect_column::kFilePath); });
    ctx_.bindings.Bind(cmd::kPopUnhideProp,
                       [this] { ShowRowProperties(ctl::kLVHide, hidden_column::kPath); });
    ctx_.bindings.Bind(ctl::kCmdLog, [this] { OpenLog(); });
    // The button and the corner window's Fix All (posted as this command) run the binding.
    for (int id : {ctl::kCmdCleanAll, ctl::kCmdLog})
        ctx_.window.onCommand[id] = [this, id](int) { ctx_.bindings.Run(id); };
    RefreshLogButton();
}

void ScannerPanel::RunFixAll() {
    remediation::FixAllParts parts{
        report_, ctx_.app.messages, fixer_, hidden_, targetTree_, *this, {}, {}};
    parts.fixRegistry = [this] {
        // The files are done: the Quarantine tab shows them before the registry rows, which
        // can take a while, are repaired.
        ctx_.host.QuarantineChanged();
        FixRegistryRows(FixScope::All);
    };
    // The full scan starts once this pass has unwound, as the start-up scan does.
    parts.startScan = [this] { PostMessageW(ctx_.window.hwnd(), kMsgStartFullScan, 0, 0); };
    remediation::FixAll(parts);
}

int ScannerPanel::MessageBox(std::u16string_view text, std::u16string_view title,
                             std::uint32_t style) {
    return win::ShowMessage(ctx_.window.hwnd(), text, title, style);
}

std::u16string ScannerPanel::SelectedRowPath(int listId, std::size_t pathColumn) {
    const ResultList* model = ModelOfList(listId);
    const int row = SelectedRow(ctx_.kit.Ctl(listId));
    if (!model || row < 0 || static_cast<std::size_t>(row) >= model->Count())
        return {};
    return model->Cell(static_cast<std::size_t>(row), pathColumn);
}

void ScannerPanel::ExploreRow(int listId, std::size_t pathColumn) {
    const std::u16string path = SelectedRowPath(listId, pathColumn);
    if (path.empty())
        return;
    const platform::Platform& os = ctx_.app.os;
    ExplorePath({os.files, os.shell, os.windows}, path);
}

void ScannerPanel::ShowRowProperties(int listId, std::size_t pathColumn) {
    const std::u16string path = SelectedRowPath(listId, pathColumn);
    if (!path.empty())
        ShowFileProperties(ctx_.window.hwnd(), {path, 0}, ctx_.app.os,
                           ctx_.app.messages.CurrentLanguage());
}

// ---- The scan log ----

void ScannerPanel::WriteLog() {
    ScanLogInput input;
    input.timeText = NowText(false);
    input.dateText = NowText(true);
    input.processesBefore = processesBefore_;
    input.processesAfter = RunningImagePaths();
    input.suspectsBefore = LogSuspectsOf(suspectsBefore_);
    if (heuristics_)
        input.suspectsAfter = LogSuspectsOf(heuristics_->heuristics().GatherSuspects(false));
    platform::win32::Win32CodePage codePage;
    vestra::WriteLog(ctx_.app.os.files, codePage, ctx_.app.state.paths.logFile, report_, input);
    RefreshLogButton();
}

std::vector<std::u16string> ScannerPanel::RunningImagePaths() const {
    std::vector<std::u16string> paths;
    if (!processKit_)
        return paths;
    processKit_->list.Refresh();
    for (const processes::ProcessInfo& process : processKit_->list.entries()) {
        if (!process.path.empty())
            paths.push_back(process.path);
    }
    return paths;
}

void ScannerPanel::RefreshLogButton() {
    const std::u16string& log = ctx_.app.state.paths.logFile;
    ctx_.kit.Enable(ctl::kCmdLog, !log.empty() && ctx_.app.os.files.Exists(log));
}

void ScannerPanel::OpenLog() {
    RefreshLogButton();
    const std::u16string& log = ctx_.app.state.paths.logFile;
    if (log.empty() || !ctx_.app.os.files.Exists(log))
        return;
    platform::ShellRequest request;
    request.verb = u"open";
    request.file = ctx_.app.state.paths.notepadPathSystem;
    request.parameters = u"\"" + log + u"\"";
    ctx_.app.os.shell.Execute(request);
}

}  // namespace vestra::ui
