// The snapshot of running processes every other part reads: name, image path (or "N/A"), parent,
// id and creation time, replaced whole by each refresh. Also the tree queries over one snapshot
// (descendants, the system tree under the idle process). Reads through the platform seam only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace vestra::processes {

inline constexpr std::u16string_view kNoPath = u"N/A";
inline constexpr std::uint32_t kIdleProcessId = 0;
inline constexpr std::uint32_t kSystemProcessId = 4;

struct ProcessInfo {
    std::u16string name;
    std::u16string path;  // full image path, or "N/A"
    std::uint32_t parentId = 0;
    std::uint32_t processId = 0;
    // With the id, what says that a later action still meets the listed process; 0 when the
    // process could not be asked (a protected one).
    std::uint64_t creationTime = 0;
};

// When the path holds "\SystemRoot\", the whole path is lower-cased and that part becomes the
// Windows folder; every "\??\" is removed.
std::u16string NormalizeNtPath(std::u16string_view path, std::u16string_view windowsDir);

class ProcessList {
public:
    // `windowsDir` ends with a backslash.
    ProcessList(platform::Processes& processes, platform::FileSystem& files,
                std::u16string windowsDir)
        : processes_(processes), files_(files), windowsDir_(std::move(windowsDir)) {}

    // Count + 1, or -1 when the snapshot cannot be taken (the previous list then stays).
    int Refresh();

    const std::vector<ProcessInfo>& entries() const { return entries_; }
    // "|" + ids joined by "|" + "|".
    const std::u16string& idList() const { return idList_; }
    const ProcessInfo* Find(std::uint32_t processId) const;

    // The image path of one process as the refresh finds it (empty when it cannot be found).
    std::u16string ProcessPathOf(std::uint32_t processId);
    // Refreshes, then the ids of every process whose path is `path`.
    std::vector<std::uint32_t> FindProcessesByPath(std::u16string_view path);
    // Over the current snapshot: children, grandchildren... of `processId`, parents first.
    std::vector<std::uint32_t> DescendantsOf(std::uint32_t processId) const;
    bool IsInTree(std::uint32_t processId, std::uint32_t root) const;

private:
    void Descend(std::uint32_t processId, std::vector<std::uint32_t>& found) const;

    platform::Processes& processes_;
    platform::FileSystem& files_;
    std::u16string windowsDir_;
    std::vector<ProcessInfo> entries_;
    std::u16string idList_ = u"||";
};

}  // namespace vestra::processes
