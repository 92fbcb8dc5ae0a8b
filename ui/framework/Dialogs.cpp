// Windows-only: message boxes and message loops.
#include "ui/framework/Dialogs.h"

#include <string>

#include "ui/framework/Win32Text.h"

namespace vestra::ui::win {
namespace {

void Dispatch(MSG& message) {
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageW(active, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

int ShowMessage(HWND owner, std::u16string_view text, std::u16string_view title,
                std::uint32_t style) {
    const std::u16string body(text), caption(title);
    return MessageBoxW(owner, W(body), W(caption), style);
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message);
    return static_cast<int>(message.wParam);
}

void RunModal(HWND owner, HWND window) {
    if (owner)
        EnableWindow(owner, FALSE);
    MSG message{};
    while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message);
    if (message.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(message.wParam));
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

void PumpWaitingMessages() {
    // A zero wait lets the system take in its own pending input (under Wine, the display's
    // events, without which windows shown or hidden during long work stay as they were).
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

}  // namespace vestra::ui::win
