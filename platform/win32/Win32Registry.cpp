// Registry keys and values through RegOpenKeyExW, RegCreateKeyW, RegQueryValueExW,
// RegSetValueExW, RegEnumKeyExW, RegEnumValueW and the delete calls.
#include "platform/win32/Win32Registry.h"

namespace vestra::platform::win32 {

namespace {

REGSAM Sam(KeyAccess access) {
    switch (access) {
        case KeyAccess::Read:
            return KEY_READ;
        case KeyAccess::Write:
            return KEY_WRITE;
        case KeyAccess::All:
            return KEY_ALL_ACCESS;
    }
    return KEY_READ;
}

Result<KeyOwner> Open(Hive hive, std::u16string_view subkey, REGSAM sam) {
    KeyOwner key;
    LSTATUS status =
        ::RegOpenKeyExW(HiveHandle(hive), W(std::u16string(subkey)), 0, sam, key.put());
    if (status != ERROR_SUCCESS)
        return MapError(static_cast<DWORD>(status));
    return key;
}

OsError Status(LSTATUS status) {
    return MapError(static_cast<DWORD>(status));
}

}  // namespace

OsError Win32Registry::OpenKey(Hive hive, std::u16string_view subkey, KeyAccess access) {
    auto key = Open(hive, subkey, Sam(access));
    return key.ok() ? OsError::None : key.error();
}

OsError Win32Registry::CreateKey(Hive hive, std::u16string_view subkey) {
    KeyOwner key;
    return Status(::RegCreateKeyW(HiveHandle(hive), W(std::u16string(subkey)), key.put()));
}

OsError Win32Registry::DeleteKey(Hive hive, std::u16string_view subkey) {
    return Status(::RegDeleteKeyW(HiveHandle(hive), W(std::u16string(subkey))));
}

Result<RegValue> Win32Registry::QueryValue(Hive hive, std::u16string_view subkey,
                                           std::u16string_view name) {
    auto key = Open(hive, subkey, KEY_QUERY_VALUE);
    if (!key)
        return key.error();
    std::u16string valueName(name);
    RegValue value;
    DWORD size = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        // The value may grow between the two calls; ask again with the size now reported.
        value.data.resize(size);
        DWORD type = 0;
        LSTATUS status = ::RegQueryValueExW(key->get(), W(valueName), nullptr, &type,
                                            size == 0 ? nullptr : value.data.data(), &size);
        if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && size > value.data.size())) {
            continue;
        }
        if (status != ERROR_SUCCESS)
            return Status(status);
        value.type = type;
        value.data.resize(size);
        return value;
    }
    return OsError::Other;
}

OsError Win32Registry::SetValue(Hive hive, std::u16string_view subkey, std::u16string_view name,
                                const RegValue& value) {
    auto key = Open(hive, subkey, KEY_SET_VALUE);
    if (!key)
        return key.error();
    return Status(::RegSetValueExW(key->get(), W(std::u16string(name)), 0, value.type,
                                   value.data.data(), static_cast<DWORD>(value.data.size())));
}

OsError Win32Registry::DeleteValue(Hive hive, std::u16string_view subkey,
                                   std::u16string_view name) {
    auto key = Open(hive, subkey, KEY_SET_VALUE);
    if (!key)
        return key.error();
    return Status(::RegDeleteValueW(key->get(), W(std::u16string(name))));
}

Result<std::u16string> Win32Registry::EnumKey(Hive hive, std::u16string_view subkey,
                                              std::uint32_t index) {
    auto key = Open(hive, subkey, KEY_ENUMERATE_SUB_KEYS);
    if (!key)
        return key.error();
    wchar_t name[256];  // key names are at most 255 characters
    DWORD length = 256;
    LSTATUS status =
        ::RegEnumKeyExW(key->get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
        return Status(status);
    return FromWide(name, length);
}

Result<RegValueEntry> Win32Registry::EnumValue(Hive hive, std::u16string_view subkey,
                                               std::uint32_t index) {
    auto key = Open(hive, subkey, KEY_QUERY_VALUE);
    if (!key)
        return key.error();
    DWORD maxName = 0;
    DWORD maxData = 0;
    LSTATUS status = ::RegQueryInfoKeyW(key->get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, &maxName, &maxData, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
        return Status(status);
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::wstring name(maxName + 1, L'\0');
        DWORD nameLength = maxName + 1;
        RegValueEntry entry;
        entry.value.data.resize(maxData);
        DWORD dataSize = maxData;
        DWORD type = 0;
        status = ::RegEnumValueW(key->get(), index, name.data(), &nameLength, nullptr, &type,
                                 maxData == 0 ? nullptr : entry.value.data.data(), &dataSize);
        if (status == ERROR_MORE_DATA) {  // a value grew meanwhile
            maxName = maxName * 2 + 16;
            maxData = std::max<DWORD>(maxData * 2, dataSize);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return Status(status);
        entry.name = FromWide(name.data(), nameLength);
        entry.value.type = type;
        entry.value.data.resize(dataSize);
        return entry;
    }
    return OsError::Other;
}

}  // namespace vestra::platform::win32
