// Actions on listed processes, each behind the identity and protection checks.
#include "processes/ProcessActions.h"

namespace vestra::processes {
namespace {

constexpr int kShowNormal = 1;

ActionOutcome FromError(platform::OsError error) {
    switch (error) {
        case platform::OsError::None:
            return ActionOutcome::Done;
        case platform::OsError::AccessDenied:
            return ActionOutcome::AccessDenied;
        default:
            return ActionOutcome::Failed;
    }
}

}  // namespace

bool ProcessActions::MayAct(const ProcessInfo& listed) const {
    return listed.processId != parts_.ownProcessId &&
           !IsCriticalProcess(listed.processId, listed.path, parts_.folders);
}

bool ProcessActions::StillMatches(const ProcessInfo& listed) {
    if (listed.creationTime == 0)
        return false;
    auto now = parts_.processes.CreationTime(listed.processId);
    return now && *now == listed.creationTime;
}

ActionOutcome ProcessActions::Check(const ProcessInfo& listed) {
    if (!MayAct(listed))
        return ActionOutcome::Refused;
    if (listed.creationTime == 0)
        return ActionOutcome::AccessDenied;  // it could not even be asked when it was listed
    auto now = parts_.processes.CreationTime(listed.processId);
    if (!now) {
        return now.error() == platform::OsError::AccessDenied ? ActionOutcome::AccessDenied
                                                              : ActionOutcome::Gone;
    }
    return *now == listed.creationTime ? ActionOutcome::Done : ActionOutcome::Gone;
}

ActionOutcome ProcessActions::Kill(const ProcessInfo& listed) {
    if (ActionOutcome check = Check(listed); check != ActionOutcome::Done)
        return check;
    if (parts_.forcedKill && parts_.forcedKill(listed.processId))
        return ActionOutcome::Done;
    // The engine only answers yes or no; whether the system said "access denied" shows when
    // the process is asked again.
    auto after = parts_.processes.CreationTime(listed.processId);
    if (!after && after.error() != platform::OsError::AccessDenied)
        return ActionOutcome::Done;  // it is gone after all
    return ActionOutcome::Failed;
}

ActionOutcome ProcessActions::Restart(const ProcessInfo& listed) {
    ActionOutcome killed = Kill(listed);
    if (killed == ActionOutcome::Refused || killed == ActionOutcome::Gone || listed.path.empty() ||
        listed.path == kNoPath) {
        return killed;
    }
    parts_.shell.Execute({u"open", listed.path, u"", u"", kShowNormal});
    return killed;
}

ActionOutcome ProcessActions::Suspend(const ProcessInfo& listed) {
    if (ActionOutcome check = Check(listed); check != ActionOutcome::Done)
        return check;
    return FromError(parts_.processes.Suspend(listed.processId));
}

ActionOutcome ProcessActions::Resume(const ProcessInfo& listed) {
    if (ActionOutcome check = Check(listed); check != ActionOutcome::Done)
        return check;
    return FromError(parts_.processes.Resume(listed.processId));
}

ActionOutcome ProcessActions::Apply(ProcessAction action, const ProcessInfo& listed) {
    switch (action) {
        case ProcessAction::Kill:
            return Kill(listed);
        case ProcessAction::Restart:
            return Restart(listed);
        case ProcessAction::Suspend:
            return Suspend(listed);
        case ProcessAction::Resume:
            return Resume(listed);
    }
    return ActionOutcome::Failed;
}

std::u16string_view OutcomeText(ActionOutcome outcome) {
    switch (outcome) {
        case ActionOutcome::Done:
            return u"";
        case ActionOutcome::Failed:
            return u" [Failed]";
        case ActionOutcome::AccessDenied:
            return u" [Access Denied]";
        case ActionOutcome::Gone:
            return u" [Not Running]";
        case ActionOutcome::Refused:
            return u" [Protected]";
    }
    return u"";
}

}  // namespace vestra::processes
