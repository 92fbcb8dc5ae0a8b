// Where the archive reader and the file check take their bytes from: a random-access source (a
// file, bytes in memory, a range of another source) and a sequential stream. Depends on the
// engine's file access only.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "engine/core/FileAccess.h"

namespace vestra::engine {

// Bytes read one block after another.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Bytes written into `into`, 0 at the end, -1 on an error.
    virtual std::ptrdiff_t Read(std::span<std::uint8_t> into) = 0;
};

// Bytes read from any offset.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Bytes read from `offset`, 0 past the end, -1 on an error.
    virtual std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;

    // Fills `into` wholly from `offset`; false when the source ends first or fails.
    bool ReadExact(std::uint64_t offset, std::span<std::uint8_t> into) {
        std::size_t done = 0;
        while (done < into.size()) {
            std::ptrdiff_t got = ReadAt(offset + done, into.subspan(done));
            if (got <= 0)
                return false;
            done += static_cast<std::size_t>(got);
        }
        return true;
    }
};

class FileSource final : public ByteSource {
public:
    static std::optional<FileSource> Open(const std::filesystem::path& path) {
        std::optional<InputFile> file = InputFile::Open(path);
        if (!file)
            return std::nullopt;
        return FileSource(std::move(*file));
    }
    std::uint64_t Size() const override { return file_.Size(); }
    std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
        if (offset >= file_.Size())
            return 0;
        return file_.ReadAt(offset, into.first(static_cast<std::size_t>(
                                        std::min<std::uint64_t>(into.size(), Size() - offset))));
    }

private:
    explicit FileSource(InputFile file) : file_(std::move(file)) {}
    InputFile file_;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
        if (offset >= bytes_.size())
            return 0;
        std::size_t count = std::min<std::size_t>(into.size(), bytes_.size() - offset);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, into.begin());
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// `size` bytes of another source from `start`; reads never reach beyond them.
class SliceSource final : public ByteSource {
public:
    SliceSource(ByteSource& whole, std::uint64_t start, std::uint64_t size)
        : whole_(whole), start_(start), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
        if (offset >= size_)
            return 0;
        std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), size_ - offset));
        return whole_.ReadAt(start_ + offset, into.first(count));
    }

private:
    ByteSource& whole_;
    std::uint64_t start_, size_;
};

}  // namespace vestra::engine
