// Names of the seam's failure values, for test output and diagnostics.
#include "platform/OsError.h"

namespace vestra::platform {

const char* OsErrorName(OsError error) {
    switch (error) {
        case OsError::None: return "None";
        case OsError::FileNotFound: return "FileNotFound";
        case OsError::PathNotFound: return "PathNotFound";
        case OsError::AccessDenied: return "AccessDenied";
        case OsError::SharingViolation: return "SharingViolation";
        case OsError::AlreadyExists: return "AlreadyExists";
        case OsError::DirectoryNotEmpty: return "DirectoryNotEmpty";
        case OsError::InvalidName: return "InvalidName";
        case OsError::NotReady: return "NotReady";
        case OsError::NoMoreItems: return "NoMoreItems";
        case OsError::NotSupported: return "NotSupported";
        case OsError::Other: return "Other";
    }
    return "Unknown";
}

}  // namespace vestra::platform
