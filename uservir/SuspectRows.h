// The suspected-files list of the user-virus page as rows: name, risk level, risk description,
// size in KB and path, one row per suspect in the order of the suspect list.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "scanner/ResultList.h"
#include "scanner/SuspectList.h"

namespace vestra::uservir {

namespace unwanted_column {
inline constexpr std::size_t kName = 0, kRiskLevel = 1, kRiskDescription = 2, kSizeKB = 3,
                             kPath = 4;
}

// An empty list with the five columns.
ResultList MakeSuspectRows();

// Why the program is suspected, then " as : " and the word of its level, e.g.
// "Process, Start-Up as : Unknown". The reasons are the source kinds that refer to it, at its
// first place or at any further one.
std::u16string RiskDescription(const Suspect& suspect);

// RefreshUnkList: the rows again from the suspect list; each row's tag is the suspect's path.
void FillSuspectRows(ResultList& rows, const SuspectList& suspects, platform::FileSystem& files);

}  // namespace vestra::uservir
