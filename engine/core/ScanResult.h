// What a scan of one file found: its detection, where inside an archive that was, and whether a
// limit, damage or an unreadable member left part of an archive unchecked.
#pragma once

#include <optional>
#include <string>

#include "engine/core/Signature.h"

namespace vestra::engine {

struct ScanResult {
    std::optional<Detection> detection;
    // The member that holds the detection, "inner.zip/eicar.com" for one inside a nested
    // archive; empty when the file itself matched. UTF-8, no control characters.
    std::string member;
    // Scanned, but not fully: something in an archive could not be read or was beyond a limit.
    bool incomplete = false;
};

}  // namespace vestra::engine
