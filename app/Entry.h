// The entry point's start-up sequence, up to the choice of the run mode. It is platform-neutral:
// the Windows main calls it with the real seam, the tests with the fakes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/AppState.h"
#include "platform/Platform.h"

// <windows.h> makes FormatMessage a macro for FormatMessageW; the catalogue's operation keeps
// its plain name. Include <windows.h> before this header where both are needed.
#ifdef FormatMessage
#undef FormatMessage
#endif

namespace vestra {

enum class RunMode {
    Ended,           // the process ends now (refused start, elevated copy carries on, ...)
    SelfUpdate,      // "upd": download the new program and run it with "slt"
    SilentInstall,   // "slt": install or update the protection copy silently
    ProtectionHost,  // "rtp"/"rtc": the hidden protection host
    MainWindow,      // everything else: the main window (with a path list, if the word is one)
};

// What the start-up sequence needs from the configuration subsystem.
class EntryServices {
public:
    virtual ~EntryServices() = default;
    // Settings, then the message table in the stored language, then the exception lists.
    virtual void LoadSettings(AppState& state) = 0;
    virtual std::u16string FormatMessage(int index, std::u16string_view arg1,
                                         std::u16string_view arg2) = 0;
    // Stores one number setting (the installer turns AutoScan off).
    virtual void SaveSettingNumber(std::u16string_view name, std::int32_t value) = 0;
};

RunMode RunEntry(platform::Platform& os, AppState& state, EntryServices& services);

// Sets the exit flag and unloads the program's windows. While the main window is still loading
// it is spared and marked to be unloaded once loading ends, instead of being torn down
// underneath its own load routine.
using UnloadWindows = std::function<void(bool includingMainWindow)>;
void ExitApplication(AppState& state, const UnloadWindows& unloadWindows);

// "Vestra" with a random blank (space or no-break space) after every character, so the title
// differs from run to run.
std::u16string RandomAppTitle();

}  // namespace vestra
