// Where the heuristics look: running processes, run keys, start-up and task folders, the
// registry strings that start programs, and the autorun files of the drives.
#include <algorithm>
#include <map>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryAccess.h"
#include "scanner/CommandToPath.h"
#include "scanner/Heuristics.h"
#include "scanner/StartupFolders.h"

namespace vestra {
namespace {

using platform::Hive;
using registry::KeyCurrentVersion;
using registry::KeyNTCurrentVersion;

constexpr std::u16string_view kOpenCommandClasses =
    u"exefile|batfile|cmdfile|comfile|piffile|lnkfile|scrfile";

std::u16string WithoutSlash(std::u16string path) {
    while (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

// Process images come as the kernel names them: "\??\C:\..." or "\SystemRoot\...".
std::u16string NormalisedImage(std::u16string path, const std::u16string& windows) {
    if (path.starts_with(u"\\??\\"))
        path.erase(0, 4);
    if (StartsWithNoCase(path, u"\\systemroot\\"))
        path = windows + u"\\" + path.substr(12);
    return path;
}

bool IsControlSetName(std::u16string_view name) {
    constexpr std::u16string_view kPrefix = u"controlset";
    if (name.size() <= kPrefix.size() || !StartsWithNoCase(name, kPrefix))
        return false;
    return std::all_of(name.begin() + kPrefix.size(), name.end(),
                       [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

std::u16string Heuristics::ReadText(Hive hive, std::u16string_view key, std::u16string_view name) {
    registry::RegistryAccess access(parts_.registry, parts_.system);
    std::u16string text = access.RegReadString(hive, key, name);
    return text == registry::kMissingText ? std::u16string() : text;
}

std::u16string Heuristics::CommandToPath(std::u16string_view command) {
    return vestra::CommandToPath(command, parts_.files, parts_.system);
}

void Heuristics::GatherProcesses() {
    platform::Processes& processes = parts_.processes;
    auto snapshot = processes.Snapshot();
    if (!snapshot.ok())
        return;
    const std::u16string windows = WithoutSlash(parts_.system.WindowsDirectory());
    const std::uint32_t own = parts_.system.CurrentProcessId();
    struct Group {
        std::u16string firstImage;
        std::int32_t count = 0;
    };
    std::vector<std::u16string> order;
    std::map<std::u16string, Group> groups;
    for (const platform::ProcessEntry& entry : snapshot.value()) {
        if (entry.processId == own)
            continue;
        auto image = processes.ImagePath(entry.processId);
        if (!image.ok())
            continue;
        const std::u16string path = NormalisedImage(image.value(), windows);
        if (!IsFile(path) || IsTrustedWindowsProgram(path))
            continue;
        const std::u16string checksum =
            parts_.engine.checksumText ? parts_.engine.checksumText(path) : std::u16string();
        auto [group, fresh] = groups.try_emplace(checksum);
        if (fresh) {
            group->second = {path, 1};
            order.push_back(checksum);
            continue;
        }
        ++group->second.count;
        AddSuspect(path, SuspectSource::Process, 0);
    }
    for (const std::u16string& checksum : order) {
        const Group& group = groups[checksum];
        const std::int32_t n = group.count;
        AddSuspect(group.firstImage, SuspectSource::Process, n * 5 * (n + 3) / 2);
    }
}

void Heuristics::AddCommand(Hive hive, std::u16string_view key, std::u16string_view name,
                            SuspectSource kind, std::int32_t weight) {
    const std::u16string path = CommandToPath(ReadText(hive, key, name));
    if (!path.empty())
        AddSuspect(path, kind, weight);
}

void Heuristics::AddFolderFiles(const std::u16string& folder, std::int32_t weight) {
    if (folder.empty())
        return;
    auto entries = parts_.files.Find(folder + u"\\*");
    if (!entries.ok())
        return;
    for (const platform::FindEntry& entry : entries.value()) {
        if ((entry.attributes & platform::attr::kDirectory) != 0)
            continue;
        AddSuspect(folder + u"\\" + entry.name, SuspectSource::Startup, weight);
    }
}

void Heuristics::GatherStartup() {
    registry::RegistryAccess access(parts_.registry, parts_.system);
    const std::u16string runKey = KeyCurrentVersion.str() + u"\\Run";
    for (Hive hive : {Hive::CurrentUser, Hive::LocalMachine}) {
        for (const std::u16string& name : access.RegValueNames(hive, runKey))
            AddCommand(hive, runKey, name, SuspectSource::Startup, 10);
    }
    for (int folder : {platform::csidl::kStartup, platform::csidl::kCommonStartup})
        AddFolderFiles(WithoutSlash(parts_.system.SpecialFolder(folder)), 10);
    const std::u16string windows = WithoutSlash(parts_.system.WindowsDirectory());
    if (!windows.empty())
        AddFolderFiles(windows + u"\\Tasks", 30);
}

void Heuristics::GatherRegistryStrings() {
    constexpr SuspectSource kString = SuspectSource::RegistryString;
    const std::u16string nt = KeyNTCurrentVersion.str();
    AddCommand(Hive::LocalMachine, nt + u"\\AeDebug", u"Debugger", kString, 10);
    AddCommand(Hive::CurrentUser, nt + u"\\Windows", u"Load", kString, 10);
    AddCommand(Hive::CurrentUser, u"Control Panel\\Desktop", u"SCRNSAVE.EXE", kString, 10);
    const std::u16string winlogon = nt + u"\\Winlogon";
    AddCommand(Hive::LocalMachine, winlogon, u"System", kString, 30);
    for (Hive hive : {Hive::CurrentUser, Hive::LocalMachine}) {
        const std::u16string shell = ReadText(hive, winlogon, u"Shell");
        if (!shell.empty() && LowerCase(Trim(shell)) != u"explorer.exe") {
            const std::u16string path = CommandToPath(shell);
            if (!path.empty())
                AddSuspect(path, kString, 50);
        }
    }
    const std::u16string userinit =
        CommandToPath(ReadText(Hive::LocalMachine, winlogon, u"Userinit"));
    const std::u16string ownUserinit =
        WithoutSlash(parts_.system.SystemDirectory()) + u"\\userinit.exe";
    if (!userinit.empty() && !SamePath(userinit, ownUserinit))
        AddSuspect(userinit, kString, 50);
    for (std::u16string_view fileClass : SplitList(kOpenCommandClasses)) {
        AddCommand(Hive::ClassesRoot, std::u16string(fileClass) + registry::KeyOpenCommand.str(),
                   u"", kString, 50);
    }
    AddCommand(Hive::LocalMachine, registry::KeySafeBoot, u"AlternateShell", kString, 30);
    for (std::uint32_t i = 0;; ++i) {
        auto name = parts_.registry.EnumKey(Hive::LocalMachine, u"SYSTEM", i);
        if (!name.ok())
            break;
        if (IsControlSetName(name.value())) {
            AddCommand(Hive::LocalMachine, u"SYSTEM\\" + name.value() + u"\\Control\\SafeBoot",
                       u"AlternateShell", kString, 30);
        }
    }
}

void Heuristics::GatherAutorunFiles() {
    if (!parts_.analyzeAutorun)
        return;
    const std::u16string roots = DriveRoots(parts_.files, true, true);
    for (std::u16string_view root : SplitList(roots)) {
        std::u16string targets;
        parts_.analyzeAutorun(std::u16string(root) + u"autorun.inf", targets);
        for (std::u16string_view target : SplitList(targets))
            AddSuspect(StoredSpelling(parts_.files, target), SuspectSource::Autorun,
                       kAutorunWeight);
    }
}

}  // namespace vestra
