// Security, logon and process-wide facts of the running system: command line, version, computer
// name, privileges, the well-known folders, environment expansion, the clock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::platform {

struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 2;  // VER_PLATFORM_WIN32_NT; 1 is the 95/98/ME family
};

// CSIDL numbers the program asks for.
namespace csidl {
inline constexpr int kDesktop = 0;
inline constexpr int kStartup = 7;
inline constexpr int kCommonStartup = 24;
inline constexpr int kAppData = 26;
inline constexpr int kProgramFiles = 38;
}  // namespace csidl

class System {
public:
    virtual ~System() = default;

    // GetCommandLineW, unparsed.
    virtual std::u16string CommandLine() = 0;
    // GetVersionExA.
    virtual OsVersion Version() = 0;
    // GetComputerNameA, up to its NUL.
    virtual std::u16string ComputerName() = 0;
    // IsUserAnAdmin.
    virtual bool IsUserAdmin() = 0;
    // OpenProcessToken + LookupPrivilegeValueA + AdjustTokenPrivileges; false on any failure.
    virtual bool EnablePrivilege(std::u16string_view name) = 0;

    // GetSystemDirectory, GetWindowsDirectory, GetTempPath: without a trailing backslash for
    // the first two; GetTempPath's own trailing backslash is kept. (The W forms: the A forms
    // would turn characters outside the ANSI code page, e.g. in a user name, into '?'.)
    virtual std::u16string SystemDirectory() = 0;
    virtual std::u16string WindowsDirectory() = 0;
    virtual std::u16string TempPath() = 0;
    // SHGetSpecialFolderPathW with a CSIDL number; empty when the folder is unknown.
    virtual std::u16string SpecialFolder(int csidlNumber) = 0;
    // ExpandEnvironmentStringsW: unknown variables stay as written.
    virtual std::u16string ExpandEnvironment(std::u16string_view text) = 0;

    virtual std::uint32_t CurrentProcessId() = 0;
    // Milliseconds since an arbitrary start (GetTickCount).
    virtual std::uint32_t TickCount() = 0;
    // Blocks the calling thread (the fakes advance their clock instead).
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace vestra::platform
