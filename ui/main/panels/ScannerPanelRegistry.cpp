// Windows-only: the registry side of the Scanner panel: the registry, start-up and system-check
// phases of a scan run, and the registry list's commands (repair one, checked or all rows,
// ignore, the value's properties, the jump to its key in the registry editor). The rule engine,
// the repairs and their undo file live in registry/ and scanner/; this binds them to the window.
#include <windows.h>

#include "common/TextLists.h"
#include "registry/RegistryWalk.h"
#include "scanner/StartupFolders.h"
#include "ui/framework/Dialogs.h"
#include "ui/main/ListEvents.h"
#include "ui/main/panels/ScannerPanel.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

constexpr std::u16string_view kKeyNotFound = u"Couldn't Find Key";

}  // namespace

void ScannerPanel::InstallRegistryAreas() {
    AreaPhases& phases = scanRun_->phases;
    InstallSystemCheckPhases(phases, systemParts_);
    // The run keys first, then the start-up folders, as one start-up phase.
    InstallRegistryPhases(phases, regParts_);
    InstallStartupFolderPhase(phases, scanRun_->walk(), ctx_.app.os.files, ctx_.app.os.system);
}

void ScannerPanel::BindRegistryCommands() {
    regFix_.pump = [] { win::PumpWaitingMessages(); };
    BindFix(cmd::kPopRegFixAll, [this] { FixRegistryRows(FixScope::All); });
    BindFix(cmd::kPopRegFixSel, [this] { FixRegistryRows(FixScope::Checked); });
    BindFix(cmd::kPopRegExc, [this] { FixRegistryRows(FixScope::Checked, kActionExclude); });
    ctx_.bindings.Bind(cmd::kPopRegProp, [this] { ShowRegistryProperties(); });
    ctx_.bindings.Bind(cmd::kPopRegGoto, [this] { GotoRegistryKey(); });
}

void ScannerPanel::FixRegistryRows(FixScope scope, std::u16string_view forced) {
    // The counters stay still while the rows change under them.
    const bool countersRan = PauseCounters();
    regFix_.forcedAction = std::u16string(forced);
    regFix_.FixRegRows(scope);
    regFix_.forcedAction.clear();
    if (countersRan)
        ResumeCounters();
    TabCaptionsChanged();
}

int ScannerPanel::SelectedRegistryRow() const {
    const int row = SelectedRow(ctx_.kit.Ctl(ctl::kLVRegDet));
    if (row < 0 || static_cast<std::size_t>(row) >= report_.registry.Count())
        return -1;
    return row;
}

void ScannerPanel::ShowRegistryProperties() {
    const int row = SelectedRegistryRow();
    if (row < 0)
        return;
    const RegistryRowProperties properties =
        PropertiesOfRegistryRow(regAccess_, report_.registry.Row(static_cast<std::size_t>(row)));
    if (properties.text.empty())
        return;
    win::ShowMessage(ctx_.window.hwnd(), properties.text, properties.title,
                     platform::mb::kOk | platform::mb::kIconInformation);
}

void ScannerPanel::GotoRegistryKey() {
    const int row = SelectedRegistryRow();
    if (row < 0)
        return;
    const std::optional<registry::RegPath> target =
        KeyOfRegistryRow(report_.registry.Row(static_cast<std::size_t>(row)));
    if (!target)
        return;
    if (!registry::RegeditGoto(regAccess_, target->hive, target->key, [this] { RestartRegedit(); }))
        win::ShowMessage(ctx_.window.hwnd(), kKeyNotFound, u"Error",
                         platform::mb::kOk | platform::mb::kIconExclamation);
}

// The editor reads "LastKey" only when it starts, so running copies are ended first.
void ScannerPanel::RestartRegedit() {
    platform::Processes& processes = ctx_.app.os.processes;
    const std::u16string& editor = ctx_.app.state.paths.regeditExe;
    if (auto snapshot = processes.Snapshot()) {
        for (const platform::ProcessEntry& entry : snapshot.value()) {
            if (!SamePath(entry.exeName, u"regedit.exe"))
                continue;
            auto image = processes.ImagePath(entry.processId);
            if (image && SamePath(image.value(), editor))
                processes.Terminate(entry.processId, 0);
        }
    }
    platform::ShellRequest request;
    request.verb = u"open";
    request.file = editor;
    ctx_.app.os.shell.Execute(request);
}

}  // namespace vestra::ui
