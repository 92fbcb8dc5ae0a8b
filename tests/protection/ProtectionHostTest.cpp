// The protection host's logic against the fake platform: the state and its channel echo, what
// the user is told, and the checks of opened folders and drive trees with their alerts.
#include "protection/ProtectionHost.h"

#include <gtest/gtest.h>

#include "tests/protection/HostFixture.h"

namespace vestra::protection {
namespace {

using testing::EngineScript;

class ProtectionHostTest : public HostFixture {};

TEST_F(ProtectionHostTest, SwitchingAnswersOnTheChannelAndTellsTheUser) {
    auto host = MakeHost();
    host->SetProtection(true);
    EXPECT_EQ(host->State(), kProtectionOn);
    EXPECT_EQ(ProtectionStatus(os.windows), kProtectionOn);
    // The echo of its own state in the box changes nothing.
    EXPECT_FALSE(host->OnChannelText(os.windows.GetText(box, 256)));
    EXPECT_TRUE(surface.folderWatch);
    EXPECT_TRUE(surface.processWatch);
    host->SetProtection(false);
    EXPECT_EQ(ProtectionStatus(os.windows), kProtectionOff);
    EXPECT_FALSE(surface.folderWatch);
    EXPECT_FALSE(surface.processWatch);
    EXPECT_EQ(surface.icons, (std::vector<TrayIcon>{TrayIcon::On, TrayIcon::Off}));
    EXPECT_EQ(surface.protectChecks, (std::vector<bool>{false, true}));
    EXPECT_EQ(surface.balloons, (std::vector<std::string>{"message 83|Vestra 2010 Rev. 8.3|1",
                                                          "message 84|Vestra 2010 Rev. 8.3|3"}));
}

TEST_F(ProtectionHostTest, ChannelCommandsSwitchAndEndTheHost) {
    auto host = MakeHost();
    host->SetProtection(true);
    EXPECT_FALSE(host->OnChannelText(u"30"));
    EXPECT_EQ(host->State(), kProtectionOff);
    EXPECT_FALSE(host->OnChannelText(u"abc"));
    EXPECT_FALSE(host->OnChannelText(u"31"));
    EXPECT_EQ(host->State(), kProtectionOff);
    EXPECT_FALSE(host->OnChannelText(u"39"));
    EXPECT_EQ(host->State(), kProtectionOn);
    EXPECT_TRUE(host->OnChannelText(u"44"));
}

TEST_F(ProtectionHostTest, AStandardUserGetsNoProcessWatch) {
    os.system.SetAdmin(false);
    auto host = MakeHost();
    host->SetProtection(true);
    EXPECT_TRUE(surface.folderWatch);
    EXPECT_FALSE(surface.processWatch);
}

TEST_F(ProtectionHostTest, ALogonStartSkipsOnlyTheFirstActiveBalloonAndNoSplashAll) {
    auto byLogon = MakeHost(false, true);
    byLogon->SetProtection(true);
    EXPECT_TRUE(surface.balloons.empty());
    byLogon->SetProtection(true);
    EXPECT_EQ(surface.balloons.size(), 1u);

    surface.balloons.clear();
    auto quiet = MakeHost(true, false);
    quiet->SetProtection(true);
    quiet->SetProtection(false);
    EXPECT_TRUE(surface.balloons.empty());
    EXPECT_EQ(ProtectionStatus(os.windows), kProtectionOff);
}

TEST_F(ProtectionHostTest, AnOpenedFolderHasItsFilesCheckedNotItsSubfolders) {
    Plant(u"C:\\Docs\\bad.exe", true);
    Plant(u"C:\\Docs\\good.txt", false);
    Plant(u"C:\\Docs\\Sub\\deeper.exe", true);
    auto host = MakeHost();
    EXPECT_TRUE(host->CheckOpenedFolder(u"C:\\Docs"));
    EXPECT_EQ(surface.alerts, (std::vector<std::string>{"Worm.Test|C:\\Docs\\bad.exe||DEL"}));
    EXPECT_EQ(surface.shows, 1);
    EXPECT_EQ(surface.blinkStarts, 1);
}

TEST_F(ProtectionHostTest, APathIsAlertedOnceUntilTheAlertsAreDismissed) {
    Plant(u"C:\\Docs\\bad.exe", true);
    auto host = MakeHost();
    host->CheckOpenedFolder(u"C:\\Docs\\");
    host->CheckWatchedFile(u"c:\\docs\\BAD.exe");
    EXPECT_EQ(surface.alerts.size(), 1u);
    host->StopDanger();
    EXPECT_EQ(surface.blinkStops, 1);
    host->CheckOpenedFolder(u"C:\\Docs\\");
    EXPECT_EQ(surface.alerts.size(), 2u);
}

TEST_F(ProtectionHostTest, DismissingTheAlertsStopsTheWalkUnderWayButNotTheNextOne) {
    Plant(u"E:\\A\\one.exe", true);
    Plant(u"E:\\B\\two.exe", true);
    auto host = MakeHost();
    surface.onAlert = [&] { host->StopDanger(); };
    EXPECT_TRUE(host->ScanTree(u"E:\\", 5000, true));
    EXPECT_EQ(surface.alerts.size(), 1u);
    surface.onAlert = nullptr;
    host->StopDanger();  // nothing under way: the drive plugged in next is still checked
    EXPECT_TRUE(host->ScanTree(u"E:\\", 5000, true));
    EXPECT_EQ(surface.alerts.size(), 3u);
}

TEST_F(ProtectionHostTest, TheHiddenDocumentAMalwareFileNamedItselfAfterIsRecorded) {
    Plant(u"E:\\Report.exe", true);
    Plant(u"E:\\Report.txt", false);  // visible: not the one it hid
    Plant(u"E:\\Report.pdf", false, platform::attr::kHidden);
    Plant(u"E:\\Photo.exe", true);
    Plant(u"E:\\Photo", false, platform::attr::kSystem);
    auto host = MakeHost();
    host->CheckOpenedFolder(u"E:\\");
    EXPECT_EQ(surface.alerts,
              (std::vector<std::string>{"Worm.Test|E:\\Photo.exe|E:\\Photo|DEL",
                                        "Worm.Test|E:\\Report.exe|E:\\Report.pdf|DEL"}));
}

TEST_F(ProtectionHostTest, ExceptedAndQuarantineFoldersAreLeftAlone) {
    Plant(u"C:\\Trusted\\tool.exe", true);
    Plant(u"C:\\[Vest-Cage]\\x.vra", true);
    access.RegMakeKey(registry::Hive::CurrentUser, u"Software\\Test\\Exceptions");
    ASSERT_FALSE(exceptions.AddException(config::ExceptionKind::Folder, u"C:\\Trusted").empty());
    exceptions.LoadExceptions();
    auto host = MakeHost();
    EXPECT_FALSE(host->CheckOpenedFolder(u"C:\\Trusted"));
    EXPECT_FALSE(host->CheckOpenedFolder(u"C:\\[Vest-Cage]"));
    EXPECT_TRUE(surface.alerts.empty());
}

TEST_F(ProtectionHostTest, TheForegroundFolderIsCheckedOnceAndANewRemovableDriveWholly) {
    Plant(u"E:\\top.exe", true);
    Plant(u"E:\\Deep\\Er\\inner.exe", true);
    Plant(u"E:\\Other\\other.exe", true);
    auto host = MakeHost();
    host->OnForegroundFolder(u"E:\\Deep");
    // The tree of the drive, then the folder itself (whose files are alerted already).
    EXPECT_EQ(surface.alerts.size(), 3u);
    EXPECT_EQ(ToUtf8(host->LastFolder()), "E:\\Deep");
    const auto scanned = EngineScript().scanned.size();
    host->OnForegroundFolder(u"E:\\Deep");
    EXPECT_EQ(EngineScript().scanned.size(), scanned);  // the same folder again: nothing
    host->OnForegroundFolder(u"E:\\Other");
    EXPECT_EQ(EngineScript().scanned.size(), scanned + 1);  // same drive: that folder only
    host->OnForegroundFolder(u"");
    EXPECT_TRUE(host->LastFolder().empty());
}

TEST_F(ProtectionHostTest, AFolderThatCannotBeReadOrVanishesEndsTheCheckQuietly) {
    auto host = MakeHost();
    EXPECT_FALSE(host->CheckOpenedFolder(u"C:\\Nowhere"));
    EXPECT_FALSE(host->ScanTree(u"Q:\\", 5000, true));
    EXPECT_FALSE(host->CheckWatchedFile(u"C:\\Nowhere\\gone.exe"));
    EXPECT_FALSE(host->Busy());
}

struct UrlCase {
    const char16_t* url;
    const char16_t* path;
};

class UrlToPathTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlToPathTest, DecodesFileLocationsOnly) {
    EXPECT_EQ(ToUtf8(UrlToPath(GetParam().url)), ToUtf8(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(Locations, UrlToPathTest,
                         ::testing::Values(UrlCase{u"file:///C:/My%20Docs/a+b",
                                                   u"C:\\My Docs\\a b"},
                                           UrlCase{u"FILE:///E:/", u"E:\\"},
                                           UrlCase{u"file:///C:/100%25/x%zz", u"C:\\100%\\x%zz"},
                                           UrlCase{u"http://example.com/file", u""},
                                           UrlCase{u"", u""}, UrlCase{u"file:", u"file:"}));

}  // namespace
}  // namespace vestra::protection
