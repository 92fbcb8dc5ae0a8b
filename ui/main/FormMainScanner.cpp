// Windows-only: the Scanner panel: the scan tabs, the target tree with its presets, the report
// panel, the three result lists with their select-all box and buttons, the progress strip, and
// the timers that keep the scan display current.
#include <windows.h>

#include <commctrl.h>

#include "platform/Text.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

constexpr int kBottomStrip = 88;
constexpr int kFrameWidth = 168;

constexpr int kResultListIds[] = {ctl::kLVDetect, ctl::kLVRegDet, ctl::kLVHide};

}  // namespace

void FormMain::BuildScannerPanel() {
    HWND panel = Ctl(ctl::kPicTab0);
    HWND tabs = win::MakeTabStrip({panel, ctl::kTabScan});
    controls_[ctl::kTabScan] = tabs;
    for (std::u16string_view caption : kScanTabCaptions)
        win::tabs::Add(tabs, caption);
    onNotify[ctl::kTabScan] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE)
            ShowScanTab(win::tabs::Selected(Ctl(ctl::kTabScan)));
        return 0;
    };

    HWND tree = win::MakeTreeView({panel, ctl::kTvDir}, true);
    controls_[ctl::kTvDir] = tree;
    Add(Kind::Frame, panel, ctl::kFrmTree);
    for (int i = 0; i < ctl::kScanKindCount; ++i)
        Add(i == 0 ? Kind::RadioFirst : Kind::Radio, panel, ctl::kOpt0 + i);
    Add(Kind::Button, panel, ctl::kCmdScan);
    BuildTargetTree();

    HWND report = Add(Kind::Panel, panel, ctl::kPicScan);
    Add(Kind::Label, report, ctl::kLbStatus, u"Ready");
    Add(Kind::Frame, report, ctl::kFrmFiles);
    Add(Kind::CounterBox, report, ctl::kTxFile);
    Add(Kind::Frame, report, ctl::kFrmRegistry);
    Add(Kind::CounterBox, report, ctl::kTxReg);
    Add(Kind::Frame, report, ctl::kFrmHidden);
    Add(Kind::CounterBox, report, ctl::kTxUnHide);

    for (int id : kResultListIds)
        AddList(panel, id);
    Add(Kind::Check, panel, ctl::kCkSelectAll);
    onCommand[ctl::kCkSelectAll] = [this](int code) {
        if (code == BN_CLICKED)
            OnSelectAll();
    };
    for (int i = 0; i < ctl::kScanExCount; ++i) {
        Add(Kind::Button, panel, ctl::kCmdScanEx0 + i);
        onCommand[ctl::kCmdScanEx0 + i] = [this, i](int) { OnScanExtra(i); };
    }

    Add(Kind::Label, panel, ctl::kLbPath);
    Add(Kind::Edit, panel, ctl::kTxDirPath);
    Add(Kind::Progress, panel, ctl::kPBPercent);
    Add(Kind::Label, panel, ctl::kTxPercent, u"0.0%");
    Add(Kind::Label, panel, ctl::kLbTime);
    Add(Kind::Label, panel, ctl::kTxTime, u"00:00:00");
    Add(Kind::Button, panel, ctl::kCmdLog);
    Add(Kind::Button, panel, ctl::kCmdCleanAll);
    Add(Kind::Button, panel, ctl::kCmdStop, u"# &Stop #");
    Enable(ctl::kCmdStop, false);
    Enable(ctl::kCmdCleanAll, false);
    Enable(ctl::kCmdLog, false);  // binding point: enabled while the scan log exists
    BuildScanRun();
}

