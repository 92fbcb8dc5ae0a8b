// Whether a drive's autorun file is suspected and which files it starts. One analysis for every
// caller: the heuristics weigh its targets, the scan run reports suspected autorun files, the
// removable-drive watch checks each new drive. Reads through the seam and the target extraction.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "scanner/ExtractTargets.h"

namespace vestra::protection {

// Texts that only the launchers of known portable software put in their autorun files.
inline constexpr std::u16string_view kTrustedAutorunMarkers =
    u"launchu3|usbavowl|wubi.exe|portableapps";

// True when the autorun file at `path` is suspected. The files it starts are appended to
// `targets` ("|"-joined). A missing file, or one that names a trusted launcher, is not
// suspected.
bool AnalyzeAutorun(platform::FileSystem& files, TargetExtractor& extractor,
                    std::u16string_view path, std::u16string& targets);

}  // namespace vestra::protection
