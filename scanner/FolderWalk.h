// The three routines a scan run drives over its targets: the counting pass, the folder walk and
// the per-file step with its shortcut and task-file check. Each directory is listed once, each
// file goes to the single-file check once per visit, and the window's events are let through
// after every directory entry so Skip and Stop can land.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "scanner/CheckFile.h"
#include "scanner/ExtractTargets.h"
#include "scanner/HiddenPathCheck.h"
#include "scanner/ScanReport.h"

namespace vestra {

// The extensions tried, in order, for the document a detected program may stand in for.
inline constexpr std::u16string_view kDecoyExtensions =
    u"doc|jpg|mp3|3gp|bmp|txt|xls|pdf|docx|xlsx|ppt|pptx|mpg|mpeg|avi|zip|rar|wmv";

// How a target is walked.
struct WalkOptions {
    bool recurse = true;       // into subfolders (folders only)
    bool checkHidden = false;  // subfolders and clean files go to the hidden-path test
    bool count = true;         // files and folders done count towards the progress
};

struct WalkParts {
    platform::FileSystem& files;
    FileChecker& checker;
    ScanReport& report;
    TargetExtractor& extractor;
    // Empty: nothing counts as hidden.
    HiddenPathCheck checkHidden;
};

class FolderWalk {
public:
    explicit FolderWalk(const WalkParts& parts) : parts_(parts) {}

    // Called after every directory entry (the window's message pump).
    std::function<void()> pump;
    // Whether a folder (without its trailing backslash) is on the folder exception list.
    std::function<bool(std::u16string_view folder)> isExcludedFolder;

    // Adds the files of `folder` (and, with `recurse`, of its subfolders) to `files` and the
    // folder itself and every subfolder once to `folders`; stops when skipping is requested.
    void CountTree(std::u16string_view folder, std::int32_t& files, std::int32_t& folders,
                   bool recurse);

    // Depth-first walk: a folder's own files in listing order, then each subfolder. Folders on
    // the exception list are left out with everything below them; a stop request ends the walk
    // at the next entry, pending subfolders included. A subfolder that cannot be listed is left
    // out and the walk goes on with the next.
    void ScanFolder(std::u16string_view folder, const WalkOptions& options);

    // One file: its shortcut targets, then the check; a detection becomes one row per long path
    // and run, followed by the search for the original it hid. Otherwise, with `checkHidden`, the
    // hidden-path test. `attributes` are the listing's, when known.
    void ScanFile(std::u16string_view path, const WalkOptions& options,
                  std::uint32_t attributes = 0);

    // For .lnk and .job files: every existing program they name that the check detects is
    // scanned, and the link itself gets a row of its own. Shortcuts are read as shell links
    // (a .lnk that is not a valid one is searched as text), task files as text.
    void CheckLinkTargets(std::u16string_view path);

private:
    struct Listing {
        std::u16string folder;  // with trailing backslash
        std::vector<std::u16string> subfolders;
        std::size_t next = 0;
    };

    bool ListFolder(std::u16string_view folder, const WalkOptions& options, Listing& out);
    void EntryCounted(std::int32_t files, std::int32_t folders);
    void SearchHiddenOriginal(std::u16string_view detectedPath);
    std::u16string LinkTargets(std::u16string_view path);
    void Pump() {
        if (pump)
            pump();
    }
    bool CheckHidden(std::u16string_view path, std::uint32_t attributes, bool anyExtension) {
        return parts_.checkHidden && parts_.checkHidden(path, attributes, 0, anyExtension);
    }

    WalkParts parts_;
    std::vector<std::u16string> openLinks_;  // links being followed: a link naming itself stops
};

}  // namespace vestra
