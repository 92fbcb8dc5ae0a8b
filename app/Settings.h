// The user settings: values under the settings key of HKEY_CURRENT_USER, read once at start into
// one Settings record and written back one value at a time when the user changes one. Loading
// also builds the message table and the exception lists.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "config/Captions.h"
#include "config/ExceptionList.h"
#include "config/MessageTable.h"
#include "config/Password.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryAccess.h"

namespace vestra {

// The value names of the settings table.
namespace setting {
inline constexpr std::u16string_view kNoSplash = u"NoSplash";
inline constexpr std::u16string_view kResize = u"Resize";
inline constexpr std::u16string_view kUsePassword = u"UsePassword";
inline constexpr std::u16string_view kAutoUpdate = u"AutoUpdate";
inline constexpr std::u16string_view kAutoScan = u"AutoScan";
inline constexpr std::u16string_view kVestLock = u"Vest-Lock";
inline constexpr std::u16string_view kLanguage = u"Language";
inline constexpr std::u16string_view kDrowsSap = u"DrowsSap";  // REG_SZ: the scrambled password
inline constexpr std::u16string_view kWinLeft = u"WinLeft";
inline constexpr std::u16string_view kWinTop = u"WinTop";
inline constexpr std::u16string_view kWinHeight = u"WinHeight";
inline constexpr std::u16string_view kWinWidth = u"WinWidth";
inline constexpr std::u16string_view kWinPos = u"WinPos";
inline constexpr std::u16string_view kHidePanel = u"HidePanel";
inline constexpr std::u16string_view kVestTurbo = u"Vest-Turbo";
inline constexpr std::u16string_view kThemeColor = u"ThemeColor";
}  // namespace setting

// Every value name, in table order.
std::span<const std::u16string_view> SettingNames();

// The theme colour used while none (or 0) is stored; kept in memory, never written.
inline constexpr std::int32_t kDefaultThemeColor = 0x08B911;

// The settings as the process holds them. Flags are 0 or 1 as stored; a geometry value of -1
// means "not set".
struct Settings {
    std::int32_t noSplash = 0;
    std::int32_t resize = 0;
    std::int32_t usePassword = 0;
    std::int32_t autoUpdate = 0;
    std::int32_t autoScan = 0;
    std::int32_t vestLock = 0;
    std::int32_t language = config::kLanguageIndonesian;
    std::u16string adminPassword;  // DrowsSap, unscrambled
    std::int32_t winLeft = -1;
    std::int32_t winTop = -1;
    std::int32_t winHeight = -1;
    std::int32_t winWidth = -1;
    std::int32_t winPos = 0;
    std::int32_t hidePanel = 0;
    std::int32_t vestTurbo = 0;
    std::int32_t themeColor = kDefaultThemeColor;
};

// Reads and writes single settings. The key is the product's own unless a caller (a test) points
// it elsewhere; the exception key always lies below it.
class SettingsStore {
public:
    explicit SettingsStore(registry::RegistryAccess& registry,
                           std::u16string settingsKey = registry::SettingsKey.str())
        : registry_(registry), key_(std::move(settingsKey)) {}

    // The REG_DWORD of that name; -1 for a missing key or value (or one of another type), which
    // becomes 0 unless allowMinusOne.
    std::int32_t GetSettingNumber(std::u16string_view name, bool allowMinusOne);
    // The REG_SZ of that name as stored (no environment expansion); empty when missing.
    std::u16string GetSettingText(std::u16string_view name);
    // Write one value into the existing key; false when the write failed (callers may ignore it).
    bool SaveSettingNumber(std::u16string_view name, std::int32_t value);
    bool SaveSettingText(std::u16string_view name, std::u16string_view text);

    const std::u16string& Key() const { return key_; }
    std::u16string ExceptionKey() const { return registry::ExceptionKeyOf(key_); }
    registry::RegistryAccess& Registry() { return registry_; }

private:
    registry::RegistryAccess& registry_;
    std::u16string key_;
};

// The start-up load: on the first run (no settings key at all) creates the key with AutoScan = 1
// and Vest-Lock = 1 and nothing else; reads every setting; loads the exception lists; builds the
// message table in the stored language (0 or missing: Indonesian).
Settings LoadSettings(SettingsStore& store, config::ExceptionList& exceptions,
                      config::MessageTable& messages);

// The language option of the settings panel: stores the language, rebuilds the table and swaps
// the captions when `index` is not the current language. Answers whether anything changed.
bool SwitchLanguage(int index, SettingsStore& store, Settings& settings,
                    config::MessageTable& messages, std::span<config::CaptionControl> controls);

// The password page's save: on agreement of the two boxes and a non-empty text, stores the
// password scrambled and re-reads it so `settings.adminPassword` holds the new one.
config::PasswordSave SaveAdminPassword(SettingsStore& store, Settings& settings,
                                       std::u16string_view first, std::u16string_view confirm);

}  // namespace vestra
