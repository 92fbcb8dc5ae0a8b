// Which files can be suspects at all: programs and scripts that are neither this program nor one
// of the programs Windows itself starts. The heuristics weigh only these, and the user may
// declare only these a virus, so both ask here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/System.h"

namespace vestra {

// Folders end with a backslash, as in the path table.
struct TrustedPlaces {
    std::u16string systemDir, windowsDir, dllCacheDir, programFilesDir;
    bool vistaOrLater = false;
};

// The places of the running system.
TrustedPlaces TrustedPlacesOf(platform::System& system);

// The Windows programs that are never suspects, by whole path.
bool IsTrustedProgram(const TrustedPlaces& places, std::u16string_view path);

// The file exists and starts with "MZ", or ends in ".VBE" or ".VBS" (any case).
bool IsScriptOrExe(platform::FileSystem& files, std::u16string_view path);

struct CandidateTest {
    platform::FileSystem& files;
    const TrustedPlaces& trusted;
    std::u16string_view ownExePath;
    // The engine's checksum text of a file: two halves joined by "|".
    std::function<std::u16string(std::u16string_view)> checksumText;
};

// A program or script, neither this program nor a trusted Windows program, whose checksum has
// both halves (the engine could read it).
bool IsSuspectCandidate(const CandidateTest& test, std::u16string_view path);

}  // namespace vestra
