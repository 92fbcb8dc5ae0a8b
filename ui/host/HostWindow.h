// Windows-only: the protection host's entry for the program's main: the hidden window with its
// splash, timers, channel box and tray icon, and its message loop until the host ends.
#pragma once

#include "app/AppState.h"
#include "app/Settings.h"
#include "config/ExceptionList.h"
#include "config/MessageTable.h"
#include "platform/Platform.h"

namespace vestra::ui {

struct HostWindowContext {
    AppState& state;
    platform::Platform& os;
    Settings& settings;
    config::MessageTable& messages;
    config::ExceptionList& exceptions;
};

int RunProtectionHost(const HostWindowContext& context);

}  // namespace vestra::ui
