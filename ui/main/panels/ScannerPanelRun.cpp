// Windows-only: the Scanner panel's scan run: Scan and Stop, the three result lists as mirrors
// of the report's lists, the timers of the scan display (progress, time, counters, the caption
// while minimised), and what the run asks of its view.
#include <windows.h>

#include <commctrl.h>

#include "app/MemoryCheck.h"
#include "processes/MemoryScan.h"
#include "scanner/ScanTexts.h"
#include "scanner/TargetSelection.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/ListEvents.h"
#include "ui/main/panels/ScannerPanel.h"
#include "ui/model/ControlIds.h"
#include "ui/model/StartTargets.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

constexpr int kResultListIds[] = {ctl::kLVDetect, ctl::kLVRegDet, ctl::kLVHide};
// Row icons by index; rows made by a detection carry icon 2.
constexpr int kRowIcons[] = {IDI_FILE, IDI_FOLDER, IDI_VIRUS, IDI_REGISTRY, IDI_HIDDEN};

std::u16string_view TitleOf(const AppState& state) {
    return state.appTitle.empty() ? u"Vestra" : std::u16string_view(state.appTitle);
}

}  // namespace

void ScannerPanel::BuildScanRun() {
    const int size = ctx_.window.Scale(16);
    listImages_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 5, 0));
    for (int resource : kRowIcons) {
        win::UniqueIcon icon = win::LoadIconResource(resource, size);
        ImageList_AddIcon(listImages_.get(), icon.get());
    }
    ResultList* models[] = {&report_.detect, &report_.registry, &report_.hidden};
    for (int i = 0; i < 3; ++i) {
        const int id = kResultListIds[i];
        ListView_SetImageList(ctx_.kit.Ctl(id), listImages_.get(), LVSIL_SMALL);
        models[i]->onChange = [this, id, model = models[i]](ListChange change, std::size_t row) {
            MirrorRow(id, *model, change, row);
        };
    }
    const MainWindowContext& app = ctx_.app;
    if (app.state.engine) {
        checker_ = std::make_unique<FileChecker>(*app.state.engine, app.os.files);
        checker_->filter.guiMode = true;
        checker_->filter.turboSetting = app.settings.vestTurbo != 0;
        ScanRunParts parts{app.os.files, app.os.system, app.os.windows, app.messages,
                           *checker_,    targetTree_,   report_,        hidden_.Check()};
        scanRun_ = std::make_unique<ScanRun>(parts, *this);
        scanRun_->options = app.scanOptions;
        scanRun_->appTitle = std::u16string(TitleOf(app.state));
        scanRun_->SetFolderExceptions([this](std::u16string_view folder) {
            return ctx_.app.exceptions.IsExcludedFolder(folder);
        });
        // Binding point: the area phases (memory, services, start-up, registry, autorun files)
        // are filled in by their subsystems through scanRun_->phases.
        processKit_ = std::make_unique<processes::ProcessKit>(app.os, ProcessSetupOf(app.state));
        processes::InstallProcessPhases(scanRun_->phases, processKit_->sweep);
        InstallRegistryAreas();
        BindSuspectAndAutorunPhases();
    }
    report_.SetView(this);
    TakeStartupDetections();
    ctx_.kit.Enable(ctl::kCmdScan, scanRun_ != nullptr);
    ctx_.window.onCommand[ctl::kCmdScan] = [this](int) {
        if (!scanRun_)
            return;
        LoadExceptions();
        checker_->filter.turboSetting = ctx_.app.settings.vestTurbo != 0;
        scanRun_->ScanClicked();
    };
    ctx_.window.onCommand[ctl::kCmdStop] = [this](int) {
        if (scanRun_)
            scanRun_->StopClicked();
    };
    BindScanTimers();
}

// What the start-up memory check ended becomes the first rows of the virus list.
void ScannerPanel::TakeStartupDetections() {
    for (const processes::ProcessDetection& row : ctx_.app.state.startupDetections)
        report_.AddDetection({row.name, row.type, row.path, row.status, row.action}, true);
    ctx_.app.state.startupDetections.clear();
}

// The suspects gathered as each run starts (kept for the log), and the drives' autorun files.
void ScannerPanel::BindSuspectAndAutorunPhases() {
    const MainWindowContext& app = ctx_.app;
    heuristics_ = std::make_unique<HeuristicsKit>(app.os, *app.state.engine, app.exceptions,
                                                  app.state.paths.ownExePath);
    InstallSuspectPhase(scanRun_->phases, heuristics_->heuristics(), suspectsBefore_);
    autorunExtractor_ = std::make_unique<TargetExtractor>(
        app.os.files, app.os.system.WindowsDirectory().substr(0, 3));
    autorunPhase_ = std::make_unique<protection::AutorunPhaseParts>(
        protection::AutorunPhaseParts{app.os.files, *autorunExtractor_, scanRun_->walk()});
    protection::InstallAutorunPhase(scanRun_->phases, *autorunPhase_);
}

