// The protection host's logon entry.
#include "protection/Autostart.h"

#include "platform/Text.h"

namespace vestra::protection {
namespace {
constexpr std::uint32_t kRegSz = 1;
}

Autostart::Autostart(registry::RegistryAccess& registry, bool isPreVista,
                     std::u16string installedExe)
    : registry_(registry),
      hive_(isPreVista ? registry::Hive::LocalMachine : registry::Hive::CurrentUser),
      installedExe_(std::move(installedExe)) {}

std::u16string Autostart::EntryData() const {
    return u"\"" + installedExe_ + u"\" rtp";
}

bool Autostart::IsAutostartRegistered() {
    const std::u16string data =
        registry_.RegReadString(hive_, kAutostartKey, kAutostartValue, registry::Expansion::Raw);
    return LowerCase(Trim(data)) == LowerCase(EntryData());
}

bool Autostart::RegisterAutostart(bool on) {
    if (!on)
        return registry_.RegRemoveValue(hive_, kAutostartKey, kAutostartValue) == registry::kDone;
    if (registry_.RegKeyExists(hive_, kAutostartKey))
        registry_.RegRemoveValue(hive_, kAutostartKey, kOldAutostartValue);
    if (IsAutostartRegistered())
        return true;
    registry_.RegMakeKey(hive_, kAutostartKey);
    return registry_.RegWriteValue(hive_, kAutostartKey, kAutostartValue, EntryData(), kRegSz) ==
           registry::kDone;
}

}  // namespace vestra::protection
