// The scan run.
#include "scanner/ScanRun.h"

#include <algorithm>
#include <vector>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "scanner/ScanTexts.h"

namespace vestra {
namespace {

namespace mb = platform::mb;
namespace msg = config::msg;

std::u16string DriveRootOf(std::u16string_view path) {
    return LowerCase(path.substr(0, std::min<std::size_t>(3, path.size())));
}

}  // namespace

std::u16string_view StopCaption(StopButton button) {
    switch (button) {
        case StopButton::Skip:
            return u"&Skip >>";
        case StopButton::Result:
            return u"> &Result";
        default:
            return u"# &Stop #";
    }
}

bool PhaseSelected(AreaPhase phase, const ScanState& state) {
    switch (phase) {
        case AreaPhase::Services:
        case AreaPhase::HostsFile:
            return state.areaServices;
        case AreaPhase::MemoryProcesses:
            return state.areaProcesses;
        case AreaPhase::StartupItems:
        case AreaPhase::AutorunFiles:
            return state.areaStartup;
        case AreaPhase::SystemFolders:
        case AreaPhase::RegistryDefault:
            return state.areaRegDefault;
        case AreaPhase::RegistryDeep:
            return state.areaRegDeep || state.processInfected;
        default:
            return false;
    }
}

ScanRun::ScanRun(const ScanRunParts& parts, ScanRunView& view)
    : parts_(parts),
      view_(view),
      extractor_(parts.files, parts.system.SystemDirectory().substr(0, 3)),
      walk_({parts.files, parts.checker, parts.report, extractor_, parts.checkHidden}) {
    parts_.report.SetView(&view_);
    walk_.pump = [this] {
        if (options.pumpDelayMs != 0)
            parts_.system.Sleep(options.pumpDelayMs);
        view_.PumpMessages();
    };
}

bool ScanRun::Ask(std::u16string_view text, std::u16string_view title, std::uint32_t style) {
    int answer = parts_.windows.MessageBox(text, title, style);
    return answer == mb::kAnswerYes || answer == mb::kAnswerOk;
}

void ScanRun::SetStopButton(StopButton button) {
    stopButton_ = button;
    view_.StopCaptionChanged(StopCaption(button));
}

void ScanRun::SyncFilter() {
    parts_.checker.filter.filePhase = parts_.report.state.filePhase;
    parts_.checker.filter.detectedBeforeFiles = parts_.report.state.detectedBeforeFiles;
}

void ScanRun::ScanClicked() {
    if (running_)
        return;
    if (parts_.report.TotalRows() >= 1 && !Ask(parts_.messages.Text(msg::kReportWillBeCleared),
                                               appTitle, mb::kOkCancel | mb::kIconExclamation)) {
        return;
    }
    ClearReport();
    StartScan(false);
}

void ScanRun::ClearReport() {
    parts_.report.ClearReport();
    SyncFilter();
}

void ScanRun::StopClicked() {
    ScanState& state = parts_.report.state;
    const config::MessageTable& m = parts_.messages;
    switch (stopButton_) {
        case StopButton::Skip:
            if (state.skipRequested)
                return;
            if (Ask(m.Text(msg::kAreYouSure) + m.Text(msg::kSkipCounting),
                    m.Text(msg::kSkipCountingTitle), mb::kYesNo | mb::kIconQuestion)) {
                state.skipRequested = true;
                state.countSkipped = true;
            }
            return;
        case StopButton::Stop:
            if (!running_ || state.stopRequested)
                return;
            if (Ask(m.Text(msg::kAreYouSure) + m.Text(msg::kStopScanning), u"Stop Scanning",
                    mb::kYesNo | mb::kIconQuestion)) {
                state.stopRequested = true;
            }
            return;
        case StopButton::Result:
            view_.SelectResultTab(state.filesDetected >= 1    ? kDetFiles
                                  : state.valuesDetected >= 1 ? kDetRegistry
                                  : state.pathsHidden >= 1    ? kDetHidden
                                                              : kDetFiles);
            return;
        default:
            return;
    }
}

void ScanRun::RunPhase(PhaseContext& context, AreaPhase phase, PhaseForm form) {
    const AreaStep& step = phases[phase];
    if (step && PhaseSelected(phase, parts_.report.state))
        step(context, form);
}

void ScanRun::RunAreaPhases(PhaseContext& context) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(AreaPhase::Count); ++i) {
        RunPhase(context, static_cast<AreaPhase>(i), PhaseForm::First);
    }
    if (parts_.report.state.processInfected)
        RunSecondForms(context);
}

void ScanRun::RunSecondForms(PhaseContext& context) {
    RunPhase(context, AreaPhase::MemoryProcesses, PhaseForm::Second);
    RunPhase(context, AreaPhase::Services, PhaseForm::Second);
}

void ScanRun::CountingPass() {
    ScanState& state = parts_.report.state;
    SetStopButton(StopButton::Skip);
    view_.ProgressTimer(true);
    state.skipRequested = false;
    state.countSkipped = false;
    state.totalFiles = static_cast<std::int32_t>(SplitList(targets_.fileList).size());
    state.totalFolders = 0;
    const std::pair<const std::u16string*, bool> lists[] = {{&targets_.folderList, true},
                                                            {&targets_.flatFolderList, false}};
    for (const auto& [list, recurse] : lists) {
        for (std::u16string_view folder : SplitList(*list)) {
            if (state.skipRequested)
                break;
            state.currentPath = folder;
            walk_.CountTree(folder, state.totalFiles, state.totalFolders, recurse);
        }
    }
    state.skipRequested = true;
    SetStopButton(StopButton::Stop);
}