void ScannerPanel::LoadExceptions() {
    ctx_.app.exceptions.LoadExceptions();
    checker_->fileExceptions = ctx_.app.exceptions.ExceptionPaths(config::ExceptionKind::File);
}

void ScannerPanel::BindScanTimers() {
    win::Window& window = ctx_.window;
    window.onTimer[kTimerPB] = [this] {
        if (!scanRun_)
            return;
        scanRun_->TickProgress();
        ProgressChanged();
        // The count writes its "Analyzing ..." text without telling the view, once per entry;
        // the label catches up here rather than being redrawn thousands of times a second.
        if (scanRun_->stopButton() == StopButton::Skip)
            StatusChanged();
        ctx_.kit.SetText(ctl::kTxDirPath, scanRun_->CurrentFolder());
    };
    window.onTimer[kTimerTime] = [this] {
        if (!scanRun_)
            return;
        scanRun_->TickSecond();
        ctx_.kit.SetText(ctl::kTxTime, scanRun_->TimeBoxText());
        if (IsIconic(ctx_.window.hwnd())) {
            win::SetWindowTextU(ctx_.window.hwnd(), scanRun_->MinimizedCaption());
            ctx_.window.StopTimer(kTimerUp);  // nobody sees the counters while minimised
        }
    };
    window.onTimer[kTimerUp] = [this] { RefreshCounters(); };
    window.onTimer[kTimerTree] = [] {};  // binding point: the target tree's drive refresh
    RefreshCounters();
}

void ScannerPanel::RefreshCounters() {
    ctx_.kit.SetText(ctl::kTxFile, FileCounterText(report_.state));
    ctx_.kit.SetText(ctl::kTxReg, RegistryCounterText(report_.state));
    ctx_.kit.SetText(ctl::kTxUnHide, HiddenCounterText(report_.state));
}

void ScannerPanel::StartRequestedScan() {
    const MainWindowContext& app = ctx_.app;
    for (const std::u16string& path : StartScanPaths(app.state.commandWord)) {
        const auto longPath = app.os.files.LongPathName(path);
        const std::u16string target = longPath.ok() ? longPath.value() : path;
        if (app.os.files.Exists(target))
            CheckTree(targetTree_, app.os.files, target, false);
    }
    if (!scanRun_)
        return;
    LoadExceptions();
    scanRun_->ClearReport();
    scanRun_->StartScan(false);
}

// ---- ScanStatus ----

ScanFigures ScannerPanel::Figures() const {
    ScanFigures f;
    const ScanState& s = report_.state;
    if (scanRun_) {
        switch (scanRun_->stopButton()) {
            case StopButton::Idle:
                f.phase = ScanPhase::Idle;
                break;
            case StopButton::Skip:
                f.phase = ScanPhase::Counting;
                break;
            case StopButton::Stop:
                f.phase = ScanPhase::Scanning;
                break;
            case StopButton::Result:
                f.phase = ScanPhase::Finished;
                break;
        }
        f.elapsedText = scanRun_->TimeBoxText();
        f.currentPath = scanRun_->CurrentFolder();
    }
    f.countSkipped = s.countSkipped;
    f.totalFiles = s.totalFiles;
    f.totalFolders = s.totalFolders;
    f.filesScanned = s.filesScanned;
    f.filesDetected = s.filesDetected;
    f.valuesDetected = s.valuesDetected;
    f.pathsHidden = s.pathsHidden;
    f.percent = report_.progress.bar;
    f.statusText = s.statusText;
    return f;
}

void ScannerPanel::StopForExit() {
    // The scan run stops at its next entry; its end steps see the exit flag and finish the
    // exit once it has unwound.
    if (ScanRunning()) {
        report_.state.skipRequested = true;
        report_.state.stopRequested = true;
    }
}

void ScannerPanel::HandOverToCorner() {
    if (ScanRunning())
        scanRun_->SetCornerMode(true);  // the corner shows the rest; no summary box follows
}

std::u16string ScannerPanel::TargetsText() const {
    std::u16string targets;
    if (!scanRun_)
        return targets;
    const ScanTargets& t = scanRun_->targets();
    for (const std::u16string* list : {&t.folderList, &t.fileList, &t.flatFolderList}) {
        if (!list->empty())
            targets += (targets.empty() ? u"" : u"|") + *list;
    }
    return targets;
}

void ScannerPanel::WindowRestored() {
    if (ScanRunning() && !ctx_.window.TimerRunning(kTimerUp))
        ctx_.window.StartTimer(kTimerUp, 250);
}

// ---- Result lists ----

ResultList* ScannerPanel::ModelOfList(int listId) {
    if (listId == ctl::kLVDetect)
        return &report_.detect;
    if (listId == ctl::kLVRegDet)
        return &report_.registry;
    if (listId == ctl::kLVHide)
        return &report_.hidden;
    return nullptr;
}

