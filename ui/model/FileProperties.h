// What the file properties window shows about one file and, while it runs, its process: the
// header, the process rows, the twelve version strings and the loaded modules, gathered through
// the platform seam so that the window only copies them into its controls. Window-free.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/VersionInfo.h"

namespace vestra::ui {

// The file the window is about; processId 0 when it is not a running process.
struct FilePropertiesSubject {
    std::u16string path;
    std::uint32_t processId = 0;
};

struct FilePropertiesSeams {
    platform::FileSystem& files;
    platform::VersionInfo& versions;
    platform::Processes& processes;
};

struct PropertyRow {
    std::u16string name;
    std::u16string value;
};

struct ModuleEntry {
    std::u16string name;  // the file name
    std::u16string description;
    std::u16string path;
};

// The texts of the window in one language (0 Indonesian, anything else English).
struct FilePropertiesTexts {
    std::u16string_view captionSuffix;  // after the file name
    std::u16string_view nameLabel;
    std::u16string_view descriptionLabel;
    std::array<std::u16string_view, 3> tabs;
    std::array<std::u16string_view, 2> infoColumns;
    std::array<std::u16string_view, 4> moduleColumns;
    std::array<std::u16string_view, 8> infoRows;
    std::array<std::u16string_view, 3> moduleMenu;  // Explore, Google, Properties
    std::u16string_view close;
};
const FilePropertiesTexts& FilePropertiesTextsFor(int language);

struct FileProperties {
    std::u16string caption;
    std::u16string nameLine;
    std::u16string descriptionLine;
    std::vector<PropertyRow> processInfo;  // eight rows
    std::vector<PropertyRow> fileVersion;  // twelve rows, named as in the version resource
    // The process id still names a process running this file: its memory and modules show.
    bool processRunning = false;
};

FileProperties GatherFileProperties(const FilePropertiesSeams& seams,
                                    const FilePropertiesSubject& subject, int language);

// The paths of the process's loaded modules, the image first. Empty when the process cannot be
// opened, has ended, or its id now belongs to another program.
std::vector<std::u16string> ModulePaths(const FilePropertiesSeams& seams,
                                        const FilePropertiesSubject& subject);
// One module's row; nullopt when its file does not exist (any more).
std::optional<ModuleEntry> DescribeModule(const FilePropertiesSeams& seams,
                                          std::u16string_view path);
// Both of the above: the rows of the module list.
std::vector<ModuleEntry> GatherModules(const FilePropertiesSeams& seams,
                                       const FilePropertiesSubject& subject);

// A byte count as whole kilobytes (rounded down) followed by " KB".
std::u16string KiloBytesText(std::uint64_t bytes);

// The address of a web search for the text.
std::u16string WebSearchAddress(std::u16string_view text);

}  // namespace vestra::ui
