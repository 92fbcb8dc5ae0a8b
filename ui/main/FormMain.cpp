// Windows-only: FormMain's core: creation, control helpers, the message routing, main tabs,
// the panel switch, captions, theme and closing. The panels are built in FormMain*.cpp.
#include "ui/main/FormMain.h"

#include <windows.h>

#include <commctrl.h>

#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "scanner/TargetSelection.h"
#include "ui/forms/FormCorner.h"
#include "ui/forms/FormPassword.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Panel.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ControlIds.h"
#include "ui/model/Geometry.h"
#include "ui/model/ListLayouts.h"
#include "ui/model/StartTargets.h"
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

}  // namespace

FormMain::FormMain(const MainWindowContext& context)
    : ctx_(context), targetTree_(context.os.files), hidden_(context.os.files, report_) {
    themeBase_ = ThemeBaseColor(ctx_.settings.themeColor);
    palette_ = MakeThemePalette(themeBase_);
}

FormMain::~FormMain() = default;

bool FormMain::Open() {
    win::WindowArgs args;
    args.className = win::U16(kClassName);
    args.title = ctx_.state.appTitle.empty() ? u"Vestra" : ctx_.state.appTitle;
    args.style = FrameStyle(ctx_.settings.resize != 0);
    args.iconResource = IDI_VESTRA;
    args.width = 800;
    args.height = 540;
    if (!Create(args))
        return false;
    ctx_.state.mainWindowLoadingFlag = true;
    InitPanel(0);
    ctx_.state.mainWindowLoadingFlag = false;
    return true;
}

HWND FormMain::Ctl(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

HWND FormMain::Add(Kind kind, HWND parent, int id, std::u16string_view text) {
    const std::u16string_view caption = FindCaption(id) ? captions_.CaptionOf(id) : text;
    win::ControlArgs args{parent, id, caption};
    args.font = fontNormal_.get();
    HWND made = nullptr;
    switch (kind) {
        case Kind::Button:
            made = win::MakeButton(args);
            break;
        case Kind::Check:
            made = win::MakeButton(args, win::ButtonKind::Check);
            break;
        case Kind::Radio:
            made = win::MakeButton(args, win::ButtonKind::Radio);
            break;
        case Kind::RadioFirst:
            made = win::MakeButton(args, win::ButtonKind::RadioFirst);
            break;
        case Kind::Frame:
            made = win::MakeButton(args, win::ButtonKind::Group);
            break;
        case Kind::Label:
            made = win::MakeLabel(args);
            break;
        case Kind::Edit:
            made = win::MakeEdit(args);
            break;
        case Kind::EditMulti:
            made = win::MakeEdit(args, true, false);
            break;
        case Kind::CounterBox:
            made = win::MakeEdit(args, true, true, false);
            break;
        case Kind::EditReadOnly:
            made = win::MakeEdit(args, true, true);
            break;
        case Kind::Password:
            args.style = ES_PASSWORD;
            made = win::MakeEdit(args);
            break;
        case Kind::Progress:
            made = win::MakeProgressBar(args);
            break;
        case Kind::Panel:
            made = win::MakePanel(args);
            break;
        case Kind::IconBox:
            made = win::MakeIconBox(args);
            break;
        case Kind::Swatch:
            args.style = BS_OWNERDRAW;
            made = win::MakeButton(args);
            break;
    }
    controls_[id] = made;
    return made;
}

HWND FormMain::AddList(HWND parent, int id) {
    const ListSpec* layout = FindList(id);
    win::ControlArgs args{parent, id};
    args.font = fontList_.get();
    HWND list = win::MakeListView(args, layout && layout->checkBoxes);
    controls_[id] = list;
    onNotify[id] = [this](NMHDR* header) { return OnListNotify(header); };
    return list;
}

int FormMain::Unscaled(int pixels) const {
    return MulDiv(pixels, 96, Dpi());
}

int FormMain::FitWidth(int id, int least) const {
    HWND control = Ctl(id);
    if (!control)
        return least;
    std::u16string text = win::WindowText(control);
    std::erase(text, u'&');
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, fontNormal_.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()),
                          static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return std::max(least, Unscaled(size.cx) + 18);
}

