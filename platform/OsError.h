// Failure values of the platform seam. Win32 error codes are mapped to these in one place
// (platform/win32/ErrorMapping.cpp); the fakes produce them directly.
#pragma once

#include <cstdint>

namespace vestra::platform {

enum class OsError : std::uint8_t {
    None = 0,
    FileNotFound,      // ERROR_FILE_NOT_FOUND: the last component is missing
    PathNotFound,      // ERROR_PATH_NOT_FOUND: a folder on the way is missing
    AccessDenied,      // ERROR_ACCESS_DENIED, also a read-only target or a folder opened as a file
    SharingViolation,  // ERROR_SHARING_VIOLATION: another handle's share mode forbids it
    AlreadyExists,     // ERROR_ALREADY_EXISTS / ERROR_FILE_EXISTS
    DirectoryNotEmpty, // ERROR_DIR_NOT_EMPTY
    InvalidName,       // ERROR_INVALID_NAME, ERROR_BAD_PATHNAME
    NotReady,          // ERROR_NOT_READY: a drive without a medium
    NoMoreItems,       // ERROR_NO_MORE_ITEMS / ERROR_NO_MORE_FILES
    NotSupported,      // the call has no meaning for this object
    Other,             // any other failure
};

const char* OsErrorName(OsError error);

}  // namespace vestra::platform