void ScannerPanel::MirrorRow(int listId, const ResultList& list, ListChange change,
                             std::size_t row) {
    HWND view = ctx_.kit.Ctl(listId);
    if (!view)
        return;
    ctx_.host.SetUpPart(SetupPart::ResultLists);  // the columns exist before the first row
    mirroring_ = true;
    MirrorListRow(view, list, change, row);
    mirroring_ = false;
}

// ---- ScanRunView ----

void ScannerPanel::SelectScanPage() {
    ctx_.host.ShowMainTab(MainTab::Scanner);
    ShowScanTab(ScanTab::Report);
}

void ScannerPanel::EnterCornerWindow() {
    ctx_.host.Cornering(true);
}

void ScannerPanel::ScanControls(bool running) {
    win::Window& window = ctx_.window;
    const ControlKit& kit = ctx_.kit;
    kit.Enable(ctl::kCmdStop, running);
    kit.Enable(ctl::kCmdScan, !running && scanRun_);
    ctx_.host.ScanActivity(running);
    if (running) {
        processesBefore_ = RunningImagePaths();
        window.StartTimer(kTimerTime, 1000);
        window.StartTimer(kTimerUp, 250);
        window.StopTimer(kTimerTree);
    } else {
        for (UINT_PTR timer : {kTimerUp, kTimerTime})
            window.StopTimer(timer);
        window.StartTimer(kTimerTree, 3000);
        kit.Enable(ctl::kCmdStop, scanRun_ && scanRun_->stopButton() == StopButton::Result);
    }
}

void ScannerPanel::ProgressTimer(bool running) {
    if (running)
        ctx_.window.StartTimer(kTimerPB, 250);
    else
        ctx_.window.StopTimer(kTimerPB);
}

void ScannerPanel::StopCaptionChanged(std::u16string_view caption) {
    ctx_.kit.SetText(ctl::kCmdStop, caption);
}

void ScannerPanel::RefreshDisplays() {
    ProgressChanged();
    RefreshCounters();
    ctx_.host.RefreshInformation();
    if (scanRun_) {
        ctx_.kit.SetText(ctl::kTxTime, scanRun_->TimeBoxText());
        ctx_.kit.SetText(ctl::kTxDirPath, scanRun_->CurrentFolder());
    }
    TabCaptionsChanged();
    for (int kind = 1; kind <= 3; ++kind)
        ListButtonsChanged(kind);
}

bool ScannerPanel::Exiting() {
    return ctx_.app.state.exitingFlag;
}

void ScannerPanel::FinishExit() {
    ctx_.host.TriggerExit(false);
}

void ScannerPanel::SelectResultTab(int detType) {
    if (const auto tab = ResultTabOfKind(detType))
        ShowScanTab(*tab);
}

void ScannerPanel::TabCaptionsChanged() {
    HWND tabs = ctx_.kit.Ctl(ctl::kTabScan);
    for (int kind = 1; kind <= 3; ++kind)
        win::tabs::SetCaption(tabs, static_cast<int>(*ResultTabOfKind(kind)),
                              report_.TabCaption(kind));
}

void ScannerPanel::ListButtonsChanged(int) {
    ctx_.kit.Enable(ctl::kCmdCleanAll,
                    report_.TotalRows() > 0 && ctx_.bindings.IsBound(ctl::kCmdCleanAll));
    if (currentScanTab_ >= ScanTab::Virus)
        ShowScanTab(currentScanTab_);
}

void ScannerPanel::ReportCleared() {
    SendMessageW(ctx_.kit.Ctl(ctl::kPBPercent), PBM_SETPOS, 0, 0);
    ctx_.kit.SetText(ctl::kTxPercent, u"0.0%");
    ctx_.kit.SetText(ctl::kTxTime, u"");
    ctx_.kit.SetText(ctl::kTxDirPath, u"");
    RefreshCounters();
    ctx_.host.RefreshInformation();
    TabCaptionsChanged();
}

void ScannerPanel::StatusChanged() {
    ctx_.kit.SetText(ctl::kLbStatus,
                     report_.state.statusText.empty() ? u"Ready" : report_.state.statusText);
}

void ScannerPanel::ProgressChanged() {
    SendMessageW(ctx_.kit.Ctl(ctl::kPBPercent), PBM_SETPOS, report_.progress.bar, 0);
    if (!report_.progress.percentText.empty())
        ctx_.kit.SetText(ctl::kTxPercent, report_.progress.percentText);
}

bool ScannerPanel::PauseCounters() {
    const bool running = ctx_.window.TimerRunning(kTimerUp);
    ctx_.window.StopTimer(kTimerUp);
    return running;
}

void ScannerPanel::ResumeCounters() {
    ctx_.window.StartTimer(kTimerUp, 250);
}

void ScannerPanel::PumpMessages() {
    win::PumpWaitingMessages();
}

}  // namespace vestra::ui
