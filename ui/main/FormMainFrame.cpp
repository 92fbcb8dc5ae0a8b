// Windows-only: FormMain's frame: the top band with its buttons, the main tab strip, the eight
// panels in its display area and the right-hand information panel, and their layout.
#include <windows.h>

#include <commctrl.h>

#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/model/Geometry.h"

namespace vestra::ui {
namespace {

constexpr int kTopHeight = 52;
constexpr int kRightWidth = 184;  // the width the shown panel adds: 12120 - 9300 twips at 96 DPI

}  // namespace

void FormMain::BuildFrame() {
    HWND top = Add(Kind::Panel, hwnd(), ctl::kPicTop);
    Add(Kind::Label, top, ctl::kLbTitle);
    Add(Kind::Label, top, ctl::kLbSubtitle);
    for (int id : {ctl::kCmdHelp, ctl::kCmdMinimize, ctl::kCmdPanel, ctl::kCmdExit})
        Add(Kind::Button, top, id);
    Enable(ctl::kCmdMinimize, false);  // the scan run enables it

    HWND tabs = win::MakeTabStrip({hwnd(), ctl::kTabMain});
    controls_[ctl::kTabMain] = tabs;
    for (std::u16string_view caption : kMainTabCaptions)
        win::tabs::Add(tabs, caption);
    win::tabs::SetCaption(tabs, kTabQuarantine - 1, QuarantineTabCaption(0));
    for (int i = 0; i < kMainTabCount; ++i) {
        HWND panel = Add(Kind::Panel, hwnd(), ctl::kPicTab0 + i);
        ShowWindow(panel, SW_HIDE);
        SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    HWND right = Add(Kind::Panel, hwnd(), ctl::kPicRight);
    HWND logo = Add(Kind::IconBox, right, ctl::kPicRightLogo);
    SendMessageW(logo, STM_SETICON, reinterpret_cast<WPARAM>(bigIcon_.get()), 0);
    Add(Kind::Label, right, ctl::kLbInfoTitle);
    Add(Kind::EditReadOnly, right, ctl::kTxInfo);
    onTimer[kTimerInfo] = [this] { TickInformation(); };
    TickInformation();
}

void FormMain::LayoutFrame(int width, int height) {
    const bool panelShown = ctx_.settings.hidePanel == 0;
    const int right = panelShown ? kRightWidth : 0;
    const int left = width - right;

    Place(ctl::kPicTop, 0, 0, width, kTopHeight);
    Place(ctl::kLbTitle, 12, 4, 170, 30);
    Place(ctl::kLbSubtitle, 14, 33, 200, 16);
    int x = width - 8;
    const int buttons[] = {ctl::kCmdExit, ctl::kCmdPanel, ctl::kCmdMinimize, ctl::kCmdHelp};
    for (int id : buttons) {
        const int w = FitWidth(id, 70);
        x -= w;
        Place(id, x, 14, w, 25);
        x -= 4;
    }

    Place(ctl::kTabMain, 4, kTopHeight + 4, left - 8, height - kTopHeight - 8);
    HWND tabs = Ctl(ctl::kTabMain);
    RECT area = win::tabs::DisplayArea(tabs);
    MapWindowPoints(tabs, hwnd(), reinterpret_cast<POINT*>(&area), 2);
    const int px = Unscaled(area.left), py = Unscaled(area.top);
    const int pw = Unscaled(area.right - area.left), ph = Unscaled(area.bottom - area.top);
    for (int i = 0; i < kMainTabCount; ++i)
        Place(ctl::kPicTab0 + i, px, py, pw, ph);
    LayoutScannerPanel(pw, ph);
    LayoutProtectionPanel(pw, ph);
    LayoutUpdatePanel(pw, ph);
    LayoutToolsPanel(pw, ph);
    LayoutQuarantinePanel(pw, ph);
    LayoutSettingsPanel(pw, ph);
    LayoutAboutPanels(pw, ph);

    Show(ctl::kPicRight, panelShown);
    Place(ctl::kPicRight, left, kTopHeight, right, height - kTopHeight);
    Place(ctl::kPicRightLogo, (right - 48) / 2, 12, 48, 48);
    Place(ctl::kLbInfoTitle, 8, 68, right - 16, 18);
    Place(ctl::kTxInfo, 8, 88, right - 14, height - kTopHeight - 96);
}

void FormMain::TickInformation() {
    const std::u16string text = InformationText(Figures(), ctx_.messages.CurrentLanguage());
    if (HWND box = Ctl(ctl::kTxInfo); box && win::WindowText(box) != text)
        win::SetWindowTextU(box, text);
}

}  // namespace vestra::ui
