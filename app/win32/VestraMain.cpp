// Vestra.exe's Windows entry: builds the real seam, registers the common controls, runs the
// start-up sequence and enters the run mode it chose. All decisions live in app/Entry.
#include <windows.h>

#include <commctrl.h>

#include "app/Entry.h"
#include "app/ProgramConfig.h"
#include "platform/win32/Win32Platform.h"
#include "ui/main/MainWindow.h"

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
        case vestra::RunMode::MainWindow:
            return vestra::ui::RunMainWindow({state, os, config.store, config.settings,
                                              config.messages, config.exceptions});
        case vestra::RunMode::Ended:
        case vestra::RunMode::SelfUpdate:
        case vestra::RunMode::SilentInstall:
        case vestra::RunMode::ProtectionHost:
            // The update, install and protection-host modes join here as they are built.
            break;
    }
    return 0;
}
