// Files and drives through kernel32: attributes, FindFirstFileW listings without "." and "..",
// CreateFileW handles, copy, move, delete, folders, long names and volumes.
#include "platform/win32/Win32FileSystem.h"

#include <algorithm>
#include <limits>

namespace vestra::platform::win32 {

namespace {

OsError Check(BOOL ok) {
    return ok ? OsError::None : LastError();
}

std::u16string Str(std::u16string_view text) {
    return std::u16string(text);
}

class Win32FileHandle : public FileHandle {
public:
    explicit Win32FileHandle(HANDLE handle) : file_(handle) {}

    Result<std::size_t> Read(std::span<std::uint8_t> buffer) override {
        DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(buffer.size(), std::numeric_limits<DWORD>::max()));
        DWORD got = 0;
        if (!::ReadFile(file_.get(), buffer.data(), chunk, &got, nullptr))
            return LastError();
        return static_cast<std::size_t>(got);
    }

    OsError Write(std::span<const std::uint8_t> data) override {
        while (!data.empty()) {
            DWORD chunk = static_cast<DWORD>(
                std::min<std::size_t>(data.size(), std::numeric_limits<DWORD>::max()));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), data.data(), chunk, &written, nullptr)) {
                return LastError();
            }
            if (written == 0)
                return OsError::Other;
            data = data.subspan(written);
        }
        return OsError::None;
    }

    OsError Seek(std::uint64_t offset) override {
        LARGE_INTEGER distance;
        distance.QuadPart = static_cast<LONGLONG>(offset);
        return Check(::SetFilePointerEx(file_.get(), distance, nullptr, FILE_BEGIN));
    }

    Result<std::uint64_t> Size() override {
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(file_.get(), &size))
            return LastError();
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    OsError Truncate() override { return Check(::SetEndOfFile(file_.get())); }

private:
    FileOwner file_;
};

DWORD AccessFlags(FileAccess access) {
    switch (access) {
        case FileAccess::Read:
            return GENERIC_READ;
        case FileAccess::Write:
            return GENERIC_WRITE;
        case FileAccess::ReadWrite:
            return GENERIC_READ | GENERIC_WRITE;
    }
    return GENERIC_READ;
}

DWORD CreationFlags(Disposition disposition) {
    switch (disposition) {
        case Disposition::OpenExisting:
            return OPEN_EXISTING;
        case Disposition::CreateAlways:
            return CREATE_ALWAYS;
        case Disposition::OpenAlways:
            return OPEN_ALWAYS;
        case Disposition::CreateNew:
            return CREATE_NEW;
    }
    return OPEN_EXISTING;
}

}  // namespace

std::uint32_t Win32FileSystem::GetAttributes(std::u16string_view path) {
    return ::GetFileAttributesW(W(Str(path)));
}

OsError Win32FileSystem::SetAttributes(std::u16string_view path, std::uint32_t attributes) {
    return Check(::SetFileAttributesW(W(Str(path)), attributes));
}

Result<std::vector<FindEntry>> Win32FileSystem::Find(std::u16string_view pattern) {
    std::vector<FindEntry> entries;
    WIN32_FIND_DATAW data;
    FindOwner find(::FindFirstFileW(W(Str(pattern)), &data));
    if (!find) {
        DWORD code = ::GetLastError();
        // An existing folder with no matching name is an empty listing, not a failure.
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES)
            return entries;
        return MapError(code) == OsError::None ? OsError::Other : MapError(code);
    }
    do {
        std::u16string name = FromWide(data.cFileName);
        if (name == u"." || name == u"..")
            continue;
        std::uint64_t size =
            (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries.push_back({std::move(name), data.dwFileAttributes, size});
    } while (::FindNextFileW(find.get(), &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES)
        return LastError();
    return entries;
}

Result<std::unique_ptr<FileHandle>> Win32FileSystem::Open(std::u16string_view path,
                                                          FileAccess access,
                                                          std::uint32_t shareMode,
                                                          Disposition disposition) {
    // The seam's share bits are FILE_SHARE_READ, FILE_SHARE_WRITE and FILE_SHARE_DELETE.
    HANDLE handle =
        ::CreateFileW(W(Str(path)), AccessFlags(access), shareMode & share::kAll, nullptr,
                      CreationFlags(disposition), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return LastError();
    return std::unique_ptr<FileHandle>(std::make_unique<Win32FileHandle>(handle));
}

OsError Win32FileSystem::Copy(std::u16string_view from, std::u16string_view to, bool failIfExists) {
    return Check(::CopyFileW(W(Str(from)), W(Str(to)), failIfExists ? TRUE : FALSE));
}

OsError Win32FileSystem::Move(std::u16string_view from, std::u16string_view to) {
    return Check(::MoveFileW(W(Str(from)), W(Str(to))));
}

OsError Win32FileSystem::Delete(std::u16string_view path) {
    return Check(::DeleteFileW(W(Str(path))));
}

OsError Win32FileSystem::CreateFolder(std::u16string_view path) {
    return Check(::CreateDirectoryW(W(Str(path)), nullptr));
}

OsError Win32FileSystem::RemoveFolder(std::u16string_view path) {
    return Check(::RemoveDirectoryW(W(Str(path))));
}

Result<std::u16string> Win32FileSystem::LongPathName(std::u16string_view path) {
    std::u16string in = Str(path);
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD length = ::GetLongPathNameW(W(in), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return LastError();
        if (length < buffer.size())
            return FromWide(buffer.data(), length);
        buffer.assign(length + 1, L'\0');  // too small: length is the size needed
    }
    return OsError::Other;
}

std::vector<std::u16string> Win32FileSystem::LogicalDrives() {
    std::vector<std::u16string> roots;
    DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (mask & (1u << i))
            roots.push_back({static_cast<char16_t>(u'A' + i), u':', u'\\'});
    }
    return roots;
}

DriveType Win32FileSystem::GetDriveType(std::u16string_view root) {
    return static_cast<DriveType>(::GetDriveTypeW(W(Str(root))));
}

Result<VolumeInfo> Win32FileSystem::GetVolumeInfo(std::u16string_view root) {
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0;
    if (!::GetVolumeInformationW(W(Str(root)), label, MAX_PATH + 1, &serial, nullptr, nullptr,
                                 fileSystem, MAX_PATH + 1)) {
        return LastError();
    }
    return VolumeInfo{FromWide(label), serial, FromWide(fileSystem)};
}

}  // namespace vestra::platform::win32
