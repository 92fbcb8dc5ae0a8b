// The exception list: folders, files and registry items the user trusts. Stored as REG_SZ values
// named by kind and counter (Dir0, Fil3, Reg1) under the exception key of HKEY_CURRENT_USER, and
// held in memory as "|"-joined lists per kind, rebuilt by LoadExceptions and never edited in place.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryAccess.h"

namespace vestra::config {

// What an entry trusts. The numbers are the kinds' places in the lists and stay as they are.
enum class ExceptionKind : std::uint8_t { Folder = 0, File = 1, Registry = 2 };
inline constexpr std::array<ExceptionKind, 3> kExceptionKinds = {
    ExceptionKind::Folder, ExceptionKind::File, ExceptionKind::Registry};

// "Dir", "Fil", "Reg": the start of a value name written for the kind; empty for a value that is
// no kind.
std::u16string_view ExceptionPrefix(ExceptionKind kind);
// "Folder", "File", "Registry": the word shown in the list; empty for a value that is no kind.
std::u16string_view ExceptionKindWord(ExceptionKind kind);
// The kind a typed path is added as: an existing file or folder, else nullopt.
std::optional<ExceptionKind> ExceptionKindOfPath(platform::FileSystem& files,
                                                 std::u16string_view path);

class ExceptionList {
public:
    ExceptionList(registry::RegistryAccess& registry, platform::FileSystem& files,
                  std::u16string exceptionKey = registry::ExceptionKey.str())
        : registry_(registry), files_(files), key_(std::move(exceptionKey)) {}

    // Rebuilds the lists from the registry. Values are recognised by the first three letters of
    // their name; folder and file entries count only while their folder or file exists (the
    // stored value stays either way). Empty data and foreign values are skipped.
    void LoadExceptions();

    // The active paths and their value names of a kind, "|"-joined in the same order (no item is
    // empty, so the two split alike); empty for no entry and for a value that is no kind.
    const std::u16string& ExceptionPaths(ExceptionKind kind) const;
    const std::u16string& ExceptionNames(ExceptionKind kind) const;

    // Stores a new entry under the lowest free name of its kind and answers that name; the empty
    // name when the path is empty or already listed (as last loaded), when no free name could be
    // told apart from a failed query, or the write failed. The lists themselves change only at
    // the next LoadExceptions.
    std::u16string AddException(ExceptionKind kind, std::u16string_view path);
    // Deletes the stored value of that name; true only when it was deleted.
    bool RemoveException(std::u16string_view valueName);

    // Whether the folder (one trailing backslash ignored) is a folder entry, without regard to
    // case. Only the folder itself: the walk that asks leaves out what lies below it.
    bool IsExcludedFolder(std::u16string_view folder) const;

    const std::u16string& Key() const { return key_; }

private:
    void AddLoaded(ExceptionKind kind, std::u16string_view name, std::u16string_view path);

    registry::RegistryAccess& registry_;
    platform::FileSystem& files_;
    std::u16string key_;
    std::array<std::u16string, kExceptionKinds.size()> paths_{};
    std::array<std::u16string, kExceptionKinds.size()> names_{};
};

}  // namespace vestra::config
