// Display paths of registry items in both directions, and the key paths other parts rely on.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryAccess.h"

namespace vestra::registry {
namespace {

TEST(RegPathTextTest, FormatsHiveKeyAndValue) {
    struct Case {
        Hive hive;
        std::u16string_view key, name;
        bool keyOnly;
        std::u16string_view text;
    };
    const Case cases[] = {
        {Hive::LocalMachine, u"SOFTWARE\\x", u"", false,
         u"HKEY_LOCAL_MACHINE\\SOFTWARE\\x\\(Default)"},
        {Hive::LocalMachine, u"SOFTWARE\\x", u"Run", false,
         u"HKEY_LOCAL_MACHINE\\SOFTWARE\\x\\Run"},
        {Hive::CurrentUser, u"SOFTWARE\\x", u"Run", true, u"HKEY_CURRENT_USER\\SOFTWARE\\x"},
        {Hive::ClassesRoot, u"\\exefile\\\\shell\\", u"", true,
         u"HKEY_CLASSES_ROOT\\exefile\\shell\\"},
        {Hive::Users, u"S-1-5\\\\\\\\A", u"v", false, u"HKEY_USERS\\S-1-5\\A\\v"},
        {Hive::DynData, u"", u"", true, u"HKEY_DYN_DATA\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegPathText(c.hive, c.key, c.name, c.keyOnly), c.text) << ToUtf8(c.text);
    }
}

TEST(RegSplitPathTest, SplitsHiveKeyAndValue) {
    auto value = RegSplitPath(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Run\\Evil", false);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->hive, Hive::LocalMachine);
    EXPECT_EQ(value->key, u"SOFTWARE\\Microsoft\\Run");
    EXPECT_EQ(value->name, u"Evil");

    auto key = RegSplitPath(u"hkey_current_user\\Software\\\\x\\", true);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->hive, Hive::CurrentUser);
    EXPECT_EQ(key->key, u"Software\\x");
    EXPECT_EQ(key->name, u"");

    auto unnamed = RegSplitPath(u"HKEY_CLASSES_ROOT\\exefile\\(Default)", false);
    ASSERT_TRUE(unnamed);
    EXPECT_EQ(unnamed->key, u"exefile");
    EXPECT_EQ(unnamed->name, u"");

    EXPECT_FALSE(RegSplitPath(u"HKLM\\SOFTWARE", true));
    EXPECT_FALSE(RegSplitPath(u"", false));
}

TEST(RegSplitPathTest, UndoesRegPathTextForEveryHive) {
    for (auto hive : {Hive::ClassesRoot, Hive::CurrentUser, Hive::LocalMachine, Hive::Users,
                      Hive::PerformanceData, Hive::CurrentConfig, Hive::DynData}) {
        for (std::u16string_view name : {u"", u"Value Name"}) {
            auto back = RegSplitPath(RegPathText(hive, u"A\\B c", name, false), false);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->hive, hive);
            EXPECT_EQ(back->key, u"A\\B c");
            EXPECT_EQ(back->name, name);
        }
    }
    EXPECT_EQ(HiveName(static_cast<Hive>(0x80000007)), u"");
}

TEST(KeyPathsTest, ComposedPathsSpellOut) {
    EXPECT_EQ(std::u16string_view(SettingsKey), u"SOFTWARE\\VESTR\u0394");
    EXPECT_EQ(std::u16string_view(ExceptionKey), u"SOFTWARE\\VESTR\u0394\\Exception");
    EXPECT_EQ(ExceptionKeyOf(SettingsKey), ExceptionKey.str());
    EXPECT_EQ(std::u16string_view(KeyGPOPolicies),
              u"Software\\Microsoft\\Windows\\CurrentVersion\\Group Policy Objects\\LocalUser\\"
              u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies");
    EXPECT_EQ(std::u16string_view(KeyAdvancedFolder),
              u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\Folder");
    EXPECT_EQ(std::u16string_view(KeySystemRestore),
              u"SOFTWARE\\Policies\\Microsoft\\Windows NT\\SystemRestore");
    EXPECT_EQ(std::u16string_view(KeySafeBoot), u"SYSTEM\\CurrentControlSet\\Control\\SafeBoot");
    EXPECT_EQ(std::u16string_view(KeyFolderShell), u"Folder\\shell\\Vestra");
}

}  // namespace
}  // namespace vestra::registry
