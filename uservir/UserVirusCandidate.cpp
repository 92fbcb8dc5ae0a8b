// The candidate test and the risk level of a file.
#include "uservir/UserVirusCandidate.h"

namespace vestra::uservir {
bool IsSuspectCandidate(const CandidateSeams& seams, std::u16string_view path) {
    Engine& engine = seams.engine;
    return vestra::IsSuspectCandidate(
        {seams.files, seams.trusted, seams.ownExePath,
         [&engine](std::u16string_view file) { return engine.ChecksumText(file); }},
        path);
}

int UVRiskLevel(Engine& engine, const SuspectList& suspects, std::u16string_view path) {
    const std::u16string checksum = engine.ChecksumText(path);
    if (checksum.empty())
        return 1;
    for (const Suspect& suspect : suspects) {
        if (suspect.checksum == checksum)
            return suspect.level;
    }
    return 1;
}

}  // namespace vestra::uservir
