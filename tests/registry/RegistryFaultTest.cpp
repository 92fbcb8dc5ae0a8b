// Failures only the fake can stage: keys that refuse writing, calls that fail on demand.
#include <gtest/gtest.h>

#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeSystem.h"
#include "registry/RegistryAccess.h"

namespace vestra::registry {
namespace {

using platform::OsError;
using platform::fake::RegOp;
constexpr Hive kHklm = Hive::LocalMachine;

class RegistryFaultTest : public ::testing::Test {
protected:
    platform::fake::FakeRegistry fake;
    platform::fake::FakeSystem system;
    RegistryAccess reg{fake, system};
};

TEST_F(RegistryFaultTest, RemovingAValueFromAProtectedKeyFailsAndKeepsIt) {
    ASSERT_EQ(reg.RegMakeKey(kHklm, u"SOFTWARE\\Guarded"), kDone);
    ASSERT_EQ(reg.RegWriteDWORD(kHklm, u"SOFTWARE\\Guarded", u"N", 1), kDone);
    ASSERT_TRUE(fake.DenyWrite(kHklm, u"SOFTWARE\\Guarded"));

    EXPECT_EQ(reg.RegRemoveValue(kHklm, u"SOFTWARE\\Guarded", u"N"), kFailed);
    EXPECT_EQ(reg.RegReadDWORD(kHklm, u"SOFTWARE\\Guarded", u"N"), 1);
    EXPECT_EQ(reg.RegWriteDWORD(kHklm, u"SOFTWARE\\Guarded", u"N", 2), kFailed);
}

TEST_F(RegistryFaultTest, RefusedValueDeletionIsNotReportedAsSuccess) {
    ASSERT_EQ(reg.RegMakeKey(kHklm, u"SOFTWARE\\K"), kDone);
    ASSERT_EQ(reg.RegWriteDWORD(kHklm, u"SOFTWARE\\K", u"N", 1), kDone);
    fake.faults().FailNth(RegOp::DeleteValue, 1, OsError::AccessDenied);
    EXPECT_EQ(reg.RegRemoveValue(kHklm, u"SOFTWARE\\K", u"N"), kFailed);
    EXPECT_TRUE(reg.RegValueExists(kHklm, u"SOFTWARE\\K", u"N"));
}

TEST_F(RegistryFaultTest, TreeRemovalStopsAtASubkeyThatResists) {
    ASSERT_EQ(reg.RegMakeKey(kHklm, u"SOFTWARE\\Top\\Stuck\\Leaf"), kDone);
    ASSERT_EQ(reg.RegMakeKey(kHklm, u"SOFTWARE\\Top\\Zed"), kDone);
    ASSERT_TRUE(fake.DenyWrite(kHklm, u"SOFTWARE\\Top\\Stuck"));

    // Without the stop, the stuck subkey would be listed first again and again.
    EXPECT_EQ(reg.RegRemoveTree(kHklm, u"SOFTWARE\\Top"), kFailed);
    EXPECT_TRUE(reg.RegKeyExists(kHklm, u"SOFTWARE\\Top\\Stuck"));
    EXPECT_TRUE(reg.RegKeyExists(kHklm, u"SOFTWARE\\Top"));
}

TEST_F(RegistryFaultTest, FailedCallsComeBackAsSentinels) {
    ASSERT_EQ(reg.RegMakeKey(kHklm, u"SOFTWARE\\K"), kDone);
    fake.faults().FailNth(RegOp::SetValue, 1, OsError::Other);
    EXPECT_EQ(reg.RegWriteDWORD(kHklm, u"SOFTWARE\\K", u"N", 1), kFailed);
    fake.faults().FailNth(RegOp::SetValue, 1, OsError::Other);
    EXPECT_EQ(reg.RegWriteValue(kHklm, u"SOFTWARE\\K", u"S", u"x", platform::regtype::kSz),
              kFailed);
    fake.faults().FailNth(RegOp::CreateKey, 1, OsError::AccessDenied);
    EXPECT_EQ(reg.RegMakeKey(kHklm, u"SOFTWARE\\New"), kFailed);
    fake.faults().FailNth(RegOp::DeleteKey, 1, OsError::AccessDenied);
    EXPECT_EQ(reg.RegRemoveKey(kHklm, u"SOFTWARE\\K"), kFailed);
    EXPECT_TRUE(reg.RegKeyExists(kHklm, u"SOFTWARE\\K"));
}

TEST_F(RegistryFaultTest, ExpansionKeepsOnlyTextBeforeAZero) {
    std::u16string withNul = u"C:\\x";
    withNul += u'\0';
    withNul += u"junk";
    system.SetEnvironment(u"ODD", withNul);
    EXPECT_EQ(reg.ExpandEnv(u"%ODD%\\y"), u"C:\\x");
}

}  // namespace
}  // namespace vestra::registry
