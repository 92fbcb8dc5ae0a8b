// Windows-only: FormMain's core: creation, the message routing, main tabs, captions, theme and
// closing. The frame's controls are in FormMainFrame.cpp, the panels' registration in
// FormMainPanels.cpp.
#include "ui/main/FormMain.h"

#include <windows.h>

#include <commctrl.h>

#include "remediation/QuarantineList.h"
#include "scanner/FileRoutines.h"
#include "ui/forms/FormCorner.h"
#include "ui/forms/FormPassword.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Panel.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ControlIds.h"
#include "ui/model/Geometry.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

constexpr wchar_t kClassName[] = L"VestraMain";

int PointX(DWORD point) {
    return static_cast<short>(LOWORD(point));
}
int PointY(DWORD point) {
    return static_cast<short>(HIWORD(point));
}

DWORD FrameStyle(bool resizable) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (resizable)
        style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    return style;
}

bool IsEditClass(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"Edit") == 0;
}

std::u16string_view TitleOf(const AppState& state) {
    return state.appTitle.empty() ? u"Vestra" : std::u16string_view(state.appTitle);
}

}  // namespace

FormMain::FormMain(const MainWindowContext& context) : ctx_(context), kit_(*this, captions_) {
    themeBase_ = ThemeBaseColor(ctx_.settings.themeColor);
    palette_ = MakeThemePalette(themeBase_);
    CreatePanels();
}

FormMain::~FormMain() = default;

bool FormMain::Open() {
    win::WindowArgs args;
    args.className = win::U16(kClassName);
    args.title = std::u16string(TitleOf(ctx_.state));
    args.style = FrameStyle(ctx_.settings.resize != 0);
    args.iconResource = IDI_VESTRA;
    args.width = 800;
    args.height = 540;
    if (!Create(args))
        return false;
    ctx_.state.mainWindowLoadingFlag = true;
    SetUpPart(SetupPart::Scanner);
    ctx_.state.mainWindowLoadingFlag = false;
    return true;
}

bool FormMain::OnCreate() {
    kit_.MakeFonts();
    bigIcon_ = win::LoadIconResource(IDI_VESTRA, Scale(48));
    BuildFrame();
    BuildPanels();
    kit_.ApplyFonts();
    BindFrameButtons();
    return true;
}

void FormMain::OnSize(int, int, WPARAM kind) {
    if (kind == SIZE_MINIMIZED)
        return;
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) {
        win::SetWindowTextU(hwnd(), TitleOf(ctx_.state));
        if (scan_)
            scan_->WindowRestored();
    }
    LayoutAll();
}

void FormMain::OnDpiChanged(int dpi, const RECT& suggested) {
    kit_.MakeFonts();
    kit_.ApplyFonts();
    bigIcon_ = win::LoadIconResource(IDI_VESTRA, MulDiv(48, dpi, 96));
    win::Window::OnDpiChanged(dpi, suggested);
    LayoutAll();
}

bool FormMain::OnClose() {
    TriggerExit(true);
    return false;  // TriggerExit destroys the window when the exit goes ahead
}

void FormMain::OnDestroy() {
    for (UINT_PTR timer :
         {kTimerPB, kTimerTime, kTimerUp, kTimerInfo, kTimerRTP, kTimerTree, kTimerUpdate})
        StopTimer(timer);
    if (corner_)
        corner_->Hide();  // destroyed with the form, not inside its own close handler
    PostQuitMessage(0);
}

LRESULT FormMain::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case win::kMsgPanelBackground:
            return reinterpret_cast<LRESULT>(BrushOf(BackgroundOf(reinterpret_cast<HWND>(wParam))));
        case WM_GETMINMAXINFO: {
            // Resizing never makes the window smaller than its narrow, unresized form.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = TwipsToPixels(kWidthPanelHiddenTwips, Dpi());
            limits->ptMinTrackSize.y = TwipsToPixels(kDefaultHeightTwips, Dpi());
            return 0;
        }
        case WM_DRAWITEM:
            PanelMessage(message, wParam, lParam);
            return TRUE;
        case WM_ERASEBKGND: {
            RECT area;
            GetClientRect(hwnd(), &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area,
                     BrushOf(ColorOf(palette_, PaletteRole::Window)));
            return 1;
        }
        case WM_NOTIFY: {
            // The tab strip asks before it changes: a click is judged here, so a refused tab
            // never shows as selected, not even while the password prompt is open.
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == static_cast<UINT_PTR>(ctl::kTabMain) &&
                header->code == TCN_SELCHANGING)
                return OnMainTabChanging() ? FALSE : TRUE;
            break;
        }
        default:
            // The panels' own posted messages.
            if (message >= WM_APP && PanelMessage(message, wParam, lParam))
                return 0;
            break;
    }
    return win::Window::WndProc(message, wParam, lParam);
}