void FormMain::LayoutScannerPanel(int w, int h) {
    Place(ctl::kTabScan, 4, 4, w - 8, 24);
    const int top = 32;
    const int content = h - top - kBottomStrip;
    // Targets.
    Place(ctl::kTvDir, 4, top, w - kFrameWidth - 12, content);
    const int fx = w - kFrameWidth - 4;
    Place(ctl::kFrmTree, fx, top - 4, kFrameWidth, 22 * ctl::kScanKindCount + 28);
    for (int i = 0; i < ctl::kScanKindCount; ++i)
        Place(ctl::kOpt0 + i, fx + 10, top + 16 + 22 * i, kFrameWidth - 18, 20);
    Place(ctl::kCmdScan, fx, top + content - 34, kFrameWidth, 34);
    // Report.
    Place(ctl::kPicScan, 4, top, w - 8, content);
    const int rw = w - 8;
    Place(ctl::kLbStatus, 8, 8, rw - 16, 18);
    const int colWidth = (rw - 24) / 3;
    const int frames[] = {ctl::kFrmFiles, ctl::kFrmRegistry, ctl::kFrmHidden};
    const int boxes[] = {ctl::kTxFile, ctl::kTxReg, ctl::kTxUnHide};
    for (int i = 0; i < 3; ++i) {
        const int x = 8 + i * (colWidth + 4);
        Place(frames[i], x, 32, colWidth, 84);
        Place(boxes[i], x + 8, 50, colWidth - 16, 58);
    }
    // Result lists.
    const int listHeight = content - 30;
    for (int id : kResultListIds)
        Place(id, 4, top, w - 8, listHeight);
    const int rowY = top + listHeight + 4;
    Place(ctl::kCkSelectAll, 6, rowY + 2, 90, 20);
    int x = w - 4;
    for (int i = ctl::kScanExCount - 1; i >= 0; --i) {
        x -= 104;
        Place(ctl::kCmdScanEx0 + i, x, rowY, 100, 25);
    }
    // Progress strip.
    const int sy = h - kBottomStrip + 6;
    Place(ctl::kLbPath, 6, sy + 3, 48, 16);
    Place(ctl::kTxDirPath, 56, sy, w - 60, 21);
    Place(ctl::kPBPercent, 6, sy + 28, w - 70, 16);
    Place(ctl::kTxPercent, w - 58, sy + 29, 54, 16);
    Place(ctl::kLbTime, 6, sy + 57, 48, 16);
    Place(ctl::kTxTime, 56, sy + 57, 70, 16);
    x = w - 4;
    for (int id : {ctl::kCmdStop, ctl::kCmdCleanAll, ctl::kCmdLog}) {
        x -= 96;
        Place(id, x, sy + 52, 92, 27);
    }
}

void FormMain::ShowScanTab(int scanTab) {
    InitPanel(8);
    currentScanTab_ = scanTab;
    win::tabs::Select(Ctl(ctl::kTabScan), scanTab);
    const ScanTabView view = ViewOfScanTab(scanTab);
    for (int id : {ctl::kTvDir, ctl::kFrmTree, ctl::kCmdScan})
        Show(id, view.targetTree);
    for (int i = 0; i < ctl::kScanKindCount; ++i)
        Show(ctl::kOpt0 + i, view.targetTree);
    Show(ctl::kPicScan, view.report);
    for (int i = 0; i < 3; ++i)
        Show(kResultListIds[i], static_cast<int>(view.list) == i);
    const bool listShown = view.list != ResultKind::None;
    Show(ctl::kCkSelectAll, listShown);
    win::SetChecked(Ctl(ctl::kCkSelectAll), selectAll_.Get(view.list));
    for (int i = 0; i < ctl::kScanExCount; ++i) {
        const int id = ctl::kCmdScanEx0 + i;
        SetText(id, view.extraCaptions[i]);
        Show(id, listShown);
        Enable(id, listShown && IsBound(view.extraCommands[i]));
    }
}

HWND FormMain::VisibleResultList() const {
    const int list = static_cast<int>(ViewOfScanTab(currentScanTab_).list);
    return list >= 0 ? Ctl(kResultListIds[list]) : nullptr;
}

void FormMain::OnSelectAll() {
    const ResultKind list = ViewOfScanTab(currentScanTab_).list;
    const bool checked = win::IsChecked(Ctl(ctl::kCkSelectAll));
    selectAll_.Set(list, checked);
    if (ResultList* model = ModelOfList(GetDlgCtrlID(VisibleResultList())))
        model->SetAllChecked(checked);  // fixed rows refuse; the list view follows the model
}

void FormMain::OnScanExtra(int index) {
    const int command = ViewOfScanTab(currentScanTab_).extraCommands[index];
    if (IsBound(command))
        bound_[command]();
}

void FormMain::InitResultLists() {
    for (int id : kResultListIds)
        AddColumns(id);
}

void FormMain::AddColumns(int listId) {
    const ListSpec* layout = FindList(listId);
    HWND view = Ctl(listId);
    if (!layout || !view || win::list::ColumnCount(view) > 0)
        return;
    for (const ColumnSpec& column : layout->columns)
        win::list::AddColumn(view, column.title, MulDiv(column.widthTwips, Dpi(), 1440));
}

}  // namespace vestra::ui
