// What the program does to one listed process: kill (always through the engine's forced kill),
// suspend, resume, restart. Every action first makes sure the process is still the one that was
// listed (its id can have been reused since) and refuses the program itself and the processes
// Windows cannot do without.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Processes.h"
#include "platform/Shell.h"
#include "processes/ProcessList.h"
#include "processes/TrustedProcesses.h"

namespace vestra::processes {

// The engine's SuperKill: true when the process was ended.
using ForcedKill = std::function<bool(std::uint32_t processId)>;

enum class ActionOutcome : std::uint8_t {
    Done,
    Failed,        // the system refused for another reason
    AccessDenied,  // the process may not be opened by this user
    Gone,          // it ended, or its id now names another process
    Refused,       // the program itself, or a process Windows cannot do without
};

enum class ProcessAction : std::uint8_t { Kill, Restart, Suspend, Resume };

struct ActionParts {
    platform::Processes& processes;
    platform::Shell& shell;
    ForcedKill forcedKill;
    std::uint32_t ownProcessId = 0;
    TrustedFolders folders;
};

class ProcessActions {
public:
    explicit ProcessActions(ActionParts parts) : parts_(std::move(parts)) {}

    // Whether the process as listed still runs: same id and creation time. A process whose
    // creation time could not be read when listed is not acted on by id alone.
    bool StillMatches(const ProcessInfo& listed);
    // Never the program itself or a critical process.
    bool MayAct(const ProcessInfo& listed) const;

    ActionOutcome Kill(const ProcessInfo& listed);
    // Kill, then a new instance of the same file, without arguments.
    ActionOutcome Restart(const ProcessInfo& listed);
    ActionOutcome Suspend(const ProcessInfo& listed);
    ActionOutcome Resume(const ProcessInfo& listed);
    ActionOutcome Apply(ProcessAction action, const ProcessInfo& listed);

private:
    // Refused, Gone or AccessDenied when the action may not go ahead; Done when it may.
    ActionOutcome Check(const ProcessInfo& listed);

    ActionParts parts_;
};

// " [Couldn't be Killed]"-style text for a row: empty for Done.
std::u16string_view OutcomeText(ActionOutcome outcome);

}  // namespace vestra::processes
