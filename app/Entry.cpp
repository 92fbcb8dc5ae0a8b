// Start-up sequence.
#include "app/Entry.h"

#include <chrono>
#include <random>

#include "app/CommandWord.h"
#include "app/InstalledBuild.h"
#include "app/MemoryCheck.h"
#include "app/ProductNames.h"
#include "app/ProtectionInstaller.h"
#include "app/SelfCheck.h"
#include "app/Settings.h"
#include "common/FileNames.h"
#include "config/MessageSlots.h"
#include "config/MessageTexts.h"
#include "platform/Text.h"
#include "protection/Autostart.h"
#include "protection/ProtectionChannel.h"
#include "remediation/CageStore.h"
#include "uservir/BehaviourVirus.h"

namespace vestra {
namespace {

constexpr int kShellAccepted = 32;

std::u16string OwnExePath(platform::Platform& os, std::uint32_t processId) {
    auto path = os.processes.ImagePath(processId);
    return path ? *path : std::u16string();
}

void InitGlobals(platform::Platform& os, AppState& state) {
    state.os = OsLevelOf(os.system.Version());
    state.ownProcessId = os.system.CurrentProcessId();
    state.computerName = os.system.ComputerName();
    state.paths = BuildPathTable(os.system, OwnExePath(os, state.ownProcessId));
}

// Not running as administrator on an NT system: ask the shell for an elevated copy. When the
// shell accepts, that copy carries on and this one ends.
bool HandedToElevatedCopy(platform::Platform& os, const AppState& state) {
    if (!state.commandWord.empty() || !state.os.IsNT() || os.system.IsUserAdmin())
        return false;
    platform::ShellRequest request{u"runas", state.paths.ownExePath, u"", u"", 1};
    return os.shell.Execute(request) > kShellAccepted;
}

void ShowMissingFile(platform::Platform& os, EntryServices& services, std::u16string_view what,
                     std::u16string_view path) {
    std::u16string text =
        services.FormatMessage(config::msg::kMissingFile, what, FileNameOf(path, true));
    os.windows.MessageBox(text, u"Error", platform::mb::kOk | platform::mb::kIconExclamation);
}

// The engine library and its database must both be there; the engine must also load, since
// the program can check nothing without it.
bool StartEngine(platform::Platform& os, AppState& state, EntryServices& services) {
    if (!os.files.Exists(state.paths.engineFile)) {
        ShowMissingFile(os, services, u"Engine", state.paths.engineFile);
        return false;
    }
    if (!os.files.Exists(state.paths.databaseFile)) {
        ShowMissingFile(os, services, u"Database", state.paths.databaseFile);
        return false;
    }
    state.engine = Engine::Load(os.libraries, state.paths.engineFile);
    if (!state.engine) {
        ShowMissingFile(os, services, u"Engine", state.paths.engineFile);
        return false;
    }
    state.signatureCounts = state.engine->Start();
    return true;
}

// Hidden and system, so that Explorer and the users' own tools leave the quarantine alone.
void EnsureQuarantineFolder(platform::Platform& os, const AppState& state) {
    if (state.paths.cageFolder.empty())
        return;
    remediation::CageStore store(
        os.files, remediation::CageFolders{state.paths.cageFolder, state.paths.oldCageFolder});
    store.EnsureCageFolder();
}

// Cancel on the "OS Error" question ends the program on a platform outside the NT family.
bool AcceptedOldPlatform(platform::Platform& os, const AppState& state) {
    if (state.os.IsNT())
        return true;
    std::u16string text = u"Your Windows Platform : " + OsNameOf(os.system.Version()) + u"\r\n" +
                          std::u16string(kProductName) +
                          u" only works on Windows NT Platform (2000, XP)\r\n" +
                          u"Are you sure you want to use " + std::u16string(kProductName) + u"?";
    int answer = os.windows.MessageBox(text, u"OS Error",
                                       platform::mb::kOkCancel | platform::mb::kIconExclamation);
    return answer != platform::mb::kAnswerCancel;
}

// "vrs <path>": the protection host judged the file's behaviour malicious; it becomes a user
// signature and the program starts as usual.
void AddBehaviourSignature(AppState& state) {
    const std::optional<std::u16string> path = uservir::VrsRequestPath(state.commandWord);
    if (!path)
        return;
    uservir::AddBehaviourVirus(*state.engine, *path);
    state.commandWord.clear();
    state.startedFromVrs = true;
}

// A damaged own file is reported; Cancel opens the product's site for a new copy and ends.
bool AcceptedOwnFile(platform::Platform& os, const AppState& state, EntryServices& services) {
    if (CheckOwnFile(os.files, state.paths.ownExePath) != OwnFileState::Damaged)
        return true;
    const int answer = os.windows.MessageBox(
        services.FormatMessage(config::msg::kOwnFileDamaged, u"", u""), u"File error",
        platform::mb::kOkCancel | platform::mb::kIconExclamation);
    if (answer != platform::mb::kAnswerCancel)
        return true;
    os.shell.Execute({u"open", std::u16string(config::kWebSiteAddress), u"", u"", 1});
    return false;
}

// An ordinary start offers to install, update or start the protection host when it is missing,
// older than this program or not running.
void OfferProtection(platform::Platform& os, AppState& state, EntryServices& services) {
    const int build = InstalledBuild(os.files, state.paths);
    int question = 0;
    if (build == kNoProtectionInstalled)
        question = config::msg::kProtectionMissing;
    else if (build < kOwnBuild)
        question = config::msg::kProtectionOld;
    else if (protection::ProtectionStatus(os.windows) == protection::kProtectionAbsent)
        question = config::msg::kProtectionInactive;
    if (question == 0)
        return;
    const int answer =
        os.windows.MessageBox(services.FormatMessage(question, u"", u""), state.appTitle,
                              platform::mb::kYesNo | platform::mb::kIconExclamation);
    if (answer != platform::mb::kAnswerYes)
        return;
    registry::RegistryAccess registry(os.registry, os.system);
    protection::Autostart autostart(registry, state.os.IsPreVista(),
                                    state.paths.installedProtectionExe);
    ProtectionInstaller installer(
        os, state, autostart,
        {[&services](int number) { return services.FormatMessage(number, u"", u""); },
         [&services] { services.SaveSettingNumber(setting::kAutoScan, 0); },
         {},
         {}});
    if (question == config::msg::kProtectionInactive)
        installer.StartProtection();
    else
        installer.InstallProtection(0, false, false);
}

}  // namespace

RunMode RunEntry(platform::Platform& os, AppState& state, EntryServices& services) {
    state.commandWord = CommandWordFrom(os.system.CommandLine());
    state.appTitle = RandomAppTitle();
    os.system.EnablePrivilege(u"SeShutdownPrivilege");
    os.system.EnablePrivilege(u"SeDebugPrivilege");
    InitGlobals(os, state);

    if (state.commandWord == u"slt")
        return RunMode::SilentInstall;
    if (state.commandWord == u"rtp")
        state.protectionStartFlag = true;
    if (state.commandWord == u"rtc")
        state.commandWord = u"rtp";
    if (HandedToElevatedCopy(os, state))
        return RunMode::Ended;
    if (state.commandWord == u"upd")
        return RunMode::SelfUpdate;

    services.LoadSettings(state);
    if (!StartEngine(os, state, services))
        return RunMode::Ended;
    EnsureQuarantineFolder(os, state);
    if (!AcceptedOldPlatform(os, state))
        return RunMode::Ended;

    if (state.commandWord == u"rtp")
        return RunMode::ProtectionHost;
    state.guiModeFlag = true;
    AddBehaviourSignature(state);
    if (state.commandWord.empty()) {
        const bool found = RunStartupMemoryCheck(os, state, [&services] {
            return services.FormatMessage(config::msg::kComputerInfected, u"", u"");
        });
        if (!found) {
            if (!AcceptedOwnFile(os, state, services))
                return RunMode::Ended;
            OfferProtection(os, state, services);
        }
    }
    return RunMode::MainWindow;
}

void ExitApplication(AppState& state, const UnloadWindows& unloadWindows) {
    state.exitingFlag = true;
    bool mainStillLoading = state.mainWindowLoadingFlag;
    if (mainStillLoading)
        state.unloadMainAfterLoadFlag = true;
    unloadWindows(!mainStillLoading);
}

std::u16string RandomAppTitle() {
    std::mt19937 random(
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::bernoulli_distribution noBreak(0.5);
    std::u16string title;
    for (char16_t c : kProductName) {
        title += c;
        title += noBreak(random) ? u'\u00A0' : u' ';
    }
    return title;
}

}  // namespace vestra
