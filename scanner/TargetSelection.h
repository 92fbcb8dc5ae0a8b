// From check marks to scan targets and back: collecting the three path lists and the area flags
// from the target tree, marking a typed path, the scan presets, and the user's own clicks with the
// question that guards the system areas.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/MessageTable.h"
#include "platform/System.h"
#include "platform/WindowSystem.h"
#include "scanner/TargetTree.h"

namespace vestra {

// What one scan run walks, "|"-joined: folders with their subfolders and flat folders (files
// only) each with a trailing backslash, and single files.
struct ScanTargets {
    std::u16string folderList;
    std::u16string fileList;
    std::u16string flatFolderList;
};

struct AreaFlags {
    bool processes = false;
    bool startup = false;
    bool regDefault = false;
    bool regDeep = false;
    bool services = false;
};

// Appends the checked children of `node` to the lists: a files node gives its folder as a flat
// folder, an existing folder or file gives itself, and the computer node and "SPOT" containers
// are descended into. Paths that no longer exist are dropped.
void EnumTree(const TargetTree& tree, platform::FileSystem& files, NodeId node,
              ScanTargets& targets);

AreaFlags ReadAreaFlags(const TargetTree& tree);

// Marks the node of a path (a drive, folder or file, expanding along the way) as checked, and
// selects it when asked. Answers the node, or kNoNode when the path is not found in the tree.
NodeId CheckTree(TargetTree& tree, platform::FileSystem& files, std::u16string_view path,
                 bool select);

// The scan presets by index: the tree is rebuilt, then 0 adds nothing, 1 the Windows folder,
// 2 the program files folder, the deep registry and the Windows folder, 3 every drive.
void ApplyPreset(TargetTree& tree, platform::FileSystem& files, platform::System& system,
                 int index);

// What a user's click on a check box may ask before it takes effect.
struct CheckQuestions {
    platform::WindowSystem& windows;
    const config::MessageTable& messages;
    bool windowLoaded = false;  // no questions while the main window is still loading
    // Asked before the deep registry mark changes; false keeps the old mark. Empty: no lock.
    std::function<bool()> passwordGate;
};

// The user clicked a node's check box to `checked`. Unchecking one of the system areas first asks
// whether scanning should really be switched off there; only Yes removes the mark. Answers the
// mark the node ends with.
bool OnNodeCheck(TargetTree& tree, NodeId id, bool checked, const CheckQuestions& questions);

}  // namespace vestra
