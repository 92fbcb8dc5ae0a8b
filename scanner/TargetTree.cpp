// Target tree: building, expansion and check-mark propagation.
#include "scanner/TargetTree.h"

#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra {
namespace {

using platform::DriveType;

struct FixedNode {
    std::u16string_view key;
    std::u16string_view caption;
    NodeIcon icon;
    bool parentIsRegistry;
    bool checked;
};

constexpr FixedNode kFixedNodes[] = {
    {kKeyComputer, u"Computer Drive", NodeIcon::Computer, false, false},
    {kKeySystem, u"System Area", NodeIcon::SystemArea, false, true},
    {kKeyProcesses, u"Memory Processes", NodeIcon::Processes, false, true},
    {kKeyServices, u"Services", NodeIcon::Services, false, true},
    {kKeyRegistry, u"Registry Area", NodeIcon::Registry, false, true},
    {kKeyRegDefault, u"Default (over 1000 registry values)", NodeIcon::RegistryDefault, true, true},
    {kKeyRegDeep, u"Deep (over 1500 registry values)", NodeIcon::RegistryDeep, true, false},
    {kKeyStartup, u"Start-Up Area", NodeIcon::Startup, false, true},
};

NodeIcon DriveIcon(DriveType type) {
    switch (type) {
        case DriveType::Removable:
            return NodeIcon::DriveRemovable;
        case DriveType::Fixed:
            return NodeIcon::DriveFixed;
        case DriveType::CdRom:
            return NodeIcon::DriveCdRom;
        default:
            return NodeIcon::DriveOther;
    }
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!path.empty() && path.back() != u'\\')
        path.push_back(u'\\');
    return path + std::u16string(name);
}

}  // namespace

std::u16string DriveName(platform::FileSystem& files, std::u16string_view root, bool withLetter) {
    DriveType type = files.GetDriveType(root);
    if (type == DriveType::NoRootDir)
        return {};
    std::u16string name;
    if (auto volume = files.GetVolumeInfo(root))
        name = Trim(TextBeforeNul(volume->label, false));
    if (name.empty()) {
        if (type == DriveType::CdRom) {
            name = u"CD/DVD-Drive";
        } else if (type == DriveType::Fixed) {
            name = u"Local Disk";
        } else if (SamePath(root, u"A:\\") || SamePath(root, u"B:\\")) {
            name = u"Floppy Disk";
        }
    }
    if (withLetter)
        name += u" (" + std::u16string(root.substr(0, 2)) + u")";
    return name;
}

NodeId TargetTree::AddNode(NodeId parent, TreeNode node) {
    node.parent = parent;
    NodeId id = static_cast<NodeId>(nodes_.size());
    nodes_.push_back(std::move(node));
    if (parent != kNoNode)
        nodes_[static_cast<std::size_t>(parent)].children.push_back(id);
    return id;
}

void TargetTree::LoadTreeDir() {
    nodes_.clear();
    selected_ = kNoNode;
    AddNode(kNoNode, TreeNode{});
    NodeId registry = kNoNode;
    for (const FixedNode& fixed : kFixedNodes) {
        TreeNode node;
        node.text = fixed.caption;
        node.key = fixed.key;
        node.icon = fixed.icon;
        node.checked = fixed.checked;
        NodeId id = AddNode(fixed.parentIsRegistry ? registry : Root(), std::move(node));
        if (fixed.key == kKeyRegistry)
            registry = id;
    }
    NodeId computer = FindKey(kKeyComputer);
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        std::u16string root = {letter, u':', u'\\'};
        DriveType type = files_.GetDriveType(root);
        if (type == DriveType::NoRootDir || !files_.Exists(root))
            continue;
        TreeNode drive;
        drive.text = DriveName(files_, root, true);
        drive.fullPath = root;
        drive.icon = DriveIcon(type);
        drive.fileSystem = true;
        if (auto entries = files_.Find(root + u"*")) {
            for (const auto& entry : *entries) {
                if (entry.attributes & platform::attr::kDirectory)
                    drive.expandable = true;
            }
        }
        AddNode(computer, std::move(drive));
    }
    for (TreeNode& node : nodes_)
        node.expandable = node.expandable || !node.children.empty();
    Notify(TreeChange::Rebuilt, Root());
}

