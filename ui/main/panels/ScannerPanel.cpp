// Windows-only: the Scanner panel's controls, layout and scan tabs; the scan run behind it is in
// ScannerPanelRun.cpp.
#include "ui/main/panels/ScannerPanel.h"

#include <windows.h>

#include <commctrl.h>

#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "scanner/TargetSelection.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"
#include "ui/model/StartTargets.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

constexpr int kBottomStrip = 88;
constexpr int kFrameWidth = 168;

constexpr int kResultListIds[] = {ctl::kLVDetect, ctl::kLVRegDet, ctl::kLVHide};

// The undo file of registry repairs lies beside the scan log and is named like it.
std::u16string UndoFileBeside(std::u16string_view logFile) {
    std::u16string path(logFile);
    const std::size_t dot = path.rfind(u'.');
    const std::size_t slash = path.rfind(u'\\');
    if (dot != std::u16string::npos && (slash == std::u16string::npos || dot > slash))
        path.resize(dot);
    return path + u".reg";
}

std::u16string WithoutBackslash(std::u16string_view folder) {
    std::u16string path(folder);
    if (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

registry::CheckerSetup RegistrySetupOf(const AppState& state) {
    return {{state.os.IsPreVista(), state.os.IsWin7Plus()},
            state.paths.systemDir,
            state.paths.windowsDir,
            state.paths.programFilesDir};
}

}  // namespace

ScannerPanel::ScannerPanel(const PanelContext& context)
    : MainPanel(context),
      targetTree_(context.app.os.files),
      treeView_(context, targetTree_),
      hidden_(context.app.os.files, report_),
      cage_(context.app.os.files, remediation::CageFolders{context.app.state.paths.cageFolder,
                                                           context.app.state.paths.oldCageFolder}),
      cleaner_(cage_, context.app.state.paths.hostsFile),
      fixer_(remediation::FixParts{
          context.app.os.files, context.app.messages, report_, cage_, cleaner_, nullptr,
          [&exceptions = context.app.exceptions](std::u16string_view path) {
              return !exceptions.AddException(config::ExceptionKind::File, path).empty();
          }}),
      regAccess_(context.app.os.registry, context.app.os.system),
      regParts_{regAccess_, context.app.os.files, RegistrySetupOf(context.app.state),
                [&exceptions = context.app.exceptions] {
                    return exceptions.ExceptionPaths(config::ExceptionKind::Registry);
                }},
      systemParts_{context.app.os.files, WithoutBackslash(context.app.state.paths.systemDir),
                   WithoutBackslash(context.app.state.paths.windowsDir)},
      regBackup_(context.app.os.registry, context.app.os.files,
                 UndoFileBeside(context.app.state.paths.logFile)),
      regRepair_(regAccess_, regBackup_,
                 [&exceptions = context.app.exceptions](std::u16string_view path) {
                     return !exceptions.AddException(config::ExceptionKind::Registry, path).empty();
                 }),
      regFix_(report_, regRepair_) {}

ScannerPanel::~ScannerPanel() {
    report_.SetView(nullptr);
}

void ScannerPanel::Build(HWND page) {
    HWND tabs = ctx_.kit.Adopt(ctl::kTabScan, win::MakeTabStrip({page, ctl::kTabScan}));
    for (std::u16string_view caption : kScanTabCaptions)
        win::tabs::Add(tabs, caption);
    ctx_.window.onNotify[ctl::kTabScan] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE)
            ShowScanTab(static_cast<ScanTab>(win::tabs::Selected(ctx_.kit.Ctl(ctl::kTabScan))));
        return 0;
    };
    BuildTargets(page);
    BuildReport(page);
    BuildResultLists(page);
    BuildProgressStrip(page);
    BuildScanRun();
    BindFixCommands();
    BindRegistryCommands();
}

