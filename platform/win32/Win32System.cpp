// System facts through kernel32, advapi32 and shell32. The folder calls use their W forms: a
// user name outside the ANSI code page would turn the A forms' paths into question marks.
#include "platform/win32/Win32System.h"

#include <shlobj.h>

namespace vestra::platform::win32 {

namespace {

// Calls of the GetSystemDirectoryW shape: the length written, or the size needed when the
// buffer is too small, or 0 on failure.
template <class Call>
std::u16string FolderText(Call call) {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    UINT length = call(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length + 1, L'\0');
        length = call(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size())
        return {};
    return FromWide(buffer.data(), length);
}

}  // namespace

std::u16string Win32System::CommandLine() {
    return FromWide(::GetCommandLineW());
}

OsVersion Win32System::Version() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExA(&info))
        return {};
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId};
}

std::u16string Win32System::ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof(name);
    if (!::GetComputerNameA(name, &size))
        return {};
    return FromAnsi(std::string_view(name, std::char_traits<char>::length(name)));
}

bool Win32System::IsUserAdmin() {
    return ::IsUserAnAdmin() != FALSE;
}

bool Win32System::EnablePrivilege(std::u16string_view name) {
    KernelOwner token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                            token.put())) {
        return false;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    std::string ansi = ToAnsi(name);
    if (!::LookupPrivilegeValueA(nullptr, ansi.c_str(), &privileges.Privileges[0].Luid)) {
        return false;
    }
    if (!::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) {
        return false;
    }
    // AdjustTokenPrivileges succeeds even when the token does not hold the privilege.
    return ::GetLastError() == ERROR_SUCCESS;
}

std::u16string Win32System::SystemDirectory() {
    return FolderText([](wchar_t* b, UINT n) { return ::GetSystemDirectoryW(b, n); });
}

std::u16string Win32System::WindowsDirectory() {
    return FolderText([](wchar_t* b, UINT n) { return ::GetWindowsDirectoryW(b, n); });
}

std::u16string Win32System::TempPath() {
    return FolderText([](wchar_t* b, UINT n) { return static_cast<UINT>(::GetTempPathW(n, b)); });
}

std::u16string Win32System::SpecialFolder(int csidlNumber) {
    wchar_t path[MAX_PATH + 1] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, path, csidlNumber, FALSE))
        return {};
    return FromWide(path);
}

std::u16string Win32System::ExpandEnvironment(std::u16string_view text) {
    std::u16string in(text);
    DWORD size = ::ExpandEnvironmentStringsW(W(in), nullptr, 0);
    if (size == 0)
        return in;
    std::wstring out(size, L'\0');
    DWORD written = ::ExpandEnvironmentStringsW(W(in), out.data(), size);
    if (written == 0 || written > size)
        return in;
    return FromWide(out.c_str());  // cut at the first zero
}

std::uint32_t Win32System::CurrentProcessId() {
    return ::GetCurrentProcessId();
}

std::uint32_t Win32System::TickCount() {
    return ::GetTickCount();
}

void Win32System::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace vestra::platform::win32
