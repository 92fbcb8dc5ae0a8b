// The contract suites' environment on the real Win32 calls: a fresh folder under the temp path
// and a fresh key HKCU\Software\VestraContract\<unique>, both removed after each test.
#pragma once

#include <string>

#include "platform/win32/Win32Platform.h"

namespace vestra::platform::contract {

class Win32Environment {
public:
    Win32Environment();
    ~Win32Environment();
    Win32Environment(const Win32Environment&) = delete;
    Win32Environment& operator=(const Win32Environment&) = delete;

    Platform platform() { return real_.platform(); }

    // A hidden top-level window with this caption holding one child of `childClass` (a class
    // registered here when Windows has none of that name) with `text`.
    WindowId AddWindowWithChild(std::u16string_view caption, std::u16string_view childClass,
                                std::u16string_view text);
    void RemoveWindow(WindowId window);

    std::u16string scratch;
    Hive hive = Hive::CurrentUser;
    std::u16string scratchKey;
    std::u16string ownExeName = u"platform_contract_win32.exe";

private:
    win32::Win32Platform real_;
};

}  // namespace vestra::platform::contract
