// Registry reads, writes and deletions over the platform seam, answering with sentinels.
#include "registry/RegistryAccess.h"

#include "common/TextLists.h"

namespace vestra::registry {
namespace {

using platform::KeyAccess;
using platform::OsError;

int Answer(OsError error) {
    return error == OsError::None ? kDone : kFailed;
}

}  // namespace

bool RegistryAccess::RegKeyExists(Hive hive, std::u16string_view key) {
    return registry_.OpenKey(hive, key, KeyAccess::Read) == OsError::None;
}

bool RegistryAccess::RegValueExists(Hive hive, std::u16string_view key, std::u16string_view name) {
    return registry_.QueryValue(hive, key, name).ok();
}

std::u16string RegistryAccess::RegReadString(Hive hive, std::u16string_view key,
                                             std::u16string_view name, Expansion expansion) {
    auto value = registry_.QueryValue(hive, key, name);
    if (!value)
        return std::u16string(kMissingText);
    std::u16string text = platform::ValueText(*value);
    if (expansion == Expansion::Raw || text.empty())
        return text;
    return ExpandEnv(text);
}

std::int32_t RegistryAccess::RegReadDWORD(Hive hive, std::u16string_view key,
                                          std::u16string_view name) {
    auto value = registry_.QueryValue(hive, key, name);
    if (!value || value->type != platform::regtype::kDword || value->data.size() != 4) {
        return kMissingNumber;
    }
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
        number = (number << 8) | value->data[i];
    return static_cast<std::int32_t>(number);
}

int RegistryAccess::RegWriteDWORD(Hive hive, std::u16string_view key, std::u16string_view name,
                                  std::int32_t value) {
    auto data = platform::DwordValue(static_cast<std::uint32_t>(value));
    return Answer(registry_.SetValue(hive, key, name, data));
}

int RegistryAccess::RegWriteValue(Hive hive, std::u16string_view key, std::u16string_view name,
                                  std::u16string_view text, std::uint32_t type) {
    return Answer(registry_.SetValue(hive, key, name, platform::TextValue(text, type)));
}

int RegistryAccess::RegRemoveValue(Hive hive, std::u16string_view key, std::u16string_view name) {
    OsError opened = registry_.OpenKey(hive, key, KeyAccess::Read);
    if (opened == OsError::FileNotFound || opened == OsError::PathNotFound)
        return kDone;
    if (registry_.OpenKey(hive, key, KeyAccess::Write) != OsError::None)
        return kFailed;
    OsError deleted = registry_.DeleteValue(hive, key, name);
    // A value that was not there is as gone as a deleted one; a refused deletion is not.
    if (deleted == OsError::None || deleted == OsError::FileNotFound)
        return kDone;
    return kFailed;
}

int RegistryAccess::RegRemoveKey(Hive hive, std::u16string_view key) {
    if (key.empty())
        return kFailed;
    return Answer(registry_.DeleteKey(hive, key));
}

int RegistryAccess::RegRemoveTree(Hive hive, std::u16string_view key,
                                  const std::function<void()>& yield) {
    if (key.empty())
        return kFailed;
    for (;;) {
        auto sub = registry_.EnumKey(hive, key, 0);
        if (!sub)
            break;
        if (yield)
            yield();
        std::u16string child(key);
        child += u'\\';
        child += *sub;
        // A subkey that survives would come back at index 0 for ever.
        if (RegRemoveTree(hive, child, yield) != kDone)
            return kFailed;
    }
    if (yield)
        yield();
    return RegRemoveKey(hive, key);
}

int RegistryAccess::RegMakeKey(Hive hive, std::u16string_view key) {
    if (registry_.OpenKey(hive, key, KeyAccess::All) == OsError::None)
        return kFailed;
    return Answer(registry_.CreateKey(hive, key));
}

std::u16string RegistryAccess::ExpandEnv(std::u16string_view text) {
    return TextBeforeNul(system_.ExpandEnvironment(text), false);
}

std::vector<std::u16string> RegistryAccess::RegValueNames(Hive hive, std::u16string_view key) {
    std::vector<std::u16string> names;
    for (std::uint32_t index = 0;; ++index) {
        auto entry = registry_.EnumValue(hive, key, index);
        if (!entry)
            break;
        names.push_back(std::move(entry->name));
    }
    return names;
}

int RegistryAccess::RegListValues(Hive hive, std::u16string_view key, std::u16string& list) {
    auto names = RegValueNames(hive, key);
    for (const auto& name : names)
        AppendToList(list, name);
    return static_cast<int>(names.size());
}

}  // namespace vestra::registry
