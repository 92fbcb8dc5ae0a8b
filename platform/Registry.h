// Registry: keys under the predefined hives, typed values, enumeration and deletion. Each call
// opens and closes its own key, so no handle outlives an operation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace vestra::platform {

enum class Hive : std::uint32_t {
    ClassesRoot = 0x80000000,
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
    Users = 0x80000003,
    PerformanceData = 0x80000004,
    CurrentConfig = 0x80000005,
    DynData = 0x80000006,
};

namespace regtype {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kMultiSz = 7;
inline constexpr std::uint32_t kQword = 11;
}  // namespace regtype

enum class KeyAccess : std::uint8_t { Read, Write, All };

struct RegValue {
    std::uint32_t type = regtype::kNone;
    std::vector<std::uint8_t> data;  // raw bytes, as RegQueryValueExW returns them
};

struct RegValueEntry {
    std::u16string name;
    RegValue value;
};

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExW with the given access: None when the key opens.
    virtual OsError OpenKey(Hive hive, std::u16string_view subkey, KeyAccess access) = 0;
    // RegCreateKeyW: creates the key and any missing parents; an existing key is not an error.
    virtual OsError CreateKey(Hive hive, std::u16string_view subkey) = 0;
    // RegDeleteKeyW: fails when the key has subkeys.
    virtual OsError DeleteKey(Hive hive, std::u16string_view subkey) = 0;

    // "" names the key's default value. A missing key or value is FileNotFound.
    virtual Result<RegValue> QueryValue(Hive hive, std::u16string_view subkey,
                                        std::u16string_view name) = 0;
    // RegSetValueExW: the key must exist (it is not created).
    virtual OsError SetValue(Hive hive, std::u16string_view subkey, std::u16string_view name,
                             const RegValue& value) = 0;
    virtual OsError DeleteValue(Hive hive, std::u16string_view subkey,
                                std::u16string_view name) = 0;

    // RegEnumKeyW / RegEnumValueW by index; NoMoreItems past the end. Subkeys come in
    // case-insensitive name order, values in the order they were first written.
    virtual Result<std::u16string> EnumKey(Hive hive, std::u16string_view subkey,
                                           std::uint32_t index) = 0;
    virtual Result<RegValueEntry> EnumValue(Hive hive, std::u16string_view subkey,
                                            std::uint32_t index) = 0;
};

// Typed views of raw value data shared by callers: UTF-16 text without its terminating zeros,
// and a REG_DWORD's little-endian number.
RegValue TextValue(std::u16string_view text, std::uint32_t type = regtype::kSz);
RegValue DwordValue(std::uint32_t number);
std::u16string ValueText(const RegValue& value);  // cut at the first zero character

}  // namespace vestra::platform
