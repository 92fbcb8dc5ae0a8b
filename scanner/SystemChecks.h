// The system checks of a scan run that are not registry rules: the hosts file and the Windows
// and system folders' attributes, as area phases. Depends on the scan report, the hidden-path
// test and the platform's files.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "scanner/AreaPhases.h"

namespace vestra {

inline constexpr std::size_t kHostsReadLimit = 512000;

struct SystemCheckParts {
    platform::FileSystem& files;
    std::u16string systemFolder;   // without a trailing backslash
    std::u16string windowsFolder;  // without a trailing backslash
};

// A hosts file that mentions "virus" or the product becomes a "Blocked Hosts" row that
// cleaning rewrites. Answers whether it did.
bool ScanHostsFile(const SystemCheckParts& parts, PhaseContext& context);

// Fills the hosts-file and system-folder phases. The parts must outlive the phases.
void InstallSystemCheckPhases(AreaPhases& phases, const SystemCheckParts& parts);

}  // namespace vestra
