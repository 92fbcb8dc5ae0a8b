// The well-known paths, built once at start-up. Folder entries end with a backslash.
#pragma once

#include <string>

#include "platform/System.h"

namespace vestra {

struct PathTable {
    std::u16string systemDir, windowsDir, tempDir, systemRoot;
    std::u16string programFilesDir, startupDir, commonStartupDir;
    std::u16string ownExePath, ownFolder;

    std::u16string installDir, installedProtectionExe;
    std::u16string installedEngine, installedDatabase, installedShellExt, installedRuntime;
    std::u16string installedContextDll;
    std::u16string legacyProtectionExe1, legacyProtectionExe2, legacyProtectionExe3;

    std::u16string engineFile, databaseFile, shellExtFile, runtimeFile, logFile;
    std::u16string updateTempExe;
    std::u16string cageFolder, oldCageFolder, oldCageIndex, restoreFolder;
    std::u16string hostsFile, explorerExe, wscriptExe, regeditExe, tasksDir, dllCacheDir;
    std::u16string shell32Path, notepadPathExpanded, notepadPathSystem;

    std::u16string settingsKey, exceptionKey;  // under HKEY_CURRENT_USER
};

// `ownExePath` is the running executable's full path (found from the own process id).
PathTable BuildPathTable(platform::System& system, std::u16string_view ownExePath);

// Appends a backslash unless the text already ends with one; empty stays empty.
std::u16string WithBackslash(std::u16string_view folder);

}  // namespace vestra
