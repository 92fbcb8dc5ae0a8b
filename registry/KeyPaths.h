// The registry key paths every part of the program names keys by, and the hive display names.
// All are compile-time constants; composite paths are built from their parts so they cannot drift.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace vestra::registry {

// A fixed key path of N-1 characters, joinable at compile time, usable wherever a
// std::u16string_view is expected.
template <std::size_t N>
struct KeyPath {
    char16_t chars[N]{};

    constexpr KeyPath(const char16_t (&text)[N]) {  // NOLINT: implicit from a literal
        for (std::size_t i = 0; i < N; ++i)
            chars[i] = text[i];
    }
    constexpr KeyPath() = default;

    constexpr std::u16string_view view() const { return {chars, N - 1}; }
    constexpr operator std::u16string_view() const { return view(); }  // NOLINT
    std::u16string str() const { return std::u16string(view()); }
};

template <std::size_t A, std::size_t B>
constexpr KeyPath<A + B - 1> operator+(const KeyPath<A>& left, const KeyPath<B>& right) {
    KeyPath<A + B - 1> out;
    for (std::size_t i = 0; i + 1 < A; ++i)
        out.chars[i] = left.chars[i];
    for (std::size_t i = 0; i < B; ++i)
        out.chars[A - 1 + i] = right.chars[i];
    return out;
}

template <std::size_t A, std::size_t B>
constexpr KeyPath<A + B - 1> operator+(const KeyPath<A>& left, const char16_t (&right)[B]) {
    return left + KeyPath<B>(right);
}

inline constexpr KeyPath ProductName = u"Vestra";
// The product name in capitals with a Greek capital delta in place of its A.
inline constexpr KeyPath InstallFolderName = u"VESTR\u0394";

inline constexpr KeyPath KeyMicrosoft = u"Software\\Microsoft";
inline constexpr KeyPath KeyPolicies = u"SOFTWARE\\Policies\\Microsoft";
inline constexpr KeyPath KeyControlSet = u"SYSTEM\\CurrentControlSet";
inline constexpr auto KeyCommandProcessor = KeyMicrosoft + u"\\Command Processor";
inline constexpr auto KeyCurrentVersion = KeyMicrosoft + u"\\Windows\\CurrentVersion";
inline constexpr auto KeyNTCurrentVersion = KeyMicrosoft + u"\\Windows NT\\CurrentVersion";
inline constexpr auto KeyServices = KeyControlSet + u"\\Services";
inline constexpr auto KeySafeBoot = KeyControlSet + u"\\Control\\SafeBoot";
inline constexpr auto KeyExplorer = KeyCurrentVersion + u"\\Explorer";
inline constexpr auto KeyCVPolicies = KeyCurrentVersion + u"\\Policies";
inline constexpr auto KeyPolExplorer = KeyCVPolicies + u"\\Explorer";
inline constexpr auto KeyPolSystem = KeyCVPolicies + u"\\System";
inline constexpr auto KeyGPOPolicies =
    KeyCurrentVersion + u"\\Group Policy Objects\\LocalUser\\" + KeyCurrentVersion + u"\\Policies";
inline constexpr auto KeyWinInstaller = KeyPolicies + u"\\Windows\\Installer";
inline constexpr auto KeyWinExplorer = KeyPolicies + u"\\Windows\\Explorer";
inline constexpr auto KeyWinSystem = KeyPolicies + u"\\Windows\\System";
inline constexpr auto KeySystemRestore = KeyPolicies + u"\\Windows NT\\SystemRestore";
inline constexpr auto KeyAdvanced = KeyExplorer + u"\\Advanced";
inline constexpr auto KeyCabinetState = KeyExplorer + u"\\CabinetState";
inline constexpr auto KeyAdvancedFolder = KeyExplorer + u"\\Advanced\\Folder";
inline constexpr auto KeyShellFolders = KeyExplorer + u"\\Shell Folders";
inline constexpr auto KeyUserShellFolders = KeyExplorer + u"\\User Shell Folders";
inline constexpr auto KeyRegedit = KeyCurrentVersion + u"\\Applets\\Regedit";
inline constexpr auto KeyMUICache = KeyMicrosoft + u"\\Windows\\ShellNoRoam\\MUICache";
// Suffixes, appended to a file-class key and to KeyNTCurrentVersion.
inline constexpr KeyPath KeyOpenCommand = u"\\shell\\Open\\Command";
inline constexpr KeyPath KeyIFEO = u"\\Image File Execution Options";
// The program's own keys, under HKEY_CURRENT_USER.
inline constexpr auto SettingsKey = KeyPath(u"SOFTWARE\\") + InstallFolderName;
inline constexpr auto ExceptionKey = SettingsKey + u"\\Exception";
inline constexpr KeyPath KeyMenuAll = u"AllFilesystemObjects\\ShellEx\\ContextMenuHandlers\\Vestra";
inline constexpr KeyPath KeyMenuFolder = u"Folder\\ShellEx\\ContextMenuHandlers\\Vestra";
inline constexpr KeyPath KeyMenuFolderExt = u"Folder\\ShellEx\\ContextMenuHandlers\\VestExt";
inline constexpr auto KeyFolderShell = KeyPath(u"Folder\\shell\\") + ProductName;

// The exception key that belongs to a settings key (tests point the settings at a scratch key).
std::u16string ExceptionKeyOf(std::u16string_view settingsKey);

// "HKEY_LOCAL_MACHINE" and its siblings; empty for a value that is not a predefined hive.
std::u16string_view HiveName(platform::Hive hive);
// The inverse, compared in upper case; nullopt for any other text.
std::optional<platform::Hive> HiveFromName(std::u16string_view name);

}  // namespace vestra::registry
