// The one-time import of the older quarantine store "[VestCage]": files listed in its index
// "Cage.DaB", or without an index every ".vra" file the engine recognises, are quarantined anew
// into the current store; the index and the emptied folder go afterwards.
#pragma once

#include <functional>
#include <string_view>

#include "platform/CodePage.h"
#include "remediation/CageStore.h"
#include "scanner/CheckFile.h"

namespace vestra::remediation {

inline constexpr std::u16string_view kOldCageIndexName = u"Cage.DaB";
inline constexpr std::size_t kOldCageIndexLimit = 512000;

struct OldCageImportParts {
    CageStore& store;
    platform::CodePage& codePage;
    // The engine's check of one file: true with the verdict filled when it is malware.
    std::function<bool(std::u16string_view path, Verdict& verdict)> check;
};

// Answers how many files were imported.
int ImportOldCage(const OldCageImportParts& parts);

}  // namespace vestra::remediation
