// The registry operations and their sentinels, on whichever registry the backend gives (the fake
// natively, the real one under Wine).
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "registry/RegistryAccess.h"
#include "tests/registry/RegistryBackend.h"

namespace vestra::registry {
namespace {

constexpr Hive kHkcu = Hive::CurrentUser;

class RegistryAccessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(reg.RegMakeKey(kHkcu, key), kDone); }

    std::u16string Sub(std::u16string_view tail) const {
        return key + u"\\" + std::u16string(tail);
    }

    std::unique_ptr<regtest::RegistryBackend> backend = regtest::MakeRegistryBackend();
    RegistryAccess reg{backend->Registry(), backend->System()};
    std::u16string key = backend->ScratchKey();
};

TEST_F(RegistryAccessTest, MissingKeysAndValuesReadAsSentinels) {
    const std::u16string missingKey = Sub(u"Nowhere");
    EXPECT_FALSE(reg.RegKeyExists(kHkcu, missingKey));
    EXPECT_FALSE(reg.RegValueExists(kHkcu, missingKey, u"Name"));
    EXPECT_EQ(reg.RegReadString(kHkcu, missingKey, u"Name"), u"-1");
    EXPECT_EQ(reg.RegReadDWORD(kHkcu, missingKey, u"Name"), -1);

    EXPECT_TRUE(reg.RegKeyExists(kHkcu, key));
    EXPECT_FALSE(reg.RegValueExists(kHkcu, key, u"Name"));
    EXPECT_EQ(reg.RegReadString(kHkcu, key, u"Name"), u"-1");
    EXPECT_EQ(reg.RegReadDWORD(kHkcu, key, u"Name"), -1);
    EXPECT_EQ(reg.RegReadString(kHkcu, key, u""), u"-1");  // no default value set
}

