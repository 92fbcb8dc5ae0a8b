// The calls that change the in-memory tree: opening and creating files, copy, move, delete and
// folder creation and removal, each with the refusal Windows gives.
#include "platform/fake/FakeFileHandle.h"
#include "platform/fake/FakeFileSystem.h"

namespace vestra::platform::fake {

namespace {

bool Reads(FileAccess access) {
    return access != FileAccess::Write;
}
bool Writes(FileAccess access) {
    return access != FileAccess::Read;
}

bool AnyOpenWithin(const FakeNode& node) {
    if (!node.handles.empty())
        return true;
    for (const auto& [key, child] : node.children) {
        if (AnyOpenWithin(*child))
            return true;
    }
    return false;
}

bool Contains(const FakeNode& folder, const FakeNode* target) {
    if (&folder == target)
        return true;
    for (const auto& [key, child] : folder.children) {
        if (child->folder && Contains(*child, target))
            return true;
    }
    return false;
}

bool DeleteShared(const FakeNode& node) {
    for (const FakeFileHandle* handle : node.handles) {
        if ((handle->share() & share::kDelete) == 0)
            return false;
    }
    return true;
}

char16_t DriveLetter(std::u16string_view path) {
    return ParseFakePath(path)->drive;
}

}  // namespace

OsError FakeFileSystem::ShareConflict(const FakeNode& node, FileAccess access,
                                      std::uint32_t share) const {
    for (const FakeFileHandle* other : node.handles) {
        bool conflict = (Reads(access) && (other->share() & share::kRead) == 0) ||
                        (Writes(access) && (other->share() & share::kWrite) == 0) ||
                        (Reads(other->access()) && (share & share::kRead) == 0) ||
                        (Writes(other->access()) && (share & share::kWrite) == 0);
        if (conflict)
            return OsError::SharingViolation;
    }
    return OsError::None;
}

// Replacing a file's contents is refused when it is read-only, and, as CreateFileW does with
// CREATE_ALWAYS, when it is hidden or system and the new attributes do not say so too.
OsError FakeFileSystem::CheckCanReplace(const FakeNode& target, std::uint32_t newAttributes) const {
    if ((target.attributes & attr::kReadOnly) != 0)
        return OsError::AccessDenied;
    for (std::uint32_t bit : {attr::kHidden, attr::kSystem}) {
        if ((target.attributes & bit) != 0 && (newAttributes & bit) == 0) {
            return OsError::AccessDenied;
        }
    }
    return OsError::None;
}

Result<std::unique_ptr<FileHandle>> FakeFileSystem::Open(std::u16string_view path,
                                                         FileAccess access, std::uint32_t shareMode,
                                                         Disposition disposition) {
    if (OsError e = faults_.Next(FsOp::Open); e != OsError::None)
        return e;
    auto found = Locate(path);
    if (!found)
        return found.error();
    if (found->parent == nullptr)
        return OsError::AccessDenied;  // the drive's root
    FakeNode* node = found->node;
    if (node != nullptr) {
        if (node->folder || node->deletePending)
            return OsError::AccessDenied;
        if (disposition == Disposition::CreateNew)
            return OsError::AlreadyExists;
        bool truncates = disposition == Disposition::CreateAlways;
        if ((Writes(access) || truncates) && (node->attributes & attr::kReadOnly) != 0) {
            return OsError::AccessDenied;
        }
        if (truncates) {
            if (OsError e = CheckCanReplace(*node, attr::kNormal); e != OsError::None)
                return e;
        }
        if (OsError e = ShareConflict(*node, access, shareMode); e != OsError::None)
            return e;
        if (truncates) {
            node->data.clear();
            node->attributes = attr::kArchive;
        }
    } else {
        if (disposition == Disposition::OpenExisting)
            return OsError::FileNotFound;
        node = AddChild(*found->parent, found->leaf, false);
    }
    auto handle = std::make_unique<FakeFileHandle>(*this, *node, access, shareMode);
    handles_.insert(handle.get());
    node->handles.push_back(handle.get());
    return std::unique_ptr<FileHandle>(std::move(handle));
}

OsError FakeFileSystem::Copy(std::u16string_view from, std::u16string_view to, bool failIfExists) {
    if (OsError e = faults_.Next(FsOp::Copy); e != OsError::None)
        return e;
    auto source = Locate(from);
    if (!source)
        return source.error();
    if (source->node == nullptr)
        return OsError::FileNotFound;
    if (source->node->folder)
        return OsError::AccessDenied;
    // CopyFileW reads the source with read sharing only.
    if (OsError e = ShareConflict(*source->node, FileAccess::Read, share::kRead | share::kDelete);
        e != OsError::None) {
        return e;
    }
    auto target = Locate(to);
    if (!target)
        return target.error();
    if (target->parent == nullptr)
        return OsError::AccessDenied;
    FakeNode* node = target->node;
    if (node != nullptr) {
        if (failIfExists)
            return OsError::AlreadyExists;
        if (node->folder || node == source->node || node->deletePending) {
            return node == source->node ? OsError::SharingViolation : OsError::AccessDenied;
        }
        if (OsError e = CheckCanReplace(*node, source->node->attributes); e != OsError::None) {
            return e;
        }
        if (OsError e = ShareConflict(*node, FileAccess::Write, share::kNone); e != OsError::None) {
            return e;
        }
    } else {
        node = AddChild(*target->parent, target->leaf, false);
    }
    node->data = source->node->data;
    node->attributes = source->node->attributes | attr::kArchive;
    return OsError::None;
}

OsError FakeFileSystem::Move(std::u16string_view from, std::u16string_view to) {
    if (OsError e = faults_.Next(FsOp::Move); e != OsError::None)
        return e;
    auto source = Locate(from);
    if (!source)
        return source.error();
    if (source->node == nullptr)
        return OsError::FileNotFound;
    FakeNode* node = source->node;
    if (source->parent == nullptr || node->deletePending)
        return OsError::AccessDenied;
    if (!node->folder && !DeleteShared(*node))
        return OsError::SharingViolation;
    if (node->folder && AnyOpenWithin(*node))
        return OsError::AccessDenied;
    auto target = Locate(to);
    if (!target)
        return target.error();
    if (target->parent == nullptr)
        return OsError::AccessDenied;
    if (target->node != nullptr && target->node != node)
        return OsError::AlreadyExists;
    if (node->folder) {
        if (Contains(*node, target->parent))
            return OsError::AccessDenied;  // into itself
        // MoveFileW copies files between drives but cannot carry a folder across.
        if (DriveLetter(from) != DriveLetter(to))
            return OsError::Other;
    }
    return MoveNode(*source, *target);
}

OsError FakeFileSystem::MoveNode(const Located& from, const Located& to) {
    auto it = from.parent->children.find(NameKey(from.node->name));
    std::unique_ptr<FakeNode> moving = std::move(it->second);
    from.parent->children.erase(it);
    moving->name = to.leaf;
    to.parent->children[NameKey(to.leaf)] = std::move(moving);
    return OsError::None;
}

OsError FakeFileSystem::Delete(std::u16string_view path) {
    if (OsError e = faults_.Next(FsOp::Delete); e != OsError::None)
        return e;
    auto found = Locate(path);
    if (!found)
        return found.error();
    FakeNode* node = found->node;
    if (node == nullptr)
        return OsError::FileNotFound;
    if (found->parent == nullptr || node->folder || node->deletePending) {
        return OsError::AccessDenied;
    }
    if ((node->attributes & attr::kReadOnly) != 0)
        return OsError::AccessDenied;
    if (!DeleteShared(*node))
        return OsError::SharingViolation;
    if (!node->handles.empty()) {
        // Every handle allowed deletion: the name stays until the last one closes.
        node->deletePending = true;
        return OsError::None;
    }
    found->parent->children.erase(NameKey(node->name));
    return OsError::None;
}

OsError FakeFileSystem::CreateFolder(std::u16string_view path) {
    if (OsError e = faults_.Next(FsOp::CreateFolder); e != OsError::None)
        return e;
    auto found = Locate(path);
    if (!found)
        return found.error();
    if (found->parent == nullptr)
        return OsError::AccessDenied;
    if (found->node != nullptr)
        return OsError::AlreadyExists;
    AddChild(*found->parent, found->leaf, true);
    return OsError::None;
}

OsError FakeFileSystem::RemoveFolder(std::u16string_view path) {
    if (OsError e = faults_.Next(FsOp::RemoveFolder); e != OsError::None)
        return e;
    auto found = Locate(path);
    if (!found)
        return found.error();
    FakeNode* node = found->node;
    if (node == nullptr)
        return OsError::FileNotFound;
    if (found->parent == nullptr)
        return OsError::AccessDenied;
    if (!node->folder)
        return OsError::InvalidName;  // ERROR_DIRECTORY
    if (!node->children.empty())
        return OsError::DirectoryNotEmpty;
    if ((node->attributes & attr::kReadOnly) != 0)
        return OsError::AccessDenied;
    found->parent->children.erase(NameKey(node->name));
    return OsError::None;
}

}  // namespace vestra::platform::fake
