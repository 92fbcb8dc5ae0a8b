// Finding the files a command line names: the program a command or registry value runs, and the
// files given on a running process's command line, each put to the single-file check.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/System.h"
#include "scanner/CheckFile.h"
#include "scanner/CommandToPath.h"
#include "scanner/ExtractTargets.h"

namespace vestra::processes {

// Removes leading and trailing double quotes, as many as there are.
std::u16string StripQuotes(std::u16string_view text);
// Splits at single spaces, joining a quoted argument that holds spaces back together; every
// argument loses its quotes.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

struct CommandLineHit {
    Verdict verdict;
    std::u16string path;  // the detected file
};

// The last file named in the command line that the check detects: first the arguments that are
// existing paths, then (when none was) the files that the text names after a drive.
std::optional<CommandLineHit> CheckCommandLineFiles(std::u16string_view commandLine,
                                                    FileChecker& checker,
                                                    platform::FileSystem& files,
                                                    TargetExtractor& extractor);

}  // namespace vestra::processes
