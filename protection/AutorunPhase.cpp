// The autorun-file phase of a scan run.
#include "protection/AutorunPhase.h"

#include "common/TextLists.h"
#include "platform/Text.h"
#include "protection/AutorunAnalysis.h"
#include "scanner/CheckFile.h"
#include "scanner/ScanReport.h"
#include "scanner/StartupFolders.h"

namespace vestra::protection {

int ScanAutorunFiles(const AutorunPhaseParts& parts, PhaseContext& context) {
    int reported = 0;
    ScanState& state = context.report.state;
    const std::u16string roots = DriveRoots(parts.files, true, true);
    for (std::u16string_view root : SplitList(roots)) {
        if (state.stopRequested)
            break;
        const std::u16string path = std::u16string(root) + u"autorun.inf";
        std::u16string targets;
        if (!AnalyzeAutorun(parts.files, parts.extractor, path, targets))
            continue;
        if (!InList(state.detectedPaths, LowerCase(path))) {
            context.report.AddDetection(
                {u"Autorun.INF", u"Suspected INF", path, u"Suspected Autorun", kActionDelete},
                true);
            ++reported;
        }
        for (std::u16string_view target : SplitList(targets))
            parts.walk.ScanFile(StoredSpelling(parts.files, target),
                                {.recurse = false, .checkHidden = false, .count = false});
        if (context.pump)
            context.pump();
    }
    return reported;
}

void InstallAutorunPhase(AreaPhases& phases, const AutorunPhaseParts& parts) {
    phases[AreaPhase::AutorunFiles] = [&parts](PhaseContext& context, PhaseForm form) {
        if (form == PhaseForm::First)
            ScanAutorunFiles(parts, context);
    };
}

}  // namespace vestra::protection
