// The "Fix All" sequence.
#include "remediation/FixAll.h"

namespace vestra::remediation {

bool FixAll(const FixAllParts& parts) {
    parts.detections.FixDetFiles(kScopeAll);
    if (parts.fixRegistry)
        parts.fixRegistry();
    parts.hidden.UnhidePaths(kScopeAll);
    parts.report.SetStatus(u"Fixing all finished");
    if (!parts.report.state.processInfected)
        return false;
    TargetTree& tree = parts.tree;
    NodeId computer = tree.FindKey(kKeyComputer);
    NodeId system = tree.FindKey(kKeySystem);
    auto checked = [&](NodeId id) { return id != kNoNode && tree.Node(id).checked; };
    if (checked(computer) && checked(system))
        return false;
    constexpr std::uint32_t kStyle = platform::mb::kYesNo | platform::mb::kIconExclamation;
    if (parts.view.MessageBox(parts.messages.Text(77), u"Full Scan", kStyle) !=
        platform::mb::kAnswerYes) {
        return false;
    }
    if (computer != kNoNode)
        tree.SetCheck(computer, true);
    if (system != kNoNode)
        tree.SetCheck(system, true);
    if (parts.startScan)
        parts.startScan();
    return true;
}

}  // namespace vestra::remediation
