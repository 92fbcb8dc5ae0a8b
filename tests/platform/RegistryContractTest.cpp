// What callers rely on from the registry seam, checked on every implementation: typed values
// read back raw, missing keys and values, the default value, enumeration, deletion rules.
#include <gtest/gtest.h>

#include <set>

#include "tests/platform/ContractEnvironments.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::contract {
namespace {

template <class Env>
class RegistryContract : public ::testing::Test {
protected:
    std::u16string K(std::u16string_view child = u"") {
        return child.empty() ? env.scratchKey : env.scratchKey + u"\\" + std::u16string(child);
    }
    Env env;
    Registry& reg = env.platform().registry;
    Hive hive = env.hive;
};
TYPED_TEST_SUITE(RegistryContract, ContractEnvironments);

TYPED_TEST(RegistryContract, TypedValuesReadBackAsWritten) {
    auto& reg = this->reg;
    struct Case {
        const char16_t* name;
        RegValue value;
    };
    const Case cases[] = {
        {u"Text", TextValue(u"C:\\Program Files\\x.exe")},
        {u"Expand", TextValue(u"%SystemRoot%\\system32", regtype::kExpandSz)},  // not expanded
        {u"Empty", TextValue(u"")},
        {u"Number", DwordValue(0x12345678)},
        {u"Bytes", RegValue{regtype::kBinary, {0x00, 0xFF, 0x10}}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(reg.SetValue(this->hive, this->K(), c.name, c.value), OsError::None);
    }
    for (const Case& c : cases) {
        auto read = reg.QueryValue(this->hive, this->K(), UpperCase(c.name));
        ASSERT_TRUE(read.ok()) << U8(c.name);
        EXPECT_EQ(read->type, c.value.type) << U8(c.name);
        if (c.value.type == regtype::kSz || c.value.type == regtype::kExpandSz) {
            // Text reads back up to its first zero; a terminator may or may not be stored.
            EXPECT_EQ(U8(ValueText(*read)), U8(ValueText(c.value))) << U8(c.name);
        } else {
            EXPECT_EQ(read->data, c.value.data) << U8(c.name);
        }
    }
    ASSERT_EQ(reg.SetValue(this->hive, this->K(), u"NUMBER", DwordValue(7)), OsError::None);
    EXPECT_EQ(reg.QueryValue(this->hive, this->K(), u"Number")->data,
              (std::vector<std::uint8_t>{7, 0, 0, 0}));
}

TYPED_TEST(RegistryContract, MissingKeysAndValuesAreFileNotFound) {
    auto& reg = this->reg;
    EXPECT_EQ(reg.OpenKey(this->hive, this->K(u"Missing"), KeyAccess::Read), OsError::FileNotFound);
    EXPECT_EQ(reg.QueryValue(this->hive, this->K(u"Missing"), u"v").error(), OsError::FileNotFound);
    EXPECT_EQ(reg.QueryValue(this->hive, this->K(), u"missing").error(), OsError::FileNotFound);
    // Writing a value does not create its key.
    EXPECT_EQ(reg.SetValue(this->hive, this->K(u"Missing"), u"v", DwordValue(1)),
              OsError::FileNotFound);
    EXPECT_EQ(reg.OpenKey(this->hive, this->K(u"Missing"), KeyAccess::Read), OsError::FileNotFound);
    EXPECT_EQ(reg.EnumKey(this->hive, this->K(u"Missing"), 0).error(), OsError::FileNotFound);
    EXPECT_EQ(reg.OpenKey(this->hive, u"\\" + this->K(), KeyAccess::Read), OsError::InvalidName);
}

TYPED_TEST(RegistryContract, DefaultValueHasTheEmptyName) {
    auto& reg = this->reg;
    EXPECT_EQ(reg.QueryValue(this->hive, this->K(), u"").error(), OsError::FileNotFound);
    ASSERT_EQ(reg.SetValue(this->hive, this->K(), u"", TextValue(u"default text")), OsError::None);
    EXPECT_EQ(U8(ValueText(*reg.QueryValue(this->hive, this->K(), u""))), "default text");
    auto entry = reg.EnumValue(this->hive, this->K(), 0);
    ASSERT_TRUE(entry.ok());
    EXPECT_EQ(entry->name, u"");
}

TYPED_TEST(RegistryContract, KeysCompareWithoutCaseAndKeepTheirSpelling) {
    auto& reg = this->reg;
    ASSERT_EQ(reg.CreateKey(this->hive, this->K(u"MixedCase\\Deeper\\Deepest")), OsError::None);
    EXPECT_EQ(reg.OpenKey(this->hive, this->K(u"MIXEDCASE\\deeper"), KeyAccess::All),
              OsError::None);
    EXPECT_EQ(reg.CreateKey(this->hive, this->K(u"mixedcase")), OsError::None);  // exists
    EXPECT_EQ(U8(*reg.EnumKey(this->hive, this->K(), 0)), "MixedCase");
    EXPECT_EQ(reg.EnumKey(this->hive, this->K(), 1).error(), OsError::NoMoreItems);
}

TYPED_TEST(RegistryContract, SubkeysEnumerateInCaseInsensitiveOrder) {
    auto& reg = this->reg;
    for (const char16_t* name : {u"zeta", u"Alpha", u"beta", u"a-b", u"Z2", u"7up"}) {
        ASSERT_EQ(reg.CreateKey(this->hive, this->K(name)), OsError::None);
    }
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
        auto name = reg.EnumKey(this->hive, this->K(), i);
        if (!name.ok()) {
            EXPECT_EQ(name.error(), OsError::NoMoreItems);
            break;
        }
        names.push_back(U8(*name));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"7up", "a-b", "Alpha", "beta", "Z2", "zeta"}));
}

