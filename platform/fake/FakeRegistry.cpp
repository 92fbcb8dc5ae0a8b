// The in-memory registry: key lookup and creation along backslash-separated paths, typed values
// and enumeration by index.
#include "platform/fake/FakeRegistry.h"

#include <algorithm>

#include "platform/Text.h"

namespace vestra::platform::fake {

FakeRegistry::FakeRegistry() {
    for (Hive hive : {Hive::ClassesRoot, Hive::CurrentUser, Hive::LocalMachine, Hive::Users,
                      Hive::PerformanceData, Hive::CurrentConfig, Hive::DynData}) {
        hives_[hive];
    }
}

Result<FakeRegistry::Path> FakeRegistry::SplitKeyPath(std::u16string_view subkey) {
    // A leading backslash is ERROR_BAD_PATHNAME; doubled and trailing ones are tolerated.
    if (!subkey.empty() && subkey.front() == u'\\')
        return OsError::InvalidName;
    Path path;
    std::u16string current;
    for (char16_t c : subkey) {
        if (c == u'\\') {
            if (!current.empty())
                path.parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        path.parts.push_back(std::move(current));
    return path;
}

FakeRegistry::Key* FakeRegistry::Root(Hive hive) {
    auto it = hives_.find(hive);
    return it == hives_.end() ? nullptr : &it->second;
}

Result<FakeRegistry::Key*> FakeRegistry::Find(Hive hive, std::u16string_view subkey) {
    auto path = SplitKeyPath(subkey);
    if (!path)
        return path.error();
    return Walk(hive, path->parts, path->parts.size());
}

Result<FakeRegistry::Key*> FakeRegistry::Walk(Hive hive, const std::vector<std::u16string>& parts,
                                              std::size_t count) {
    Key* key = Root(hive);
    if (key == nullptr)
        return OsError::Other;  // ERROR_INVALID_HANDLE
    for (std::size_t i = 0; i < count; ++i) {
        auto it = key->subkeys.find(UpperCase(parts[i]));
        if (it == key->subkeys.end())
            return OsError::FileNotFound;
        key = it->second.get();
    }
    return key;
}

RegValueEntry* FakeRegistry::FindValue(Key& key, std::u16string_view name) {
    auto it = std::find_if(key.values.begin(), key.values.end(), [&](const RegValueEntry& entry) {
        return EqualsNoCase(entry.name, name);
    });
    return it == key.values.end() ? nullptr : &*it;
}

bool FakeRegistry::DenyWrite(Hive hive, std::u16string_view subkey) {
    auto key = Find(hive, subkey);
    if (!key)
        return false;
    (*key)->writeDenied = true;
    return true;
}

bool FakeRegistry::KeyExists(Hive hive, std::u16string_view subkey) {
    return Find(hive, subkey).ok();
}

OsError FakeRegistry::OpenKey(Hive hive, std::u16string_view subkey, KeyAccess access) {
    if (OsError e = faults_.Next(RegOp::OpenKey); e != OsError::None)
        return e;
    auto key = Find(hive, subkey);
    if (!key)
        return key.error();
    if ((*key)->writeDenied && access != KeyAccess::Read)
        return OsError::AccessDenied;
    return OsError::None;
}

OsError FakeRegistry::CreateKey(Hive hive, std::u16string_view subkey) {
    if (OsError e = faults_.Next(RegOp::CreateKey); e != OsError::None)
        return e;
    auto path = SplitKeyPath(subkey);
    if (!path)
        return path.error();
    Key* key = Root(hive);
    if (key == nullptr)
        return OsError::Other;
    for (const auto& part : path->parts) {
        auto& slot = key->subkeys[UpperCase(part)];
        if (!slot) {
            if (key->writeDenied) {
                key->subkeys.erase(UpperCase(part));
                return OsError::AccessDenied;
            }
            slot = std::make_unique<Key>();
            slot->name = part;
        }
        key = slot.get();
    }
    return OsError::None;
}

OsError FakeRegistry::DeleteKey(Hive hive, std::u16string_view subkey) {
    if (OsError e = faults_.Next(RegOp::DeleteKey); e != OsError::None)
        return e;
    auto path = SplitKeyPath(subkey);
    if (!path)
        return path.error();
    if (path->parts.empty())
        return OsError::AccessDenied;  // a hive cannot be deleted
    auto parent = Walk(hive, path->parts, path->parts.size() - 1);
    if (!parent)
        return parent.error();
    auto it = (*parent)->subkeys.find(UpperCase(path->parts.back()));
    if (it == (*parent)->subkeys.end())
        return OsError::FileNotFound;
    // RegDeleteKeyW refuses a key that still has subkeys, and so does a key closed to writing.
    if (!it->second->subkeys.empty() || it->second->writeDenied)
        return OsError::AccessDenied;
    (*parent)->subkeys.erase(it);
    return OsError::None;
}

Result<RegValue> FakeRegistry::QueryValue(Hive hive, std::u16string_view subkey,
                                          std::u16string_view name) {
    if (OsError e = faults_.Next(RegOp::QueryValue); e != OsError::None)
        return e;
    auto key = Find(hive, subkey);
    if (!key)
        return key.error();
    RegValueEntry* entry = FindValue(**key, name);
    if (entry == nullptr)
        return OsError::FileNotFound;
    return entry->value;
}

OsError FakeRegistry::SetValue(Hive hive, std::u16string_view subkey, std::u16string_view name,
                               const RegValue& value) {
    if (OsError e = faults_.Next(RegOp::SetValue); e != OsError::None)
        return e;
    auto key = Find(hive, subkey);
    if (!key)
        return key.error();
    if ((*key)->writeDenied)
        return OsError::AccessDenied;
    if (RegValueEntry* entry = FindValue(**key, name)) {
        entry->value = value;  // keeps its place and its first spelling
    } else {
        (*key)->values.push_back({std::u16string(name), value});
    }
    return OsError::None;
}

OsError FakeRegistry::DeleteValue(Hive hive, std::u16string_view subkey, std::u16string_view name) {
    if (OsError e = faults_.Next(RegOp::DeleteValue); e != OsError::None)
        return e;
    auto key = Find(hive, subkey);
    if (!key)
        return key.error();
    if ((*key)->writeDenied)
        return OsError::AccessDenied;
    auto& values = (*key)->values;
    RegValueEntry* entry = FindValue(**key, name);
    if (entry == nullptr)
        return OsError::FileNotFound;
    values.erase(values.begin() + (entry - values.data()));
    return OsError::None;
}

Result<std::u16string> FakeRegistry::EnumKey(Hive hive, std::u16string_view subkey,
                                             std::uint32_t index) {
    if (OsError e = faults_.Next(RegOp::EnumKey); e != OsError::None)
        return e;
    auto key = Find(hive, subkey);
    if (!key)
        return key.error();
    if (index >= (*key)->subkeys.size())
        return OsError::NoMoreItems;
    auto it = (*key)->subkeys.begin();
    std::advance(it, index);
    return it->second->name;
}

Result<RegValueEntry> FakeRegistry::EnumValue(Hive hive, std::u16string_view subkey,
                                              std::uint32_t index) {
    if (OsError e = faults_.Next(RegOp::EnumValue); e != OsError::None)
        return e;
    auto key = Find(hive, subkey);
    if (!key)
        return key.error();
    if (index >= (*key)->values.size())
        return OsError::NoMoreItems;
    return (*key)->values[index];
}

}  // namespace vestra::platform::fake
