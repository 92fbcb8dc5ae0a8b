// An in-memory registry with the Windows rules that callers meet: key names compared without
// regard to case but kept as first spelled, subkeys listed in case-insensitive order, values in
// the order they were first written, keys that refuse writing, and injected failures.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/fake/FaultInjector.h"

namespace vestra::platform::fake {

enum class RegOp : std::uint8_t {
    OpenKey,
    CreateKey,
    DeleteKey,
    QueryValue,
    SetValue,
    DeleteValue,
    EnumKey,
    EnumValue,
    Count,
};

class FakeRegistry : public Registry {
public:
    FakeRegistry();

    // Makes an existing key refuse write access (as HKLM keys do for a limited user): opening it
    // for writing, changing its values, adding subkeys to it and deleting it are AccessDenied.
    // Answers false when the key does not exist.
    bool DenyWrite(Hive hive, std::u16string_view subkey);
    // Test inspection: whether a key exists.
    bool KeyExists(Hive hive, std::u16string_view subkey);

    FaultInjector<RegOp>& faults() { return faults_; }

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

private:
    struct Key {
        std::u16string name;
        std::map<std::u16string, std::unique_ptr<Key>> subkeys;  // by upper-cased name
        std::vector<RegValueEntry> values;                       // first-write order
        bool writeDenied = false;
    };
    struct Path {
        std::vector<std::u16string> parts;
    };

    static Result<Path> SplitKeyPath(std::u16string_view subkey);
    Key* Root(Hive hive);
    // The key at `subkey`, or FileNotFound / InvalidName.
    Result<Key*> Find(Hive hive, std::u16string_view subkey);
    Result<Key*> Walk(Hive hive, const std::vector<std::u16string>& parts, std::size_t count);
    static RegValueEntry* FindValue(Key& key, std::u16string_view name);

    std::map<Hive, Key> hives_;
    FaultInjector<RegOp> faults_;
};

}  // namespace vestra::platform::fake