COLORREF FormMain::BackgroundOf(HWND panel) const {
    const int id = GetDlgCtrlID(panel);
    if (id == ctl::kPicTop)
        return ColorOf(palette_, PaletteRole::TopBand);
    if (id == ctl::kPicRight)
        return ColorOf(palette_, PaletteRole::InfoPanel);
    return ColorOf(palette_, PaletteRole::Panel);
}

// One cached brush per palette colour; a colour outside the palette shares the first.
HBRUSH FormMain::BrushOf(COLORREF color) {
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        if (palette_[i] == color)
            return brushes_[i].Get(color);
    }
    return brushes_[0].Get(color);
}

HBRUSH FormMain::OnCtlColor(UINT message, HDC dc, HWND child) {
    const COLORREF white = ColorOf(palette_, PaletteRole::Window);
    if (message == WM_CTLCOLOREDIT || IsEditClass(child)) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, white);
        return white_.Get(white);
    }
    HWND parent = GetParent(child);
    const COLORREF background = parent == hwnd() ? white : BackgroundOf(parent);
    const int id = GetDlgCtrlID(child);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (GetDlgCtrlID(parent) == ctl::kPicTop)
        text = white;
    else if (const auto own = PanelTextColor(id))
        text = *own;
    else if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX ||
             id == ctl::kLbInfoTitle)
        text = ColorOf(palette_, PaletteRole::Heading);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    SetBkMode(dc, TRANSPARENT);
    return BrushOf(background);
}

void FormMain::Bind(int commandId, std::function<void()> work) {
    bindings_.Bind(commandId, std::move(work));
}

bool FormMain::IsBound(int commandId) const {
    return bindings_.IsBound(commandId);
}

// ---- Main tabs ----

bool FormMain::OnMainTabChanging() {
    approvedTab_.reset();
    HWND tabs = kit_.Ctl(ctl::kTabMain);
    const DWORD at = GetMessagePos();
    TCHITTESTINFO hit{};
    hit.pt = {PointX(at), PointY(at)};
    ScreenToClient(tabs, &hit.pt);
    const auto clicked = MainTabAt(TabCtrl_HitTest(tabs, &hit));
    if (!clicked)
        return true;  // not a click (the keyboard): judged once the selection has moved
    TabClickContext context{currentTab_, ScanRunning(), ctx_.settings.usePassword != 0,
                            [this] { return AskPassword(); }};
    const TabClickResult result = ClickMainTab(*clicked, context, passwordGuard_);
    if (result.kind == TabClickResult::Kind::Refused)
        return false;
    approvedTab_ = *clicked;
    return true;
}

void FormMain::OnMainTabChanged() {
    const auto clicked = MainTabAt(win::tabs::Selected(kit_.Ctl(ctl::kTabMain)));
    if (clicked && clicked == approvedTab_) {
        approvedTab_.reset();
        SwitchByClick(*clicked);
        return;
    }
    TabClickContext context{currentTab_, ScanRunning(), ctx_.settings.usePassword != 0,
                            [this] { return AskPassword(); }};
    const TabClickResult result =
        clicked ? ClickMainTab(*clicked, context, passwordGuard_) : TabClickResult{};
    if (result.kind == TabClickResult::Kind::Refused) {
        win::tabs::Select(kit_.Ctl(ctl::kTabMain), StripIndexOf(currentTab_));
        return;
    }
    if (result.kind == TabClickResult::Kind::Switched)
        SwitchByClick(result.tab);
}

void FormMain::SwitchByClick(MainTab tab) {
    const MainTab left = currentTab_;
    ShowMainTab(tab);
    PanelOf(left).Left();
    PanelOf(tab).Opened();
}

void FormMain::ShowMainTab(MainTab tab) {
    currentTab_ = tab;
    win::tabs::Select(kit_.Ctl(ctl::kTabMain), StripIndexOf(tab));
    for (int i = 0; i < kMainTabCount; ++i)
        kit_.Show(ctl::kPicTab0 + i, i == StripIndexOf(tab));
    SetUpPart(SetupPartOf(tab));
}

bool FormMain::AskPassword() {
    return FormPassword::Ask(hwnd(), ctx_.settings.adminPassword, ctx_.messages, palette_);
}

bool FormMain::PassPasswordGate() {
    return passwordGuard_.Pass(ctx_.settings.usePassword != 0, [this] { return AskPassword(); });
}

void FormMain::SetUpPart(SetupPart part) {
    if (!setup_.Begin(part))
        return;
    if (part == SetupPart::Scanner)
        InitFormLoad();
    else
        PanelOf(OwnerOfPart(part)).SetUp(part);
}

void FormMain::InitFormLoad() {
    ApplyPlacement();
    for (const auto& panel : panels_)
        panel->Loaded();
    if (ctx_.messages.CurrentLanguage() != config::kLanguageIndonesian) {
        config::SwapCaptions(captions_.Controls());
        kit_.ApplyCaptions();
    }
    RefreshCaptions();
    ShowMainTab(MainTab::Scanner);
    PanelOf(MainTab::Scanner).SetUp(SetupPart::Scanner);
    LayoutAll();  // the buttons fit their captions, which are known only now
}

