// Key walks into path lists and the registry editor's start key, on the fake registry.
#include "registry/RegistryWalk.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeSystem.h"

namespace vestra::registry {
namespace {

using platform::Hive;
constexpr Hive kHklm = Hive::LocalMachine;
const std::u16string kLastKeyPath =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

class RegistryWalkTest : public ::testing::Test {
protected:
    RegistryWalkTest() {
        for (const char16_t* key :
             {u"Software\\Root\\b\\b2", u"Software\\Root\\a\\a1\\deep", u"Software\\Root\\a\\a2"}) {
            registry.CreateKey(kHklm, key);
        }
        registry.SetValue(kHklm, u"Software\\Root", u"top", platform::DwordValue(1));
        registry.SetValue(kHklm, u"Software\\Root\\a\\a1", u"", platform::TextValue(u"x"));
    }

    platform::fake::FakeRegistry registry;
    platform::fake::FakeSystem system;
    RegistryAccess access{registry, system};
};

TEST_F(RegistryWalkTest, ListsEveryKeyDepthFirstAndTheValuesWhenAsked) {
    WalkLists lists;
    int yields = 0;
    WalkControl control{true, {}, [&] { ++yields; }};
    EXPECT_EQ(RegWalkKeys(access, kHklm, u"Software\\Root", lists, control), 6);
    EXPECT_EQ(lists.keys,
              u"Software\\Root\\a|Software\\Root\\a\\a1|Software\\Root\\a\\a1\\deep|"
              u"Software\\Root\\a\\a2|Software\\Root\\b|Software\\Root\\b\\b2");
    EXPECT_EQ(lists.values,
              u"HKEY_LOCAL_MACHINE\\Software\\Root\\top|"
              u"HKEY_LOCAL_MACHINE\\Software\\Root\\a\\a1\\(Default)");
    EXPECT_EQ(yields, 7);  // the start key and each one below it

    WalkLists keysOnly;
    RegWalkKeys(access, kHklm, u"Software\\Root", keysOnly);
    EXPECT_EQ(keysOnly.keys, lists.keys);
    EXPECT_TRUE(keysOnly.values.empty());

    WalkLists none;
    EXPECT_EQ(RegWalkKeys(access, kHklm, u"Software\\Nowhere", none), 0);
    EXPECT_TRUE(none.keys.empty());
}

TEST_F(RegistryWalkTest, StopEndsTheWalk) {
    WalkLists lists;
    int yields = 0;
    WalkControl control{false, [&] { return yields >= 2; }, [&] { ++yields; }};
    RegWalkKeys(access, kHklm, u"Software\\Root", lists, control);
    EXPECT_EQ(lists.keys, u"Software\\Root\\a");
}

TEST_F(RegistryWalkTest, EditorStartsAtTheKeyOrItsNearestParent) {
    struct Case {
        std::u16string_view key;
        bool found;
        std::u16string_view lastKey;
    };
    const Case cases[] = {
        {u"Software\\Root\\a\\a1", true, u"My Computer\\HKEY_LOCAL_MACHINE\\Software\\Root\\a\\a1"},
        {u"Software\\Root\\a\\gone\\deeper", true,
         u"My Computer\\HKEY_LOCAL_MACHINE\\Software\\Root\\a"},
        {u"Nowhere\\At\\All", false, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.key));
        registry.DeleteValue(Hive::CurrentUser, kLastKeyPath, u"LastKey");
        int restarts = 0;
        EXPECT_EQ(RegeditGoto(access, kHklm, c.key, [&] { ++restarts; }), c.found);
        EXPECT_EQ(restarts, c.found ? 1 : 0);
        EXPECT_TRUE(registry.KeyExists(Hive::CurrentUser, kLastKeyPath));
        std::u16string stored = access.RegReadString(Hive::CurrentUser, kLastKeyPath, u"LastKey");
        EXPECT_EQ(stored, c.found ? std::u16string(c.lastKey) : u"-1");
    }
}

}  // namespace
}  // namespace vestra::registry
