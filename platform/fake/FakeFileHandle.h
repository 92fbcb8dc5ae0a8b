// An open file of the in-memory file system: its access, share mode and position. It reads and
// writes the node's bytes in place, so every handle on a file sees the others' writes.
#pragma once

#include "platform/FileSystem.h"
#include "platform/fake/FakeFileSystem.h"

namespace vestra::platform::fake {

class FakeFileHandle : public FileHandle {
public:
    FakeFileHandle(FakeFileSystem& fs, FakeNode& node, FileAccess access, std::uint32_t share)
        : fs_(&fs), node_(&node), access_(access), share_(share) {}
    ~FakeFileHandle() override;
    FakeFileHandle(const FakeFileHandle&) = delete;
    FakeFileHandle& operator=(const FakeFileHandle&) = delete;

    Result<std::size_t> Read(std::span<std::uint8_t> buffer) override;
    OsError Write(std::span<const std::uint8_t> data) override;
    OsError Seek(std::uint64_t offset) override;
    Result<std::uint64_t> Size() override;
    OsError Truncate() override;

    FileAccess access() const { return access_; }
    std::uint32_t share() const { return share_; }
    const FakeNode* node() const { return node_; }
    // The file system went away first: the handle is closed and every call fails.
    void Orphan() {
        fs_ = nullptr;
        node_ = nullptr;
    }

private:
    bool CanRead() const { return access_ != FileAccess::Write; }
    bool CanWrite() const { return access_ != FileAccess::Read; }

    FakeFileSystem* fs_;
    FakeNode* node_;
    FileAccess access_;
    std::uint32_t share_;
    std::uint64_t position_ = 0;
};

}  // namespace vestra::platform::fake
