// Which files may be declared a virus by the user (the suspect test of the heuristics, asked
// of this program's engine), and the risk level the suspect list gives a file.
#pragma once

#include <string>
#include <string_view>

#include "engine/client/Engine.h"
#include "platform/FileSystem.h"
#include "scanner/SuspectCandidate.h"
#include "scanner/SuspectList.h"

namespace vestra::uservir {

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
