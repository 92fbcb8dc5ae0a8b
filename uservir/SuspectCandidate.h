// Which files may be declared a virus by the user, and the risk level the suspect list gives a
// file. Reads the disk and the engine only; the places of the trusted Windows programs are handed
// in, so that the test needs no path table.
#pragma once

#include <string>
#include <string_view>

#include "engine/client/Engine.h"
#include "platform/FileSystem.h"
#include "scanner/SuspectList.h"

namespace vestra::uservir {

// Folders end with a backslash, as in the path table.
struct TrustedPlaces {
    std::u16string systemDir, windowsDir, dllCacheDir, programFilesDir;
    bool vistaOrLater = false;
};

// The Windows programs that are never suspects, by whole path.
bool IsTrustedProgram(const TrustedPlaces& places, std::u16string_view path);

// The file exists and starts with "MZ", or ends in ".VBE" or ".VBS" (any case).
bool IsScriptOrExe(platform::FileSystem& files, std::u16string_view path);

struct CandidateSeams {
    platform::FileSystem& files;
    Engine& engine;
    const TrustedPlaces& trusted;
    std::u16string_view ownExePath;
};

// True when the file may become a user virus: it exists, is a program or script, is neither
// this program nor a trusted Windows program, and the engine can checksum both halves of it.
bool IsSuspectCandidate(const CandidateSeams& seams, std::u16string_view path);

// The level of the first suspect with the file's checksum; 1 when none has it (or the file
// cannot be checksummed).
int UVRiskLevel(Engine& engine, const SuspectList& suspects, std::u16string_view path);

}  // namespace vestra::uservir
