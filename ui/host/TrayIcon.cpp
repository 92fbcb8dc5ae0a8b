// Windows-only: the notification-area icon.
#include "ui/host/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "ui/framework/Win32Text.h"

namespace vestra::ui {
namespace {
constexpr UINT kIconId = 1;
constexpr UINT kFirstMenuCommand = 100;

template <std::size_t N>
void CopyInto(wchar_t (&target)[N], std::u16string_view text) {
    const std::size_t count = std::min(text.size(), N - 1);
    std::copy_n(text.data(), count, target);
    target[count] = L'\0';
}
}  // namespace

TrayEvent TrayEventOf(UINT code) {
    switch (code) {
        case WM_LBUTTONUP:
            return TrayEvent::LeftUp;
        case WM_LBUTTONDBLCLK:
            return TrayEvent::LeftDoubleClick;
        case WM_RBUTTONDOWN:
            return TrayEvent::RightDown;
        case WM_RBUTTONUP:
            return TrayEvent::RightUp;
        case WM_RBUTTONDBLCLK:
            return TrayEvent::RightDoubleClick;
        default:
            return TrayEvent::Other;  // a move, a left press, the balloon's own events
    }
}

bool TrayIcon::Open(HICON icon, std::u16string_view tip) {
    win::WindowArgs args;
    args.className = u"VestraSysTray";
    args.title = u"frmSysTray";
    args.style = WS_POPUP;
    args.exStyle = WS_EX_TOOLWINDOW;
    if (!Create(args))
        return false;
    data_.cbSize = sizeof(data_);
    data_.hWnd = hwnd();
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    // The window is never shown, so every mouse move it gets is the shell's report.
    data_.uCallbackMessage = WM_MOUSEMOVE;
    data_.hIcon = icon;
    CopyInto(data_.szTip, tip);
    added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    return true;
}

void TrayIcon::Modify(UINT flags) {
    if (!added_)
        return;
    NOTIFYICONDATAW update = data_;
    update.uFlags = flags;
    Shell_NotifyIconW(NIM_MODIFY, &update);
}

void TrayIcon::SetIcon(HICON icon) {
    if (icon == data_.hIcon)
        return;
    data_.hIcon = icon;
    Modify(NIF_ICON);
}

void TrayIcon::SetToolTip(std::u16string_view tip) {
    CopyInto(data_.szTip, tip);
    Modify(NIF_TIP);
}

void TrayIcon::ShowBalloonTip(std::u16string_view message, std::u16string_view title, int icon,
                              UINT timeoutMs) {
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    CopyInto(balloon.szInfo, message);
    CopyInto(balloon.szInfoTitle, title);
    balloon.dwInfoFlags = static_cast<DWORD>(icon);
    balloon.uTimeout = timeoutMs;
    if (added_)
        Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

int TrayIcon::AddMenuItem(std::u16string_view caption, std::u16string_view key, bool isDefault) {
    items_.push_back({std::u16string(caption), std::u16string(key), caption == u"-", false});
    const int index = static_cast<int>(items_.size()) - 1;
    if (isDefault)
        defaultItem_ = index;
    return index;
}

void TrayIcon::CheckMenuItem(int index, bool checked) {
    if (index >= 0 && index < static_cast<int>(items_.size()))
        items_[index].checked = checked;
}

bool TrayIcon::MenuItemChecked(int index) const {
    return index >= 0 && index < static_cast<int>(items_.size()) && items_[index].checked;
}

void TrayIcon::ShowMenu() {
    HMENU menu = CreatePopupMenu();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = items_[i];
        if (item.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuW(menu, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED),
                    kFirstMenuCommand + i, win::W(item.caption));
    }
    if (defaultItem_ >= 0)
        SetMenuDefaultItem(menu, kFirstMenuCommand + defaultItem_, FALSE);
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(hwnd());
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    // The menu would otherwise not close at the next click elsewhere.
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (chosen >= kFirstMenuCommand && chosen < kFirstMenuCommand + items_.size() && onMenuClick)
        onMenuClick(static_cast<int>(chosen - kFirstMenuCommand),
                    items_[chosen - kFirstMenuCommand].key);
}

LRESULT TrayIcon::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE && wParam == kIconId) {
        const TrayEvent event = TrayEventOf(LOWORD(lParam));
        if (event != TrayEvent::Other && onEvent)
            onEvent(event);
        return 0;
    }
    return Window::WndProc(message, wParam, lParam);
}

void TrayIcon::OnDestroy() {
    if (added_)
        Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

}  // namespace vestra::ui
