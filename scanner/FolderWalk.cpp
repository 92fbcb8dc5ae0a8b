// Counting pass, folder walk and per-file step.
#include "scanner/FolderWalk.h"

#include <algorithm>
#include <vector>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/ScanTexts.h"
#include "scanner/ShellLink.h"

namespace vestra {
namespace {

namespace attr = platform::attr;

std::u16string WithBackslash(std::u16string_view path) {
    std::u16string out(path);
    if (out.empty() || out.back() != u'\\')
        out.push_back(u'\\');
    return out;
}

std::u16string_view WithoutBackslash(std::u16string_view path) {
    if (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    return path;
}

bool IsDotEntry(std::u16string_view name) {
    return name == u"." || name == u"..";
}

std::u16string_view DetectionKind(std::u16string_view action) {
    if (action == kActionInjected)
        return u"Injected Exe";
    if (action == kActionDelete)
        return u"Virus File";
    if (action == kActionCage)
        return u"Infected File";
    if (action == kActionClean)
        return u"Infected Document";
    return {};
}

bool IsShortcut(std::u16string_view path) {
    return EndsWithNoCase(path, u".lnk");
}
bool IsTaskFile(std::u16string_view path) {
    return EndsWithNoCase(path, u".job");
}

}  // namespace

void FolderWalk::CountTree(std::u16string_view folder, std::int32_t& files, std::int32_t& folders,
                           bool recurse) {
    ScanState& state = parts_.report.state;
    struct Open {
        std::u16string folder;
        std::vector<platform::FindEntry> entries;
        std::size_t next = 0;
    };
    // A subfolder is counted where the listing meets it, and its entry is done once it is.
    std::vector<Open> stack;
    auto enter = [&](std::u16string path) {
        auto entries = parts_.files.Find(path + u"*");
        if (!entries)
            return false;
        ++folders;
        stack.push_back({std::move(path), std::move(*entries), 0});
        return true;
    };
    enter(WithBackslash(folder));
    while (!stack.empty()) {
        Open& top = stack.back();
        if (state.skipRequested || top.next == top.entries.size()) {
            stack.pop_back();
            if (!stack.empty())
                EntryCounted(files, folders);
            continue;
        }
        const platform::FindEntry& entry = top.entries[top.next++];
        if ((entry.attributes & attr::kDirectory) == 0) {
            ++files;
        } else if (recurse && !IsDotEntry(entry.name) && enter(top.folder + entry.name + u"\\")) {
            continue;
        }
        EntryCounted(files, folders);
    }
}

void FolderWalk::EntryCounted(std::int32_t files, std::int32_t folders) {
    Pump();
    parts_.report.state.statusText = AnalyzingStatus(files, folders);
}

bool FolderWalk::ListFolder(std::u16string_view folder, const WalkOptions& options, Listing& out) {
    out.folder = WithBackslash(folder);
    if (isExcludedFolder && isExcludedFolder(WithoutBackslash(out.folder)))
        return false;
    auto entries = parts_.files.Find(out.folder + u"*");
    if (!entries)
        return false;
    ScanState& state = parts_.report.state;
    for (const platform::FindEntry& entry : *entries) {
        Pump();
        if (state.stopRequested)
            break;
        if (IsDotEntry(entry.name))
            continue;
        std::u16string path = out.folder + entry.name;
        if ((entry.attributes & attr::kDirectory) == 0) {
            ScanFile(path, options, entry.attributes);
            continue;
        }
        if (options.checkHidden) {
            ++state.pathsScanned;
            CheckHidden(path, entry.attributes, false);
        }
        if (options.recurse)
            out.subfolders.push_back(std::move(path));
    }
    return true;
}

void FolderWalk::ScanFolder(std::u16string_view folder, const WalkOptions& options) {
    ScanState& state = parts_.report.state;
    // An explicit stack instead of recursion: the depth of a folder tree is the disk's to choose.
    std::vector<Listing> stack(1);
    if (!ListFolder(folder, options, stack.back()))
        return;
    while (!stack.empty()) {
        if (state.stopRequested)
            return;
        Listing& top = stack.back();
        if (top.next == top.subfolders.size()) {
            stack.pop_back();
            if (stack.empty())
                return;
            if (options.count)
                ++state.foldersDone;  // the subfolder just finished
            continue;
        }
        std::u16string sub = top.subfolders[top.next++];
        Listing child;
        // Only a recursing walk has subfolders to go into.
        if (ListFolder(sub, options, child) && !child.subfolders.empty()) {
            stack.push_back(std::move(child));
            continue;
        }
        if (state.stopRequested)
            return;
        if (options.count)
            ++state.foldersDone;
    }
}

void FolderWalk::ScanFile(std::u16string_view path, const WalkOptions& options,
                          std::uint32_t attributes) {
    ScanState& state = parts_.report.state;
    state.currentPath = path;
    CheckLinkTargets(path);
    if (auto verdict = parts_.checker.CheckFile(path)) {
        std::u16string longPath = parts_.files.LongPathName(path).value_or(std::u16string(path));
        if (!InList(state.detectedPaths, LowerCase(longPath))) {
            parts_.report.AddDetection({verdict->lastVirusName, verdict->lastVirusType, longPath,
                                        DetectionKind(verdict->lastAction), verdict->lastAction},
                                       true);
            SearchHiddenOriginal(longPath);
        }
    } else if (options.checkHidden) {
        CheckHidden(path, attributes, false);
    }
    if (options.count)
        ++state.filesScanned;
}

void FolderWalk::SearchHiddenOriginal(std::u16string_view detectedPath) {
    std::u16string base = FolderOf(detectedPath) + FileNameOf(detectedPath, false);
    if (CheckHidden(base, 0, true))
        return;
    for (std::u16string_view extension : SplitList(kDecoyExtensions)) {
        if (CheckHidden(base + u"." + std::u16string(extension), 0, true)) {
            return;
        }
    }
}

// Task files are searched as text; shortcuts through their link data, or as text when that
// names nothing.
std::u16string FolderWalk::LinkTargets(std::u16string_view path) {
    if (!IsShortcut(path))
        return parts_.extractor.ExtractTargets(path, kDriveMarker, u"");
    return parts_.extractor.ShortcutTargets(path);
}

void FolderWalk::CheckLinkTargets(std::u16string_view path) {
    if (!IsShortcut(path) && !IsTaskFile(path))
        return;
    for (const std::u16string& open : openLinks_) {
        if (SamePath(open, path))
            return;
    }
    openLinks_.emplace_back(path);
    std::u16string_view kind = IsShortcut(path) ? u"Infected Shortcut" : u"Infected Task Schedule";
    std::u16string targets = LinkTargets(path);
    for (std::u16string_view named : SplitList(targets)) {
        std::u16string target = StoredSpelling(parts_.files, named);
        auto verdict = parts_.checker.CheckFile(target);
        if (!verdict)
            continue;
        ScanFile(target, {.recurse = false, .checkHidden = false, .count = false});
        if (!InList(parts_.report.state.detectedPaths, LowerCase(path))) {
            parts_.report.AddDetection(
                {verdict->lastVirusName, verdict->lastVirusType, path, kind, verdict->lastAction},
                true);
        }
    }
    openLinks_.pop_back();
}

}  // namespace vestra
