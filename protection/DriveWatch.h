// The protection host's watch of removable drives: the set of removable drive letters, compared
// on every beat; a drive added since is checked (its autorun file, then its tree). What is found
// goes to the host's alerts; a clean drive is offered the drive lock.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "processes/TrustedProcesses.h"
#include "protection/ProtectionHost.h"
#include "scanner/ExtractTargets.h"

namespace vestra::protection {

inline constexpr std::u16string_view kAutorunScriptName = u"Autorun-Script.inf";
inline constexpr std::u16string_view kAutorunInfectorName = u"Autorun-Infector.exe";
inline constexpr std::u16string_view kSuspectedAutorunType = u"Suspected Autorun";

// The roots of the removable drives, A to Z, "|"-joined ("E:\|F:\").
std::u16string RemovableDriveSnapshot(platform::FileSystem& files);

// What the drive watch asks of the host's windows.
struct DriveWatchEvents {
    std::function<void()> reloadSettings;
    // Queues the drive for the lock question that follows the alert window (once per root).
    std::function<void(std::u16string_view root)> queueDriveQuestion;
    // Asks at once whether to lock a drive found clean.
    std::function<void(std::u16string_view root)> askDriveLock;
};

class DriveWatch {
public:
    DriveWatch(platform::Platform& os, ProtectionHost& host, HostSurface& surface,
               processes::TrustedFolders trusted, std::u16string systemRoot,
               DriveWatchEvents events);

    // The drives present when the host finished starting are not checked.
    void TakeSnapshot();
    // One beat: a drive added since the last one is checked, in letter order, each after a
    // second (the system is still mounting it); a removal only updates the snapshot.
    void Tick();
    // True when anything was found on the drive.
    bool CheckNewDrive(std::u16string_view root);

    const std::u16string& Snapshot() const { return snapshot_; }

private:
    platform::Platform& os_;
    ProtectionHost& host_;
    HostSurface& surface_;
    processes::TrustedFolders trusted_;
    TargetExtractor extractor_;
    DriveWatchEvents events_;
    std::u16string snapshot_;
};

}  // namespace vestra::protection
