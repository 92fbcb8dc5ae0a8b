// Process-wide facts on the real calls: command line, version, computer name, privileges, the
// well-known folders, environment expansion, the clock.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/System.h"

namespace vestra::platform::win32 {

class Win32System : public System {
public:
    std::u16string CommandLine() override;
    OsVersion Version() override;
    std::u16string ComputerName() override;
    bool IsUserAdmin() override;
    bool EnablePrivilege(std::u16string_view name) override;
    std::u16string SystemDirectory() override;
    std::u16string WindowsDirectory() override;
    std::u16string TempPath() override;
    std::u16string SpecialFolder(int csidlNumber) override;
    std::u16string ExpandEnvironment(std::u16string_view text) override;
    std::uint32_t CurrentProcessId() override;
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace vestra::platform::win32
