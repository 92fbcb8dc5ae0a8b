// Vestra.exe's Windows entry: builds the real seam, registers the common controls, runs the
// start-up sequence and enters the run mode it chose. All decisions live in app/Entry.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <optional>

#include "app/Entry.h"
#include "app/HeuristicsKit.h"
#include "app/ProgramConfig.h"
#include "platform/win32/Win32Platform.h"
#include "scanner/ScanRun.h"
#include "ui/host/HostWindow.h"
#include "ui/main/MainWindow.h"

namespace {

// End-to-end tests set VESTRA_TEST_PUMP_DELAY_MS to hold a scan in its counting or walking state
// long enough to click Skip or Stop. Unset (the variable comes back unexpanded) or not a plain
// number of at most a second, it is 0: the run does not wait.
std::uint32_t TestPumpDelayMs(vestra::platform::System& system) {
    const std::u16string text = system.ExpandEnvironment(u"%VESTRA_TEST_PUMP_DELAY_MS%");
    std::uint32_t ms = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9' || ms > 100)
            return 0;
        ms = ms * 10 + (c - u'0');
    }
    return ms <= 1000 ? ms : 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The start-up messages come before any window; the main window registers the rest of the
    // common controls itself.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    vestra::platform::win32::Win32Platform win32;
    vestra::platform::Platform os = win32.platform();
    vestra::AppState state;
    vestra::ProgramConfig config(os);

    switch (vestra::RunEntry(os, state, config)) {
        case vestra::RunMode::MainWindow: {
            vestra::ui::MainWindowContext window{
                state,
                os,
                config.store,
                config.settings,
                config.messages,
                config.exceptions,
                vestra::ScanRunOptions{TestPumpDelayMs(os.system)}};
            std::optional<vestra::HeuristicsKit> heuristics;
            if (state.engine) {
                heuristics.emplace(os, *state.engine, config.exceptions, state.paths.ownExePath);
                window.suspects = [&state]() -> const vestra::SuspectList& {
                    return state.suspects;
                };
                window.recheckSuspects = [&state, &heuristics] {
                    state.suspects = heuristics->heuristics().GatherSuspects(false);
                };
                // An ordinary start (also after "vrs") weighs the autostart places first; a
                // start with paths to scan goes straight to them.
                if (state.commandWord.empty())
                    window.recheckSuspects();
            }
            return vestra::ui::RunMainWindow(window);
        }
        case vestra::RunMode::ProtectionHost:
            return vestra::ui::RunProtectionHost(
                {state, os, config.settings, config.messages, config.exceptions});
        case vestra::RunMode::Ended:
        case vestra::RunMode::SelfUpdate:
        case vestra::RunMode::SilentInstall:
            // The update and install modes join here as they are built.
            break;
    }
    return 0;
}