void FormMain::Place(int id, int x, int y, int width, int height) {
    if (HWND control = Ctl(id))
        win::MoveControl(control, Scale(x), Scale(y), Scale(width), Scale(height));
}

void FormMain::Show(int id, bool visible) {
    if (HWND control = Ctl(id))
        win::ShowControl(control, visible);
}

void FormMain::Enable(int id, bool enabled) {
    if (HWND control = Ctl(id))
        win::EnableControl(control, enabled);
}

void FormMain::SetText(int id, std::u16string_view text) {
    if (HWND control = Ctl(id))
        win::SetWindowTextU(control, text);
}

void FormMain::MakeFonts() {
    const int dpi = Dpi();
    fontNormal_ = win::MakeFont({u"Tahoma", 8, false, false, dpi});
    fontBold_ = win::MakeFont({u"Tahoma", 8, true, false, dpi});
    fontHeading_ = win::MakeFont({u"Tahoma", 10, true, false, dpi});
    fontTitle_ = win::MakeFont({u"Tahoma", 18, true, false, dpi});
    fontList_ = win::MakeFont({kListFontName, 8, false, false, dpi});
    fontLink_ = win::MakeFont({u"Tahoma", 8, false, true, dpi});
}

void FormMain::ApplyFonts() {
    auto set = [](HWND control, HFONT font) {
        if (control)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    for (auto& [id, control] : controls_)
        set(control, fontNormal_.get());
    for (const ListSpec& layout : MainWindowLists())
        set(Ctl(layout.controlId), fontList_.get());
    set(Ctl(ctl::kLbTitle), fontTitle_.get());
    set(Ctl(ctl::kLbAboutTitle), fontTitle_.get());
    for (int id : {ctl::kLbRtpTitle, ctl::kLbUpdTitle, ctl::kLbDonTitle, ctl::kLbRtpName})
        set(Ctl(id), fontHeading_.get());
    for (int id : {ctl::kLbStatus, ctl::kLbInfoTitle, ctl::kLbUVTitle, ctl::kCmdScan,
                   ctl::kLbProtectedBy, ctl::kLbRevision, ctl::kLbTeam})
        set(Ctl(id), fontBold_.get());
    for (int id : {ctl::kLbLinkSite, ctl::kLbLinkMail, ctl::kLbDonLink})
        set(Ctl(id), fontLink_.get());
}

bool FormMain::OnCreate() {
    MakeFonts();
    bigIcon_ = win::LoadIconResource(IDI_VESTRA, Scale(48));
    BuildFrame();
    BuildScannerPanel();
    BuildProtectionPanel();
    BuildUpdatePanel();
    BuildToolsPanel();
    BuildQuarantinePanel();
    BuildSettingsPanel();
    BuildAboutPanels();
    ApplyFonts();

    onCommand[ctl::kCmdExit] = [this](int) { TriggerExit(true); };
    onCommand[ctl::kCmdMinimize] = [this](int) {
        if (ScanRunning())
            scanRun_->SetCornerMode(true);  // the corner shows the rest; no summary box follows
        Cornering(true);
    };
    onCommand[ctl::kCmdPanel] = [this](int) { HidePanel(ctx_.settings.hidePanel == 0); };
    onCommand[ctl::kCmdHelp] = [this](int) { OpenAddress(u"http://forum.vestra.example/"); };
    // Enter in the path box marks the typed path as a target (the dialog keys send IDOK).
    onCommand[IDOK] = [this](int) {
        if (GetFocus() != Ctl(ctl::kTxDirPath))
            return;
        const std::u16string typed = Trim(win::WindowText(Ctl(ctl::kTxDirPath)));
        if (!typed.empty() && CheckTree(targetTree_, ctx_.os.files, typed, true) == kNoNode)
            MessageBeep(MB_ICONEXCLAMATION);
    };
    onNotify[ctl::kTabMain] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE)
            OnMainTabChanged();
        return 0;
    };
    return true;
}

