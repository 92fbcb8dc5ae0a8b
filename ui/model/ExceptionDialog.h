// The exception window's rules without the window: the open-file dialog's filter, the reading of
// its single or multiple answer, what a typed path is, and the rows the window shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ExceptionList.h"
#include "platform/FileSystem.h"

namespace vestra::ui {

// The filter pairs of the open-file dialog, each text ended by a NUL and the whole by another:
// "Virus Type (*.exe,*.scr,...)" with "*.exe;*.scr;..." and "All Files (*.*)" with "*.*".
std::u16string ExceptionFileFilter();

// The files an open-file answer names. A single answer is one path; a multiple one is the folder
// followed by file names, all NUL-separated and ended by two NULs. A single answer counts only
// when it is an existing file; a multiple one only when its folder exists and a name follows.
std::vector<std::u16string> FilesOfOpenAnswer(std::u16string_view buffer,
                                              platform::FileSystem& files);

// The kind a typed path is added as: an existing file or folder, nothing (message 79) for
// anything else. Blanks around the text are ignored.
std::optional<config::ExceptionKind> KindOfTypedPath(std::u16string_view typed,
                                                     platform::FileSystem& files);

struct ExceptionRow {
    std::u16string_view kindWord;  // "Folder", "File", "Registry"
    std::u16string path;
    std::u16string valueName;  // the row's key
};
// The rows of the list after a (re)load: folders, then files, then registry entries.
std::vector<ExceptionRow> ExceptionRows(const config::ExceptionList& list);

}  // namespace vestra::ui
