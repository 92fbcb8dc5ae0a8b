// Path table construction.
#include "app/PathTable.h"

#include "app/ProductNames.h"
#include "common/FileNames.h"

namespace vestra {
namespace {

// The ANSI folder calls fill a buffer of 255 characters; longer answers count as missing.
constexpr std::size_t kAnsiPathLimit = 255;

std::u16string Limited(std::u16string folder) {
    if (folder.size() > kAnsiPathLimit)
        return {};
    return folder;
}

std::u16string Join(std::u16string_view a, std::u16string_view b) {
    std::u16string out(a);
    out.append(b);
    return out;
}

}  // namespace

std::u16string WithBackslash(std::u16string_view folder) {
    // An unknown folder stays empty rather than becoming the root of the current drive.
    std::u16string out(folder);
    if (!out.empty() && out.back() != u'\\')
        out += u'\\';
    return out;
}

PathTable BuildPathTable(platform::System& system, std::u16string_view ownExePath) {
    PathTable p;
    p.systemDir = WithBackslash(Limited(system.SystemDirectory()));
    p.windowsDir = WithBackslash(Limited(system.WindowsDirectory()));
    p.tempDir = WithBackslash(Limited(system.TempPath()));
    p.systemRoot = p.windowsDir.substr(0, 3);
    p.programFilesDir = WithBackslash(system.SpecialFolder(platform::csidl::kProgramFiles));
    p.startupDir = WithBackslash(system.SpecialFolder(platform::csidl::kStartup));
    p.commonStartupDir = WithBackslash(system.SpecialFolder(platform::csidl::kCommonStartup));
    p.ownExePath = ownExePath;
    p.ownFolder = FolderOf(ownExePath);

    p.installDir = Join(p.programFilesDir, u"Vestra\\");
    p.installedProtectionExe = Join(p.installDir, kProtectionExeName);
    p.installedEngine = Join(p.installDir, kEngineFileName);
    p.installedDatabase = Join(p.installDir, kDatabaseFileName);
    p.installedShellExt = Join(p.installDir, kShellExtFileName);
    p.installedRuntime = kRuntimeFileName.empty() ? u"" : Join(p.installDir, kRuntimeFileName);
    p.installedContextDll = Join(p.installDir, kContextDllFileName);
    p.legacyProtectionExe1 = Join(p.windowsDir, u"VesRTP.exe");
    p.legacyProtectionExe2 = Join(p.windowsDir, kProtectionExeName);
    p.legacyProtectionExe3 =
        Join(Join(p.programFilesDir, kInstallFolderName), Join(u"\\", kProtectionExeName));

    p.engineFile = Join(p.ownFolder, kEngineFileName);
    p.databaseFile = Join(p.ownFolder, kDatabaseFileName);
    p.shellExtFile = Join(p.ownFolder, kShellExtFileName);
    p.runtimeFile = kRuntimeFileName.empty() ? u"" : Join(p.ownFolder, kRuntimeFileName);
    p.logFile = Join(p.ownFolder, kLogFileName);
    p.updateTempExe = Join(p.tempDir, u"vstupd.exe");

    p.cageFolder = Join(p.systemRoot, u"[Vest-Cage]\\");
    p.oldCageFolder = Join(p.systemRoot, u"[VestCage]\\");
    p.oldCageIndex = Join(p.oldCageFolder, u"Cage.DaB");
    p.restoreFolder = Join(p.systemRoot, u"[Vest-Restore]\\");
    p.hostsFile = Join(p.systemDir, u"drivers\\etc\\hosts");
    p.explorerExe = Join(p.windowsDir, u"explorer.exe");
    p.wscriptExe = Join(p.systemDir, u"wscript.exe");
    p.regeditExe = Join(p.windowsDir, u"Regedit.exe");
    p.tasksDir = Join(p.windowsDir, u"Tasks\\");
    p.dllCacheDir = Join(p.systemDir, u"dllcache\\");
    p.shell32Path = Join(p.systemDir, u"shell32.dll");
    p.notepadPathExpanded = u"%SystemRoot%\\system32\\NOTEPAD.EXE";
    p.notepadPathSystem = Join(p.systemDir, u"NOTEPAD.EXE");

    p.settingsKey = Join(u"SOFTWARE\\", kInstallFolderName);
    p.exceptionKey = Join(p.settingsKey, u"\\Exception");
    return p;
}

}  // namespace vestra
