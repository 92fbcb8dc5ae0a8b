// The removable-drive watch.
#include "protection/DriveWatch.h"

#include "common/TextLists.h"
#include "platform/Text.h"
#include "protection/AutorunAnalysis.h"
#include "scanner/CheckFile.h"

namespace vestra::protection {
namespace {
constexpr std::uint32_t kMountWaitMs = 1000;
constexpr std::uint32_t kTreeLimitMs = 5000;
}  // namespace

std::u16string RemovableDriveSnapshot(platform::FileSystem& files) {
    // Only the letters present now: a drive manager may go on answering a pulled-out drive's
    // type for its letter (Wine's does), and that drive must still count as gone.
    std::u16string snapshot;
    for (const std::u16string& root : files.LogicalDrives()) {
        if (files.GetDriveType(root) == platform::DriveType::Removable)
            AppendToList(snapshot, root);
    }
    return snapshot;
}

DriveWatch::DriveWatch(platform::Platform& os, ProtectionHost& host, HostSurface& surface,
                       processes::TrustedFolders trusted, std::u16string systemRoot,
                       DriveWatchEvents events)
    : os_(os),
      host_(host),
      surface_(surface),
      trusted_(std::move(trusted)),
      extractor_(os.files, std::move(systemRoot)),
      events_(std::move(events)) {}

void DriveWatch::TakeSnapshot() {
    snapshot_ = RemovableDriveSnapshot(os_.files);
}

void DriveWatch::Tick() {
    const std::u16string current = RemovableDriveSnapshot(os_.files);
    if (LowerCase(Trim(current)) == LowerCase(Trim(snapshot_)))
        return;
    const std::u16string old = snapshot_;
    snapshot_ = current;
    if (current.size() <= old.size())
        return;
    if (events_.reloadSettings)
        events_.reloadSettings();
    for (std::u16string_view root : SplitList(current)) {
        if (InList(old, root))
            continue;
        // An empty card reader answers to its letter without a medium; "A:\" is the floppy.
        if (!os_.files.Exists(root) || UpperCase(root) == u"A:\\")
            continue;
        os_.system.Sleep(kMountWaitMs);
        CheckNewDrive(root);
    }
}

bool DriveWatch::CheckNewDrive(std::u16string_view root) {
    const platform::DriveType type = os_.files.GetDriveType(root);
    if (type == platform::DriveType::CdRom)
        return false;
    const bool removable = type == platform::DriveType::Removable;
    const std::u16string autorun = std::u16string(root) + u"autorun.inf";
    std::u16string targets;
    bool found = false;
    if (AnalyzeAutorun(os_.files, extractor_, autorun, targets)) {
        host_.RaiseAlert(kAutorunScriptName, kSuspectedAutorunType, autorun, u"", kActionCage);
        if (events_.queueDriveQuestion)
            events_.queueDriveQuestion(root);
        for (std::u16string_view target : SplitList(targets)) {
            if (processes::IsTrustedProcessPath(target, trusted_))
                continue;
            host_.RaiseAlert(kAutorunInfectorName, kSuspectedAutorunType, target, u"", kActionCage);
            if (events_.queueDriveQuestion)
                events_.queueDriveQuestion(root);
        }
        host_.ScanTree(root, kTreeLimitMs, removable);
        found = true;
    } else if (host_.ScanTree(root, kTreeLimitMs, removable)) {
        if (events_.queueDriveQuestion)
            events_.queueDriveQuestion(root);
        found = true;
    } else if (events_.askDriveLock) {
        events_.askDriveLock(root);
    }
    if (found) {
        surface_.ShowAlerts();
        surface_.StartDangerBlink();
    }
    return found;
}

}  // namespace vestra::protection
