// The model of the scan page's target tree: the fixed area nodes, one node per drive, folder
// nodes read when a node is expanded, and check marks that spread to children and re-mark
// ancestors so that the checked targets can be collected. The window mirrors it in a tree control
// through `onChange` and reports the user's clicks back (see TargetSelection.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace vestra {

// Keys of the fixed nodes, and of containers whose children are collected instead of themselves.
inline constexpr std::u16string_view kKeyComputer = u"COMP";
inline constexpr std::u16string_view kKeySystem = u"SYS";
inline constexpr std::u16string_view kKeyProcesses = u"PROC";
inline constexpr std::u16string_view kKeyServices = u"SERV";
inline constexpr std::u16string_view kKeyRegistry = u"REG";
inline constexpr std::u16string_view kKeyRegDefault = u"REGDEF";
inline constexpr std::u16string_view kKeyRegDeep = u"REGEX";
inline constexpr std::u16string_view kKeyStartup = u"STARTUP";
inline constexpr std::u16string_view kKeySpot = u"SPOT";

// The caption of the node that stands for the files directly in a folder; its path is the folder
// followed by "\..".
inline constexpr std::u16string_view kFilesNodeText = u"... <file>";

using NodeId = std::int32_t;
inline constexpr NodeId kNoNode = -1;

enum class NodeIcon : std::uint8_t {
    Computer,
    SystemArea,
    Processes,
    Services,
    Registry,
    RegistryDefault,
    RegistryDeep,
    Startup,
    DriveRemovable,
    DriveFixed,
    DriveCdRom,
    DriveOther,
    Folder,
    Files,
    File,
};

struct TreeNode {
    std::u16string text;
    std::u16string key;       // fixed key, "SPOT", or empty for file-system nodes
    std::u16string fullPath;  // "C:\", "C:\dir", "C:\dir\..", "C:\dir\a.exe"; empty for areas
    NodeIcon icon = NodeIcon::Folder;
    NodeId parent = kNoNode;
    std::vector<NodeId> children;
    bool checked = false;
    bool expandable = false;  // shows an expand button
    bool loaded = false;      // its folder has been read
    bool fileSystem = false;  // drive, folder, files node or file
};

enum class TreeChange : std::uint8_t {
    Rebuilt,        // everything changed (LoadTreeDir)
    ChildrenAdded,  // the node got its children
    Marked,         // the node's check mark or key changed
    Selected,       // the node became the selected one
};

// "Local Disk (C:)": the volume label, or a name by drive type, and the letter when asked.
std::u16string DriveName(platform::FileSystem& files, std::u16string_view root, bool withLetter);

class TargetTree {
public:
    explicit TargetTree(platform::FileSystem& files) : files_(files) { LoadTreeDir(); }

    // Clears and builds the tree: the fixed nodes (the system areas, processes, services, the
    // default registry depth and start-up checked; the deep registry not) and one node per drive.
    void LoadTreeDir();

    // The invisible root whose children are the fixed top-level nodes.
    NodeId Root() const { return 0; }
    const TreeNode& Node(NodeId id) const { return nodes_.at(static_cast<std::size_t>(id)); }
    std::size_t NodeCount() const { return nodes_.size(); }
    // The node of a fixed key, or kNoNode.
    NodeId FindKey(std::u16string_view key) const;
    // The node whose full path is `path` (trimmed, any case), among the nodes made so far.
    NodeId FindPath(std::u16string_view path) const;
    NodeId Selected() const { return selected_; }
    void Select(NodeId id);

    // Reads a drive's or folder's children once: one node per subfolder in listing order, then
    // the files node when the folder holds files. Children of a fully checked node come checked.
    void Expand(NodeId id);
    // A file's own node under its folder's node (made once); kNoNode when `folder` is not a
    // file-system node.
    NodeId AddFileNode(NodeId folder, std::u16string_view path);

    // Sets the mark of a node and all its descendants, then re-marks the ancestors: a file-system
    // ancestor whose children are all fully checked is checked with the empty key, one with some
    // checked is checked with the key "SPOT", one with none is unchecked; the computer and registry
    // nodes are checked while any child is.
    void SetCheck(NodeId id, bool checked);

    std::function<void(TreeChange, NodeId)> onChange;

private:
    NodeId AddNode(NodeId parent, TreeNode node);
    void MarkDown(NodeId id, bool checked);
    void MarkAncestors(NodeId id);
    void Notify(TreeChange change, NodeId id) {
        if (onChange)
            onChange(change, id);
    }

    platform::FileSystem& files_;
    std::vector<TreeNode> nodes_;
    NodeId selected_ = kNoNode;
};

}  // namespace vestra