NodeId TargetTree::FindKey(std::u16string_view key) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (!nodes_[i].fileSystem && nodes_[i].key == key)
            return static_cast<NodeId>(i);
    }
    return kNoNode;
}

NodeId TargetTree::FindPath(std::u16string_view path) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i].fileSystem && SamePath(nodes_[i].fullPath, path)) {
            return static_cast<NodeId>(i);
        }
    }
    return kNoNode;
}

void TargetTree::Select(NodeId id) {
    if (id < 0 || static_cast<std::size_t>(id) >= nodes_.size())
        return;
    selected_ = id;
    Notify(TreeChange::Selected, id);
}

void TargetTree::Expand(NodeId id) {
    if (id < 0 || static_cast<std::size_t>(id) >= nodes_.size())
        return;
    TreeNode& node = nodes_[static_cast<std::size_t>(id)];
    bool isFolder = node.fileSystem && node.icon != NodeIcon::Files && node.icon != NodeIcon::File;
    if (!isFolder || node.loaded)
        return;
    node.loaded = true;
    std::u16string folder = node.fullPath;
    bool inherit = node.checked && node.key.empty();
    auto entries = files_.Find(JoinPath(folder, u"*"));
    bool hasFiles = false;
    if (entries) {
        for (const auto& entry : *entries) {
            if ((entry.attributes & platform::attr::kDirectory) == 0) {
                hasFiles = true;
                continue;
            }
            TreeNode child;
            child.text = entry.name;
            child.fullPath = JoinPath(folder, entry.name);
            child.icon = NodeIcon::Folder;
            child.fileSystem = true;
            child.expandable = true;  // known only once it is read, which waits for the user
            child.checked = inherit;
            AddNode(id, std::move(child));
        }
    }
    if (hasFiles) {
        TreeNode files;
        files.text = kFilesNodeText;
        files.fullPath = JoinPath(folder, u"..");
        files.icon = NodeIcon::Files;
        files.fileSystem = true;
        files.checked = inherit;
        AddNode(id, std::move(files));
    }
    nodes_[static_cast<std::size_t>(id)].expandable = !Node(id).children.empty();
    Notify(TreeChange::ChildrenAdded, id);
}

NodeId TargetTree::AddFileNode(NodeId folder, std::u16string_view path) {
    if (folder < 0 || static_cast<std::size_t>(folder) >= nodes_.size())
        return kNoNode;
    if (!Node(folder).fileSystem)
        return kNoNode;
    for (NodeId child : Node(folder).children) {
        if (SamePath(Node(child).fullPath, path))
            return child;
    }
    TreeNode file;
    std::size_t slash = path.rfind(u'\\');
    file.text = path.substr(slash == std::u16string_view::npos ? 0 : slash + 1);
    file.fullPath = path;
    file.icon = NodeIcon::File;
    file.fileSystem = true;
    file.checked = Node(folder).checked && Node(folder).key.empty();
    NodeId id = AddNode(folder, std::move(file));
    nodes_[static_cast<std::size_t>(folder)].expandable = true;
    Notify(TreeChange::ChildrenAdded, folder);
    return id;
}

void TargetTree::MarkDown(NodeId id, bool checked) {
    TreeNode& node = nodes_[static_cast<std::size_t>(id)];
    node.checked = checked;
    if (node.fileSystem)
        node.key.clear();
    Notify(TreeChange::Marked, id);
    for (NodeId child : std::vector<NodeId>(node.children))
        MarkDown(child, checked);
}

void TargetTree::MarkAncestors(NodeId id) {
    for (NodeId up = Node(id).parent; up != kNoNode && up != Root(); up = Node(up).parent) {
        TreeNode& node = nodes_[static_cast<std::size_t>(up)];
        bool all = true, any = false;
        for (NodeId child : node.children) {
            const TreeNode& c = Node(child);
            any = any || c.checked;
            all = all && c.checked && c.key != kKeySpot;
        }
        if (node.fileSystem) {
            node.checked = any;
            node.key = any && !all ? std::u16string(kKeySpot) : std::u16string();
        } else {
            node.checked = any;
        }
        Notify(TreeChange::Marked, up);
    }
}

void TargetTree::SetCheck(NodeId id, bool checked) {
    if (id <= Root() || static_cast<std::size_t>(id) >= nodes_.size())
        return;
    MarkDown(id, checked);
    MarkAncestors(id);
}

}  // namespace vestra
