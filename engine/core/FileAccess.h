// The engine's only operating-system file access, one POSIX and one Win32 branch: reading a file
// in blocks, reading a small file whole, replacing a file without a window for a torn copy, file
// stamps for cheap change checks, and a lock file for read-modify-write across processes.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vestra::engine {

class InputFile {
public:
    // Regular files only (no devices, pipes or folders), opened so that other programs may still
    // read, write, rename and delete the file.
    static std::optional<InputFile> Open(const std::filesystem::path& path);
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    ~InputFile();

    std::uint64_t Size() const { return size_; }
    // Bytes read into `into`, 0 at the end of the file, -1 on a read error.
    std::ptrdiff_t Read(std::span<std::uint8_t> into);
    // The same from `offset`, for readers that jump about (archives); moves the file position.
    std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into);

private:
    InputFile(std::intptr_t handle, std::uint64_t size) : handle_(handle), size_(size) {}
    void Close();

    std::intptr_t handle_;
    std::uint64_t size_;
};

// The whole file, or nothing when it is missing, unreadable or larger than maxSize.
std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::filesystem::path& path,
                                                       std::uint64_t maxSize);

// Writes `content` to a temporary file beside `target`, flushes it and renames it over `target`:
// a crash at any point leaves either the old or the new file, never a torn one.
bool ReplaceFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> content);

// Enough to notice that another process replaced a file.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t identity = 0;  // inode, or creation time on Windows

    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::filesystem::path& path);

// An exclusive lock held through a lock file; released when destroyed.
class FileLock {
public:
    static std::optional<FileLock> Acquire(const std::filesystem::path& lockFile,
                                           std::chrono::milliseconds wait);
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    ~FileLock();

private:
    explicit FileLock(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;
};

// Whether two paths name the same file as the system compares names (without letter case on
// Windows).
bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace vestra::engine
