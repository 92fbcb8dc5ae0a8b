// Windows-only: the scanner's scan run bound to the Scanner panel: Scan and Stop, the three
// result lists as mirrors of the report's lists, and the timers of the scan display (progress,
// time, counters, information box, the caption while minimised).
#include <windows.h>

#include <commctrl.h>

#include "scanner/ScanTexts.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

constexpr int kResultListIds[] = {ctl::kLVDetect, ctl::kLVRegDet, ctl::kLVHide};
// Row icons by index; rows made by a detection carry icon 2.
constexpr int kRowIcons[] = {IDI_FILE, IDI_FOLDER, IDI_VIRUS, IDI_REGISTRY, IDI_HIDDEN};

}  // namespace

void FormMain::BuildScanRun() {
    const int size = Scale(16);
    listImages_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 5, 0));
    for (int resource : kRowIcons) {
        win::UniqueIcon icon = win::LoadIconResource(resource, size);
        ImageList_AddIcon(listImages_.get(), icon.get());
    }
    ResultList* models[] = {&report_.detect, &report_.registry, &report_.hidden};
    for (int i = 0; i < 3; ++i) {
        const int id = kResultListIds[i];
        ListView_SetImageList(Ctl(id), listImages_.get(), LVSIL_SMALL);
        models[i]->onChange = [this, id, model = models[i]](ListChange change, std::size_t row) {
            MirrorRow(id, *model, change, row);
        };
    }
    if (ctx_.state.engine) {
        checker_ = std::make_unique<FileChecker>(*ctx_.state.engine, ctx_.os.files);
        checker_->filter.guiMode = true;
        checker_->filter.turboSetting = ctx_.settings.vestTurbo != 0;
        ScanRunParts parts{ctx_.os.files, ctx_.os.system, ctx_.os.windows, ctx_.messages,
                           *checker_,     targetTree_,    report_,         hidden_.Check()};
        scanRun_ = std::make_unique<ScanRun>(parts, *this);
        scanRun_->appTitle = ctx_.state.appTitle.empty() ? u"Vestra" : ctx_.state.appTitle;
        scanRun_->SetFolderExceptions([this](std::u16string_view folder) {
            return ctx_.exceptions.IsExcludedFolder(folder);
        });
        // Binding point: the area phases (memory, services, start-up, registry, autorun files)
        // are filled in by their subsystems through scanRun_->phases.
    }
    report_.SetView(this);
    Enable(ctl::kCmdScan, scanRun_ != nullptr);
    onCommand[ctl::kCmdScan] = [this](int) {
        if (!scanRun_)
            return;
        ctx_.exceptions.LoadExceptions();
        checker_->fileExceptions = ctx_.exceptions.ExceptionPaths(config::ExceptionKind::File);
        checker_->filter.turboSetting = ctx_.settings.vestTurbo != 0;
        scanRun_->ScanClicked();
    };
    onCommand[ctl::kCmdStop] = [this](int) { OnStopClicked(); };
    BindScanTimers();
}

void FormMain::BindScanTimers() {
    onTimer[kTimerPB] = [this] {
        if (!scanRun_)
            return;
        scanRun_->TickProgress();
        ProgressChanged();
        // The count writes its "Analyzing ..." text without telling the view, once per entry;
        // the label catches up here rather than being redrawn thousands of times a second.
        if (scanRun_->stopButton() == StopButton::Skip)
            StatusChanged();
        SetText(ctl::kTxDirPath, scanRun_->CurrentFolder());
    };
    onTimer[kTimerTime] = [this] {
        if (!scanRun_)
            return;
        scanRun_->TickSecond();
        SetText(ctl::kTxTime, scanRun_->TimeBoxText());
        if (IsIconic(hwnd())) {
            win::SetWindowTextU(hwnd(), scanRun_->MinimizedCaption());
            StopTimer(kTimerUp);  // nobody sees the counters while minimised
        }
    };
    onTimer[kTimerUp] = [this] {
        SetText(ctl::kTxFile, FileCounterText(report_.state));
        SetText(ctl::kTxReg, RegistryCounterText(report_.state));
        SetText(ctl::kTxUnHide, HiddenCounterText(report_.state));
    };
    onTimer[kTimerTree] = [] {};  // binding point: the target tree's drive refresh
    onTimer[kTimerUp]();
}

void FormMain::OnStopClicked() {
    if (scanRun_)
        scanRun_->StopClicked();
}

