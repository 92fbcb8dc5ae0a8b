// Windows-only: the corner window of a scan.
#include "ui/forms/FormCorner.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/Text.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ScanDisplay.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

enum : int { kLbTitle = 100, kTxPercent, kPBPercent, kTxDirPath, kCmdStop, kCmdFixAll, kCmdMax };
enum : UINT_PTR { kTimerSlide = 1, kTimerRefresh = 2 };
constexpr int kWidth = 320, kHeight = 150;

}  // namespace

FormCorner::FormCorner(CornerEvents events, const ThemePalette& palette)
    : events_(std::move(events)), palette_(palette) {}

bool FormCorner::OnCreate() {
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    bold_ = win::MakeFont({u"Tahoma", 8, true, false, Dpi()});
    auto args = [&](int id, std::u16string_view text, int x, int y, int w, int h) {
        win::ControlArgs a{hwnd(), id, text, Scale(x), Scale(y), Scale(w), Scale(h)};
        a.font = font_.get();
        return a;
    };
    win::ControlArgs title = args(kLbTitle, u"", 10, 8, kWidth - 20, 16);
    title.font = bold_.get();
    win::MakeLabel(title);
    win::MakeProgressBar(args(kPBPercent, u"", 10, 32, kWidth - 80, 16));
    win::MakeLabel(args(kTxPercent, u"0.0%", kWidth - 64, 33, 56, 16));
    win::MakeLabel(args(kTxDirPath, u"", 10, 56, kWidth - 20, 16));
    win::MakeButton(args(kCmdStop, u"&Stop", 10, 82, 90, 26));
    win::MakeButton(args(kCmdFixAll, u"Fix All", 106, 82, 90, 26));
    win::MakeButton(args(kCmdMax, u"Detail >>", 202, 82, 100, 26));
    onCommand[kCmdStop] = [this](int) { events_.stop(); };
    onCommand[kCmdFixAll] = [this](int) { events_.fixAll(); };
    onCommand[kCmdMax] = [this](int) { events_.restore(); };
    onTimer[kTimerSlide] = [this] { Sliding(); };
    onTimer[kTimerRefresh] = [this] { Refresh(); };
    EnableWindow(Item(kCmdStop), events_.scanRunning());
    EnableWindow(Item(kCmdFixAll), events_.fixAllBound());
    return true;
}

void FormCorner::LoadCorner(std::u16string_view title) {
    if (!hwnd()) {
        win::WindowArgs args;
        args.className = u"VestraCorner";
        args.title = u"Vestra";
        args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        args.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
        args.iconResource = IDI_VESTRA;
        args.width = MulDiv(kWidth, win::WindowDpi(nullptr), 96);
        args.height = MulDiv(kHeight, win::WindowDpi(nullptr), 96);
        args.x = 0;
        args.y = 0;
        if (!Create(args))
            return;
    }
    win::SetWindowTextU(Item(kLbTitle), title);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT own;
    GetWindowRect(hwnd(), &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    slideTarget_ = work.bottom - height;
    SetWindowPos(hwnd(), HWND_TOPMOST, work.right - width, work.bottom, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
    StartTimer(kTimerSlide, 15);
    StartTimer(kTimerRefresh, 250);
    Refresh();
}

void FormCorner::Sliding() {
    RECT own;
    GetWindowRect(hwnd(), &own);
    const int step = Scale(12);
    const int y = std::max(slideTarget_, static_cast<int>(own.top) - step);
    SetWindowPos(hwnd(), nullptr, own.left, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (y == slideTarget_)
        StopTimer(kTimerSlide);
}

void FormCorner::Refresh() {
    const ScanFigures f = events_.figures();
    SendMessageW(Item(kPBPercent), PBM_SETPOS, f.percent, 0);
    if (f.totalFiles > 0) {
        const std::int64_t tenths = f.filesScanned * 1000 / f.totalFiles;
        win::SetWindowTextU(Item(kTxPercent),
                            ToText(tenths / 10) + u"." + ToText(tenths % 10) + u"%");
    }
    MsgCorner(f.currentPath.empty() ? f.statusText : f.currentPath);
}

void FormCorner::MsgCorner(std::u16string_view message) {
    HWND box = Item(kTxDirPath);
    RECT area;
    GetClientRect(box, &area);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, font_.get());
    auto measure = [dc](std::u16string_view text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                              static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const std::u16string shown = ShortenPathToWidth(message, area.right, measure);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    if (win::WindowText(box) != shown)
        win::SetWindowTextU(box, shown);
}

void FormCorner::Hide() {
    if (!hwnd())
        return;
    StopTimer(kTimerSlide);
    StopTimer(kTimerRefresh);
    ShowWindow(hwnd(), SW_HIDE);
}

bool FormCorner::OnClose() {
    // Closing the corner closes the program (after the question while a scan runs).
    events_.close();
    return false;
}

HBRUSH FormCorner::OnCtlColor(UINT, HDC dc, HWND) {
    SetBkColor(dc, palette_[1]);
    SetBkMode(dc, TRANSPARENT);
    return background_.Get(palette_[1]);
}

}  // namespace vestra::ui