void ScanRun::WalkTargets() {
    ScanState& state = parts_.report.state;
    std::u16string windowsRoot = DriveRootOf(parts_.system.WindowsDirectory());
    auto checkHidden = [&](std::u16string_view target) {
        return DriveRootOf(target) != windowsRoot;
    };
    for (std::u16string_view file : SplitList(targets_.fileList)) {
        if (state.stopRequested)
            return;
        walk_.ScanFile(file, {.recurse = false, .checkHidden = checkHidden(file), .count = true});
    }
    for (std::u16string_view folder : SplitList(targets_.folderList)) {
        if (state.stopRequested)
            return;
        walk_.ScanFolder(folder,
                         {.recurse = true, .checkHidden = checkHidden(folder), .count = true});
    }
    for (std::u16string_view folder : SplitList(targets_.flatFolderList)) {
        if (state.stopRequested)
            return;
        walk_.ScanFolder(folder,
                         {.recurse = false, .checkHidden = checkHidden(folder), .count = true});
    }
}

void ScanRun::EndRun() {
    ScanState& state = parts_.report.state;
    state.stopRequested = true;
    state.finished = true;
    state.currentPath.clear();
    parts_.report.SetStatus(kStatusFinished);
    SetStopButton(StopButton::Result);
    view_.ProgressTimer(false);
    view_.ScanControls(false);
    TickProgress();
    view_.RefreshDisplays();
    running_ = false;
    if (view_.Exiting()) {
        view_.FinishExit();
        return;
    }
    view_.WriteLog();
    view_.RestoreTimers();
    if (!state.cornerMode) {
        MessageBoxText summary = SummaryBox(state, parts_.messages);
        parts_.windows.MessageBox(summary.text, summary.title, summary.style);
    }
}

void ScanRun::StartScan(bool cornering) {
    if (running_)
        return;
    running_ = true;
    ScanState& state = parts_.report.state;
    view_.SelectScanPage();
    targets_ = ScanTargets{};
    AreaFlags areas = cornering ? AreaFlags{} : ReadAreaFlags(parts_.tree);
    state.areaProcesses = areas.processes;
    state.areaStartup = areas.startup;
    state.areaRegDefault = areas.regDefault;
    state.areaRegDeep = areas.regDeep;
    state.areaServices = areas.services;
    EnumTree(parts_.tree, parts_.files, parts_.tree.Root(), targets_);
    if (cornering) {
        state.cornerMode = true;
        view_.EnterCornerWindow();
    }

    state.stopRequested = false;
    state.finished = false;
    SetStopButton(StopButton::Stop);
    view_.ScanControls(true);

    PhaseContext context{parts_.report, parts_.checker, parts_.checkHidden,
                         [this] { view_.PumpMessages(); }};
    if (phases.refreshSnapshots)
        phases.refreshSnapshots(context);
    state.filePhase = false;
    SyncFilter();
    RunAreaPhases(context);

    state.filePhase = true;
    state.detectedBeforeFiles = state.filesDetected > 0;
    SyncFilter();
    CountingPass();
    parts_.report.SetStatus(ScanningStatus(state));
    if (!state.countSkipped) {
        parts_.report.progress = ReportProgress{};
        view_.ProgressChanged();
    }
    view_.ProgressTimer(true);
    WalkTargets();

    if (state.processInfected) {
        RunSecondForms(context);
        RunPhase(context, AreaPhase::RegistryDeep, PhaseForm::First);
    }
    if (state.countSkipped) {
        parts_.report.progress.bar = 100;
        view_.ProgressChanged();
    }
    EndRun();
}

std::u16string ScanRun::TimeBoxText() const {
    if (stopButton_ == StopButton::Skip)
        return {};
    return ShortDuration(parts_.report.state.elapsedSeconds);
}

std::u16string ScanRun::MinimizedCaption() const {
    const ScanState& state = parts_.report.state;
    std::u16string title = u" - " + appTitle;
    if (stopButton_ == StopButton::Skip) {
        return ToText(state.totalFiles) + u";" + ToText(state.totalFolders) + title;
    }
    if (state.countSkipped)
        return ToText(state.filesScanned) + title;
    return ToText(state.percent) + u" %" + title;
}

void ScanRun::TickProgress() {
    ScanState& state = parts_.report.state;
    bool countingOver = stopButton_ == StopButton::Stop || stopButton_ == StopButton::Result;
    if (!countingOver || state.countSkipped || state.totalFiles <= 0)
        return;
    std::int64_t done = std::min(state.filesScanned, state.totalFiles);
    state.percent = static_cast<std::int32_t>(done * 100 / state.totalFiles);
    parts_.report.progress.bar = state.percent;
    parts_.report.progress.percentText = PercentText(done, state.totalFiles);
    view_.ProgressChanged();
}

std::u16string ScanRun::CurrentFolder() const {
    return FolderOf(parts_.report.state.currentPath);
}

}  // namespace vestra
