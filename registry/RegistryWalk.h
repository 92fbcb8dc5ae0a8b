// Walking a key's subtree into "|"-joined path lists, and pointing the system registry editor
// at a key. Depends on the registry layer; starting the editor is handed in by the caller.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "registry/RegistryAccess.h"

namespace vestra::registry {

struct WalkLists {
    std::u16string keys;    // every subkey below the start, as hive-relative key paths
    std::u16string values;  // with values asked for: the display path of every value
};

struct WalkControl {
    bool withValues = false;
    std::function<bool()> stopRequested;  // ends the walk early when it answers true
    std::function<void()> yield;          // called at every key
};

// Depth first, subkeys in enumeration order; the start key's own values count, the start key
// itself is not listed. Answers how many keys were listed.
int RegWalkKeys(RegistryAccess& registry, Hive hive, std::u16string_view key, WalkLists& lists,
                const WalkControl& control = {});

inline constexpr std::u16string_view kRegeditLastKey = u"LastKey";

// Writes the key, or its nearest existing parent, as the editor's "LastKey" and calls
// `restartEditor` to end running editors and start one. False when no part of the path exists
// (the caller shows "Couldn't Find Key") or the value cannot be written.
bool RegeditGoto(RegistryAccess& registry, Hive hive, std::u16string_view key,
                 const std::function<void()>& restartEditor);

}  // namespace vestra::registry