void FormMain::OnSize(int, int, WPARAM kind) {
    if (kind == SIZE_MINIMIZED)
        return;
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) {
        win::SetWindowTextU(hwnd(), ctx_.state.appTitle.empty() ? u"Vestra" : ctx_.state.appTitle);
        if (ScanRunning() && !TimerRunning(kTimerUp))
            StartTimer(kTimerUp, 250);
    }
    LayoutAll();
}

void FormMain::OnDpiChanged(int dpi, const RECT& suggested) {
    MakeFonts();
    ApplyFonts();
    bigIcon_ = win::LoadIconResource(IDI_VESTRA, MulDiv(48, dpi, 96));
    win::Window::OnDpiChanged(dpi, suggested);
    LayoutAll();
}

void FormMain::LayoutAll() {
    RECT client;
    GetClientRect(hwnd(), &client);
    LayoutFrame(Unscaled(client.right), Unscaled(client.bottom));
    // Panels do not clip their children (frames rely on that), so a moved control is painted
    // again after the panel behind it.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
        case win::kMsgPanelBackground: {
            const COLORREF color = BackgroundOf(reinterpret_cast<HWND>(wParam));
            for (int i = 0; i < 6; ++i) {
                if (palette_[i] == color)
                    return reinterpret_cast<LRESULT>(brushes_[i].Get(color));
            }
            return reinterpret_cast<LRESULT>(brushes_[0].Get(color));
        }
        case WM_GETMINMAXINFO: {
            // Resizing never makes the window smaller than its narrow, unresized form.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = TwipsToPixels(kWidthPanelHiddenTwips, Dpi());
            limits->ptMinTrackSize.y = TwipsToPixels(kDefaultHeightTwips, Dpi());
            return 0;
        }
        case kMsgStartScan:
            StartRequestedScan();
            return 0;
        case kMsgTreeCheck:
            OnTreeCheckClicked(reinterpret_cast<HTREEITEM>(wParam));
            return 0;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_ERASEBKGND: {
            RECT area;
            GetClientRect(hwnd(), &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, brushes_[0].Get(palette_[0]));
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
            break;
    }
    return win::Window::WndProc(message, wParam, lParam);
}

COLORREF FormMain::BackgroundOf(HWND panel) const {
    const int id = GetDlgCtrlID(panel);
    if (id == ctl::kPicTop)
        return palette_[4];
    if (id == ctl::kPicRight)
        return palette_[2];
    return palette_[1];
}

HBRUSH FormMain::OnCtlColor(UINT message, HDC dc, HWND child) {
    if (message == WM_CTLCOLOREDIT || IsEditClass(child)) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, palette_[0]);
        return white_.Get(palette_[0]);
    }
    HWND parent = GetParent(child);
    const COLORREF background = parent == hwnd() ? palette_[0] : BackgroundOf(parent);
    const int id = GetDlgCtrlID(child);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (GetDlgCtrlID(parent) == ctl::kPicTop)
        text = palette_[0];
    else if (id == ctl::kLbRtpName)
        text = protectionOn_ ? palette_[5] : RGB(0, 0, 0);
    else if (id == ctl::kLbLinkSite || id == ctl::kLbLinkMail || id == ctl::kLbDonLink)
        text = RGB(0, 0, 0xC0);
    else if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX ||
             child == Ctl(ctl::kLbStatus) || child == Ctl(ctl::kLbInfoTitle) ||
             child == Ctl(ctl::kLbRtpTitle) || child == Ctl(ctl::kLbUpdTitle) ||
             child == Ctl(ctl::kLbUVTitle) || child == Ctl(ctl::kLbDonTitle) ||
             child == Ctl(ctl::kLbAboutTitle))
        text = palette_[5];
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < 6; ++i) {
        if (palette_[i] == background)
            return brushes_[i].Get(background);
    }
    return brushes_[0].Get(background);
}

void FormMain::Bind(int commandId, std::function<void()> work) {
    bound_[commandId] = std::move(work);
}

bool FormMain::IsBound(int commandId) const {
    auto it = bound_.find(commandId);
    return it != bound_.end() && it->second;
}

// ---- Main tabs ----

