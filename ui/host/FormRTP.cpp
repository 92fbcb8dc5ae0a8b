// Windows-only: the protection host's window.
#include "ui/host/FormRTP.h"

#include <commctrl.h>
#include <shlobj.h>

#include "app/MemoryCheck.h"
#include "config/MessageSlots.h"
#include "protection/DriveLock.h"
#include "ui/forms/FormConfirm.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/CaptionTable.h"

// winbase.h maps FormatMessage to FormatMessageW; the catalogue's method must win.
#ifdef FormatMessage
#undef FormatMessage
#endif

namespace vestra::ui {
namespace {

constexpr UINT_PTR kTimerPB = 1, kTimerRTP = 2, kTimerRTPProc = 3, kTimerDrive = 4,
                   kTimerDanger = 5;
constexpr int kTxShare = 10, kPBvesrt = 11, kLbTitle = 12, kLbRevision = 13, kLbProtected = 14;
constexpr int kSplashWidth = 330, kSplashHeight = 130;
constexpr int kProgressMaximum = 100;
constexpr UINT kBalloonTimeoutMs = 30000;
constexpr std::u16string_view kTrayTip = u"VesRT-Protection, Vestra 2010 Rev. 8.3";

// The channel box must carry the class name the main program looks for; it is an ordinary edit
// control under that name.
bool RegisterChannelBoxClass() {
    WNDCLASSEXW edit{};
    edit.cbSize = sizeof(edit);
    if (!GetClassInfoExW(nullptr, L"EDIT", &edit))
        return false;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    const std::u16string name(protection::kChannelBoxClass);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), win::W(name), &existing))
        return true;
    edit.hInstance = GetModuleHandleW(nullptr);
    edit.lpszClassName = win::W(name);
    return RegisterClassExW(&edit) != 0;
}

// A round 16-pixel dot of one colour: the tray icon's three states.
HICON MakeDotIcon(COLORREF colour) {
    constexpr int kSize = 16;
    HDC screen = GetDC(nullptr);
    HBITMAP colourBits = CreateCompatibleBitmap(screen, kSize, kSize);
    HBITMAP maskBits = CreateBitmap(kSize, kSize, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, maskBits);
    PatBlt(dc, 0, 0, kSize, kSize, WHITENESS);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, 1, 1, kSize - 1, kSize - 1);
    SelectObject(dc, colourBits);
    PatBlt(dc, 0, 0, kSize, kSize, BLACKNESS);
    HBRUSH brush = CreateSolidBrush(colour);
    SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    Ellipse(dc, 1, 1, kSize - 1, kSize - 1);
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ICONINFO info{TRUE, 0, 0, maskBits, colourBits};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colourBits);
    DeleteObject(maskBits);
    return icon;
}

}  // namespace

FormRTP::FormRTP(const HostWindowContext& context)
    : ctx_(context),
      cage_(context.os.files, remediation::CageFolders{context.state.paths.cageFolder,
                                                       context.state.paths.oldCageFolder}),
      cleaner_(cage_, context.state.paths.hostsFile),
      registry_(context.os.registry, context.os.system),
      autostart_(registry_, context.state.os.IsPreVista(),
                 context.state.paths.installedProtectionExe) {
    checker_ = std::make_unique<FileChecker>(*context.state.engine, context.os.files);
    checker_->filter.hostFolderScan = true;
    checker_->fileExceptions = context.exceptions.ExceptionPaths(config::ExceptionKind::File);
    host_ = std::make_unique<protection::ProtectionHost>(protection::HostContext{
        context.os, *checker_, context.exceptions, *this,
        [this](int number) { return Message(number); }, context.state.paths.cageFolder,
        context.settings.noSplash != 0, context.state.protectionStartFlag});
    alert_ = std::make_unique<FormAlert>(
        FormAlertParts{context.os.files, context.os.shell, context.messages, cage_, cleaner_,
                       context.exceptions, [this](bool) { host_->StopDanger(); },
                       [this](std::u16string_view root) { AskDriveLock(root); },
                       context.state.paths.installedProtectionExe});
    const processes::ProcessKitSetup setup = ProcessSetupOf(context.state);
    drives_ = std::make_unique<protection::DriveWatch>(
        context.os, *host_, *this, setup.folders, setup.systemRoot,
        protection::DriveWatchEvents{
            {},
            [this](std::u16string_view root) { alert_->AddConfirmDrive(root); },
            [this](std::u16string_view root) { AskDriveLock(root); }});
}

