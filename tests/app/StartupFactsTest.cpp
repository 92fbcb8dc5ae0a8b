// Facts the start-up gathers from the machine: the path table, the installed protection's build
// stamp and the protection channel's state.
#include <gtest/gtest.h>

#include "app/InstalledBuild.h"
#include "app/PathTable.h"
#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"

namespace vestra {
namespace {

using platform::fake::FakePlatform;

TEST(PathTableTest, BuildsEntriesFromTheSystemFoldersAndTheOwnFolder) {
    FakePlatform os;
    os.system.SetWindowsDirectory(u"D:\\WINNT");
    os.system.SetSystemDirectory(u"D:\\WINNT\\system32");
    os.system.SetSpecialFolder(platform::csidl::kProgramFiles, u"D:\\Program Files");
    PathTable p = BuildPathTable(os.system, u"E:\\Tools\\Vestra.exe");

    EXPECT_EQ(ToUtf8(p.windowsDir), "D:\\WINNT\\");
    EXPECT_EQ(ToUtf8(p.systemRoot), "D:\\");
    EXPECT_EQ(ToUtf8(p.ownFolder), "E:\\Tools\\");
    EXPECT_EQ(ToUtf8(p.engineFile), "E:\\Tools\\VestEngine.dll");
    EXPECT_EQ(ToUtf8(p.databaseFile), "E:\\Tools\\Vestra.loov");
    EXPECT_EQ(ToUtf8(p.logFile), "E:\\Tools\\vestra.log");
    EXPECT_EQ(ToUtf8(p.installDir), "D:\\Program Files\\Vestra\\");
    EXPECT_EQ(p.installedProtectionExe, u"D:\\Program Files\\Vestra\\VE\u0394RTP.exe");
    EXPECT_EQ(ToUtf8(p.legacyProtectionExe1), "D:\\WINNT\\VesRTP.exe");
    EXPECT_EQ(p.legacyProtectionExe3, u"D:\\Program Files\\VESTR\u0394\\VE\u0394RTP.exe");
    EXPECT_EQ(ToUtf8(p.cageFolder), "D:\\[Vest-Cage]\\");
    EXPECT_EQ(ToUtf8(p.oldCageIndex), "D:\\[VestCage]\\Cage.DaB");
    EXPECT_EQ(ToUtf8(p.hostsFile), "D:\\WINNT\\system32\\drivers\\etc\\hosts");
    EXPECT_EQ(p.exceptionKey, u"SOFTWARE\\VESTR\u0394\\Exception");
    EXPECT_EQ(p.tempDir.back(), u'\\');
}

TEST(PathTableTest, AnUnknownSpecialFolderStaysEmptyInsteadOfBecomingARoot) {
    FakePlatform os;
    os.system.SetSpecialFolder(platform::csidl::kStartup, u"");
    PathTable p = BuildPathTable(os.system, u"C:\\V\\Vestra.exe");
    EXPECT_EQ(p.startupDir, u"");
}

struct StampCase {
    const char* fileEnd;
    int build;
};

class InstalledBuildTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(InstalledBuildTest, ReadsTheLastFourBytesAsDecimalDigits) {
    FakePlatform os;
    PathTable p = BuildPathTable(os.system, u"C:\\V\\Vestra.exe");
    std::string content = std::string("MZ-program-bytes-") + GetParam().fileEnd;
    ASSERT_TRUE(os.files.AddFile(p.installedProtectionExe, std::string_view(content)));
    EXPECT_EQ(InstalledBuild(os.files, p), GetParam().build);
}

INSTANTIATE_TEST_SUITE_P(Stamps, InstalledBuildTest,
                         ::testing::Values(StampCase{"0203", 203}, StampCase{"0199", 199},
                                           StampCase{"1024", 1024}, StampCase{"12a4", 0},
                                           StampCase{"  12", 0}, StampCase{"-123", 0}));

TEST(InstalledBuildTest, NoneInstalledAndTheLegacyPlaces) {
    FakePlatform os;
    PathTable p = BuildPathTable(os.system, u"C:\\V\\Vestra.exe");
    EXPECT_EQ(InstalledBuild(os.files, p), kNoProtectionInstalled);

    ASSERT_TRUE(os.files.AddFile(p.legacyProtectionExe1, std::string_view("old-0150")));
    EXPECT_EQ(InstalledBuild(os.files, p), 150);
    // The installed copy wins over every legacy one.
    ASSERT_TRUE(os.files.AddFile(p.installedProtectionExe, std::string_view("new-0204")));
    EXPECT_EQ(InstalledBuild(os.files, p), 204);
}

TEST(InstalledBuildTest, ShortOrLockedFilesCountAsBuildZero) {
    FakePlatform os;
    PathTable p = BuildPathTable(os.system, u"C:\\V\\Vestra.exe");
    ASSERT_TRUE(os.files.AddFile(p.installedProtectionExe, std::string_view("12")));
    EXPECT_EQ(InstalledBuild(os.files, p), 0);

    ASSERT_TRUE(os.files.AddFile(p.installedProtectionExe, std::string_view("xx0203")));
    auto lock = os.files.Open(p.installedProtectionExe, platform::FileAccess::Read,
                              platform::share::kNone, platform::Disposition::OpenExisting);
    ASSERT_TRUE(lock.ok());
    EXPECT_EQ(InstalledBuild(os.files, p), 0);
}

}  // namespace
}  // namespace vestra
