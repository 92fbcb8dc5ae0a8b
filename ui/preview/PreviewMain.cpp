// Windows-only: opens the main window on the real seam with the settings of the current user, so
// the window can be looked at and driven before (and apart from) the program's own main. Its
// command line is read like the program's (a quoted path list asks for a scan), and the engine
// is loaded when VestEngine.dll lies beside the preview or in the build's dist folder.
#include <windows.h>

#include "app/AppState.h"
#include "app/CommandWord.h"
#include "app/Settings.h"
#include "engine/client/Engine.h"
#include "platform/win32/Win32Platform.h"
#include "registry/RegistryAccess.h"
#include "ui/main/MainWindow.h"

namespace {

std::u16string ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::u16string folder(reinterpret_cast<const char16_t*>(path));
    return folder.substr(0, folder.find_last_of(u'\\') + 1);
}

std::unique_ptr<vestra::Engine> LoadEngine(vestra::platform::Platform& os) {
    const std::u16string folder = ModuleFolder();
    for (const std::u16string& path :
         {folder + u"VestEngine.dll", folder + u"..\\dist\\VestEngine.dll"}) {
        if (os.files.Exists(path)) {
            if (auto engine = vestra::Engine::Load(os.libraries, path))
                return engine;
        }
    }
    return nullptr;
}

}  // namespace

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
    state.commandWord = CommandWordFrom(reinterpret_cast<const char16_t*>(GetCommandLineW()));
    state.engine = LoadEngine(os);
    if (state.engine)
        state.signatureCounts = state.engine->Start();
    ui::MainWindowContext context{state, os, store, settings, messages, exceptions};
    return ui::RunMainWindow(context);
}
