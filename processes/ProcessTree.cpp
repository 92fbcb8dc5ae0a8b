// The process tree, concealed titles and shut-down words.
#include "processes/ProcessTree.h"

#include <unordered_set>

#include "platform/Text.h"

namespace vestra::processes {
namespace {

std::u16string KeyOf(std::uint32_t processId) {
    // Appended rather than "K" + text, which GCC 12 misreads as an overlapping copy.
    std::u16string key(u"K");
    key += ToText(processId);
    return key;
}

}  // namespace

std::vector<TreeNode> BuildProcessTree(const std::vector<ProcessInfo>& entries) {
    std::unordered_set<std::uint32_t> listed, placed;
    for (const ProcessInfo& p : entries)
        listed.insert(p.processId);
    std::vector<TreeNode> nodes;
    auto place = [&](const ProcessInfo& p, bool root) {
        nodes.push_back(
            {KeyOf(p.processId), root ? u"" : KeyOf(p.parentId), p.name, p.path, p.processId});
        placed.insert(p.processId);
    };
    for (const ProcessInfo& p : entries) {
        if ((!listed.count(p.parentId) || p.parentId == p.processId) && !placed.count(p.processId))
            place(p, true);
    }
    // Each round places the children of the nodes placed so far; a round that places nothing
    // means the rest hang on a loop.
    for (bool more = true; more;) {
        more = false;
        for (const ProcessInfo& p : entries) {
            if (!placed.count(p.processId) && placed.count(p.parentId)) {
                place(p, false);
                more = true;
            }
        }
    }
    return nodes;
}

std::u16string ConcealText(std::u16string_view text, int fillers,
                           const std::function<bool()>& pick) {
    std::u16string result;
    for (char16_t c : text) {
        result += c;
        for (int i = 0; i < fillers; ++i)
            result += pick() ? kConcealMarker : u' ';
    }
    return result;
}

bool ShouldConceal(std::u16string_view title) {
    return !title.empty() && title.find(kConcealMarker) == std::u16string_view::npos;
}

std::u16string RevealText(std::u16string_view text) {
    // Concealing puts exactly one filler after every character, so every second character is
    // a filler.
    std::u16string result;
    for (std::size_t i = 0; i < text.size(); i += 2)
        result += text[i];
    return result;
}

std::u16string_view ShutdownWord(int flags) {
    switch (flags) {
        case 0:
            return u"Log Off";
        case 1:
            return u"Turn Off";
        case 2:
            return u"Restart";
        case 6:
            return u"Stand By";
        case 7:
            return u"Switch User";
        default:
            return u"";
    }
}

}  // namespace vestra::processes
