// POSIX and Win32 branches of the engine's file access. Nothing else in the engine calls the
// operating system for files.
#include "engine/core/FileAccess.h"

#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vestra::engine {

#if defined(_WIN32)
namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}
std::intptr_t FromHandle(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}
constexpr std::intptr_t kNoHandle = -1;  // INVALID_HANDLE_VALUE

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) |
                                     time.dwLowDateTime);
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> content) {
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

}  // namespace

std::optional<InputFile> InputFile::Open(const std::filesystem::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    LARGE_INTEGER size;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
        CloseHandle(file);
        return std::nullopt;
    }
    return InputFile(FromHandle(file), static_cast<std::uint64_t>(size.QuadPart));
}

void InputFile::Close() {
    if (handle_ != kNoHandle)
        CloseHandle(AsHandle(handle_));
    handle_ = kNoHandle;
}

std::ptrdiff_t InputFile::Read(std::span<std::uint8_t> into) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), into.data(), chunk, &got, nullptr))
        return -1;
    return static_cast<std::ptrdiff_t>(got);
}

std::ptrdiff_t InputFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
    DWORD got = 0;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    if (!ReadFile(AsHandle(handle_), into.data(), chunk, &got, &at))
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return static_cast<std::ptrdiff_t>(got);
}

bool ReplaceFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> content) {
    std::filesystem::path temporary = target;
    temporary += L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = WriteAll(file, content) && FlushFileBuffers(file);
    CloseHandle(file);
    // A reader holding the target open for a moment makes the rename fail; try a few times.
    for (int attempt = 0; written && attempt < 20; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    DeleteFileW(temporary.c_str());
    return false;
}

FileStamp StampOf(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    return {true, (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
            Ticks(data.ftLastWriteTime), static_cast<std::uint64_t>(Ticks(data.ftCreationTime))};
}

std::optional<FileLock> FileLock::Acquire(const std::filesystem::path& lockFile,
                                          std::chrono::milliseconds wait) {
    auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        HANDLE file =
            CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return FileLock(FromHandle(file));
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

FileLock::~FileLock() {
    if (handle_ != kNoHandle)
        CloseHandle(AsHandle(handle_));
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

#else  // POSIX
namespace {

constexpr std::intptr_t kNoHandle = -1;

bool WriteAll(int fd, std::span<const std::uint8_t> content) {
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t written = write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::optional<InputFile> InputFile::Open(const std::filesystem::path& path) {
    // O_NONBLOCK keeps a FIFO from blocking the open; regular files ignore it.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return InputFile(fd, static_cast<std::uint64_t>(info.st_size));
}

void InputFile::Close() {
    if (handle_ != kNoHandle)
        close(static_cast<int>(handle_));
    handle_ = kNoHandle;
}

std::ptrdiff_t InputFile::Read(std::span<std::uint8_t> into) {
    for (;;) {
        ssize_t got = read(static_cast<int>(handle_), into.data(), into.size());
        if (got < 0 && errno == EINTR)
            continue;
        return got < 0 ? -1 : got;
    }
}

std::ptrdiff_t InputFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) {
    if (offset > static_cast<std::uint64_t>(INT64_MAX))
        return 0;
    for (;;) {
        ssize_t got =
            pread(static_cast<int>(handle_), into.data(), into.size(), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        return got < 0 ? -1 : got;
    }
}

bool ReplaceFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> content) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool written = WriteAll(fd, content) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (written && rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

FileStamp StampOf(const std::filesystem::path& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {true, static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<FileLock> FileLock::Acquire(const std::filesystem::path& lockFile,
                                          std::chrono::milliseconds wait) {
    int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return std::nullopt;
    auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            close(fd);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return FileLock(fd);
}

FileLock::~FileLock() {
    if (handle_ != kNoHandle)
        close(static_cast<int>(handle_));  // closing releases the lock
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    return a.native() == b.native();
}

#endif

InputFile::InputFile(InputFile&& other) noexcept : handle_(other.handle_), size_(other.size_) {
    other.handle_ = kNoHandle;
}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        size_ = other.size_;
        other.handle_ = kNoHandle;
    }
    return *this;
}

InputFile::~InputFile() {
    Close();
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kNoHandle;
}

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::filesystem::path& path,
                                                       std::uint64_t maxSize) {
    std::optional<InputFile> file = InputFile::Open(path);
    if (!file || file->Size() > maxSize)
        return std::nullopt;
    std::vector<std::uint8_t> content(static_cast<std::size_t>(file->Size()));
    std::size_t done = 0;
    while (done < content.size()) {
        std::ptrdiff_t got = file->Read(std::span(content).subspan(done));
        if (got <= 0)
            return std::nullopt;  // shrank or failed while reading
        done += static_cast<std::size_t>(got);
    }
    return content;
}

}  // namespace vestra::engine
