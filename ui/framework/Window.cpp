// Windows-only: the window procedure, class registration, timers and DPI queries.
#include "ui/framework/Window.h"

#include "ui/framework/Win32Text.h"

namespace vestra::ui::win {
namespace {

template <typename Fn>
Fn UserProc(const char* name, const wchar_t* module) {
    HMODULE library = GetModuleHandleW(module);
    return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                   : nullptr;
}

void RegisterOnce(const WindowArgs& args, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), W(args.className), &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = args.background ? args.background : GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = W(args.className);
    if (args.iconResource) {
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(args.iconResource));
        wc.hIconSm =
            static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(args.iconResource),
                                          IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    }
    RegisterClassExW(&wc);
}

}  // namespace

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return U16(text);
}

void SetWindowTextU(HWND window, std::u16string_view text) {
    SetWindowTextW(window, W(std::u16string(text)));
}

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::Create(const WindowArgs& args) {
    RegisterOnce(args, &Window::StaticProc);
    HWND made = CreateWindowExW(args.exStyle, W(args.className), W(args.title), args.style, args.x,
                                args.y, args.width, args.height, args.owner, nullptr,
                                GetModuleHandleW(nullptr), this);
    return made != nullptr;
}

int Window::Dpi() const {
    return WindowDpi(hwnd_);
}
int Window::Scale(int pixelsAt96) const {
    return MulDiv(pixelsAt96, Dpi(), 96);
}

void Window::StartTimer(UINT_PTR id, UINT intervalMs) {
    SetTimer(hwnd_, id, intervalMs, nullptr);
    timers_[id] = true;
}

void Window::StopTimer(UINT_PTR id) {
    KillTimer(hwnd_, id);
    timers_[id] = false;
}

bool Window::TimerRunning(UINT_PTR id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second;
}

void Window::OnDpiChanged(int, const RECT& suggested) {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Window::DispatchCommand(WPARAM wParam) {
    auto it = onCommand.find(LOWORD(wParam));
    if (it == onCommand.end() || !it->second)
        return false;
    it->second(HIWORD(wParam));
    return true;
}

LRESULT Window::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_SIZE:
            OnSize(LOWORD(lParam), HIWORD(lParam), wParam);
            return 0;
        case WM_COMMAND:
            if (DispatchCommand(wParam))
                return 0;
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            auto it = onNotify.find(static_cast<int>(header->idFrom));
            if (it != onNotify.end() && it->second)
                return it->second(header);
            break;
        }
        case WM_TIMER: {
            auto it = onTimer.find(wParam);
            if (it != onTimer.end() && it->second) {
                it->second();
                return 0;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            if (HBRUSH brush = OnCtlColor(message, reinterpret_cast<HDC>(wParam),
                                          reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_CLOSE:
            if (OnClose())
                DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case 0x02E0:  // WM_DPICHANGED
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = self->WndProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpiForWindow = UserProc<GetDpiForWindowFn>("GetDpiForWindow", L"user32.dll");
    if (window && getDpiForWindow) {
        if (UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void MakeProcessDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    auto setContext = UserProc<SetContextFn>("SetProcessDpiAwarenessContext", L"user32.dll");
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 is (HANDLE)-4.
    if (setContext && setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4))))
        return;
    using SetAwareFn = BOOL(WINAPI*)();
    if (auto setAware = UserProc<SetAwareFn>("SetProcessDPIAware", L"user32.dll"))
        setAware();
}

}  // namespace vestra::ui::win
