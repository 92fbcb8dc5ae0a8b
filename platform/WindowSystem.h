// Windows and messages: finding other top-level windows (the protection channel), reading and
// writing a child edit box, message boxes and the pump that keeps long work responsive.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// <windows.h> makes MessageBox a macro for MessageBoxW; the seam's method keeps its plain name.
// Include <windows.h> before this header where both are needed.
#ifdef MessageBox
#undef MessageBox
#endif

namespace vestra::platform {

using WindowId = std::uint64_t;  // an HWND's value; 0 = none
inline constexpr WindowId kNoWindow = 0;

// MessageBox styles and answers used by the program.
namespace mb {
inline constexpr std::uint32_t kOk = 0x0;
inline constexpr std::uint32_t kOkCancel = 0x1;
inline constexpr std::uint32_t kYesNo = 0x4;
inline constexpr std::uint32_t kIconCritical = 0x10;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kIconInformation = 0x40;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
}  // namespace mb

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // FindWindow: a top-level window by caption (className empty = any class).
    virtual WindowId FindTopWindow(std::u16string_view className, std::u16string_view caption) = 0;
    // FindWindowEx: the first child of `parent` after `after` with that class (empty = any).
    virtual WindowId FindChild(WindowId parent, WindowId after, std::u16string_view className) = 0;
    // WM_GETTEXT / WM_SETTEXT, at most maxChars characters read.
    virtual std::u16string GetText(WindowId window, std::size_t maxChars) = 0;
    virtual bool SetText(WindowId window, std::u16string_view text) = 0;

    // MessageBoxW owned by the active window; returns the button pressed (mb::kAnswer...).
    virtual int MessageBox(std::u16string_view text, std::u16string_view title,
                           std::uint32_t style) = 0;
    // Dispatches the messages waiting in this thread's queue and returns (DoEvents).
    virtual void PumpMessages() = 0;
};

}  // namespace vestra::platform
