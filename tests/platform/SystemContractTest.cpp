// What callers rely on from the system, process and library seams on every implementation:
// version, folders, environment expansion, the clock, the own process in the snapshot, and a
// library that cannot be loaded.
#include <gtest/gtest.h>

#include "tests/platform/ContractEnvironments.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::contract {
namespace {

template <class Env>
class SystemContract : public ::testing::Test {
protected:
    Env env;
    Platform os = env.platform();
};
TYPED_TEST_SUITE(SystemContract, ContractEnvironments);

TYPED_TEST(SystemContract, ReportsWindows7OnTheNtFamily) {
    OsVersion version = this->os.system.Version();
    EXPECT_EQ(version.platformId, 2u);
    EXPECT_EQ(version.major, 6u);
    EXPECT_EQ(version.minor, 1u);
    EXPECT_FALSE(this->os.system.ComputerName().empty());
    EXPECT_NE(this->os.system.CurrentProcessId(), 0u);
}

TYPED_TEST(SystemContract, WellKnownFoldersExistWithTheirBackslashConventions) {
    auto& sys = this->os.system;
    auto& fs = this->os.files;
    std::u16string temp = sys.TempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), u'\\');
    EXPECT_TRUE(fs.IsFolder(temp)) << U8(temp);
    std::u16string windows = sys.WindowsDirectory();
    std::u16string system = sys.SystemDirectory();
    for (const auto& folder : {windows, system}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.back(), u'\\') << U8(folder);
        EXPECT_TRUE(fs.IsFolder(folder)) << U8(folder);
    }
    EXPECT_TRUE(StartsWithNoCase(system, windows + u"\\"));
    for (int folder : {csidl::kProgramFiles, csidl::kAppData, csidl::kDesktop}) {
        EXPECT_TRUE(fs.IsFolder(sys.SpecialFolder(folder))) << folder;
    }
    EXPECT_EQ(U8(sys.SpecialFolder(0x7FFF)), "");
}

TYPED_TEST(SystemContract, ExpandEnvironmentKeepsUnknownVariablesAsWritten) {
    auto& sys = this->os.system;
    std::u16string windows = sys.WindowsDirectory();
    EXPECT_TRUE(EqualsNoCase(sys.ExpandEnvironment(u"%SystemRoot%\\x"), windows + u"\\x"));
    EXPECT_TRUE(EqualsNoCase(sys.ExpandEnvironment(u"[%systemroot%]"), u"[" + windows + u"]"));
    EXPECT_EQ(U8(sys.ExpandEnvironment(u"%VESTRA_NO_SUCH_VARIABLE%\\x")),
              "%VESTRA_NO_SUCH_VARIABLE%\\x");
    EXPECT_EQ(U8(sys.ExpandEnvironment(u"50% off")), "50% off");
    EXPECT_EQ(U8(sys.ExpandEnvironment(u"")), "");
}

TYPED_TEST(SystemContract, SleepLetsTheClockMove) {
    auto& sys = this->os.system;
    std::uint32_t before = sys.TickCount();
    sys.Sleep(60);
    EXPECT_GE(sys.TickCount() - before, 40u);  // tick resolution on Windows is ~16 ms
}

TYPED_TEST(SystemContract, SnapshotHoldsTheOwnProcessWithItsImage) {
    auto& processes = this->os.processes;
    std::uint32_t own = this->os.system.CurrentProcessId();
    auto snapshot = processes.Snapshot();
    ASSERT_TRUE(snapshot.ok());
    auto it = std::find_if(snapshot->begin(), snapshot->end(),
                           [&](const ProcessEntry& e) { return e.processId == own; });
    ASSERT_NE(it, snapshot->end());
    EXPECT_TRUE(EqualsNoCase(it->exeName, this->env.ownExeName)) << U8(it->exeName);
    auto image = processes.ImagePath(own);
    ASSERT_TRUE(image.ok());
    EXPECT_TRUE(EndsWithNoCase(*image, u"\\" + this->env.ownExeName)) << U8(*image);
    auto modules = processes.Modules(own);
    ASSERT_TRUE(modules.ok());
    ASSERT_FALSE(modules->empty());
    EXPECT_TRUE(EqualsNoCase(modules->front(), *image)) << U8(modules->front());
    auto commandLine = processes.CommandLine(own);
    ASSERT_TRUE(commandLine.ok()) << OsErrorName(commandLine.error());
    EXPECT_NE(UpperCase(*commandLine).find(UpperCase(this->env.ownExeName)), std::u16string::npos)
        << U8(*commandLine);
}

TYPED_TEST(SystemContract, ActionsOnAMissingProcessFail) {
    auto& processes = this->os.processes;
    constexpr std::uint32_t kNoSuchProcess = 0x7FFFFFF0;
    EXPECT_NE(processes.Terminate(kNoSuchProcess, 1), OsError::None);
    EXPECT_NE(processes.Suspend(kNoSuchProcess), OsError::None);
    EXPECT_FALSE(processes.ImagePath(kNoSuchProcess).ok());
}

TYPED_TEST(SystemContract, LoadingAMissingLibraryGivesNothing) {
    EXPECT_EQ(this->os.libraries.Load(this->env.scratch + u"missing.dll"), nullptr);
}

}  // namespace
}  // namespace vestra::platform::contract