bool FormMain::OnMainTabChanging() {
    approvedTab_ = 0;
    HWND tabs = Ctl(ctl::kTabMain);
    const DWORD at = GetMessagePos();
    TCHITTESTINFO hit{};
    hit.pt = {PointX(at), PointY(at)};
    ScreenToClient(tabs, &hit.pt);
    const int index = TabCtrl_HitTest(tabs, &hit);
    if (index < 0)
        return true;  // not a click (the keyboard): judged once the selection has moved
    TabClickContext context{currentTab_, ScanRunning(), ctx_.settings.usePassword != 0,
                            [this] { return AskPassword(); }};
    const TabClickResult result = ClickMainTab(index + 1, context, passwordGuard_);
    if (result.kind == TabClickResult::Kind::Refused)
        return false;
    approvedTab_ = index + 1;
    return true;
}

void FormMain::OnMainTabChanged() {
    const int clicked = win::tabs::Selected(Ctl(ctl::kTabMain)) + 1;
    if (clicked == approvedTab_) {
        approvedTab_ = 0;
        ShowMainTab(clicked);
        ApplyTabSideEffects(clicked);
        return;
    }
    TabClickContext context{currentTab_, ScanRunning(), ctx_.settings.usePassword != 0,
                            [this] { return AskPassword(); }};
    const TabClickResult result = ClickMainTab(clicked, context, passwordGuard_);
    if (result.kind == TabClickResult::Kind::Refused) {
        win::tabs::Select(Ctl(ctl::kTabMain), currentTab_ - 1);
        return;
    }
    if (result.kind == TabClickResult::Kind::Switched) {
        ShowMainTab(result.tab);
        ApplyTabSideEffects(result.tab);
    }
}

void FormMain::ApplyTabSideEffects(int tab) {
    if (tab == kTabQuarantine)
        InitQuarantine();  // binding point: the quarantine store refills the list and count
    if (tab == kTabProtection)
        StartTimer(kTimerRTP, 100);
    else
        StopTimer(kTimerRTP);
}

void FormMain::ShowMainTab(int tab) {
    currentTab_ = tab;
    win::tabs::Select(Ctl(ctl::kTabMain), tab - 1);
    for (int i = 0; i < kMainTabCount; ++i)
        Show(ctl::kPicTab0 + i, i == tab - 1);
    InitPanel(tab - 1);
}

bool FormMain::AskPassword() {
    return FormPassword::Ask(hwnd(), ctx_.settings.adminPassword, ctx_.messages, palette_);
}

void FormMain::InitPanel(int part) {
    if (!setup_.Begin(part))
        return;
    switch (part) {
        case 0:
            InitFormLoad();
            break;
        case 1:
            InitProtection();
            break;
        case 2:
            InitUpdate();
            break;
        case 3:
            InitTools();
            break;
        case 4:
            InitQuarantine();
            break;
        case 5:
            InitSettings();
            break;
        case 6:
        case 7:
            break;  // the About and Donation texts are set when the panels are built
        case 8:
            InitResultLists();
            break;
        default:
            break;
    }
}

void FormMain::InitFormLoad() {
    ApplyPlacement();
    SetText(ctl::kTxRGB, ThemeColorText(themeBase_));
    for (int id : {ctl::kLbUVName, ctl::kLbUVLev, ctl::kTxUVPath})
        SetText(id, u"-");
    SetText(ctl::kCmdSysApply, SystemApplyCaption());
    SetText(ctl::kLbRevision, RevisionCaption());
    SetText(ctl::kLbDate, DateCaption());
    if (ctx_.messages.CurrentLanguage() != config::kLanguageIndonesian) {
        config::SwapCaptions(captions_.Controls());
        ApplyCaptions();
    }
    win::SetChecked(Ctl(ctl::kOptLang0 + (ctx_.messages.CurrentLanguage() != 0 ? 1 : 0)), true);
    RefreshRuntimeCaptions();
    ShowMainTab(kTabScanner);
    ShowScanTab(kScanTabTargets);
    LayoutAll();  // the buttons fit their captions, which are known only now
    StartTimer(kTimerTree, 3000);
    // A start with a path list scans those paths once the window has finished loading.
    if (!StartScanPaths(ctx_.state.commandWord).empty())
        PostMessageW(hwnd(), kMsgStartScan, 0, 0);
}

