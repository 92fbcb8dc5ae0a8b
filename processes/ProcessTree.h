// The running processes as a tree by parent, in the order a tree control adds them: a node
// always comes after its parent's node. Also the text transformation that hides window titles
// and the words of the shut-down commands.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "processes/ProcessList.h"

namespace vestra::processes {

struct TreeNode {
    std::u16string key;        // "K" + id
    std::u16string parentKey;  // empty for a root
    std::u16string text;       // the process name
    std::u16string path;       // for its icon
    std::uint32_t processId = 0;
};

// Roots first (processes whose parent is not listed, or is themselves), in snapshot order;
// then every other process below its parent, each id once. A parent loop made by a reused id
// leaves its members out rather than spinning.
std::vector<TreeNode> BuildProcessTree(const std::vector<ProcessInfo>& entries);

// After every character, `fillers` characters from `pick` (called once per filler; true gives
// the no-break space that marks a concealed title, false a plain space).
inline constexpr char16_t kConcealMarker = u'\u00A0';
std::u16string ConcealText(std::u16string_view text, int fillers,
                           const std::function<bool()>& pick);
// Whether a title should be concealed now: not empty and not already marked.
bool ShouldConceal(std::u16string_view title);
// The title without the fillers that concealing put in.
std::u16string RevealText(std::u16string_view text);

// ExitWindowsEx and power words of the shut-down commands, by their flag: 0 log off, 1 turn
// off, 2 restart, 6 stand by, 7 switch user; empty for anything else.
std::u16string_view ShutdownWord(int flags);

}  // namespace vestra::processes
