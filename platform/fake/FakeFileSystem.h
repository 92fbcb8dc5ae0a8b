// In-memory drives, folders and files with the Windows rules that callers meet: names compared
// without regard to case but kept as first spelled, attributes, NTFS listing order, share modes,
// read-only and delete-pending files, drives without a medium, and injected failures.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/fake/FakePath.h"
#include "platform/fake/FaultInjector.h"

namespace vestra::platform::fake {

enum class FsOp : std::uint8_t {
    GetAttributes,
    SetAttributes,
    Find,
    Open,
    Read,
    Write,
    Seek,
    Size,
    Truncate,
    Copy,
    Move,
    Delete,
    CreateFolder,
    RemoveFolder,
    LongPathName,
    GetVolumeInfo,
    Count,
};

class FakeFileHandle;

// One file or folder of the tree. Nodes never move in memory while they live (children are held
// by unique_ptr), so open handles may point at them across renames.
struct FakeNode {
    std::u16string name;
    bool folder = false;
    std::uint32_t attributes = 0;  // stored bits, without kDirectory
    std::vector<std::uint8_t> data;
    std::map<std::u16string, std::unique_ptr<FakeNode>> children;  // by NameKey
    std::vector<const FakeFileHandle*> handles;
    bool deletePending = false;
};

class FakeFileSystem : public FileSystem {
public:
    FakeFileSystem();
    ~FakeFileSystem() override;
    FakeFileSystem(const FakeFileSystem&) = delete;
    FakeFileSystem& operator=(const FakeFileSystem&) = delete;

    // Set-up for tests. AddFolder and AddFile create missing parent folders; AddFile replaces a
    // file that exists. They answer false when the drive is missing or a file is in the way.
    void AddDrive(char16_t letter, DriveType type, std::u16string_view label = u"");
    void RemoveDrive(char16_t letter);
    void SetMediumPresent(char16_t letter, bool present);
    void SetVolumeInfo(char16_t letter, const VolumeInfo& info);
    bool AddFolder(std::u16string_view path, std::uint32_t attributes = 0);
    bool AddFile(std::u16string_view path, std::span<const std::uint8_t> bytes,
                 std::uint32_t attributes = attr::kArchive);
    bool AddFile(std::u16string_view path, std::string_view bytes,
                 std::uint32_t attributes = attr::kArchive);

    // Inspection for tests: the bytes of a file (nullopt when missing or a folder), and how
    // many handles are open on the whole fake.
    std::optional<std::vector<std::uint8_t>> FileBytes(std::u16string_view path);
    std::optional<std::string> FileText(std::u16string_view path);
    std::size_t OpenHandleCount() const { return handles_.size(); }

    FaultInjector<FsOp>& faults() { return faults_; }

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

private:
    friend class FakeFileHandle;
    struct Drive {
        DriveType type = DriveType::Fixed;
        VolumeInfo volume;
        bool mediumPresent = true;
        std::unique_ptr<FakeNode> root;
    };
    // Where a path leads: the folder that holds its last component and the node itself.
    struct Located {
        FakeNode* parent = nullptr;
        FakeNode* node = nullptr;  // nullptr when only the last component is missing
        std::u16string leaf;       // the last component as the caller spelled it
    };

    Result<Located> Locate(std::u16string_view path);
    Result<Drive*> DriveOf(char16_t letter);
    FakeNode* EnsureFolders(std::u16string_view path, bool includeLast);
    FakeNode* AddChild(FakeNode& parent, std::u16string_view name, bool folder);
    OsError ShareConflict(const FakeNode& node, FileAccess access, std::uint32_t share) const;
    OsError CheckCanReplace(const FakeNode& target, std::uint32_t newAttributes) const;
    OsError MoveNode(const Located& from, const Located& to);
    void Detach(FakeNode* node);
    void HandleClosed(FakeFileHandle* handle);

    std::map<char16_t, Drive> drives_;
    std::vector<std::unique_ptr<FakeNode>> detached_;  // removed while handles stay open
    std::set<FakeFileHandle*> handles_;
    FaultInjector<FsOp> faults_;
};

}  // namespace vestra::platform::fake