FormRTP::~FormRTP() {
    for (HICON icon : icons_)
        if (icon)
            DestroyIcon(icon);
}

std::u16string FormRTP::Message(int number) const {
    return ctx_.messages.FormatMessage(number);
}

bool FormRTP::Open() {
    if (!RegisterChannelBoxClass())
        return false;
    win::WindowArgs args;
    args.className = u"ThunderRT6FormDC";
    args.title = std::u16string(protection::kProtectionWindowCaption);
    args.style = WS_POPUP | WS_BORDER;
    // A tool window has no task-list entry.
    args.exStyle = WS_EX_TOOLWINDOW;
    args.width = kSplashWidth;
    args.height = kSplashHeight;
    args.x = (GetSystemMetrics(SM_CXSCREEN) - kSplashWidth) / 2;
    args.y = (GetSystemMetrics(SM_CYSCREEN) - kSplashHeight) / 2;
    args.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!Create(args))
        return false;
    autostart_.RegisterAutostart(true);
    if (ctx_.settings.noSplash == 0) {
        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    }
    StartTimer(kTimerPB, 30);
    return true;
}

bool FormRTP::OnCreate() {
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    bold_ = win::MakeFont({u"Tahoma", 14, true, false, Dpi()});
    auto args = [this](int id, std::u16string_view text, int x, int y, int w, int h) {
        win::ControlArgs a(hwnd(), id, text, Scale(x), Scale(y), Scale(w), Scale(h));
        a.font = font_.get();
        return a;
    };
    win::ControlArgs title = args(kLbTitle, u"Vestra", 12, 10, 200, 28);
    title.font = bold_.get();
    win::MakeLabel(title);
    win::MakeLabel(args(kLbRevision, RevisionCaption(), 220, 18, 100, 16));
    win::MakeLabel(args(kLbProtected, Message(config::msg::kProtectedBy), 12, 48, 300, 16));
    progress_ = win::MakeProgressBar(args(kPBvesrt, u"", 12, 74, 300, 14));
    SendMessageW(progress_, PBM_SETRANGE32, 0, kProgressMaximum);
    // The channel: never shown, read and written only through its text.
    const std::u16string boxClass(protection::kChannelBoxClass);
    box_ = CreateWindowExW(0, win::W(boxClass), L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 10, 10,
                           hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTxShare)),
                           GetModuleHandleW(nullptr), nullptr);
    onCommand[kTxShare] = [this](int code) {
        if (code == EN_CHANGE)
            OnChannelChanged();
    };
    icons_[0] = MakeDotIcon(RGB(0, 176, 80));
    icons_[1] = MakeDotIcon(RGB(240, 200, 0));
    icons_[2] = MakeDotIcon(RGB(220, 30, 30));
    onTimer[kTimerPB] = [this] { OnSplashTick(); };
    // The box is also read on the folder watch's beat: a change made while the window was busy
    // is never missed, and the same text read twice is acted on once.
    onTimer[kTimerRTP] = [this] { OnChannelChanged(); };
    // The new-process and drive watches join these beats as they are built.
    onTimer[kTimerRTPProc] = [] {};
    onTimer[kTimerDrive] = [this] { drives_->Tick(); };
    onTimer[kTimerDanger] = [this] { OnDangerTick(); };
    return box_ != nullptr;
}

void FormRTP::OnSplashTick() {
    ++progressValue_;
    SendMessageW(progress_, PBM_SETPOS, progressValue_, 0);
    const bool splash = ctx_.settings.noSplash == 0;
    if (splash && progressValue_ % 5 == 0)
        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (progressValue_ >= kProgressMaximum || !splash)
        CompleteStartup();
}

void FormRTP::CompleteStartup() {
    StopTimer(kTimerPB);
    StartTimer(kTimerRTP, 100);
    tray_.onEvent = [this](TrayEvent event) {
        if (event == TrayEvent::RightDown)
            tray_.ShowMenu();
        else if (event == TrayEvent::LeftDoubleClick)
            OpenInstalled(u"");
    };
    tray_.onMenuClick = [this](int, const std::u16string& key) { OnMenuClick(key); };
    tray_.Open(icons_[0], kTrayTip);
    BuildTrayMenu();
    drives_->TakeSnapshot();
    host_->SetProtection(true);
    StartTimer(kTimerDrive, 500);
    ShowWindow(hwnd(), SW_HIDE);
}

