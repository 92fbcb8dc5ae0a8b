// Files and drives: the part of the seam that every scanner, cleaner and installer reaches the
// disk through. Paths are full Windows paths ("C:\dir\file.ext"), compared without regard to case.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

// <windows.h> makes GetDriveType a macro; the seam's method keeps its plain name. Include
// <windows.h> before this header where both are needed.
#ifdef GetDriveType
#undef GetDriveType
#endif

namespace vestra::platform {

namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
inline constexpr std::uint32_t kInvalid = 0xFFFFFFFF;  // INVALID_FILE_ATTRIBUTES
}  // namespace attr

// One entry of a folder listing ("." and ".." are never reported).
struct FindEntry {
    std::u16string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

enum class DriveType : std::uint8_t {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

struct VolumeInfo {
    std::u16string label;
    std::uint32_t serial = 0;
    std::u16string fileSystem;
};

enum class FileAccess : std::uint8_t { Read, Write, ReadWrite };

namespace share {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kRead = 1;
inline constexpr std::uint32_t kWrite = 2;
inline constexpr std::uint32_t kDelete = 4;
inline constexpr std::uint32_t kAll = kRead | kWrite | kDelete;
}  // namespace share

enum class Disposition : std::uint8_t {
    OpenExisting,  // fails when missing
    CreateAlways,  // creates or truncates
    OpenAlways,    // opens or creates
    CreateNew,     // fails when present
};

// An open file. Destroying it closes the handle, so a file is never left open past the operation
// that opened it.
class FileHandle {
public:
    virtual ~FileHandle() = default;
    // Reads up to buffer.size() bytes at the current position; 0 at the end of the file.
    virtual Result<std::size_t> Read(std::span<std::uint8_t> buffer) = 0;
    virtual OsError Write(std::span<const std::uint8_t> data) = 0;
    virtual OsError Seek(std::uint64_t offset) = 0;
    virtual Result<std::uint64_t> Size() = 0;
    // Cuts or extends the file at the current position.
    virtual OsError Truncate() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // GetFileAttributesW: attr::kInvalid when the path does not exist.
    virtual std::uint32_t GetAttributes(std::u16string_view path) = 0;
    virtual OsError SetAttributes(std::u16string_view path, std::uint32_t attributes) = 0;

    // FindFirstFileW/FindNextFileW over a pattern such as "C:\dir\*" or "C:\dir\*.lnk", in the
    // order Windows returns them (NTFS: by upper-cased name). An empty folder gives an empty list;
    // a missing folder gives PathNotFound.
    virtual Result<std::vector<FindEntry>> Find(std::u16string_view pattern) = 0;

    virtual Result<std::unique_ptr<FileHandle>> Open(std::u16string_view path, FileAccess access,
                                                     std::uint32_t shareMode,
                                                     Disposition disposition) = 0;

    virtual OsError Copy(std::u16string_view from, std::u16string_view to, bool failIfExists) = 0;
    // MoveFileW: fails when the target exists; moves folders on the same drive.
    virtual OsError Move(std::u16string_view from, std::u16string_view to) = 0;
    // DeleteFileW: a read-only file is AccessDenied; an open file without delete sharing is
    // SharingViolation.
    virtual OsError Delete(std::u16string_view path) = 0;
    virtual OsError CreateFolder(std::u16string_view path) = 0;
    virtual OsError RemoveFolder(std::u16string_view path) = 0;

    // GetLongPathNameW: the path with every component in its stored spelling; fails when missing.
    virtual Result<std::u16string> LongPathName(std::u16string_view path) = 0;

    // Roots of the present drive letters ("C:\", "E:\"), in letter order.
    virtual std::vector<std::u16string> LogicalDrives() = 0;
    virtual DriveType GetDriveType(std::u16string_view root) = 0;
    virtual Result<VolumeInfo> GetVolumeInfo(std::u16string_view root) = 0;

    // Derived helpers with the Windows meaning; not overridable.
    bool Exists(std::u16string_view path) { return GetAttributes(path) != attr::kInvalid; }
    bool IsFolder(std::u16string_view path) {
        std::uint32_t a = GetAttributes(path);
        return a != attr::kInvalid && (a & attr::kDirectory) != 0;
    }
};

}  // namespace vestra::platform