// ---- Captions, panel switch, theme, exit ----

void FormMain::RefreshCaptions() {
    const int language = ctx_.messages.CurrentLanguage();
    kit_.SetText(ctl::kCmdPanel, PanelButtonCaption(ctx_.settings.hidePanel != 0, language));
    for (const auto& panel : panels_)
        panel->RefreshCaptions();
}

void FormMain::ChooseLanguage(int index) {
    if (!LanguageChoiceChanges(index, ctx_.messages.CurrentLanguage()))
        return;
    SwitchLanguage(index, ctx_.store, ctx_.settings, ctx_.messages, captions_.Controls());
    kit_.ApplyCaptions();
    RefreshCaptions();
    RefreshInformation();
    LayoutAll();
}

void FormMain::HidePanel(bool hide) {
    ctx_.settings.hidePanel = hide ? 1 : 0;
    ctx_.store.SaveSettingNumber(setting::kHidePanel, ctx_.settings.hidePanel);
    for (const auto& panel : panels_)
        panel->SettingsChanged();
    RefreshCaptions();
    if (auto width = PanelSwitchWidth(hide, IsZoomed(hwnd()) != 0, Dpi())) {
        RECT r;
        GetWindowRect(hwnd(), &r);
        SetWindowPos(hwnd(), nullptr, 0, 0, *width, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutAll();
}

void FormMain::ApplyResizable(bool resizable) {
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    style = resizable ? (style | WS_THICKFRAME | WS_MAXIMIZEBOX)
                      : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME | WS_MAXIMIZEBOX));
    if (!resizable && IsZoomed(hwnd()))
        ShowWindow(hwnd(), SW_RESTORE);
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void FormMain::SetTheme(Color base) {
    themeBase_ = ThemeBaseColor(static_cast<std::int32_t>(base));
    palette_ = MakeThemePalette(themeBase_);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormMain::TriggerExit(bool ask) {
    if (closing_)
        return;
    switch (DecideExit(ScanRunning(), ask, ctx_.messages, ctx_.os.windows)) {
        case ExitChoice::Stay:
            return;
        case ExitChoice::StopScanThenClose:
            ctx_.state.exitingFlag = true;
            // The scan run stops at its next entry; its end steps see the exit flag and call
            // TriggerExit again once it has unwound.
            if (ScanRunning()) {
                scan_->StopForExit();
                return;
            }
            break;
        case ExitChoice::Close:
            break;
    }
    closing_ = true;
    SaveGeometry();
    DestroyWindow(hwnd());
}

void FormMain::Cornering(bool toCorner) {
    if (!corner_) {
        CornerEvents events;
        events.figures = [this] { return scan_ ? scan_->Figures() : ScanFigures{}; };
        events.scanRunning = [this] { return ScanRunning(); };
        events.fixAllBound = [this] { return bindings_.IsBound(ctl::kCmdCleanAll); };
        // Posted, so the corner's own click handler has returned before the scan reacts.
        events.stop = [this] { PostMessageW(hwnd(), WM_COMMAND, ctl::kCmdStop, 0); };
        events.fixAll = [this] { PostMessageW(hwnd(), WM_COMMAND, ctl::kCmdCleanAll, 0); };
        events.restore = [this] { Cornering(false); };
        events.close = [this] { TriggerExit(true); };
        corner_ = std::make_unique<FormCorner>(std::move(events), palette_);
    }
    if (toCorner) {
        corner_->LoadCorner(CornerTitle(scan_ ? scan_->TargetsText() : std::u16string()));
        ShowWindow(hwnd(), SW_HIDE);
    } else {
        corner_->Hide();
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
    }
}

void FormMain::ScanActivity(bool running) {
    kit_.Enable(ctl::kCmdMinimize, running);
    if (running)
        StartTimer(kTimerInfo, 500);
    else
        StopTimer(kTimerInfo);
}

void FormMain::SetQuarantineCount(int count) {
    // Centred as the quarantine list words it, so the caption keeps its width once the tab opens.
    SetQuarantineCaption(
        CenterText(QuarantineTabCaption(count), remediation::kQuarantineCaptionWidth));
}

void FormMain::SetQuarantineCaption(std::u16string_view caption) {
    win::tabs::SetCaption(kit_.Ctl(ctl::kTabMain), StripIndexOf(MainTab::Quarantine), caption);
}

void FormMain::QuarantineChanged() {
    PanelOf(MainTab::Quarantine).Opened();  // the panel refills its list and caption
}

void FormMain::OpenAddress(std::u16string_view address) {
    platform::ShellRequest request;
    request.verb = u"open";
    request.file = std::u16string(address);
    ctx_.os.shell.Execute(request);
}

}  // namespace vestra::ui
