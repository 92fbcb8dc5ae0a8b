// Windows-only: FormMain's frame: the top band with its buttons, the main tab strip with one
// page per panel, the right-hand information panel, their layout, and the window's placement.
#include <windows.h>

#include <commctrl.h>

#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/model/Geometry.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

constexpr int kTopHeight = 52;
constexpr int kRightWidth = 184;  // the width the shown panel adds: 12120 - 9300 twips at 96 DPI

}  // namespace

void FormMain::BuildFrame() {
    HWND top = kit_.Add(Kind::Panel, hwnd(), ctl::kPicTop);
    kit_.Add(Kind::Label, top, ctl::kLbTitle);
    kit_.SetFont(ctl::kLbTitle, FontRole::Title);
    kit_.Add(Kind::Label, top, ctl::kLbSubtitle);
    for (int id : {ctl::kCmdHelp, ctl::kCmdMinimize, ctl::kCmdPanel, ctl::kCmdExit})
        kit_.Add(Kind::Button, top, id);
    kit_.Enable(ctl::kCmdMinimize, false);  // the scan run enables it

    HWND tabs = kit_.Adopt(ctl::kTabMain, win::MakeTabStrip({hwnd(), ctl::kTabMain}));
    for (std::u16string_view caption : kMainTabCaptions)
        win::tabs::Add(tabs, caption);
    SetQuarantineCount(0);
    for (int i = 0; i < kMainTabCount; ++i) {
        HWND page = kit_.Add(Kind::Panel, hwnd(), ctl::kPicTab0 + i);
        ShowWindow(page, SW_HIDE);
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    HWND right = kit_.Add(Kind::Panel, hwnd(), ctl::kPicRight);
    HWND logo = kit_.Add(Kind::IconBox, right, ctl::kPicRightLogo);
    SendMessageW(logo, STM_SETICON, reinterpret_cast<WPARAM>(bigIcon_.get()), 0);
    kit_.Add(Kind::Label, right, ctl::kLbInfoTitle);
    kit_.SetFont(ctl::kLbInfoTitle, FontRole::Bold);
    kit_.Add(Kind::EditReadOnly, right, ctl::kTxInfo);
    onTimer[kTimerInfo] = [this] { RefreshInformation(); };
    RefreshInformation();
}

void FormMain::BindFrameButtons() {
    onCommand[ctl::kCmdExit] = [this](int) { TriggerExit(true); };
    onCommand[ctl::kCmdMinimize] = [this](int) {
        if (scan_)
            scan_->HandOverToCorner();
        Cornering(true);
    };
    onCommand[ctl::kCmdPanel] = [this](int) { HidePanel(ctx_.settings.hidePanel == 0); };
    onCommand[ctl::kCmdHelp] = [this](int) { OpenAddress(u"http://forum.vestra.example/"); };
    onNotify[ctl::kTabMain] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE)
            OnMainTabChanged();
        return 0;
    };
}

void FormMain::LayoutAll() {
    RECT client;
    GetClientRect(hwnd(), &client);
    LayoutFrame(kit_.Unscaled(client.right), kit_.Unscaled(client.bottom));
    // Panels do not clip their children (frames rely on that), so a moved control is painted
    // again after the panel behind it.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormMain::LayoutFrame(int width, int height) {
    const bool panelShown = ctx_.settings.hidePanel == 0;
    const int right = panelShown ? kRightWidth : 0;
    const int left = width - right;

    kit_.Place(ctl::kPicTop, 0, 0, width, kTopHeight);
    kit_.Place(ctl::kLbTitle, 12, 4, 170, 30);
    kit_.Place(ctl::kLbSubtitle, 14, 33, 200, 16);
    int x = width - 8;
    for (int id : {ctl::kCmdExit, ctl::kCmdPanel, ctl::kCmdMinimize, ctl::kCmdHelp}) {
        const int w = kit_.FitWidth(id, 70);
        x -= w;
        kit_.Place(id, x, 14, w, 25);
        x -= 4;
    }

    kit_.Place(ctl::kTabMain, 4, kTopHeight + 4, left - 8, height - kTopHeight - 8);
    HWND tabs = kit_.Ctl(ctl::kTabMain);
    RECT area = win::tabs::DisplayArea(tabs);
    MapWindowPoints(tabs, hwnd(), reinterpret_cast<POINT*>(&area), 2);
    const int px = kit_.Unscaled(area.left), py = kit_.Unscaled(area.top);
    const int pw = kit_.Unscaled(area.right - area.left);
    const int ph = kit_.Unscaled(area.bottom - area.top);
    for (int i = 0; i < kMainTabCount; ++i)
        kit_.Place(ctl::kPicTab0 + i, px, py, pw, ph);
    LayoutPanels(pw, ph);

    kit_.Show(ctl::kPicRight, panelShown);
    kit_.Place(ctl::kPicRight, left, kTopHeight, right, height - kTopHeight);
    kit_.Place(ctl::kPicRightLogo, (right - 48) / 2, 12, 48, 48);
    kit_.Place(ctl::kLbInfoTitle, 8, 68, right - 16, 18);
    kit_.Place(ctl::kTxInfo, 8, 88, right - 14, height - kTopHeight - 96);
}

void FormMain::RefreshInformation() {
    const ScanFigures figures = scan_ ? scan_->Figures() : ScanFigures{};
    const std::u16string text = InformationText(figures, ctx_.messages.CurrentLanguage());
    if (HWND box = kit_.Ctl(ctl::kTxInfo); box && win::WindowText(box) != text)
        win::SetWindowTextU(box, text);
}

void FormMain::ApplyPlacement() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const Settings& s = ctx_.settings;
    const StoredGeometry stored{s.winLeft, s.winTop, s.winWidth, s.winHeight, s.winPos};
    const Placement placement = RestorePlacement(
        stored, s.resize != 0, s.hidePanel != 0,
        {work.left, work.top, work.right - work.left, work.bottom - work.top}, Dpi());
    SetWindowPos(hwnd(), nullptr, placement.rect.left, placement.rect.top, placement.rect.width,
                 placement.rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd(), placement.maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    LayoutAll();
}

void FormMain::SaveGeometry() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(hwnd(), &placement))
        return;
    const RECT& r = placement.rcNormalPosition;
    WindowState state = WindowState::Normal;
    if (placement.showCmd == SW_SHOWMAXIMIZED)
        state = WindowState::Maximised;
    else if (placement.showCmd == SW_SHOWMINIMIZED)
        state = WindowState::Minimised;
    const StoredGeometry saved =
        GeometryToSave({r.left, r.top, r.right - r.left, r.bottom - r.top}, state, Dpi());
    Settings& s = ctx_.settings;
    s.winPos = saved.state;
    s.winLeft = saved.left;
    s.winTop = saved.top;
    s.winWidth = saved.width;
    s.winHeight = saved.height;
    ctx_.store.SaveSettingNumber(setting::kWinPos, s.winPos);
    ctx_.store.SaveSettingNumber(setting::kWinLeft, s.winLeft);
    ctx_.store.SaveSettingNumber(setting::kWinTop, s.winTop);
    ctx_.store.SaveSettingNumber(setting::kWinWidth, s.winWidth);
    ctx_.store.SaveSettingNumber(setting::kWinHeight, s.winHeight);
}

}  // namespace vestra::ui
