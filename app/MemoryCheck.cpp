// Start-up memory check.
#include "app/MemoryCheck.h"

#include <algorithm>

#include "app/ProductNames.h"
#include "common/TextLists.h"
#include "scanner/CheckFile.h"

namespace vestra {

processes::ProcessKitSetup ProcessSetupOf(const AppState& state) {
    processes::ProcessKitSetup setup;
    setup.folders = {state.paths.windowsDir, state.paths.systemDir, state.paths.dllCacheDir,
                     state.paths.programFilesDir, state.os.IsPreVista()};
    setup.systemRoot = state.paths.systemRoot;
    setup.ownProcessId = state.ownProcessId;
    Engine* engine = state.engine.get();
    setup.forcedKill = [engine](std::uint32_t processId) {
        return engine != nullptr && engine->SuperKill(processId);
    };
    return setup;
}

bool RunStartupMemoryCheck(platform::Platform& os, AppState& state,
                           const std::function<std::u16string()>& infectedText) {
    state.startupDetections.clear();
    if (!state.engine)
        return false;
    processes::ProcessKit kit(os, ProcessSetupOf(state));
    FileChecker checker(*state.engine, os.files);
    state.startupDetections = processes::KillDetectedProcesses(kit.sweep, checker);
    if (state.startupDetections.empty())
        return false;
    os.system.Sleep(kSecondSweepDelayMs);
    // A process that the first sweep ended may still be listed while others hold it open; the
    // same file is reported once.
    for (processes::ProcessDetection& row : processes::KillDetectedProcesses(kit.sweep, checker)) {
        if (state.startupDetections.size() >= processes::kStartupDetectionRoom)
            break;
        const bool listed =
            std::any_of(state.startupDetections.begin(), state.startupDetections.end(),
                        [&](const processes::ProcessDetection& known) {
                            return SamePath(known.path, row.path);
                        });
        if (!listed)
            state.startupDetections.push_back(std::move(row));
    }
    if (!state.startedFromVrs) {
        os.windows.MessageBox(infectedText(), kProductName, platform::mb::kIconExclamation);
    }
    return true;
}

}  // namespace vestra
