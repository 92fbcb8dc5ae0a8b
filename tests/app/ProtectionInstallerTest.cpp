// The protection host's installer against the fake platform: what a fresh install and a removal
// leave on disk and in the Run key, a host that will not end, and a copy that keeps failing.
#include "app/ProtectionInstaller.h"

#include <gtest/gtest.h>

#include "app/PathTable.h"
#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "protection/ProtectionChannel.h"

namespace vestra {
namespace {

using platform::fake::FakePlatform;
using platform::fake::FakeProcess;
using platform::fake::FsOp;

class ProtectionInstallerTest : public ::testing::Test {
protected:
    ProtectionInstallerTest() {
        state.paths = BuildPathTable(os.system, u"C:\\Downloads\\Vestra\\Vestra.exe");
        state.ownProcessId = os.system.CurrentProcessId();
        state.appTitle = u"Vestra";
        state.os.level = 3;  // Windows 7
        for (const std::u16string* file :
             {&state.paths.ownExePath, &state.paths.engineFile, &state.paths.databaseFile})
            os.files.AddFile(*file, ToUtf8(*file));
    }

    ProtectionInstaller Installer() {
        return ProtectionInstaller(
            platform, state, autostart,
            {[](int n) { return u"message " + ToText(n); }, [this] { ++autoScanCleared; }, {}, {}});
    }

    std::string Content(const std::u16string& path) {
        auto file = os.files.Open(path, platform::FileAccess::Read, platform::share::kRead,
                                  platform::Disposition::OpenExisting);
        if (!file)
            return "(missing)";
        std::string bytes(256, '\0');
        auto read =
            (*file)->Read(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
        bytes.resize(read ? *read : 0);
        return bytes;
    }

    FakePlatform os;
    platform::Platform platform = os.platform();
    AppState state;
    registry::RegistryAccess access{os.registry, os.system};
    protection::Autostart autostart{access, false, u"C:\\Program Files\\Vestra\\VE\u0394RTP.exe"};
    int autoScanCleared = 0;
};

TEST_F(ProtectionInstallerTest, AFreshInstallCopiesTheProgramWithItsFilesAndStartsIt) {
    const PathTable& p = state.paths;
    os.files.AddFile(p.legacyProtectionExe1, std::string_view("old"));
    auto installer = Installer();
    ASSERT_TRUE(installer.InstallProtection(0, false, false));
    EXPECT_EQ(Content(p.installedProtectionExe), ToUtf8(p.ownExePath));
    EXPECT_EQ(Content(p.installedEngine), ToUtf8(p.engineFile));
    EXPECT_EQ(Content(p.installedDatabase), ToUtf8(p.databaseFile));
    EXPECT_FALSE(os.files.Exists(p.legacyProtectionExe1));
    EXPECT_EQ(autoScanCleared, 1);
    ASSERT_EQ(os.shell.requests().size(), 1u);
    EXPECT_EQ(ToUtf8(os.shell.requests()[0].file), ToUtf8(p.installedProtectionExe));
    EXPECT_EQ(ToUtf8(os.shell.requests()[0].parameters), "rtc");
    EXPECT_TRUE(os.windows.messageBoxes().empty());
}

TEST_F(ProtectionInstallerTest, RemovalDeletesTheCopyAndTheLogonEntryAndStartsNothing) {
    const PathTable& p = state.paths;
    ASSERT_TRUE(Installer().InstallProtection(0, false, false));
    ASSERT_TRUE(autostart.RegisterAutostart(true));
    ASSERT_TRUE(Installer().InstallProtection(0, true, true));
    for (const std::u16string* file :
         {&p.installedProtectionExe, &p.installedEngine, &p.installedDatabase})
        EXPECT_FALSE(os.files.Exists(*file)) << ToUtf8(*file);
    EXPECT_FALSE(autostart.IsAutostartRegistered());
    EXPECT_EQ(os.shell.requests().size(), 1u);  // only the first install's start
}

TEST_F(ProtectionInstallerTest, AHostThatDoesNotEndIsEndedByForceBeforeItsFileIsReplaced) {
    const PathTable& p = state.paths;
    auto host = os.windows.AddTopWindow(u"ThunderRT6FormDC", u"VesRTP");
    auto box = os.windows.AddChild(host, u"ThunderRT6TextBox", u"39");
    os.files.AddFile(p.installedProtectionExe, std::string_view("old host"));
    FakeProcess running;
    running.processId = 77;
    running.exeName = u"VE\u0394RTP.exe";
    running.imagePath = p.installedProtectionExe;
    os.processes.Add(running);
    ASSERT_TRUE(Installer().InstallProtection(0, false, false));
    // Asked to end first, through the channel ...
    EXPECT_EQ(
        protection::ReadChannelCommand(os.windows.GetText(box, 256), protection::kProtectionOn),
        protection::ChannelCommand::End);
    // ... then, after five seconds without ending, by force.
    ASSERT_EQ(os.processes.terminated().size(), 1u);
    EXPECT_EQ(os.processes.terminated()[0].processId, 77u);
    EXPECT_EQ(Content(p.installedProtectionExe), ToUtf8(p.ownExePath));
}

TEST_F(ProtectionInstallerTest, ACopyThatKeepsFailingIsTriedFiveTimesMoreThenReported) {
    os.files.faults().FailNth(FsOp::Copy, 1, platform::OsError::AccessDenied, true);
    const std::uint32_t start = os.system.TickCount();
    EXPECT_FALSE(Installer().InstallProtection(0, false, false));
    EXPECT_GE(os.system.TickCount() - start, 5000u);  // a second between attempts
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    EXPECT_EQ(ToUtf8(os.windows.messageBoxes()[0].text), "message 71\r\nError 98");
    EXPECT_TRUE(os.shell.requests().empty());

    state.commandWord = u"slt";  // the silent install says nothing
    EXPECT_FALSE(Installer().InstallProtection(0, false, false));
    EXPECT_EQ(os.windows.messageBoxes().size(), 1u);
}

}  // namespace
}  // namespace vestra
