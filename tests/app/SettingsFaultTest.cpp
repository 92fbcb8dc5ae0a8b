// Settings when the registry misbehaves in ways only the fake can stage.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "platform/fake/FakePlatform.h"

namespace vestra {
namespace {

using platform::Hive;
using platform::OsError;
using platform::fake::RegOp;

class SettingsFaultTest : public ::testing::Test {
protected:
    Settings Start() { return LoadSettings(store, exceptions, messages); }

    platform::fake::FakePlatform fake;
    registry::RegistryAccess reg{fake.registry, fake.system};
    SettingsStore store{reg};
    config::ExceptionList exceptions{reg, fake.files, store.ExceptionKey()};
    config::MessageTable messages;
};

TEST_F(SettingsFaultTest, ProductKeyIsTheDefault) {
    Start();
    EXPECT_TRUE(fake.registry.KeyExists(Hive::CurrentUser, u"Software\\vestr\u03B4"));
    EXPECT_EQ(store.ExceptionKey(), u"SOFTWARE\\VESTR\u0394\\Exception");
}

TEST_F(SettingsFaultTest, AKeyThatCannotBeCreatedGivesMissingReadings) {
    fake.registry.faults().FailNth(RegOp::CreateKey, 1, OsError::AccessDenied, true);
    Settings s = Start();
    EXPECT_FALSE(fake.registry.KeyExists(Hive::CurrentUser, store.Key()));
    EXPECT_EQ(s.autoScan, 0);
    EXPECT_EQ(s.vestLock, 0);
    EXPECT_EQ(s.winLeft, -1);
    EXPECT_EQ(s.themeColor, kDefaultThemeColor);
    EXPECT_EQ(messages.Text(16), u"Peringatan");
    EXPECT_EQ(exceptions.AddException(config::ExceptionKind::Registry, u"HKEY_USERS\\x"), u"");
}

TEST_F(SettingsFaultTest, AKeyThatRefusesOpeningIsNotTakenForAFirstRun) {
    ASSERT_EQ(fake.registry.CreateKey(Hive::CurrentUser, store.Key()), OsError::None);
    ASSERT_TRUE(store.SaveSettingNumber(setting::kAutoScan, 0));
    fake.registry.faults().FailNth(RegOp::OpenKey, 1, OsError::AccessDenied);
    Settings s = Start();
    EXPECT_EQ(s.autoScan, 0);
    EXPECT_EQ(reg.RegReadDWORD(Hive::CurrentUser, store.Key(), setting::kAutoScan), 0);
    EXPECT_FALSE(reg.RegValueExists(Hive::CurrentUser, store.Key(), setting::kVestLock));
}

TEST_F(SettingsFaultTest, FailedPasswordWriteIsReportedAndKeepsTheOldOne) {
    Settings s = Start();
    ASSERT_EQ(SaveAdminPassword(store, s, u"first", u"first"), config::PasswordSave::Saved);
    fake.registry.faults().FailNth(RegOp::SetValue, 1, OsError::Other);
    EXPECT_EQ(SaveAdminPassword(store, s, u"second", u"second"), config::PasswordSave::WriteFailed);
    EXPECT_EQ(s.adminPassword, u"first");
    EXPECT_EQ(Start().adminPassword, u"first");
}

}  // namespace
}  // namespace vestra