void ScannerPanel::BuildTargets(HWND page) {
    ControlKit& kit = ctx_.kit;
    HWND tree = kit.Adopt(ctl::kTvDir, win::MakeTreeView({page, ctl::kTvDir}, true));
    kit.Add(Kind::Frame, page, ctl::kFrmTree);
    for (int i = 0; i < ctl::kScanKindCount; ++i)
        kit.Add(i == 0 ? Kind::RadioFirst : Kind::Radio, page, ctl::kOpt0 + i);
    kit.Add(Kind::Button, page, ctl::kCmdScan);
    kit.SetFont(ctl::kCmdScan, FontRole::Bold);
    treeView_.Attach(tree);
    // The last preset, Auto-Checking, leaves the marks to the user.
    for (int i = 0; i < ctl::kScanKindCount - 1; ++i) {
        ctx_.window.onCommand[ctl::kOpt0 + i] = [this, i](int code) {
            if (code != BN_CLICKED || !win::IsChecked(ctx_.kit.Ctl(ctl::kOpt0 + i)))
                return;
            ApplyPreset(targetTree_, ctx_.app.os.files, ctx_.app.os.system, i);
            // The deep preset marks the deep registry area, which is behind the password as
            // much as a click on its box is.
            const NodeId deep = targetTree_.FindKey(kKeyRegDeep);
            if (deep != kNoNode && targetTree_.Node(deep).checked && !ctx_.host.PassPasswordGate())
                targetTree_.SetCheck(deep, false);
        };
    }
    // Enter in the path box marks the typed path as a target (the dialog keys send IDOK).
    ctx_.window.onCommand[IDOK] = [this](int) { OnPathEntered(); };
}

void ScannerPanel::BuildReport(HWND page) {
    ControlKit& kit = ctx_.kit;
    HWND report = kit.Add(Kind::Panel, page, ctl::kPicScan);
    kit.Add(Kind::Label, report, ctl::kLbStatus, u"Ready");
    kit.SetFont(ctl::kLbStatus, FontRole::Bold);
    kit.Add(Kind::Frame, report, ctl::kFrmFiles);
    kit.Add(Kind::CounterBox, report, ctl::kTxFile);
    kit.Add(Kind::Frame, report, ctl::kFrmRegistry);
    kit.Add(Kind::CounterBox, report, ctl::kTxReg);
    kit.Add(Kind::Frame, report, ctl::kFrmHidden);
    kit.Add(Kind::CounterBox, report, ctl::kTxUnHide);
}

void ScannerPanel::BuildResultLists(HWND page) {
    ControlKit& kit = ctx_.kit;
    for (int id : kResultListIds) {
        kit.AddList(page, id);
        HandleListEvents(ctx_, id, [this](HWND list, const NMLISTVIEW& change) {
            OnResultItemChanged(list, change);
        });
    }
    kit.Add(Kind::Check, page, ctl::kCkSelectAll);
    ctx_.window.onCommand[ctl::kCkSelectAll] = [this](int code) {
        if (code == BN_CLICKED)
            OnSelectAll();
    };
    for (int i = 0; i < ctl::kScanExCount; ++i) {
        kit.Add(Kind::Button, page, ctl::kCmdScanEx0 + i);
        ctx_.window.onCommand[ctl::kCmdScanEx0 + i] = [this, i](int) { OnScanExtra(i); };
    }
}

void ScannerPanel::BuildProgressStrip(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Label, page, ctl::kLbPath);
    kit.Add(Kind::Edit, page, ctl::kTxDirPath);
    kit.Add(Kind::Progress, page, ctl::kPBPercent);
    kit.Add(Kind::Label, page, ctl::kTxPercent, u"0.0%");
    kit.Add(Kind::Label, page, ctl::kLbTime);
    kit.Add(Kind::Label, page, ctl::kTxTime, u"00:00:00");
    kit.Add(Kind::Button, page, ctl::kCmdLog);
    kit.Add(Kind::Button, page, ctl::kCmdCleanAll);
    kit.Add(Kind::Button, page, ctl::kCmdStop, u"# &Stop #");
    kit.Enable(ctl::kCmdStop, false);
    kit.Enable(ctl::kCmdCleanAll, false);
}

