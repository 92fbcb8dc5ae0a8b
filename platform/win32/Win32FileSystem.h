// Files and drives on the real Windows calls (W forms throughout).
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/FileSystem.h"

namespace vestra::platform::win32 {

class Win32FileSystem : public FileSystem {
public:
    std::uint32_t GetAttributes(std::u16string_view path) override;
    OsError SetAttributes(std::u16string_view path, std::uint32_t attributes) override;
    Result<std::vector<FindEntry>> Find(std::u16string_view pattern) override;
    Result<std::unique_ptr<FileHandle>> Open(std::u16string_view path, FileAccess access,
                                             std::uint32_t shareMode,
                                             Disposition disposition) override;
    OsError Copy(std::u16string_view from, std::u16string_view to, bool failIfExists) override;
    OsError Move(std::u16string_view from, std::u16string_view to) override;
    OsError Delete(std::u16string_view path) override;
    OsError CreateFolder(std::u16string_view path) override;
    OsError RemoveFolder(std::u16string_view path) override;
    Result<std::u16string> LongPathName(std::u16string_view path) override;
    std::vector<std::u16string> LogicalDrives() override;
    DriveType GetDriveType(std::u16string_view root) override;
    Result<VolumeInfo> GetVolumeInfo(std::u16string_view root) override;
};

}  // namespace vestra::platform::win32
