// Process snapshot and its tree queries.
#include "processes/ProcessList.h"

#include <algorithm>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra::processes {
namespace {

bool IsKernelProcess(std::uint32_t processId) {
    return processId == kIdleProcessId || processId == kSystemProcessId;
}

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    for (std::size_t at = text.find(from); at != std::u16string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::u16string NormalizeNtPath(std::u16string_view path, std::u16string_view windowsDir) {
    constexpr std::u16string_view kSystemRoot = u"\\systemroot\\";
    std::u16string result(path);
    std::u16string lower = LowerCase(path);
    if (std::size_t at = lower.find(kSystemRoot); at != std::u16string::npos) {
        result = lower;
        result.replace(at, kSystemRoot.size(), windowsDir);
    }
    ReplaceAll(result, u"\\??\\", u"");
    return result;
}

std::u16string ProcessList::ProcessPathOf(std::uint32_t processId) {
    auto image = processes_.ImagePath(processId);
    std::u16string path = image ? TextBeforeNul(*image, false) : std::u16string();
    if (path.empty() && !IsKernelProcess(processId)) {
        if (auto modules = processes_.Modules(processId); modules && !modules->empty())
            path = TextBeforeNul(modules->front(), false);
    }
    return NormalizeNtPath(path, windowsDir_);
}

int ProcessList::Refresh() {
    auto snapshot = processes_.Snapshot();
    if (!snapshot || snapshot->empty())
        return -1;
    std::vector<ProcessInfo> entries;
    entries.reserve(snapshot->size());
    std::u16string ids;
    for (const platform::ProcessEntry& entry : *snapshot) {
        ProcessInfo info;
        info.processId = entry.processId;
        info.parentId = entry.parentId;
        info.name = TextBeforeNul(entry.exeName, false);
        std::u16string path = ProcessPathOf(entry.processId);
        auto resolve = [&](std::u16string_view p) {
            auto longPath = files_.LongPathName(p);
            return longPath ? *longPath : std::u16string(p);
        };
        if (!path.empty()) {
            // Only an 8.3 component (it holds a "~") has a longer spelling, and asking the file
            // system for every process would cost most of a listing.
            info.path = path.find(u'~') != std::u16string::npos ? resolve(path) : path;
        } else {
            info.path = resolve(info.name);
            if (IsKernelProcess(entry.processId) || !files_.Exists(info.path))
                info.path = kNoPath;
        }
        if (info.name.find(u'?') != std::u16string::npos && info.path != kNoPath)
            info.name = FileNameOf(info.path, true);
        if (auto created = processes_.CreationTime(entry.processId))
            info.creationTime = *created;
        ids += u'|';
        ids += ToText(entry.processId);
        entries.push_back(std::move(info));
    }
    entries_ = std::move(entries);
    idList_ = ids + u"|";
    return static_cast<int>(entries_.size()) + 1;
}

const ProcessInfo* ProcessList::Find(std::uint32_t processId) const {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const ProcessInfo& p) { return p.processId == processId; });
    return it == entries_.end() ? nullptr : &*it;
}

std::vector<std::uint32_t> ProcessList::FindProcessesByPath(std::u16string_view path) {
    Refresh();
    std::vector<std::uint32_t> found;
    for (const ProcessInfo& p : entries_) {
        if (SamePath(p.path, path))
            found.push_back(p.processId);
    }
    return found;
}

void ProcessList::Descend(std::uint32_t processId, std::vector<std::uint32_t>& found) const {
    for (const ProcessInfo& p : entries_) {
        // The idle process is its own parent; a seen id also guards against a parent loop that
        // id reuse can make.
        if (p.parentId != processId || p.processId == processId ||
            std::find(found.begin(), found.end(), p.processId) != found.end()) {
            continue;
        }
        found.push_back(p.processId);
        Descend(p.processId, found);
    }
}

std::vector<std::uint32_t> ProcessList::DescendantsOf(std::uint32_t processId) const {
    std::vector<std::uint32_t> found;
    Descend(processId, found);
    return found;
}

bool ProcessList::IsInTree(std::uint32_t processId, std::uint32_t root) const {
    if (processId == root)
        return true;
    const std::vector<std::uint32_t> tree = DescendantsOf(root);
    return std::find(tree.begin(), tree.end(), processId) != tree.end();
}

}  // namespace vestra::processes
