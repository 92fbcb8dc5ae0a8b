// The single-file check every part of the program asks: filters first (fast-scan extensions,
// file exceptions), then the engine, whose answer becomes the verdict.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/client/Engine.h"
#include "platform/FileSystem.h"

namespace vestra {

// An engine's positive answer: the name, the category's name and the action code.
struct Verdict {
    std::u16string lastVirusName;
    std::u16string lastVirusType;
    std::u16string lastAction;
};

// Action codes of virus-list rows.
inline constexpr std::u16string_view kActionDelete = u"DEL";
inline constexpr std::u16string_view kActionCage = u"CAGE";
inline constexpr std::u16string_view kActionInjected = u"INJ";
inline constexpr std::u16string_view kActionClean = u"CLN";
inline constexpr std::u16string_view kActionExclude = u"EXC";

// The extensions a fast scan still hands to the engine ("vra" is the quarantine format).
inline constexpr std::u16string_view kScannedExtensions =
    u"exe|scr|vbs|com|bat|cmd|pif|lnk|vbe|dls|scx|db|mdb|vmx|tmp|ini|vra|inf";

// When the fast-scan filter applies: during a scan run's file phase with the setting on and no
// detection before it, or inside one of the protection host's folder scans.
struct ExtensionFilterState {
    bool turboSetting = false;
    bool guiMode = false;
    bool filePhase = false;
    bool detectedBeforeFiles = false;
    bool hostFolderScan = false;

    bool On() const {
        return (turboSetting && guiMode && filePhase && !detectedBeforeFiles) || hostFolderScan;
    }
};

// "Worm", "Virus", ... for 1 to 9; empty otherwise.
std::u16string CategoryName(std::int32_t category);

class FileChecker {
public:
    FileChecker(Engine& engine, platform::FileSystem& files) : engine_(engine), files_(files) {}

    ExtensionFilterState filter;
    std::u16string fileExceptions;  // "|"-joined full paths
    // The last positive answer; a negative check leaves it as it was. An answer without a known
    // action keeps the action of the one before.
    Verdict verdict;

    // The verdict when the engine reports malware (`verdict` is then that answer too); nothing
    // for a clean, filtered, excepted or missing file.
    std::optional<Verdict> CheckFile(std::u16string_view path);

private:
    Engine& engine_;
    platform::FileSystem& files_;
};

}  // namespace vestra
