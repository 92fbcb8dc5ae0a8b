// Windows and messages on user32.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/WindowSystem.h"

namespace vestra::platform::win32 {

class Win32WindowSystem : public WindowSystem {
public:
    WindowId FindTopWindow(std::u16string_view className, std::u16string_view caption) override;
    WindowId FindChild(WindowId parent, WindowId after, std::u16string_view className) override;
    std::u16string GetText(WindowId window, std::size_t maxChars) override;
    bool SetText(WindowId window, std::u16string_view text) override;
    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override;
    void PumpMessages() override;
};

}  // namespace vestra::platform::win32
