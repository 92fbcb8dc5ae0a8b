// The in-memory registry's Windows rules that Wine orders differently (values in first-write
// order, subkeys by upper-cased name), keys closed to writing, and injected failures.
#include <gtest/gtest.h>

#include "platform/fake/FakeRegistry.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::fake {
namespace {

constexpr Hive kHive = Hive::LocalMachine;
constexpr char16_t kKey[] = u"SOFTWARE\\Test";

class FakeRegistryTest : public ::testing::Test {
protected:
    FakeRegistryTest() { reg.CreateKey(kHive, kKey); }
    std::vector<std::string> ValueNames() {
        std::vector<std::string> names;
        for (std::uint32_t i = 0;; ++i) {
            auto entry = reg.EnumValue(kHive, kKey, i);
            if (!entry.ok())
                break;
            names.push_back(contract::U8(entry->name));
        }
        return names;
    }
    FakeRegistry reg;
};

TEST_F(FakeRegistryTest, ValuesKeepFirstWriteOrderAndGoToTheEndWhenRewrittenAfterDeletion) {
    for (const char16_t* name : {u"zz", u"Aa", u"mm", u""}) {
        ASSERT_EQ(reg.SetValue(kHive, kKey, name, DwordValue(1)), OsError::None);
    }
    ASSERT_EQ(reg.SetValue(kHive, kKey, u"AA", DwordValue(2)), OsError::None);
    EXPECT_EQ(ValueNames(), (std::vector<std::string>{"zz", "Aa", "mm", ""}));
    ASSERT_EQ(reg.DeleteValue(kHive, kKey, u"zz"), OsError::None);
    ASSERT_EQ(reg.SetValue(kHive, kKey, u"ZZ", DwordValue(3)), OsError::None);
    EXPECT_EQ(ValueNames(), (std::vector<std::string>{"Aa", "mm", "", "ZZ"}));
}

TEST_F(FakeRegistryTest, SubkeysOrderByUpperCasedName) {
    for (const char16_t* name : {u"_x", u"[z]", u"alpha", u"Beta"}) {
        ASSERT_EQ(reg.CreateKey(kHive, std::u16string(kKey) + u"\\" + name), OsError::None);
    }
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
        auto name = reg.EnumKey(kHive, kKey, i);
        if (!name.ok())
            break;
        names.push_back(contract::U8(*name));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Beta", "[z]", "_x"}));
}

TEST_F(FakeRegistryTest, PathsToleratesDoubledAndTrailingBackslashesAndEmptyMeansTheHive) {
    EXPECT_EQ(reg.OpenKey(kHive, u"SOFTWARE\\\\Test\\", KeyAccess::Read), OsError::None);
    EXPECT_EQ(reg.OpenKey(kHive, u"", KeyAccess::Read), OsError::None);
    EXPECT_EQ(contract::U8(*reg.EnumKey(kHive, u"", 0)), "SOFTWARE");
    EXPECT_EQ(reg.DeleteKey(kHive, u""), OsError::AccessDenied);
}

TEST_F(FakeRegistryTest, WriteDeniedKeysStillReadButRefuseEveryChange) {
    ASSERT_EQ(reg.SetValue(kHive, kKey, u"v", DwordValue(1)), OsError::None);
    ASSERT_TRUE(reg.DenyWrite(kHive, kKey));
    EXPECT_EQ(reg.OpenKey(kHive, kKey, KeyAccess::Read), OsError::None);
    EXPECT_EQ(reg.OpenKey(kHive, kKey, KeyAccess::Write), OsError::AccessDenied);
    EXPECT_EQ(reg.OpenKey(kHive, kKey, KeyAccess::All), OsError::AccessDenied);
    EXPECT_EQ(reg.SetValue(kHive, kKey, u"v", DwordValue(2)), OsError::AccessDenied);
    EXPECT_EQ(reg.DeleteValue(kHive, kKey, u"v"), OsError::AccessDenied);
    EXPECT_EQ(reg.CreateKey(kHive, u"SOFTWARE\\Test\\New"), OsError::AccessDenied);
    EXPECT_FALSE(reg.KeyExists(kHive, u"SOFTWARE\\Test\\New"));
    EXPECT_EQ(reg.CreateKey(kHive, kKey), OsError::None);  // already there
    EXPECT_EQ(reg.DeleteKey(kHive, kKey), OsError::AccessDenied);
    EXPECT_EQ(reg.QueryValue(kHive, kKey, u"v")->data, DwordValue(1).data);
    EXPECT_FALSE(reg.DenyWrite(kHive, u"SOFTWARE\\Missing"));
}

TEST_F(FakeRegistryTest, InjectedFailures) {
    reg.faults().FailNth(RegOp::QueryValue, 2, OsError::AccessDenied);
    ASSERT_EQ(reg.SetValue(kHive, kKey, u"v", DwordValue(1)), OsError::None);
    EXPECT_TRUE(reg.QueryValue(kHive, kKey, u"v").ok());
    EXPECT_EQ(reg.QueryValue(kHive, kKey, u"v").error(), OsError::AccessDenied);
    EXPECT_TRUE(reg.QueryValue(kHive, kKey, u"v").ok());
    reg.faults().FailNth(RegOp::CreateKey, 1, OsError::Other, true);
    EXPECT_EQ(reg.CreateKey(kHive, u"SOFTWARE\\A"), OsError::Other);
    EXPECT_EQ(reg.CreateKey(kHive, u"SOFTWARE\\B"), OsError::Other);
    EXPECT_FALSE(reg.KeyExists(kHive, u"SOFTWARE\\A"));
}

}  // namespace
}  // namespace vestra::platform::fake
