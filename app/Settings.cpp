// Settings store: single reads and writes, the start-up load, and the two writers that touch
// other state (language and password).
#include "app/Settings.h"

#include <array>

namespace vestra {
namespace {

using platform::Hive;

constexpr std::array<std::u16string_view, 16> kNames = {
    setting::kNoSplash, setting::kResize,    setting::kUsePassword, setting::kAutoUpdate,
    setting::kAutoScan, setting::kVestLock,  setting::kLanguage,    setting::kDrowsSap,
    setting::kWinLeft,  setting::kWinTop,    setting::kWinHeight,   setting::kWinWidth,
    setting::kWinPos,   setting::kHidePanel, setting::kVestTurbo,   setting::kThemeColor,
};

// Only a key that is really absent makes a first run: a key that exists but refuses reading
// must not have its values overwritten by the first-run defaults.
bool IsFirstRun(SettingsStore& store) {
    platform::OsError opened = store.Registry().registry().OpenKey(Hive::CurrentUser, store.Key(),
                                                                   platform::KeyAccess::Read);
    return opened == platform::OsError::FileNotFound || opened == platform::OsError::PathNotFound;
}

void ReadNumbers(SettingsStore& store, Settings& s) {
    s.vestLock = store.GetSettingNumber(setting::kVestLock, false);
    s.autoScan = store.GetSettingNumber(setting::kAutoScan, false);
    s.winHeight = store.GetSettingNumber(setting::kWinHeight, true);
    s.winWidth = store.GetSettingNumber(setting::kWinWidth, true);
    s.winTop = store.GetSettingNumber(setting::kWinTop, true);
    s.winLeft = store.GetSettingNumber(setting::kWinLeft, true);
    s.winPos = store.GetSettingNumber(setting::kWinPos, false);
    s.noSplash = store.GetSettingNumber(setting::kNoSplash, false);
    s.resize = store.GetSettingNumber(setting::kResize, false);
    s.autoUpdate = store.GetSettingNumber(setting::kAutoUpdate, false);
    s.usePassword = store.GetSettingNumber(setting::kUsePassword, false);
}

}  // namespace

std::span<const std::u16string_view> SettingNames() {
    return kNames;
}

std::int32_t SettingsStore::GetSettingNumber(std::u16string_view name, bool allowMinusOne) {
    std::int32_t value = registry_.RegReadDWORD(Hive::CurrentUser, key_, name);
    if (value == registry::kMissingNumber && !allowMinusOne)
        return 0;
    return value;
}

std::u16string SettingsStore::GetSettingText(std::u16string_view name) {
    // Raw: a scrambled password may well contain "%...%", which expansion would corrupt.
    std::u16string text =
        registry_.RegReadString(Hive::CurrentUser, key_, name, registry::Expansion::Raw);
    // "-1" is the missing-value reading, but it is also a text a user can store.
    if (text == registry::kMissingText &&
        !registry_.RegValueExists(Hive::CurrentUser, key_, name)) {
        return {};
    }
    return text;
}

bool SettingsStore::SaveSettingNumber(std::u16string_view name, std::int32_t value) {
    return registry_.RegWriteDWORD(Hive::CurrentUser, key_, name, value) == registry::kDone;
}

bool SettingsStore::SaveSettingText(std::u16string_view name, std::u16string_view text) {
    return registry_.RegWriteValue(Hive::CurrentUser, key_, name, text, platform::regtype::kSz) ==
           registry::kDone;
}

Settings LoadSettings(SettingsStore& store, config::ExceptionList& exceptions,
                      config::MessageTable& messages) {
    if (IsFirstRun(store) &&
        store.Registry().RegMakeKey(Hive::CurrentUser, store.Key()) == registry::kDone) {
        store.SaveSettingNumber(setting::kAutoScan, 1);
        store.SaveSettingNumber(setting::kVestLock, 1);
    }

    Settings s;
    ReadNumbers(store, s);
    s.adminPassword = config::ScramblePassword(store.GetSettingText(setting::kDrowsSap));
    s.language = store.GetSettingNumber(setting::kLanguage, false);
    s.hidePanel = store.GetSettingNumber(setting::kHidePanel, false);
    s.vestTurbo = store.GetSettingNumber(setting::kVestTurbo, false);
    s.themeColor = store.GetSettingNumber(setting::kThemeColor, false);

    exceptions.LoadExceptions();
    if (s.themeColor < 1)
        s.themeColor = kDefaultThemeColor;
    messages.LoadMessages(s.language);
    return s;
}

bool SwitchLanguage(int index, SettingsStore& store, Settings& settings,
                    config::MessageTable& messages, std::span<config::CaptionControl> controls) {
    return config::OptLang_Click(index, messages, controls, [&](int language) {
        store.SaveSettingNumber(setting::kLanguage, language);
        settings.language = language;
    });
}

config::PasswordSave SaveAdminPassword(SettingsStore& store, Settings& settings,
                                       std::u16string_view first, std::u16string_view confirm) {
    auto result = config::SavePassword(first, confirm, [&](std::u16string_view scrambled) {
        return store.SaveSettingText(setting::kDrowsSap, scrambled);
    });
    if (result == config::PasswordSave::Saved) {
        settings.adminPassword = config::ScramblePassword(store.GetSettingText(setting::kDrowsSap));
    }
    return result;
}

}  // namespace vestra
