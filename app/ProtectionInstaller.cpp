// The protection host's installer.
#include "app/ProtectionInstaller.h"

#include "common/TextLists.h"
#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "processes/ProcessList.h"
#include "protection/ProtectionChannel.h"
#include "scanner/FileRoutines.h"

namespace vestra {
namespace {
constexpr std::uint32_t kHostEndWaitMs = 5000;
constexpr std::uint32_t kPollMs = 100;
constexpr int kMaxWaitRounds = 10;
constexpr int kMaxAttempts = 5;
constexpr std::uint32_t kRetryWaitMs = 1000;

void DeleteIfPresent(platform::FileSystem& files, const std::u16string& path) {
    if (!path.empty() && files.Exists(path))
        DeletePath(files, path);
}
}  // namespace

ProtectionInstaller::ProtectionInstaller(platform::Platform& os, const AppState& state,
                                         protection::Autostart& autostart, InstallerHooks hooks)
    : os_(os), state_(state), autostart_(autostart), hooks_(std::move(hooks)) {}

bool ProtectionInstaller::IsInstalledCopy() const {
    return SamePath(state_.paths.ownExePath, state_.paths.installedProtectionExe);
}

bool ProtectionInstaller::RunsFromInstallDir() const {
    return SamePath(state_.paths.ownFolder, state_.paths.installDir);
}

// The running host is asked to end through the channel (its tray icon goes with it); one that
// does not within five seconds is ended by force.
void ProtectionInstaller::EndRunningHosts() {
    protection::SendProtectionEnd(os_.windows);
    if (IsInstalledCopy())
        return;
    processes::ProcessList list(os_.processes, os_.files, state_.paths.windowsDir);
    auto running = [&] {
        std::vector<std::uint32_t> ids =
            list.FindProcessesByPath(state_.paths.installedProtectionExe);
        for (std::uint32_t id : list.FindProcessesByPath(state_.paths.legacyProtectionExe1))
            ids.push_back(id);
        std::erase(ids, state_.ownProcessId);
        return ids;
    };
    while (waitRounds_ < kMaxWaitRounds) {
        const std::uint32_t start = os_.system.TickCount();
        std::vector<std::uint32_t> ids = running();
        while (!ids.empty() && os_.system.TickCount() - start < kHostEndWaitMs) {
            os_.windows.PumpMessages();
            os_.system.Sleep(kPollMs);
            ids = running();
        }
        if (ids.empty())
            return;
        ++waitRounds_;
        for (std::uint32_t id : ids)
            os_.processes.Terminate(id, 0);
    }
}

void ProtectionInstaller::RemoveOldCopies() {
    platform::FileSystem& files = os_.files;
    const PathTable& p = state_.paths;
    for (const std::u16string* legacy :
         {&p.legacyProtectionExe1, &p.legacyProtectionExe2, &p.legacyProtectionExe3})
        DeleteIfPresent(files, *legacy);
    if (IsInstalledCopy())
        return;
    for (const std::u16string* installed :
         {&p.installedProtectionExe, &p.installedEngine, &p.installedDatabase, &p.installedShellExt,
          &p.installedRuntime})
        DeleteIfPresent(files, *installed);
    // A copy that will not go (still running, say) is moved aside so the new one can take its
    // name; Windows lets a running program's file be renamed.
    if (files.Exists(p.installedProtectionExe))
        files.Move(p.installedProtectionExe, UniqueFileName(files, p.tempDir + u"vsttrash.tmp"));
}

bool ProtectionInstaller::CopyProgram() {
    if (IsInstalledCopy())
        return true;
    MakePath(os_.files, state_.paths.installDir);
    return os_.files.Copy(state_.paths.ownExePath, state_.paths.installedProtectionExe, false) ==
           platform::OsError::None;
}

bool ProtectionInstaller::InstallProtection(int attempt, bool removeOnly, bool calledByHost) {
    if (!calledByHost)
        EndRunningHosts();
    RemoveOldCopies();
    if (removeOnly) {
        autostart_.RegisterAutostart(false);
        if (hooks_.shellExtension)
            hooks_.shellExtension(true);
        if (hooks_.desktopShortcut)
            hooks_.desktopShortcut(true);
        return true;
    }
    if (CopyProgram()) {
        if (!RunsFromInstallDir()) {
            const PathTable& p = state_.paths;
            const std::pair<const std::u16string*, const std::u16string*> companions[] = {
                {&p.engineFile, &p.installedEngine},
                {&p.databaseFile, &p.installedDatabase},
                {&p.shellExtFile, &p.installedShellExt},
                {&p.runtimeFile, &p.installedRuntime}};
            for (const auto& [from, to] : companions)
                if (!from->empty() && !to->empty() && os_.files.Exists(*from))
                    os_.files.Copy(*from, *to, false);
        }
        if (hooks_.desktopShortcut)
            hooks_.desktopShortcut(false);
        if (hooks_.shellExtension)
            hooks_.shellExtension(false);
        if (hooks_.clearAutoScan)
            hooks_.clearAutoScan();
        StartProtection();
        return true;
    }
    if (attempt < kMaxAttempts) {
        os_.system.Sleep(kRetryWaitMs);
        return InstallProtection(attempt + 1, false, false);
    }
    ReportFailure();
    return false;
}

void ProtectionInstaller::ReportFailure() {
    if (state_.commandWord == u"slt")
        return;
    std::u16string text;
    if (os_.files.Exists(state_.paths.installedProtectionExe))
        text = hooks_.message(config::msg::kInstallReplaceFailed) + u"\r\nError 97";
    else if (os_.system.IsUserAdmin() && state_.os.IsPreVista())
        text = hooks_.message(config::msg::kInstallFailedAsAdmin) + u"\r\nError 99";
    else
        text = hooks_.message(config::msg::kInstallFailed) + u"\r\nError 98";
    os_.windows.MessageBox(text, state_.appTitle,
                           platform::mb::kOk | platform::mb::kIconExclamation);
}

bool ProtectionInstaller::StartProtection() {
    return os_.shell.Execute({u"open", state_.paths.installedProtectionExe, u"rtc", u"", 1}) > 32;
}

}  // namespace vestra
