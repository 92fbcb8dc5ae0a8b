// The settings store on a registry from the backend (the fake natively, the real one under
// Wine): first run, reading back, the readings of missing and odd values, the language switch,
// the stored password, and the exception lists loaded with the settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/Settings.h"
#include "tests/registry/RegistryBackend.h"

namespace vestra {
namespace {

using platform::Hive;

class SettingsTest : public ::testing::Test {
protected:
    // One program start: fresh objects over the same registry.
    Settings Start() {
        store.emplace(reg, key);
        exceptions.emplace(reg, backend->Files(), store->ExceptionKey());
        return LoadSettings(*store, *exceptions, messages);
    }

    std::vector<std::u16string> StoredNames() {
        auto names = reg.RegValueNames(Hive::CurrentUser, key);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::unique_ptr<regtest::RegistryBackend> backend = regtest::MakeRegistryBackend();
    registry::RegistryAccess reg{backend->Registry(), backend->System()};
    std::u16string key = backend->ScratchKey();
    std::optional<SettingsStore> store;
    std::optional<config::ExceptionList> exceptions;
    config::MessageTable messages;
};

TEST_F(SettingsTest, FirstRunWritesOnlyAutoScanAndVestLock) {
    ASSERT_FALSE(reg.RegKeyExists(Hive::CurrentUser, key));
    Settings s = Start();
    EXPECT_TRUE(reg.RegKeyExists(Hive::CurrentUser, key));
    EXPECT_EQ(StoredNames(), (std::vector<std::u16string>{u"AutoScan", u"Vest-Lock"}));
    EXPECT_EQ(reg.RegReadDWORD(Hive::CurrentUser, key, u"AutoScan"), 1);
    EXPECT_EQ(reg.RegReadDWORD(Hive::CurrentUser, key, u"Vest-Lock"), 1);

    EXPECT_EQ(s.autoScan, 1);
    EXPECT_EQ(s.vestLock, 1);
    for (int geometry : {s.winLeft, s.winTop, s.winHeight, s.winWidth})
        EXPECT_EQ(geometry, -1);
    for (int flag : {s.winPos, s.noSplash, s.resize, s.autoUpdate, s.usePassword, s.hidePanel,
                     s.vestTurbo, s.language}) {
        EXPECT_EQ(flag, 0);
    }
    EXPECT_EQ(s.adminPassword, u"");
    EXPECT_EQ(s.themeColor, kDefaultThemeColor);
    EXPECT_EQ(messages.CurrentLanguage(), config::kLanguageIndonesian);
    EXPECT_EQ(messages.Text(16), u"Peringatan");
}

TEST_F(SettingsTest, SecondRunReadsBackWhatWasSavedAndWritesNoDefaults) {
    Start();
    ASSERT_TRUE(store->SaveSettingNumber(setting::kAutoScan, 0));
    ASSERT_TRUE(store->SaveSettingNumber(setting::kWinLeft, 120));
    ASSERT_TRUE(store->SaveSettingNumber(setting::kWinTop, -32000));  // minimised windows go there
    ASSERT_TRUE(store->SaveSettingNumber(setting::kHidePanel, 1));
    ASSERT_TRUE(store->SaveSettingNumber(setting::kThemeColor, 0x123456));
    ASSERT_TRUE(store->SaveSettingNumber(setting::kVestTurbo, 1));

    Settings s = Start();
    EXPECT_EQ(s.autoScan, 0);
    EXPECT_EQ(s.vestLock, 1);
    EXPECT_EQ(s.winLeft, 120);
    EXPECT_EQ(s.winTop, -32000);
    EXPECT_EQ(s.hidePanel, 1);
    EXPECT_EQ(s.vestTurbo, 1);
    EXPECT_EQ(s.themeColor, 0x123456);
    EXPECT_EQ(StoredNames().size(), 7u);
}

TEST_F(SettingsTest, MissingZeroAndMinusOneReadings) {
    Start();
    struct Case {
        std::u16string_view name;
        std::optional<std::int32_t> stored;  // nullopt: value absent
        std::int32_t Settings::*field;
        std::int32_t expected;
    };
    const Case cases[] = {
        {setting::kWinLeft, -1, &Settings::winLeft, -1},
        {setting::kWinLeft, std::nullopt, &Settings::winLeft, -1},
        {setting::kWinPos, std::nullopt, &Settings::winPos, 0},
        {setting::kWinPos, -1, &Settings::winPos, 0},
        {setting::kThemeColor, 0, &Settings::themeColor, kDefaultThemeColor},
        {setting::kThemeColor, std::nullopt, &Settings::themeColor, kDefaultThemeColor},
        {setting::kThemeColor, -7, &Settings::themeColor, kDefaultThemeColor},
        {setting::kThemeColor, 1, &Settings::themeColor, 1},
        {setting::kLanguage, 0, &Settings::language, 0},
        {setting::kLanguage, std::nullopt, &Settings::language, 0},
        {setting::kLanguage, 2, &Settings::language, 2},
        {setting::kAutoScan, std::nullopt, &Settings::autoScan, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        reg.RegRemoveValue(Hive::CurrentUser, key, c.name);
        if (c.stored) {
            ASSERT_TRUE(store->SaveSettingNumber(c.name, *c.stored));
        }
        Settings s = Start();
        EXPECT_EQ(s.*c.field, c.expected);
        // Readings are never written back (the default theme colour included).
        EXPECT_EQ(reg.RegValueExists(Hive::CurrentUser, key, c.name), c.stored.has_value());
    }
}

TEST_F(SettingsTest, LanguageDecidesTheTableAndSwitchesBothWays) {
    Settings s = Start();
    EXPECT_EQ(messages.Text(118), u"Konfirmasi");
    std::vector<config::CaptionControl> controls = {
        {config::ControlKind::CommandButton, u"cmdScan", u"Pindai", u"Scan"}};

    EXPECT_FALSE(SwitchLanguage(0, *store, s, messages, controls));
    EXPECT_FALSE(reg.RegValueExists(Hive::CurrentUser, key, setting::kLanguage));

    EXPECT_TRUE(SwitchLanguage(1, *store, s, messages, controls));
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(reg.RegReadDWORD(Hive::CurrentUser, key, setting::kLanguage), 1);
    EXPECT_EQ(messages.Text(118), u"Confirmation");
    EXPECT_EQ(controls[0].caption, u"Scan");

    s = Start();  // the next start speaks English
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(messages.CurrentLanguage(), 1);
    EXPECT_EQ(messages.FormatMessage(109, u"Engine", u"VestEngine.dll").substr(0, 38),
              u"Vestra cannot find its Engine, VestEng");

    EXPECT_TRUE(SwitchLanguage(0, *store, s, messages, controls));
    EXPECT_EQ(controls[0].caption, u"Pindai");
    s = Start();
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(messages.Text(118), u"Konfirmasi");
}

TEST_F(SettingsTest, PasswordIsStoredScrambledAndReadBackPlain) {
    Settings s = Start();
    // "%NAME%" of a real variable would be expanded by an ordinary string read.
    const std::u16string plain = u"Rah%" + backend->KnownVariable() + u"%sia 9";
    EXPECT_EQ(SaveAdminPassword(*store, s, plain, plain), config::PasswordSave::Saved);
    std::u16string stored =
        reg.RegReadString(Hive::CurrentUser, key, setting::kDrowsSap, registry::Expansion::Raw);
    EXPECT_NE(stored, plain);
    EXPECT_EQ(stored, config::ScramblePassword(plain));
    EXPECT_EQ(s.adminPassword, plain);
    EXPECT_EQ(Start().adminPassword, plain);

    EXPECT_EQ(SaveAdminPassword(*store, s, u"one", u"One"), config::PasswordSave::Mismatch);
    EXPECT_EQ(SaveAdminPassword(*store, s, u"", u""), config::PasswordSave::KeptOld);
    EXPECT_EQ(Start().adminPassword, plain);
}

TEST_F(SettingsTest, PasswordsThatStoreAsMinusOneOrAreLongSurvive) {
    Settings s = Start();
    // The one two-letter password whose stored form is the missing-value text "-1".
    const std::u16string tricky = config::ScramblePassword(u"-1");
    ASSERT_EQ(SaveAdminPassword(*store, s, tricky, tricky), config::PasswordSave::Saved);
    EXPECT_EQ(Start().adminPassword, tricky);

    std::u16string longText;
    for (int i = 0; i < 20000; ++i)
        longText += static_cast<char16_t>(u'!' + i % 90);
    ASSERT_EQ(SaveAdminPassword(*store, s, longText, longText), config::PasswordSave::Saved);
    EXPECT_EQ(Start().adminPassword, longText);
}

TEST_F(SettingsTest, ValuesOfTheWrongTypeReadAsMissingAndStayUntouched) {
    Start();
    auto& raw = backend->Registry();
    ASSERT_EQ(raw.SetValue(Hive::CurrentUser, key, setting::kAutoScan, platform::TextValue(u"1")),
              platform::OsError::None);
    ASSERT_EQ(raw.SetValue(Hive::CurrentUser, key, setting::kWinLeft,
                           platform::RegValue{platform::regtype::kBinary, {1, 2, 3, 4, 5}}),
              platform::OsError::None);
    ASSERT_EQ(raw.SetValue(Hive::CurrentUser, key, setting::kLanguage,
                           platform::RegValue{platform::regtype::kQword, {1, 0, 0, 0, 0, 0, 0, 0}}),
              platform::OsError::None);
    ASSERT_EQ(raw.SetValue(Hive::CurrentUser, key, setting::kDrowsSap, platform::DwordValue(0)),
              platform::OsError::None);

    Settings s = Start();
    EXPECT_EQ(s.autoScan, 0);
    EXPECT_EQ(s.winLeft, -1);
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(s.adminPassword, u"");  // four zero bytes spell the empty text
    EXPECT_EQ(reg.RegReadString(Hive::CurrentUser, key, setting::kAutoScan), u"1");
    auto winLeft = raw.QueryValue(Hive::CurrentUser, key, setting::kWinLeft);
    ASSERT_TRUE(winLeft.ok());
    EXPECT_EQ(winLeft->data.size(), 5u);
}

TEST_F(SettingsTest, SingleReadsAndWrites) {
    SettingsStore single(reg, key);
    EXPECT_FALSE(single.SaveSettingNumber(setting::kResize, 1));  // the key is not created here
    EXPECT_FALSE(reg.RegKeyExists(Hive::CurrentUser, key));
    EXPECT_EQ(single.GetSettingNumber(setting::kWinLeft, true), -1);
    EXPECT_EQ(single.GetSettingNumber(setting::kWinLeft, false), 0);
    EXPECT_EQ(single.GetSettingText(setting::kDrowsSap), u"");

    Start();
    EXPECT_TRUE(single.SaveSettingText(setting::kDrowsSap, u"-1"));
    EXPECT_EQ(single.GetSettingText(setting::kDrowsSap), u"-1");
    EXPECT_EQ(SettingNames().size(), 16u);
    EXPECT_EQ(SettingNames()[5], u"Vest-Lock");
}

TEST_F(SettingsTest, ExceptionListsLoadWithTheSettings) {
    Start();
    std::u16string folder = backend->ScratchFolder();
    EXPECT_EQ(exceptions->AddException(config::ExceptionKind::Folder, folder + u"\\"), u"Dir0");
    EXPECT_EQ(exceptions->AddException(config::ExceptionKind::Registry, u"HKEY_USERS\\x"), u"Reg0");
    EXPECT_TRUE(reg.RegKeyExists(Hive::CurrentUser, store->ExceptionKey()));
    Start();
    EXPECT_TRUE(exceptions->IsExcludedFolder(folder));
    EXPECT_EQ(exceptions->ExceptionPaths(config::ExceptionKind::Registry), u"HKEY_USERS\\x");
    EXPECT_EQ(StoredNames().size(), 2u);  // the exception values live one key further down
}

}  // namespace
}  // namespace vestra
