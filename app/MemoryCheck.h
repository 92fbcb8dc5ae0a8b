// The ordinary start's sweep for running malware: detected processes are ended before any
// window opens, the rows wait for the main window's virus list, and the user is told.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/AppState.h"
#include "platform/Platform.h"
#include "processes/ProcessKit.h"

namespace vestra {

// The process parts' set-up from the path table; kills go through the engine's forced kill.
processes::ProcessKitSetup ProcessSetupOf(const AppState& state);

// How long the second sweep waits for processes that restart each other.
inline constexpr std::uint32_t kSecondSweepDelayMs = 3000;

// Runs the sweep; when it found something, waits, sweeps again and (unless the start came from
// a "vrs" request) shows the infection message built by `infectedText`. True when the first
// sweep found something.
bool RunStartupMemoryCheck(platform::Platform& os, AppState& state,
                           const std::function<std::u16string()>& infectedText);

}  // namespace vestra
