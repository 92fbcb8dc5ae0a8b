// The undo file of registry repairs: before a value is rewritten or deleted or a key removed,
// what it held is appended in the registry editor's import format (UTF-16LE with a byte-order
// mark, as the editor writes), so importing the file puts everything back. Depends on the
// registry layer and the platform's files.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "registry/RegistryAccess.h"

namespace vestra::registry {

inline constexpr std::u16string_view kRegFileHeader = u"Windows Registry Editor Version 5.00";

// One value as the import format writes it: "name"="text", "name"=dword:0000000a,
// "name"=hex(2):41,00,..., or "name"=- for a value that did not exist (@ names the unnamed
// value). Text is written as text unless it holds a zero inside (then as bytes, hex(1)), so
// every value comes back as it was; a text comes back with its closing zero.
std::u16string RegFileValueLine(std::u16string_view name, const platform::RegValue* value);

class RegBackup {
public:
    RegBackup(platform::Registry& registry, platform::FileSystem& files, std::u16string path)
        : registry_(registry), files_(files), path_(std::move(path)) {}

    // What the value holds now, or that it does not exist. False when the file cannot be
    // written, in which case the repair must not go ahead.
    bool SaveValue(Hive hive, std::u16string_view key, std::u16string_view name);
    // The key with every value and subkey below it.
    bool SaveKeyTree(Hive hive, std::u16string_view key);
    // A key about to be created: importing removes it again, together with the missing keys
    // above it that creating it makes too. Values and keys below a key recorded so are not
    // saved again: their entries would make the key again when the file is imported after
    // its removal.
    bool SaveMissingKey(Hive hive, std::u16string_view key);

    const std::u16string& path() const { return path_; }

private:
    void AppendTree(Hive hive, std::u16string_view key, std::u16string& text, int depth);
    bool Append(std::u16string_view text);
    bool UnderMadeKey(Hive hive, std::u16string_view key) const;

    platform::Registry& registry_;
    platform::FileSystem& files_;
    std::u16string path_;
    // The keys this object recorded as missing, lower-cased, each with its hive.
    std::vector<std::pair<Hive, std::u16string>> madeKeys_;
};

}  // namespace vestra::registry
