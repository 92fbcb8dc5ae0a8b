// "Fix All": every result list fixed in one go (viruses, registry values, hidden paths), then,
// when running malware was found and the scan did not cover the whole computer, the offer of a
// full scan.
#pragma once

#include <functional>

#include "config/MessageTable.h"
#include "remediation/FixDetections.h"
#include "remediation/HiddenPaths.h"
#include "scanner/ScanReport.h"
#include "scanner/TargetTree.h"

namespace vestra::remediation {

// The question the pass asks; answers the button pressed (platform::mb::kAnswer...).
class FixAllView {
public:
    virtual ~FixAllView() = default;
    virtual int MessageBox(std::u16string_view /*text*/, std::u16string_view /*title*/,
                           std::uint32_t /*style*/) {
        return platform::mb::kAnswerNo;
    }
};

struct FixAllParts {
    ScanReport& report;
    const config::MessageTable& messages;
    DetectionFixer& detections;
    HiddenPaths& hidden;
    TargetTree& tree;
    FixAllView& view;
    // The registry list's fix-all; absent until registry repair exists.
    std::function<void()> fixRegistry;
    // Clears the report and starts a scan of what the tree now has checked.
    std::function<void()> startScan;
};

// cmdCleanAll. Answers whether a full scan was started.
bool FixAll(const FixAllParts& parts);

}  // namespace vestra::remediation