void ScannerPanel::Layout(int w, int h) {
    ctx_.kit.Place(ctl::kTabScan, 4, 4, w - 8, 24);
    const int top = 32;
    const int content = h - top - kBottomStrip;
    LayoutTargets(w, top, content);
    LayoutResults(w, top, content);
    LayoutProgressStrip(w, h);
}

void ScannerPanel::LayoutTargets(int w, int top, int content) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kTvDir, 4, top, w - kFrameWidth - 12, content);
    const int fx = w - kFrameWidth - 4;
    kit.Place(ctl::kFrmTree, fx, top - 4, kFrameWidth, 22 * ctl::kScanKindCount + 28);
    for (int i = 0; i < ctl::kScanKindCount; ++i)
        kit.Place(ctl::kOpt0 + i, fx + 10, top + 16 + 22 * i, kFrameWidth - 18, 20);
    kit.Place(ctl::kCmdScan, fx, top + content - 34, kFrameWidth, 34);
}

void ScannerPanel::LayoutResults(int w, int top, int content) {
    const ControlKit& kit = ctx_.kit;
    // The report page.
    kit.Place(ctl::kPicScan, 4, top, w - 8, content);
    const int rw = w - 8;
    kit.Place(ctl::kLbStatus, 8, 8, rw - 16, 18);
    const int colWidth = (rw - 24) / 3;
    const int frames[] = {ctl::kFrmFiles, ctl::kFrmRegistry, ctl::kFrmHidden};
    const int boxes[] = {ctl::kTxFile, ctl::kTxReg, ctl::kTxUnHide};
    for (int i = 0; i < 3; ++i) {
        const int x = 8 + i * (colWidth + 4);
        kit.Place(frames[i], x, 32, colWidth, 84);
        kit.Place(boxes[i], x + 8, 50, colWidth - 16, 58);
    }
    // The result lists share one place; the scan tab shows one of them.
    const int listHeight = content - 30;
    for (int id : kResultListIds)
        kit.Place(id, 4, top, w - 8, listHeight);
    const int rowY = top + listHeight + 4;
    kit.Place(ctl::kCkSelectAll, 6, rowY + 2, 90, 20);
    int x = w - 4;
    for (int i = ctl::kScanExCount - 1; i >= 0; --i) {
        x -= 104;
        kit.Place(ctl::kCmdScanEx0 + i, x, rowY, 100, 25);
    }
}

void ScannerPanel::LayoutProgressStrip(int w, int h) {
    const ControlKit& kit = ctx_.kit;
    const int sy = h - kBottomStrip + 6;
    kit.Place(ctl::kLbPath, 6, sy + 3, 48, 16);
    kit.Place(ctl::kTxDirPath, 56, sy, w - 60, 21);
    kit.Place(ctl::kPBPercent, 6, sy + 28, w - 70, 16);
    kit.Place(ctl::kTxPercent, w - 58, sy + 29, 54, 16);
    kit.Place(ctl::kLbTime, 6, sy + 57, 48, 16);
    kit.Place(ctl::kTxTime, 56, sy + 57, 70, 16);
    int x = w - 4;
    for (int id : {ctl::kCmdStop, ctl::kCmdCleanAll, ctl::kCmdLog}) {
        x -= 96;
        kit.Place(id, x, sy + 52, 92, 27);
    }
}

void ScannerPanel::SetUp(SetupPart part) {
    if (part == SetupPart::ResultLists) {
        for (int id : kResultListIds)
            ctx_.kit.AddColumns(id);
        return;
    }
    if (part != SetupPart::Scanner)
        return;
    ShowScanTab(ScanTab::Targets);
    ctx_.window.StartTimer(kTimerTree, 3000);
    // A start with a path list scans those paths once the window has finished loading.
    if (!StartScanPaths(ctx_.app.state.commandWord).empty())
        PostMessageW(ctx_.window.hwnd(), kMsgStartScan, 0, 0);
}

void ScannerPanel::RefreshCaptions() {
    ctx_.kit.SetText(ctl::kCmdCleanAll, ctx_.app.messages.Text(config::msg::kFixAllCaption));
}

std::optional<Color> ScannerPanel::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbStatus)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

