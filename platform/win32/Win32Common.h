// Shared pieces of the Win32 implementation: <windows.h> itself (included here first, so the
// seam headers can undo its name macros), RAII owners for handles, text at the Win32 edge, the
// hive handles, and the one mapping of Win32 error codes to OsError.
// Only the Win32 implementation and its Windows tests include this.
#pragma once

#include <windows.h>
// The seam has methods named GetDriveType and MessageBox; this code calls the W forms by name.
#undef GetDriveType
#undef MessageBox

#include <string>
#include <string_view>

#include "platform/OsError.h"
#include "platform/Registry.h"

namespace vestra::platform::win32 {

// Maps a Win32 error code (GetLastError, or an LSTATUS) to the seam's failure values.
OsError MapError(DWORD code);
// MapError(GetLastError()), never None: a call that failed without an error code is Other.
OsError LastError();

// std::u16string and wchar_t are both UTF-16 on Windows.
inline const wchar_t* W(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text) {
    return text == nullptr ? std::u16string()
                           : std::u16string(reinterpret_cast<const char16_t*>(text));
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
// For the calls that exist only in ANSI form: the active code page, converted at the call.
std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

HKEY HiveHandle(Hive hive);

// Owns one handle and closes it with Close when it goes out of scope.
template <class Handle, auto Close, auto Invalid>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.release();
        }
        return *this;
    }
    Handle get() const { return handle_; }
    Handle* put() {
        reset();
        return &handle_;
    }
    Handle release() {
        Handle handle = handle_;
        handle_ = Invalid();
        return handle;
    }
    void reset() {
        if (handle_ != Invalid())
            Close(handle_);
        handle_ = Invalid();
    }
    explicit operator bool() const { return handle_ != Invalid(); }

private:
    Handle handle_ = Invalid();
};

inline HANDLE InvalidFileHandle() {
    return INVALID_HANDLE_VALUE;
}
template <class T>
T NullHandle() {
    return nullptr;
}
inline void CloseFind(HANDLE handle) {
    ::FindClose(handle);
}
inline void CloseKernel(HANDLE handle) {
    ::CloseHandle(handle);
}
inline void CloseKey(HKEY key) {
    ::RegCloseKey(key);
}
inline void ReleaseModule(HMODULE module) {
    ::FreeLibrary(module);
}

// CreateFileW and CreateToolhelp32Snapshot fail with INVALID_HANDLE_VALUE; OpenProcess and
// OpenThread with null.
using FileOwner = Owned<HANDLE, CloseKernel, InvalidFileHandle>;
using KernelOwner = Owned<HANDLE, CloseKernel, NullHandle<HANDLE>>;
using FindOwner = Owned<HANDLE, CloseFind, InvalidFileHandle>;
using KeyOwner = Owned<HKEY, CloseKey, NullHandle<HKEY>>;
using ModuleOwner = Owned<HMODULE, ReleaseModule, NullHandle<HMODULE>>;

}  // namespace vestra::platform::win32
