// The in-memory file system's tree, set-up helpers, path lookup, attributes, listings, long
// names and drives. The operations that change the tree live in FakeFileOperations.cpp.
#include "platform/fake/FakeFileSystem.h"

#include "platform/Text.h"
#include "platform/fake/FakeFileHandle.h"

namespace vestra::platform::fake {

namespace {

constexpr std::uint32_t kStorableAttributes = attr::kReadOnly | attr::kHidden | attr::kSystem |
                                              attr::kArchive | 0x100 /* temporary */ |
                                              0x2000 /* not content indexed */;

// Whether Win32 reads the path as a reserved device (CON, PRN, AUX, NUL, COM1-9, LPT1-9): its
// last name, when no separator follows, up to the first dot and without trailing spaces. In an
// existing folder such a path answers as a plain file, whatever that folder holds; a trailing
// separator makes the name an ordinary one again.
bool NamesDevice(std::u16string_view path) {
    auto parsed = ParseFakePath(path);
    if (!parsed || parsed->parts.empty() || parsed->trailingSeparator)
        return false;
    std::u16string base = UpperCase(parsed->parts.back());
    base = base.substr(0, base.find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.pop_back();
    if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL")
        return true;
    return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) &&
           base[3] >= u'1' && base[3] <= u'9';
}

std::uint32_t Reported(const FakeNode& node) {
    if (node.folder)
        return attr::kDirectory | node.attributes;
    return node.attributes == 0 ? attr::kNormal : node.attributes;
}

std::u16string DefaultFileSystemName(DriveType type) {
    switch (type) {
        case DriveType::CdRom:
            return u"CDFS";
        case DriveType::Removable:
            return u"FAT32";
        default:
            return u"NTFS";
    }
}

bool RemoveFromTree(FakeNode& folder, const FakeNode* target) {
    for (auto it = folder.children.begin(); it != folder.children.end(); ++it) {
        if (it->second.get() == target) {
            folder.children.erase(it);
            return true;
        }
        if (it->second->folder && RemoveFromTree(*it->second, target))
            return true;
    }
    return false;
}

}  // namespace

FakeFileSystem::FakeFileSystem() = default;

FakeFileSystem::~FakeFileSystem() {
    for (FakeFileHandle* handle : handles_)
        handle->Orphan();
}

void FakeFileSystem::AddDrive(char16_t letter, DriveType type, std::u16string_view label) {
    Drive drive;
    drive.type = type;
    drive.volume.label = std::u16string(label);
    drive.volume.serial = 0x1A2B0000u + UpperChar(letter);
    drive.volume.fileSystem = DefaultFileSystemName(type);
    drive.root = std::make_unique<FakeNode>();
    drive.root->folder = true;
    RemoveDrive(letter);
    drives_[UpperChar(letter)] = std::move(drive);
}

void FakeFileSystem::RemoveDrive(char16_t letter) {
    auto it = drives_.find(UpperChar(letter));
    if (it == drives_.end())
        return;
    detached_.push_back(std::move(it->second.root));  // open handles may still point into it
    drives_.erase(it);
}

void FakeFileSystem::SetMediumPresent(char16_t letter, bool present) {
    auto it = drives_.find(UpperChar(letter));
    if (it != drives_.end())
        it->second.mediumPresent = present;
}

void FakeFileSystem::SetVolumeInfo(char16_t letter, const VolumeInfo& info) {
    auto it = drives_.find(UpperChar(letter));
    if (it != drives_.end())
        it->second.volume = info;
}

FakeNode* FakeFileSystem::AddChild(FakeNode& parent, std::u16string_view name, bool folder) {
    auto node = std::make_unique<FakeNode>();
    node->name = std::u16string(name);
    node->folder = folder;
    node->attributes = folder ? 0 : attr::kArchive;
    FakeNode* raw = node.get();
    parent.children[NameKey(name)] = std::move(node);
    return raw;
}

FakeNode* FakeFileSystem::EnsureFolders(std::u16string_view path, bool includeLast) {
    auto parsed = ParseFakePath(path);
    if (!parsed)
        return nullptr;
    auto drive = drives_.find(parsed->drive);
    if (drive == drives_.end())
        return nullptr;
    FakeNode* folder = drive->second.root.get();
    std::size_t count = parsed->parts.size() - (includeLast || parsed->parts.empty() ? 0 : 1);
    for (std::size_t i = 0; i < count; ++i) {
        auto it = folder->children.find(NameKey(parsed->parts[i]));
        if (it == folder->children.end()) {
            folder = AddChild(*folder, parsed->parts[i], true);
        } else if (!it->second->folder) {
            return nullptr;
        } else {
            folder = it->second.get();
        }
    }
    return folder;
}

bool FakeFileSystem::AddFolder(std::u16string_view path, std::uint32_t attributes) {
    FakeNode* folder = EnsureFolders(path, true);
    if (folder == nullptr)
        return false;
    if (attributes != 0)
        folder->attributes = attributes & kStorableAttributes;
    return true;
}

bool FakeFileSystem::AddFile(std::u16string_view path, std::span<const std::uint8_t> bytes,
                             std::uint32_t attributes) {
    auto parsed = ParseFakePath(path);
    if (!parsed || parsed->parts.empty())
        return false;
    FakeNode* folder = EnsureFolders(path, false);
    if (folder == nullptr)
        return false;
    auto it = folder->children.find(NameKey(parsed->parts.back()));
    FakeNode* file = nullptr;
    if (it == folder->children.end()) {
        file = AddChild(*folder, parsed->parts.back(), false);
    } else if (it->second->folder) {
        return false;
    } else {
        file = it->second.get();
    }
    file->data.assign(bytes.begin(), bytes.end());
    file->attributes = attributes & kStorableAttributes;
    return true;
}

bool FakeFileSystem::AddFile(std::u16string_view path, std::string_view bytes,
                             std::uint32_t attributes) {
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return AddFile(path, std::span<const std::uint8_t>(begin, bytes.size()), attributes);
}

std::optional<std::vector<std::uint8_t>> FakeFileSystem::FileBytes(std::u16string_view path) {
    auto found = Locate(path);
    if (!found || found->node == nullptr || found->node->folder)
        return std::nullopt;
    return found->node->data;
}

std::optional<std::string> FakeFileSystem::FileText(std::u16string_view path) {
    auto bytes = FileBytes(path);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

Result<FakeFileSystem::Drive*> FakeFileSystem::DriveOf(char16_t letter) {
    auto it = drives_.find(UpperChar(letter));
    if (it == drives_.end())
        return OsError::PathNotFound;
    if (!it->second.mediumPresent)
        return OsError::NotReady;
    return &it->second;
}

Result<FakeFileSystem::Located> FakeFileSystem::Locate(std::u16string_view path) {
    auto parsed = ParseFakePath(path);
    if (!parsed)
        return OsError::InvalidName;
    auto drive = DriveOf(parsed->drive);
    if (!drive)
        return drive.error();
    Located located;
    FakeNode* folder = (*drive)->root.get();
    if (parsed->parts.empty()) {
        located.node = folder;
        return located;
    }
    for (std::size_t i = 0; i + 1 < parsed->parts.size(); ++i) {
        auto it = folder->children.find(NameKey(parsed->parts[i]));
        if (it == folder->children.end() || !it->second->folder)
            return OsError::PathNotFound;
        folder = it->second.get();
    }
    located.parent = folder;
    located.leaf = parsed->parts.back();
    auto it = folder->children.find(NameKey(located.leaf));
    if (it != folder->children.end())
        located.node = it->second.get();
    // "C:\file.txt\" names a folder that cannot exist.
    if (located.node != nullptr && !located.node->folder && parsed->trailingSeparator) {
        return OsError::PathNotFound;
    }
    return located;
}

std::uint32_t FakeFileSystem::GetAttributes(std::u16string_view path) {
    if (faults_.Next(FsOp::GetAttributes) != OsError::None)
        return attr::kInvalid;
    auto found = Locate(path);
    if (found && found->parent != nullptr && NamesDevice(path))
        return attr::kArchive;
    if (!found || found->node == nullptr)
        return attr::kInvalid;
    return Reported(*found->node);
}

OsError FakeFileSystem::SetAttributes(std::u16string_view path, std::uint32_t attributes) {
    if (OsError e = faults_.Next(FsOp::SetAttributes); e != OsError::None)
        return e;
    auto found = Locate(path);
    if (!found)
        return found.error();
    if (found->node == nullptr)
        return OsError::FileNotFound;
    found->node->attributes = attributes & kStorableAttributes;
    return OsError::None;
}

Result<std::vector<FindEntry>> FakeFileSystem::Find(std::u16string_view pattern) {
    if (OsError e = faults_.Next(FsOp::Find); e != OsError::None)
        return e;
    auto found = Locate(pattern);
    if (!found) {
        // Listing inside a file is a bad name rather than a missing folder.
        std::size_t cut = pattern.find_last_of(u"\\/");
        if (found.error() == OsError::PathNotFound && cut != std::u16string_view::npos) {
            auto folder = Locate(pattern.substr(0, cut));
            if (folder && folder->node != nullptr && !folder->node->folder) {
                return OsError::InvalidName;
            }
        }
        return found.error();
    }
    std::vector<FindEntry> entries;
    // A bare root or a trailing separator leaves no name to match.
    if (found->parent == nullptr || pattern.ends_with(u'\\') || pattern.ends_with(u'/')) {
        return entries;
    }
    for (const auto& [key, child] : found->parent->children) {
        if (!MatchesPattern(child->name, found->leaf))
            continue;
        entries.push_back({child->name, Reported(*child),
                           child->folder ? 0 : static_cast<std::uint64_t>(child->data.size())});
    }
    return entries;
}

Result<std::u16string> FakeFileSystem::LongPathName(std::u16string_view path) {
    if (OsError e = faults_.Next(FsOp::LongPathName); e != OsError::None)
        return e;
    auto found = Locate(path);
    if (!found) {
        return found.error() == OsError::PathNotFound ? OsError::FileNotFound : found.error();
    }
    if (found->node == nullptr)
        return OsError::FileNotFound;
    // GetLongPathNameW looks up only the components that could be short (8.3) names and copies
    // the rest, the drive and every separator exactly as the caller wrote them.
    std::u16string result(path.substr(0, 2));
    FakeNode* folder = drives_[UpperChar(path[0])].root.get();
    std::size_t i = 2;
    while (i < path.size()) {
        if (path[i] == u'\\' || path[i] == u'/') {
            result += path[i++];
            continue;
        }
        std::size_t end = path.find_first_of(u"\\/", i);
        if (end == std::u16string_view::npos)
            end = path.size();
        std::u16string_view component = path.substr(i, end - i);
        folder = folder->children[NameKey(component)].get();
        result += IsLegalShortName(component) ? std::u16string_view(folder->name) : component;
        i = end;
    }
    return result;
}

std::vector<std::u16string> FakeFileSystem::LogicalDrives() {
    std::vector<std::u16string> roots;
    for (const auto& [letter, drive] : drives_)
        roots.push_back(std::u16string{letter, u':', u'\\'});
    return roots;
}

DriveType FakeFileSystem::GetDriveType(std::u16string_view root) {
    if (root.size() < 2 || root[1] != u':')
        return DriveType::NoRootDir;
    auto it = drives_.find(UpperChar(root[0]));
    return it == drives_.end() ? DriveType::NoRootDir : it->second.type;
}

Result<VolumeInfo> FakeFileSystem::GetVolumeInfo(std::u16string_view root) {
    if (OsError e = faults_.Next(FsOp::GetVolumeInfo); e != OsError::None)
        return e;
    if (root.size() < 2 || root[1] != u':')
        return OsError::InvalidName;
    auto drive = DriveOf(root[0]);
    if (!drive)
        return drive.error();
    return (*drive)->volume;
}

void FakeFileSystem::HandleClosed(FakeFileHandle* handle) {
    handles_.erase(handle);
    auto* node = const_cast<FakeNode*>(handle->node());
    std::erase(node->handles, handle);
    if (node->deletePending && node->handles.empty())
        Detach(node);
}

void FakeFileSystem::Detach(FakeNode* node) {
    for (auto& [letter, drive] : drives_) {
        if (RemoveFromTree(*drive.root, node))
            return;
    }
    for (auto& root : detached_) {
        if (root.get() == node) {
            root.reset();
            return;
        }
        if (root && RemoveFromTree(*root, node))
            return;
    }
}

}  // namespace vestra::platform::fake
