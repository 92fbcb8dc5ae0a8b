// The one place where Win32 error codes become the seam's failure values, and the conversions
// that the Win32 edge shares.
#include "platform/win32/Win32Common.h"

namespace vestra::platform::win32 {

OsError MapError(DWORD code) {
    switch (code) {
        case ERROR_SUCCESS:
            return OsError::None;
        case ERROR_FILE_NOT_FOUND:
            return OsError::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return OsError::PathNotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_PRIVILEGE_NOT_HELD:
        case ERROR_DELETE_PENDING:
            return OsError::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return OsError::SharingViolation;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return OsError::AlreadyExists;
        case ERROR_DIR_NOT_EMPTY:
            return OsError::DirectoryNotEmpty;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:  // a file where a folder was expected
        case ERROR_FILENAME_EXCED_RANGE:
            return OsError::InvalidName;
        case ERROR_NOT_READY:
            return OsError::NotReady;
        case ERROR_NO_MORE_ITEMS:
        case ERROR_NO_MORE_FILES:
            return OsError::NoMoreItems;
        case ERROR_NOT_SUPPORTED:
        case ERROR_CALL_NOT_IMPLEMENTED:
            return OsError::NotSupported;
        default:
            return OsError::Other;
    }
}

OsError LastError() {
    OsError error = MapError(::GetLastError());
    return error == OsError::None ? OsError::Other : error;
}

std::string ToAnsi(std::u16string_view text) {
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    int size = ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

std::u16string FromAnsi(std::string_view text) {
    if (text.empty())
        return {};
    int size =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(size), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                          reinterpret_cast<wchar_t*>(out.data()), size);
    return out;
}

HKEY HiveHandle(Hive hive) {
    // The predefined handles are 32-bit values sign-extended to pointer width.
    auto value = static_cast<LONG>(static_cast<std::uint32_t>(hive));
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(value));
}

}  // namespace vestra::platform::win32