ScanFigures FormMain::Figures() const {
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

ResultList* FormMain::ModelOfList(int listId) {
    if (listId == ctl::kLVDetect)
        return &report_.detect;
    if (listId == ctl::kLVRegDet)
        return &report_.registry;
    if (listId == ctl::kLVHide)
        return &report_.hidden;
    return nullptr;
}

void FormMain::MirrorRow(int listId, const ResultList& list, ListChange change, std::size_t row) {
    HWND view = Ctl(listId);
    if (!view)
        return;
    InitPanel(8);  // the columns exist before the first row
    mirroring_ = true;
    if (change == ListChange::Cleared) {
        win::list::Clear(view);
    } else {
        const ResultRow& model = list.Row(row);
        int index = static_cast<int>(row);
        if (change == ListChange::Added)
            index = win::list::AddRow(view, model.cells.empty() ? u"" : model.cells[0], model.icon);
        LVITEMW icon{};
        icon.mask = LVIF_IMAGE;
        icon.iItem = index;
        icon.iImage = model.icon;
        ListView_SetItem(view, &icon);
        for (std::size_t c = 0; c < model.cells.size(); ++c)
            win::list::SetCell(view, index, static_cast<int>(c), model.cells[c]);
        win::list::CheckRow(view, index, model.checked);
    }
    mirroring_ = false;
}

// ---- ScanRunView ----

void FormMain::SelectScanPage() {
    ShowMainTab(kTabScanner);
    ShowScanTab(kScanTabReport);
}

void FormMain::EnterCornerWindow() {
    Cornering(true);
}

void FormMain::ScanControls(bool running) {
    Enable(ctl::kCmdStop, running);
    Enable(ctl::kCmdMinimize, running);
    Enable(ctl::kCmdScan, !running && scanRun_);
    if (running) {
        StartTimer(kTimerInfo, 500);
        StartTimer(kTimerTime, 1000);
        StartTimer(kTimerUp, 250);
        StopTimer(kTimerTree);
    } else {
        for (UINT_PTR timer : {kTimerUp, kTimerTime, kTimerInfo})
            StopTimer(timer);
        StartTimer(kTimerTree, 3000);
        Enable(ctl::kCmdStop, scanRun_ && scanRun_->stopButton() == StopButton::Result);
    }
}

void FormMain::ProgressTimer(bool running) {
    if (running)
        StartTimer(kTimerPB, 250);
    else
        StopTimer(kTimerPB);
}

void FormMain::StopCaptionChanged(std::u16string_view caption) {
    SetText(ctl::kCmdStop, caption);
}

void FormMain::RefreshDisplays() {
    ProgressChanged();
    onTimer[kTimerUp]();
    TickInformation();
    if (scanRun_) {
        SetText(ctl::kTxTime, scanRun_->TimeBoxText());
        SetText(ctl::kTxDirPath, scanRun_->CurrentFolder());
    }
    TabCaptionsChanged();
    for (int kind = 1; kind <= 3; ++kind)
        ListButtonsChanged(kind);
}

bool FormMain::Exiting() {
    return ctx_.state.exitingFlag;
}

void FormMain::FinishExit() {
    TriggerExit(false);
}

void FormMain::SelectResultTab(int detType) {
    ShowScanTab(kScanTabVirus + detType - 1);
}

void FormMain::TabCaptionsChanged() {
    HWND tabs = Ctl(ctl::kTabScan);
    for (int kind = 1; kind <= 3; ++kind)
        win::tabs::SetCaption(tabs, kScanTabVirus + kind - 1, report_.TabCaption(kind));
}

void FormMain::ListButtonsChanged(int) {
    Enable(ctl::kCmdCleanAll, report_.TotalRows() > 0 && IsBound(ctl::kCmdCleanAll));
    if (currentScanTab_ >= kScanTabVirus)
        ShowScanTab(currentScanTab_);
}

void FormMain::ReportCleared() {
    SendMessageW(Ctl(ctl::kPBPercent), PBM_SETPOS, 0, 0);
    SetText(ctl::kTxPercent, u"0.0%");
    SetText(ctl::kTxTime, u"");
    SetText(ctl::kTxDirPath, u"");
    onTimer[kTimerUp]();
    TickInformation();
    TabCaptionsChanged();
}

void FormMain::StatusChanged() {
    SetText(ctl::kLbStatus, report_.state.statusText.empty() ? u"Ready" : report_.state.statusText);
}

void FormMain::ProgressChanged() {
    SendMessageW(Ctl(ctl::kPBPercent), PBM_SETPOS, report_.progress.bar, 0);
    if (!report_.progress.percentText.empty())
        SetText(ctl::kTxPercent, report_.progress.percentText);
}

bool FormMain::PauseCounters() {
    const bool running = TimerRunning(kTimerUp);
    StopTimer(kTimerUp);
    return running;
}

void FormMain::ResumeCounters() {
    StartTimer(kTimerUp, 250);
}

void FormMain::PumpMessages() {
    win::PumpWaitingMessages();
}

}  // namespace vestra::ui
