// The registry operations every part of the program goes through. They hide handles and buffers
// and answer with fixed sentinels instead of errors: a missing text reads "-1", a missing number
// -1, writes and deletes answer 1 or -1. Depends only on the platform seam.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "platform/System.h"

namespace vestra::registry {

using platform::Hive;

inline constexpr std::u16string_view kMissingText = u"-1";
inline constexpr std::int32_t kMissingNumber = -1;
inline constexpr int kDone = 1;
inline constexpr int kFailed = -1;

enum class Expansion : std::uint8_t { Expand, Raw };

class RegistryAccess {
public:
    RegistryAccess(platform::Registry& registry, platform::System& system)
        : registry_(registry), system_(system) {}

    // True when the key opens for reading.
    bool RegKeyExists(Hive hive, std::u16string_view key);
    // True when the value exists, whatever its type.
    bool RegValueExists(Hive hive, std::u16string_view key, std::u16string_view name);

    // "-1" when the key or the value is missing; otherwise the data as text whatever its type,
    // cut at the first zero character and (unless Raw) with environment variables expanded.
    std::u16string RegReadString(Hive hive, std::u16string_view key, std::u16string_view name,
                                 Expansion expansion = Expansion::Expand);
    // -1 when the key or the value is missing, or when the value is not a 4-byte REG_DWORD.
    std::int32_t RegReadDWORD(Hive hive, std::u16string_view key, std::u16string_view name);

    // Writes into an existing key (the key is not created); 1 or -1.
    int RegWriteDWORD(Hive hive, std::u16string_view key, std::u16string_view name,
                      std::int32_t value);
    int RegWriteValue(Hive hive, std::u16string_view key, std::u16string_view name,
                      std::u16string_view text, std::uint32_t type);

    // 1 when the value is gone afterwards (also when key or value never existed); -1 when the
    // key cannot be opened for writing or the deletion is refused.
    int RegRemoveValue(Hive hive, std::u16string_view key, std::u16string_view name);
    // Deletes a key without subkeys; 1 or -1. A hive root (empty key) is never deleted.
    int RegRemoveKey(Hive hive, std::u16string_view key);
    // Deletes a key and everything below it, depth first, calling `yield` between steps so the
    // caller's message loop keeps running. -1 as soon as any subkey resists deletion.
    int RegRemoveTree(Hive hive, std::u16string_view key, const std::function<void()>& yield = {});
    // -1 when the key already opens with full access (nothing done); otherwise creates it and
    // answers 1, or -1 when that fails.
    int RegMakeKey(Hive hive, std::u16string_view key);

    // Environment variables expanded, cut at the first zero character.
    std::u16string ExpandEnv(std::u16string_view text);

    // Appends each value name of the key to the "|"-joined list; answers how many were added.
    int RegListValues(Hive hive, std::u16string_view key, std::u16string& list);
    // The value names of the key in enumeration order (empty for a missing key).
    std::vector<std::u16string> RegValueNames(Hive hive, std::u16string_view key);

    platform::Registry& registry() { return registry_; }

private:
    platform::Registry& registry_;
    platform::System& system_;
};

// The display text of a registry item: hive name + "\" + key, and unless keyOnly + "\" + the
// value name ("(Default)" for the unnamed value); doubled backslashes reduced to one.
std::u16string RegPathText(Hive hive, std::u16string_view key, std::u16string_view name,
                           bool keyOnly);

inline constexpr std::u16string_view kDefaultValueText = u"(Default)";

struct RegPath {
    Hive hive = Hive::CurrentUser;
    std::u16string key;
    std::u16string name;  // "" for the unnamed value
};

// The inverse of RegPathText: nullopt when the first part is not a hive name.
std::optional<RegPath> RegSplitPath(std::u16string_view path, bool keyOnly);

}  // namespace vestra::registry