TYPED_TEST(RegistryContract, ValuesEnumerateOnceEachWithTheirFirstSpelling) {
    auto& reg = this->reg;
    for (const char16_t* name : {u"zz", u"Aa", u"mm"}) {
        ASSERT_EQ(reg.SetValue(this->hive, this->K(), name, TextValue(name)), OsError::None);
    }
    ASSERT_EQ(reg.SetValue(this->hive, this->K(), u"AA", TextValue(u"again")), OsError::None);
    std::multiset<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
        auto entry = reg.EnumValue(this->hive, this->K(), i);
        if (!entry.ok()) {
            EXPECT_EQ(entry.error(), OsError::NoMoreItems);
            break;
        }
        names.insert(U8(entry->name));
        if (entry->name == u"Aa") {
            EXPECT_EQ(U8(ValueText(entry->value)), "again");
        }
    }
    EXPECT_EQ(names, (std::multiset<std::string>{"Aa", "mm", "zz"}));
}

TYPED_TEST(RegistryContract, DeleteKeyRefusesKeysWithSubkeys) {
    auto& reg = this->reg;
    ASSERT_EQ(reg.CreateKey(this->hive, this->K(u"Parent\\Child")), OsError::None);
    EXPECT_EQ(reg.DeleteKey(this->hive, this->K(u"Parent")), OsError::AccessDenied);
    EXPECT_EQ(reg.OpenKey(this->hive, this->K(u"Parent\\Child"), KeyAccess::Read), OsError::None);
    EXPECT_EQ(reg.DeleteKey(this->hive, this->K(u"PARENT\\child")), OsError::None);
    EXPECT_EQ(reg.DeleteKey(this->hive, this->K(u"Parent")), OsError::None);
    EXPECT_EQ(reg.OpenKey(this->hive, this->K(u"Parent"), KeyAccess::Read), OsError::FileNotFound);
    EXPECT_EQ(reg.DeleteKey(this->hive, this->K(u"Parent")), OsError::FileNotFound);
}

TYPED_TEST(RegistryContract, DeleteValueRemovesOnlyThatValue) {
    auto& reg = this->reg;
    ASSERT_EQ(reg.SetValue(this->hive, this->K(), u"keep", DwordValue(1)), OsError::None);
    ASSERT_EQ(reg.SetValue(this->hive, this->K(), u"drop", DwordValue(2)), OsError::None);
    EXPECT_EQ(reg.DeleteValue(this->hive, this->K(), u"DROP"), OsError::None);
    EXPECT_EQ(reg.QueryValue(this->hive, this->K(), u"drop").error(), OsError::FileNotFound);
    EXPECT_TRUE(reg.QueryValue(this->hive, this->K(), u"keep").ok());
    EXPECT_EQ(reg.DeleteValue(this->hive, this->K(), u"drop"), OsError::FileNotFound);
    EXPECT_EQ(reg.DeleteValue(this->hive, this->K(u"Missing"), u"drop"), OsError::FileNotFound);
}

}  // namespace
}  // namespace vestra::platform::contract
