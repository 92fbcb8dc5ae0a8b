// The logon entry that starts the protection host: a Run-key value holding the installed host's
// path and the word "rtp".
#pragma once

#include <string>
#include <string_view>

#include "registry/RegistryAccess.h"

namespace vestra::protection {

inline constexpr std::u16string_view kAutostartKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::u16string_view kAutostartValue = u"VE\u0394RT-Protection";
// The name older builds used; removed whenever the entry is written.
inline constexpr std::u16string_view kOldAutostartValue = u"VesRTProtection";

class Autostart {
public:
    // Before Vista the entry is the machine's (HKLM), later the user's (HKCU), where a standard
    // user may write it.
    Autostart(registry::RegistryAccess& registry, bool isPreVista, std::u16string installedExe);

    // The entry's data: the path in quotes, so that a path with spaces still starts the host in
    // its protection mode rather than as whatever program the first word names.
    std::u16string EntryData() const;
    // The entry holds exactly that (case and outer spaces aside).
    bool IsAutostartRegistered();
    // On: removes the old name's value and writes the entry unless it is there already; true
    // when the entry is in place afterwards. Off: deletes it; true when it is gone.
    bool RegisterAutostart(bool on);

private:
    registry::RegistryAccess& registry_;
    registry::Hive hive_;
    std::u16string installedExe_;
};

}  // namespace vestra::protection
