// Forced termination of a process for SuperKill.
#pragma once

#include <cstdint>

namespace vestra::engine {

// Ends the process with the debug privilege enabled when the account has it. True when the
// process was terminated; never for process 0 or the calling process itself.
bool KillProcess(std::uint32_t processId);

}  // namespace vestra::engine
