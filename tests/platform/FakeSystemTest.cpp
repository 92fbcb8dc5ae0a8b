// The fake system's controls: expansion rules, privileges, the clock and its sleep hook, and the
// starting machine that FakePlatform builds.
#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::fake {
namespace {

using contract::U8;

TEST(FakeSystemTest, ExpansionFollowsTheWindowsScan) {
    FakeSystem sys;
    sys.SetEnvironment(u"Name", u"value");
    struct Case {
        const char16_t* text;
        const char* expanded;
    };
    const Case cases[] = {
        {u"%NAME%", "value"},
        {u"a%name%b%Name%c", "avaluebvaluec"},
        {u"%unknown%", "%unknown%"},
        // After an unknown name the scan goes on behind its closing percent sign.
        {u"%unknown%name%", "%unknown%name%"},
        {u"%%", "%%"},
        {u"100%", "100%"},
        {u"%name", "%name"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U8(sys.ExpandEnvironment(c.text)), c.expanded);
    sys.RemoveEnvironment(u"NAME");
    EXPECT_EQ(U8(sys.ExpandEnvironment(u"%name%")), "%name%");
}

TEST(FakeSystemTest, PrivilegesAreRecordedAndMayBeRefused) {
    FakeSystem sys;
    sys.SetPrivilegeResult(u"SeDebugPrivilege", false);
    EXPECT_TRUE(sys.EnablePrivilege(u"SeShutdownPrivilege"));
    EXPECT_FALSE(sys.EnablePrivilege(u"SEDEBUGPRIVILEGE"));
    EXPECT_EQ(sys.privilegeRequests(),
              (std::vector<std::u16string>{u"SeShutdownPrivilege", u"SEDEBUGPRIVILEGE"}));
}

TEST(FakeSystemTest, SleepAdvancesTheClockAndCallsTheHook) {
    FakeSystem sys;
    std::uint32_t seen = 0;
    sys.SetSleepHook([&](std::uint32_t ms) { seen += ms; });
    std::uint32_t start = sys.TickCount();
    sys.Sleep(500);
    sys.AdvanceClock(20);
    sys.Sleep(1000);
    EXPECT_EQ(sys.TickCount() - start, 1520u);
    EXPECT_EQ(sys.totalSlept(), 1500u);
    EXPECT_EQ(seen, 1500u);
}

TEST(FakePlatformTest, StartsAsASmallWindowsMachine) {
    FakePlatform fake;
    Platform os = fake.platform();
    EXPECT_EQ(&os.files, &fake.files);
    for (const auto& folder : {os.system.SystemDirectory(), os.system.WindowsDirectory(),
                               os.system.TempPath(), os.system.SpecialFolder(csidl::kStartup),
                               os.system.SpecialFolder(csidl::kCommonStartup)}) {
        EXPECT_TRUE(os.files.IsFolder(folder)) << U8(folder);
    }
    auto own = os.processes.ImagePath(os.system.CurrentProcessId());
    ASSERT_TRUE(own.ok());
    EXPECT_EQ(*own, kOwnImagePath);
    EXPECT_EQ(os.processes.Terminate(kSystemProcessId, 0), OsError::AccessDenied);
}

}  // namespace
}  // namespace vestra::platform::fake
