// Hidden paths: the test that reports files and folders malware has hidden (hidden or system
// attribute, or a system folder with other attributes than it must have) as rows of the hidden
// list, and the unhide pass that puts their attributes back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "scanner/HiddenPathCheck.h"
#include "scanner/ScanReport.h"

namespace vestra::remediation {

// Icon of a reported row: the window shows the path's own shell icon. Unhidden rows show 0.
inline constexpr int kIconShellOfPath = 1;

// "Normal" when the normal bit is set, else the names of the set bits in the order Folder,
// Archive, Hidden, Read Only, System, Temporary, joined by ", ". Empty for an unreadable path.
std::u16string AttrText(std::uint32_t attributes);

// The shell's type name of a path ("File folder", "Application"); the main window supplies the
// shell's answer, tests and the fallback spell one from the extension.
using TypeNameLookup = std::function<std::u16string(std::u16string_view path, bool folder)>;
std::u16string PlainTypeName(std::u16string_view path, bool folder);

class HiddenPaths {
public:
    HiddenPaths(platform::FileSystem& files, ScanReport& report, TypeNameLookup typeName = {})
        : files_(files), report_(report), typeName_(typeName ? typeName : PlainTypeName) {}

    // Tests one path. `attributes` are those a listing already gave (0: read them now);
    // `expected` 0 asks for neither hidden nor system, any other value for exactly that value.
    // Files count only with a scanned extension, unless `anyExtension` (the search for a file
    // that malware hid behind a copy of itself looks for documents). Recycle bins, volume
    // information, Office owner files, album thumbnails, thumbs.db, desktop.ini and autorun.inf
    // never count. A finding not yet reported becomes a row. Answers whether it is a finding.
    bool CheckHiddenPath(std::u16string_view path, std::uint32_t attributes, std::uint32_t expected,
                         bool anyExtension = false);
    // CheckHiddenPath as the walk and the area phases take it; valid while this object lives.
    HiddenPathCheck Check() {
        return [this](std::u16string_view path, std::uint32_t attributes, std::uint32_t expected,
                      bool anyExtension) {
            return CheckHiddenPath(path, attributes, expected, anyExtension);
        };
    }

    // Unhides the checked rows (scope 1) or all rows (scope 2), with progress on the report.
    void UnhidePaths(int scope);
    // Restores one row's attributes: normal for an empty tag, else the tag's number.
    void UnhidePath(std::size_t index);

private:
    platform::FileSystem& files_;
    ScanReport& report_;
    TypeNameLookup typeName_;
};

}  // namespace vestra::remediation
