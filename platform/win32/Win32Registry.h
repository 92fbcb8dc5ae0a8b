// The registry on advapi32; every call opens and closes its own key.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/Registry.h"

namespace vestra::platform::win32 {

class Win32Registry : public Registry {
public:
    OsError OpenKey(Hive hive, std::u16string_view subkey, KeyAccess access) override;
    OsError CreateKey(Hive hive, std::u16string_view subkey) override;
    OsError DeleteKey(Hive hive, std::u16string_view subkey) override;
    Result<RegValue> QueryValue(Hive hive, std::u16string_view subkey,
                                std::u16string_view name) override;
    OsError SetValue(Hive hive, std::u16string_view subkey, std::u16string_view name,
                     const RegValue& value) override;
    OsError DeleteValue(Hive hive, std::u16string_view subkey, std::u16string_view name) override;
    Result<std::u16string> EnumKey(Hive hive, std::u16string_view subkey,
                                   std::uint32_t index) override;
    Result<RegValueEntry> EnumValue(Hive hive, std::u16string_view subkey,
                                    std::uint32_t index) override;
};

}  // namespace vestra::platform::win32