void FormRTP::BuildTrayMenu() {
    tray_.AddMenuItem(u"&Open Scanner", u"open", true);
    tray_.AddMenuItem(u"&Check for Update", u"update");
    tray_.AddMenuItem(u"-", u"");
    protectItem_ = tray_.AddMenuItem(u"&Disable Protection", u"protect");
    tray_.AddMenuItem(u"&Uninstall!", u"uninstall");
    tray_.AddMenuItem(u"-", u"");
    tray_.AddMenuItem(u"&Exit", u"exit");
}

void FormRTP::OnMenuClick(const std::u16string& key) {
    if (key == u"open") {
        OpenInstalled(u"");
    } else if (key == u"protect") {
        host_->SetProtection(tray_.MenuItemChecked(protectItem_));
    } else if (key == u"exit") {
        ExitApplication();
    }
    // "update" and "uninstall" join here with the update client and the installer.
}

void FormRTP::OnChannelChanged() {
    if (!box_ || exiting_)
        return;
    const std::u16string text = win::WindowText(box_);
    if (text == lastChannelText_)
        return;
    lastChannelText_ = text;
    if (host_->OnChannelText(text))
        ExitApplication();
    else
        lastChannelText_ = win::WindowText(box_);  // the host's own echo is no command
}

void FormRTP::OnDangerTick() {
    dangerLit_ = !dangerLit_;
    tray_.SetIcon(dangerLit_ ? icons_[2] : icons_[0]);
}

void FormRTP::OpenInstalled(std::u16string_view arguments) {
    ctx_.os.shell.Execute(
        {u"open", ctx_.state.paths.installedProtectionExe, std::u16string(arguments), u"", 1});
}

void FormRTP::ExitApplication() {
    if (exiting_)
        return;
    exiting_ = true;
    ctx_.state.exitingFlag = true;
    host_->RequestStop();
    DestroyWindow(tray_.hwnd());
    DestroyWindow(hwnd());
}

bool FormRTP::OnClose() {
    ExitApplication();
    return false;
}

void FormRTP::OnDestroy() {
    if (tray_.hwnd())
        DestroyWindow(tray_.hwnd());
    PostQuitMessage(0);
}

HBRUSH FormRTP::OnCtlColor(UINT, HDC dc, HWND) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void FormRTP::SetTrayIcon(protection::TrayIcon icon) {
    const int index = icon == protection::TrayIcon::On    ? 0
                      : icon == protection::TrayIcon::Off ? 1
                                                          : 2;
    tray_.SetIcon(icons_[index]);
}

void FormRTP::SetProtectMenuChecked(bool checked) {
    tray_.CheckMenuItem(protectItem_, checked);
}

void FormRTP::ShowBalloon(std::u16string_view text, std::u16string_view title, BalloonIcon icon) {
    tray_.ShowBalloonTip(text, title, static_cast<int>(icon), kBalloonTimeoutMs);
}

void FormRTP::EnableWatches(bool folderWatch, bool processWatch) {
    // The folder watch's timer also reads the channel, so it keeps its beat while switched off;
    // the Explorer folder part joins it with the shell-window seam.
    (void)folderWatch;
    if (processWatch)
        StartTimer(kTimerRTPProc, 250);
    else
        StopTimer(kTimerRTPProc);
}

void FormRTP::StartDangerBlink() {
    StartTimer(kTimerDanger, 200);
}

void FormRTP::StopDangerBlink() {
    StopTimer(kTimerDanger);
    dangerLit_ = false;
}

void FormRTP::AddAlert(std::u16string_view virusName, std::u16string_view virusType,
                       std::u16string_view path, std::u16string_view missingFile,
                       std::u16string_view action) {
    alert_->AddAlert(virusName, virusType, path, missingFile, action);
}

void FormRTP::ShowAlerts() {
    alert_->ShowAlertWindow();
}

// A clean drive (or one whose alerts were dismissed) is offered the lock against autorun
// infection; the balloon tells when it took.
void FormRTP::AskDriveLock(std::u16string_view root) {
    protection::DriveQuestionParts parts{
        ctx_.os.files,
        ctx_.os.shell,
        ctx_.os.windows,
        ctx_.messages,
        [this](std::u16string_view drive) {
            return protection::SetDriveLock(ctx_.os.files, drive, true, true, false);
        },
        [this](std::u16string_view text) {
            ShowBalloon(text, protection::kBalloonTitle, BalloonIcon::Information);
        }};
    FormConfirm::ShowEx(parts, root);
}

int RunProtectionHost(const HostWindowContext& context) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    if (!context.state.engine)
        return 1;
    FormRTP form(context);
    if (!form.Open())
        return 1;
    return win::RunMessageLoop();
}

}  // namespace vestra::ui
