// Scan targets from the tree's marks, typed paths, presets and guarded clicks.
#include "scanner/TargetSelection.h"

#include "common/TextLists.h"
#include "config/MessageSlots.h"
#include "platform/Text.h"

namespace vestra {
namespace {

std::u16string WithBackslash(std::u16string_view path) {
    std::u16string out(path);
    if (out.empty() || out.back() != u'\\')
        out.push_back(u'\\');
    return out;
}

bool IsFilesNodePath(std::u16string_view path) {
    return path.ends_with(u"\\..");
}

// The system areas whose unchecking is questioned, with the caption the question names.
std::u16string_view GuardedCaption(const TreeNode& node) {
    if (node.fileSystem)
        return {};
    if (node.key == kKeyRegDefault)
        return u"Default Registry Area";
    for (std::u16string_view key :
         {kKeySystem, kKeyProcesses, kKeyServices, kKeyRegistry, kKeyStartup}) {
        if (node.key == key)
            return node.text;
    }
    return {};
}

bool CheckedKey(const TargetTree& tree, std::u16string_view key) {
    NodeId id = tree.FindKey(key);
    return id != kNoNode && tree.Node(id).checked;
}

// The child of `parent` for the folder or file at `path`, by stored spelling; kNoNode if none.
NodeId ChildAt(const TargetTree& tree, NodeId parent, std::u16string_view path) {
    for (NodeId child : tree.Node(parent).children) {
        const TreeNode& node = tree.Node(child);
        if (node.icon != NodeIcon::Files && SamePath(node.fullPath, path))
            return child;
    }
    return kNoNode;
}

}  // namespace

void EnumTree(const TargetTree& tree, platform::FileSystem& files, NodeId node,
              ScanTargets& targets) {
    for (NodeId id : tree.Node(node).children) {
        const TreeNode& child = tree.Node(id);
        if (!child.checked)
            continue;
        if (child.key == kKeySpot || child.key == kKeyComputer) {
            EnumTree(tree, files, id, targets);
        } else if (child.key.empty() && IsFilesNodePath(child.fullPath)) {
            std::u16string_view folder = child.fullPath;
            folder.remove_suffix(2);
            AppendToList(targets.flatFolderList, WithBackslash(folder));
        } else if (child.key.empty() && !child.fullPath.empty()) {
            std::uint32_t attributes = files.GetAttributes(child.fullPath);
            if (attributes == platform::attr::kInvalid)
                continue;
            if (attributes & platform::attr::kDirectory) {
                AppendToList(targets.folderList, WithBackslash(child.fullPath));
            } else {
                AppendToList(targets.fileList, child.fullPath);
            }
        }
    }
}

AreaFlags ReadAreaFlags(const TargetTree& tree) {
    return {CheckedKey(tree, kKeyProcesses), CheckedKey(tree, kKeyStartup),
            CheckedKey(tree, kKeyRegDefault), CheckedKey(tree, kKeyRegDeep),
            CheckedKey(tree, kKeyServices)};
}

NodeId CheckTree(TargetTree& tree, platform::FileSystem& files, std::u16string_view typed,
                 bool select) {
    std::u16string path = Trim(typed);
    if (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    if (path.size() < 3 || path[1] != u':' || path[2] != u'\\')
        return kNoNode;
    NodeId node = tree.FindPath(path.substr(0, 3));
    if (node == kNoNode)
        return kNoNode;
    std::size_t at = 3;
    while (at < path.size()) {
        std::size_t slash = path.find(u'\\', at);
        std::size_t end = slash == std::u16string::npos ? path.size() : slash;
        std::u16string prefix = path.substr(0, end);
        tree.Expand(node);
        NodeId next = ChildAt(tree, node, prefix);
        if (next == kNoNode && end == path.size() && files.Exists(prefix) &&
            !files.IsFolder(prefix)) {
            next = tree.AddFileNode(node, prefix);
        }
        if (next == kNoNode)
            return kNoNode;
        node = next;
        at = end + 1;
    }
    tree.SetCheck(node, true);
    if (select)
        tree.Select(node);
    return node;
}

void ApplyPreset(TargetTree& tree, platform::FileSystem& files, platform::System& system,
                 int index) {
    tree.LoadTreeDir();
    switch (index) {
        case 1:
            CheckTree(tree, files, system.WindowsDirectory(), false);
            break;
        case 2:
            CheckTree(tree, files, system.SpecialFolder(platform::csidl::kProgramFiles), false);
            tree.SetCheck(tree.FindKey(kKeyRegDeep), true);
            CheckTree(tree, files, system.WindowsDirectory(), false);
            break;
        case 3:
            tree.SetCheck(tree.FindKey(kKeyComputer), true);
            break;
        default:
            break;
    }
}

bool OnNodeCheck(TargetTree& tree, NodeId id, bool checked, const CheckQuestions& questions) {
    if (id <= tree.Root() || static_cast<std::size_t>(id) >= tree.NodeCount())
        return false;
    const TreeNode& node = tree.Node(id);
    std::u16string_view caption = GuardedCaption(node);
    if (questions.windowLoaded && !checked && !caption.empty()) {
        const config::MessageTable& m = questions.messages;
        std::u16string text = m.Text(config::msg::kAreaOffWarning) + u"\"" +
                              std::u16string(caption) + u"\"\r\n" +
                              m.Text(config::msg::kAreaOffConsequence);
        int answer =
            questions.windows.MessageBox(text, m.Text(config::msg::kWarningTitle),
                                         platform::mb::kYesNo | platform::mb::kIconExclamation);
        if (answer != platform::mb::kAnswerYes)
            return node.checked;
    }
    if (!node.fileSystem && node.key == kKeyRegDeep && questions.passwordGate &&
        !questions.passwordGate()) {
        return node.checked;
    }
    tree.SetCheck(id, checked);
    return checked;
}

}  // namespace vestra
