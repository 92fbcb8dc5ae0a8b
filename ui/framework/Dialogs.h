// Windows-only: message boxes owned by a window, the message loop, and a modal loop for the
// program's own modal forms.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace vestra::ui::win {

// MessageBoxW over `owner` with one of the program's styles (16, 48, 64, 49, 52, 36...).
int ShowMessage(HWND owner, std::u16string_view text, std::u16string_view title,
                std::uint32_t style);

// Runs until WM_QUIT; returns its exit code. Keyboard navigation goes to the active window.
int RunMessageLoop();

// Disables `owner`, pumps messages until `window` is destroyed, then enables `owner` again.
void RunModal(HWND owner, HWND window);

// Dispatches waiting messages and returns (for long work on the interface thread).
void PumpWaitingMessages();

}  // namespace vestra::ui::win
