// FindWindowW, FindWindowExW, WM_GETTEXT / WM_SETTEXT, MessageBoxW and the PeekMessageW pump.
#include "platform/win32/Win32WindowSystem.h"

#include <vector>

namespace vestra::platform::win32 {

namespace {
HWND Hwnd(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}
WindowId Id(HWND hwnd) {
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(hwnd));
}
}  // namespace

WindowId Win32WindowSystem::FindTopWindow(std::u16string_view className,
                                          std::u16string_view caption) {
    std::u16string cls(className);
    std::u16string title(caption);
    return Id(::FindWindowW(cls.empty() ? nullptr : W(cls), W(title)));
}

WindowId Win32WindowSystem::FindChild(WindowId parent, WindowId after,
                                      std::u16string_view className) {
    std::u16string cls(className);
    return Id(::FindWindowExW(Hwnd(parent), Hwnd(after), cls.empty() ? nullptr : W(cls), nullptr));
}

std::u16string Win32WindowSystem::GetText(WindowId window, std::size_t maxChars) {
    // WM_GETTEXT's count includes the terminating zero.
    std::vector<wchar_t> buffer(maxChars + 1, L'\0');
    LRESULT length = ::SendMessageW(Hwnd(window), WM_GETTEXT, buffer.size(),
                                    reinterpret_cast<LPARAM>(buffer.data()));
    if (length <= 0)
        return {};
    return FromWide(buffer.data(),
                    std::min<std::size_t>(static_cast<std::size_t>(length), maxChars));
}

bool Win32WindowSystem::SetText(WindowId window, std::u16string_view text) {
    if (!::IsWindow(Hwnd(window)))
        return false;
    std::u16string copy(text);
    return ::SendMessageW(Hwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(copy))) != 0;
}

int Win32WindowSystem::MessageBox(std::u16string_view text, std::u16string_view title,
                                  std::uint32_t style) {
    std::u16string body(text);
    std::u16string caption(title);
    return ::MessageBoxW(::GetActiveWindow(), W(body), W(caption), style);
}

void Win32WindowSystem::PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the main loop that owns it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace vestra::platform::win32