TEST_F(RegistryAccessTest, StringValuesReadBackAsStored) {
    struct Case {
        std::u16string_view stored;
        std::uint32_t type;
        std::u16string_view read;
    };
    const Case cases[] = {
        {u"", platform::regtype::kSz, u""},  // empty is not missing
        {u"plain text", platform::regtype::kSz, u"plain text"},
        {u"-1", platform::regtype::kSz, u"-1"},
        {u"C:\\VESTR\u0394\\x", platform::regtype::kSz, u"C:\\VESTR\u0394\\x"},
        {u"%NO_SUCH_VESTRA_VARIABLE%\\x", platform::regtype::kExpandSz,
         u"%NO_SUCH_VESTRA_VARIABLE%\\x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.stored));
        ASSERT_EQ(reg.RegWriteValue(kHkcu, key, u"Text", c.stored, c.type), kDone);
        EXPECT_TRUE(reg.RegValueExists(kHkcu, key, u"Text"));
        EXPECT_EQ(reg.RegReadString(kHkcu, key, u"Text"), c.read);
    }
}

TEST_F(RegistryAccessTest, StringReadExpandsVariablesUnlessRaw) {
    std::u16string stored = u"%" + backend->KnownVariable() + u"%\\system32";
    ASSERT_EQ(reg.RegWriteValue(kHkcu, key, u"Path", stored, platform::regtype::kSz), kDone);
    EXPECT_EQ(reg.RegReadString(kHkcu, key, u"Path"),
              backend->KnownVariableValue() + u"\\system32");
    EXPECT_EQ(reg.RegReadString(kHkcu, key, u"Path", Expansion::Raw), stored);
}

TEST_F(RegistryAccessTest, StringReadStopsAtFirstZeroAndIgnoresType) {
    std::u16string withNul = u"first";
    withNul += u'\0';
    withNul += u"second";
    ASSERT_EQ(backend->Registry().SetValue(
                  kHkcu, key, u"Multi", platform::TextValue(withNul, platform::regtype::kMultiSz)),
              platform::OsError::None);
    EXPECT_EQ(reg.RegReadString(kHkcu, key, u"Multi"), u"first");

    // A number read as text spells whatever its bytes spell: 0x00000041 is "A" then a zero.
    ASSERT_EQ(reg.RegWriteDWORD(kHkcu, key, u"Number", 0x41), kDone);
    EXPECT_EQ(reg.RegReadString(kHkcu, key, u"Number"), u"A");
}

TEST_F(RegistryAccessTest, NumbersRoundTripAndOtherTypesReadAsMissing) {
    for (std::int32_t n : {0, 1, 0x08B911, -5, 2147483647}) {
        ASSERT_EQ(reg.RegWriteDWORD(kHkcu, key, u"N", n), kDone);
        EXPECT_EQ(reg.RegReadDWORD(kHkcu, key, u"N"), n);
    }
    ASSERT_EQ(reg.RegWriteValue(kHkcu, key, u"S", u"12", platform::regtype::kSz), kDone);
    EXPECT_EQ(reg.RegReadDWORD(kHkcu, key, u"S"), -1);
    ASSERT_EQ(backend->Registry().SetValue(kHkcu, key, u"Short",
                                           platform::RegValue{platform::regtype::kDword, {1, 0}}),
              platform::OsError::None);
    EXPECT_EQ(reg.RegReadDWORD(kHkcu, key, u"Short"), -1);
}

TEST_F(RegistryAccessTest, WritesNeedAnExistingKey) {
    const std::u16string missingKey = Sub(u"Missing");
    EXPECT_EQ(reg.RegWriteDWORD(kHkcu, missingKey, u"N", 1), kFailed);
    EXPECT_EQ(reg.RegWriteValue(kHkcu, missingKey, u"S", u"x", platform::regtype::kSz), kFailed);
    EXPECT_FALSE(reg.RegKeyExists(kHkcu, missingKey));
}

TEST_F(RegistryAccessTest, RemovingValuesAnswersSuccessWhenNothingIsLeft) {
    ASSERT_EQ(reg.RegWriteDWORD(kHkcu, key, u"Gone", 7), kDone);
    ASSERT_EQ(reg.RegWriteDWORD(kHkcu, key, u"Kept", 8), kDone);
    EXPECT_EQ(reg.RegRemoveValue(kHkcu, key, u"Gone"), kDone);
    EXPECT_FALSE(reg.RegValueExists(kHkcu, key, u"Gone"));
    EXPECT_EQ(reg.RegReadDWORD(kHkcu, key, u"Kept"), 8);

    EXPECT_EQ(reg.RegRemoveValue(kHkcu, key, u"NeverWas"), kDone);
    EXPECT_EQ(reg.RegRemoveValue(kHkcu, Sub(u"Missing"), u"Gone"), kDone);
}

TEST_F(RegistryAccessTest, MakeKeyCreatesOnceAndAnswersMinusOneForAnExistingKey) {
    const std::u16string deep = Sub(u"A\\B\\C");
    EXPECT_EQ(reg.RegMakeKey(kHkcu, deep), kDone);
    EXPECT_TRUE(reg.RegKeyExists(kHkcu, deep));
    EXPECT_EQ(reg.RegMakeKey(kHkcu, deep), kFailed);
    EXPECT_TRUE(reg.RegKeyExists(kHkcu, deep));
}

TEST_F(RegistryAccessTest, RemoveKeyRefusesSubkeysAndRemoveTreeTakesEverything) {
    ASSERT_EQ(reg.RegMakeKey(kHkcu, Sub(u"Tree\\One\\Deep")), kDone);
    ASSERT_EQ(reg.RegMakeKey(kHkcu, Sub(u"Tree\\Two")), kDone);
    ASSERT_EQ(reg.RegWriteDWORD(kHkcu, Sub(u"Tree\\One\\Deep"), u"N", 1), kDone);
    ASSERT_EQ(reg.RegMakeKey(kHkcu, Sub(u"Sibling")), kDone);

    EXPECT_EQ(reg.RegRemoveKey(kHkcu, Sub(u"Tree")), kFailed);
    EXPECT_TRUE(reg.RegKeyExists(kHkcu, Sub(u"Tree\\One\\Deep")));

    int yields = 0;
    EXPECT_EQ(reg.RegRemoveTree(kHkcu, Sub(u"Tree"), [&] { ++yields; }), kDone);
    EXPECT_FALSE(reg.RegKeyExists(kHkcu, Sub(u"Tree")));
    EXPECT_TRUE(reg.RegKeyExists(kHkcu, Sub(u"Sibling")));
    EXPECT_GE(yields, 4);  // between the four deletions at least

    EXPECT_EQ(reg.RegRemoveTree(kHkcu, Sub(u"Tree")), kFailed);  // nothing left to delete
    EXPECT_EQ(reg.RegRemoveKey(kHkcu, Sub(u"Sibling")), kDone);
}

TEST_F(RegistryAccessTest, HiveRootsAreNeverDeleted) {
    EXPECT_EQ(reg.RegRemoveKey(kHkcu, u""), kFailed);
    EXPECT_EQ(reg.RegRemoveTree(kHkcu, u""), kFailed);
    EXPECT_TRUE(reg.RegKeyExists(kHkcu, key));
}

TEST_F(RegistryAccessTest, ListValuesAppendsNamesInOrder) {
    std::u16string list;
    EXPECT_EQ(reg.RegListValues(kHkcu, key, list), 0);
    EXPECT_EQ(list, u"");
    ASSERT_EQ(reg.RegWriteDWORD(kHkcu, key, u"First", 1), kDone);
    ASSERT_EQ(reg.RegWriteValue(kHkcu, key, u"Second", u"x", platform::regtype::kSz), kDone);
    list = u"Earlier";
    EXPECT_EQ(reg.RegListValues(kHkcu, key, list), 2);
    EXPECT_EQ(list, u"Earlier|First|Second");
    EXPECT_EQ(reg.RegListValues(kHkcu, Sub(u"Missing"), list), 0);
}

TEST_F(RegistryAccessTest, KeyNamesCompareWithoutRegardToCase) {
    ASSERT_EQ(reg.RegWriteDWORD(kHkcu, key, u"Mixed", 3), kDone);
    std::u16string lower = LowerCase(key);
    ASSERT_NE(lower, key);  // the Greek capital delta has a small form too
    EXPECT_TRUE(reg.RegKeyExists(kHkcu, lower));
    EXPECT_EQ(reg.RegReadDWORD(kHkcu, lower, u"MIXED"), 3);
}

}  // namespace
}  // namespace vestra::registry