bool ScannerPanel::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == kMsgStartScan) {
        StartRequestedScan();
        return true;
    }
    if (message == kMsgStartFullScan) {
        if (scanRun_ && !ScanRunning()) {
            LoadExceptions();
            scanRun_->ClearReport();
            scanRun_->StartScan(false);
        }
        return true;
    }
    if (message == kMsgTreeCheck) {
        treeView_.OnCheckClicked(reinterpret_cast<HTREEITEM>(wParam));
        return true;
    }
    return false;
}

void ScannerPanel::OnPathEntered() {
    if (GetFocus() != ctx_.kit.Ctl(ctl::kTxDirPath))
        return;
    const std::u16string typed = Trim(win::WindowText(ctx_.kit.Ctl(ctl::kTxDirPath)));
    if (!typed.empty() && CheckTree(targetTree_, ctx_.app.os.files, typed, true) == kNoNode)
        MessageBeep(MB_ICONEXCLAMATION);
}

void ScannerPanel::ShowScanTab(ScanTab scanTab) {
    const ControlKit& kit = ctx_.kit;
    ctx_.host.SetUpPart(SetupPart::ResultLists);
    currentScanTab_ = scanTab;
    win::tabs::Select(kit.Ctl(ctl::kTabScan), static_cast<int>(scanTab));
    const ScanTabView view = ViewOfScanTab(scanTab);
    for (int id : {ctl::kTvDir, ctl::kFrmTree, ctl::kCmdScan})
        kit.Show(id, view.targetTree);
    for (int i = 0; i < ctl::kScanKindCount; ++i)
        kit.Show(ctl::kOpt0 + i, view.targetTree);
    kit.Show(ctl::kPicScan, view.report);
    for (int i = 0; i < 3; ++i)
        kit.Show(kResultListIds[i], static_cast<int>(view.list) == i);
    const bool listShown = view.list != ResultKind::None;
    kit.Show(ctl::kCkSelectAll, listShown);
    win::SetChecked(kit.Ctl(ctl::kCkSelectAll), selectAll_.Get(view.list));
    for (int i = 0; i < ctl::kScanExCount; ++i) {
        const int id = ctl::kCmdScanEx0 + i;
        kit.SetText(id, view.extraCaptions[i]);
        kit.Show(id, listShown);
        kit.Enable(id, listShown && ctx_.bindings.IsBound(view.extraCommands[i]));
    }
}

HWND ScannerPanel::VisibleResultList() const {
    const int list = static_cast<int>(ViewOfScanTab(currentScanTab_).list);
    return list >= 0 ? ctx_.kit.Ctl(kResultListIds[list]) : nullptr;
}

void ScannerPanel::OnSelectAll() {
    const ResultKind list = ViewOfScanTab(currentScanTab_).list;
    const bool checked = win::IsChecked(ctx_.kit.Ctl(ctl::kCkSelectAll));
    selectAll_.Set(list, checked);
    if (ResultList* model = ModelOfList(GetDlgCtrlID(VisibleResultList())))
        model->SetAllChecked(checked);  // fixed rows refuse; the list view follows the model
}

void ScannerPanel::OnScanExtra(int index) {
    ctx_.bindings.Run(ViewOfScanTab(currentScanTab_).extraCommands[index]);
}

void ScannerPanel::OnResultItemChanged(HWND list, const NMLISTVIEW& change) {
    // A user's check goes to the result model, which refuses it on a row already dealt with
    // ("Fixed"); the list view then shows the model's mark again.
    ResultList* model = ModelOfList(GetDlgCtrlID(list));
    if (!model || !CheckMarkChanged(change) || mirroring_ || change.iItem < 0 ||
        static_cast<std::size_t>(change.iItem) >= model->Count())
        return;
    const bool wanted = win::list::RowChecked(list, change.iItem);
    if (model->SetChecked(static_cast<std::size_t>(change.iItem), wanted) != wanted) {
        mirroring_ = true;
        win::list::CheckRow(list, change.iItem, !wanted);
        mirroring_ = false;
    }
}

}  // namespace vestra::ui