void FormMain::StartRequestedScan() {
    for (const std::u16string& path : StartScanPaths(ctx_.state.commandWord)) {
        const auto longPath = ctx_.os.files.LongPathName(path);
        const std::u16string target = longPath.ok() ? longPath.value() : path;
        if (ctx_.os.files.Exists(target))
            CheckTree(targetTree_, ctx_.os.files, target, false);
    }
    if (!scanRun_)
        return;
    ctx_.exceptions.LoadExceptions();
    checker_->fileExceptions = ctx_.exceptions.ExceptionPaths(config::ExceptionKind::File);
    scanRun_->ClearReport();
    scanRun_->StartScan(false);
}

void FormMain::ApplyCaptions() {
    for (int id : captions_.Ids())
        SetText(id, captions_.CaptionOf(id));
}

void FormMain::RefreshRuntimeCaptions() {
    const int language = ctx_.messages.CurrentLanguage();
    SetText(ctl::kCmdPanel, PanelButtonCaption(ctx_.settings.hidePanel != 0, language));
    SetText(ctl::kCmdPassword, PasswordButtonCaption(passwordEditing_, language));
    SetText(ctl::kCmdCleanAll, ctx_.messages.Text(config::msg::kFixAllCaption));
    SetText(ctl::kLbProtectedBy, ctx_.messages.Text(config::msg::kProtectedBy));
    SetText(ctl::kLbRtpState, ctx_.messages.Text(protectionOn_ ? config::msg::kProtectionOn
                                                               : config::msg::kProtectionOff));
}

void FormMain::ChooseLanguage(int index) {
    if (!LanguageChoiceChanges(index, ctx_.messages.CurrentLanguage()))
        return;
    SwitchLanguage(index, ctx_.store, ctx_.settings, ctx_.messages, captions_.Controls());
    ApplyCaptions();
    RefreshRuntimeCaptions();
    TickInformation();
    LayoutAll();
}

// ---- Panel switch, theme, geometry, exit ----

void FormMain::HidePanel(bool hide) {
    ctx_.settings.hidePanel = hide ? 1 : 0;
    ctx_.store.SaveSettingNumber(setting::kHidePanel, ctx_.settings.hidePanel);
    if (HWND box = Ctl(ctl::kCkSet0 + 7))
        win::SetChecked(box, hide);
    RefreshRuntimeCaptions();
    if (auto width = PanelSwitchWidth(hide, IsZoomed(hwnd()) != 0, Dpi())) {
        RECT r;
        GetWindowRect(hwnd(), &r);
        SetWindowPos(hwnd(), nullptr, 0, 0, *width, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutAll();
}

void FormMain::SetTheme(Color base) {
    themeBase_ = ThemeBaseColor(static_cast<std::int32_t>(base));
    palette_ = MakeThemePalette(themeBase_);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormMain::ApplyPlacement() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const StoredGeometry stored{ctx_.settings.winLeft, ctx_.settings.winTop, ctx_.settings.winWidth,
                                ctx_.settings.winHeight, ctx_.settings.winPos};
    const Placement placement = RestorePlacement(
        stored, ctx_.settings.resize != 0, ctx_.settings.hidePanel != 0,
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
                report_.state.skipRequested = true;
                report_.state.stopRequested = true;
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
    if (!corner_)
        corner_ = std::make_unique<FormCorner>(*this, palette_);
    if (toCorner) {
        std::u16string targets;
        if (scanRun_) {
            const ScanTargets& t = scanRun_->targets();
            for (const std::u16string* list : {&t.folderList, &t.fileList, &t.flatFolderList}) {
                if (!list->empty())
                    targets += (targets.empty() ? u"" : u"|") + *list;
            }
        }
        corner_->LoadCorner(CornerTitle(targets));
        ShowWindow(hwnd(), SW_HIDE);
    } else {
        corner_->Hide();
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
    }
}

void FormMain::OpenAddress(std::u16string_view address) {
    platform::ShellRequest request;
    request.verb = u"open";
    request.file = std::u16string(address);
    ctx_.os.shell.Execute(request);
}

}  // namespace vestra::ui
