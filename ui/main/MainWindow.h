// The main window's entry point for the program's main: creates FormMain, runs the message loop
// until the window closes, and returns the loop's exit code.
#pragma once

#include <functional>

#include "app/AppState.h"
#include "app/Settings.h"
#include "config/ExceptionList.h"
#include "config/MessageTable.h"
#include "platform/Platform.h"
#include "scanner/ScanRun.h"
#include "scanner/SuspectList.h"

namespace vestra::ui {

// What the main window works with; all of it outlives the window.
struct MainWindowContext {
    AppState& state;
    platform::Platform& os;
    SettingsStore& store;
    Settings& settings;
    config::MessageTable& messages;
    config::ExceptionList& exceptions;
    // How the scan runs of this window pace themselves.
    ScanRunOptions scanOptions{};
    // Whoever keeps the suspect list: the list as it stands, and the start-up checks that bring
    // it up to date. Unset: no suspects, nothing to check again.
    std::function<const SuspectList&()> suspects{};
    std::function<void()> recheckSuspects{};
};

int RunMainWindow(const MainWindowContext& context);

}  // namespace vestra::ui
