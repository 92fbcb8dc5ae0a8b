// Windows-only: opens the main window on the real seam with the settings of the current user, so
// the window can be looked at and driven before (and apart from) the program's own main.
#include <windows.h>

#include "app/AppState.h"
#include "app/Settings.h"
#include "platform/win32/Win32Platform.h"
#include "registry/RegistryAccess.h"
#include "ui/main/MainWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace vestra;
    platform::win32::Win32Platform win32;
    platform::Platform os = win32.platform();
    registry::RegistryAccess registry(os.registry, os.system);
    SettingsStore store(registry);
    config::ExceptionList exceptions(registry, os.files, store.ExceptionKey());
    config::MessageTable messages;
    Settings settings = LoadSettings(store, exceptions, messages);

    AppState state;
    state.appTitle = u"Vestra";
    ui::MainWindowContext context{state, os, store, settings, messages, exceptions};
    return ui::RunMainWindow(context);
}
