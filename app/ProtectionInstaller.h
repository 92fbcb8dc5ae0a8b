// Installing, replacing and removing the protection host: the copy of this program under the
// install folder with the engine and database beside it, started with "rtc".
#pragma once

#include <functional>
#include <string>

#include "app/AppState.h"
#include "platform/Platform.h"
#include "protection/Autostart.h"

namespace vestra {

struct InstallerHooks {
    std::function<std::u16string(int messageNumber)> message;
    // Stores the AutoScan setting as 0 (a fresh install does not scan every drive on start).
    std::function<void()> clearAutoScan;
    // The desktop shortcut and the shell extension's registration, made and removed with the
    // host; unset until those exist.
    std::function<void(bool remove)> desktopShortcut;
    std::function<void(bool unregister)> shellExtension;
};

class ProtectionInstaller {
public:
    ProtectionInstaller(platform::Platform& os, const AppState& state,
                        protection::Autostart& autostart, InstallerHooks hooks);

    // Ends a running host, removes the old copies and, unless `removeOnly`, copies this program
    // with its engine and database into the install folder and starts it. A failed copy is tried
    // again four times a second apart, then reported (not in the silent install). True on
    // success.
    bool InstallProtection(int attempt, bool removeOnly, bool calledByHost);
    // Runs the installed host with "rtc"; true when the shell accepted it.
    bool StartProtection();

private:
    void EndRunningHosts();
    bool RunsFromInstallDir() const;
    bool IsInstalledCopy() const;
    void RemoveOldCopies();
    bool CopyProgram();
    void ReportFailure();

    platform::Platform& os_;
    const AppState& state_;
    protection::Autostart& autostart_;
    InstallerHooks hooks_;
    int waitRounds_ = 0;  // forced ends allowed in one program run
};

}  // namespace vestra
