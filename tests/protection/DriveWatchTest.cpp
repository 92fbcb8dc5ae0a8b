// The removable-drive watch against the fake platform: which insertions are checked, in what
// order, and what a drive's autorun file and tree lead to.
#include "protection/DriveWatch.h"

#include "tests/protection/HostFixture.h"

namespace vestra::protection {
namespace {

class DriveWatchTest : public HostFixture {
protected:
    DriveWatchTest() {
        os.files.AddFolder(u"C:\\Windows\\System32");
        os.files.AddFile(u"C:\\Windows\\System32\\cmd.exe", std::string_view("MZ"));
    }

    std::unique_ptr<DriveWatch> MakeWatch(ProtectionHost& host) {
        processes::TrustedFolders trusted{u"C:\\Windows\\", u"C:\\Windows\\System32\\",
                                          u"C:\\Windows\\System32\\dllcache\\",
                                          u"C:\\Program Files\\", false};
        return std::make_unique<DriveWatch>(
            platform, host, surface, trusted, u"C:\\",
            DriveWatchEvents{[this] { ++reloads; },
                             [this](std::u16string_view root) { queued.push_back(ToUtf8(root)); },
                             [this](std::u16string_view root) { asked.push_back(ToUtf8(root)); }});
    }

    int reloads = 0;
    std::vector<std::string> queued, asked;
};

TEST_F(DriveWatchTest, TheSnapshotHoldsTheRemovableDrivesInLetterOrder) {
    os.files.AddDrive(u'H', platform::DriveType::Removable);
    os.files.AddDrive(u'D', platform::DriveType::CdRom);
    os.files.AddDrive(u'B', platform::DriveType::Removable);
    EXPECT_EQ(ToUtf8(RemovableDriveSnapshot(os.files)), "B:\\|E:\\|H:\\");
}

TEST_F(DriveWatchTest, OnlyDrivesAddedAfterTheSnapshotAreCheckedEachAfterASecond) {
    Plant(u"E:\\old.exe", true);  // present at start: never checked
    auto host = MakeHost();
    auto watch = MakeWatch(*host);
    watch->TakeSnapshot();
    watch->Tick();
    EXPECT_TRUE(surface.alerts.empty());
    EXPECT_EQ(reloads, 0);

    // Two drives between two beats: both, in letter order, a second apart.
    os.files.AddDrive(u'K', platform::DriveType::Removable);
    os.files.AddDrive(u'G', platform::DriveType::Removable);
    Plant(u"K:\\bad.exe", true);
    const std::uint32_t before = os.system.TickCount();
    watch->Tick();
    EXPECT_GE(os.system.TickCount() - before, 2000u);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(asked, (std::vector<std::string>{"G:\\"}));   // clean: the lock question
    EXPECT_EQ(queued, (std::vector<std::string>{"K:\\"}));  // found: after the alert window
    EXPECT_EQ(surface.alerts, (std::vector<std::string>{"Worm.Test|K:\\bad.exe||DEL"}));

    // Pulling a drive out only shrinks the snapshot; putting it back is a new insertion.
    os.files.RemoveDrive(u'G');
    watch->Tick();
    EXPECT_EQ(ToUtf8(watch->Snapshot()), "E:\\|K:\\");
    EXPECT_EQ(asked.size(), 1u);
    os.files.AddDrive(u'G', platform::DriveType::Removable);
    watch->Tick();
    EXPECT_EQ(asked, (std::vector<std::string>{"G:\\", "G:\\"}));
}

TEST_F(DriveWatchTest, AnAutorunFileIsAlertedWithTheUntrustedProgramsItStarts) {
    auto host = MakeHost();
    auto watch = MakeWatch(*host);
    watch->TakeSnapshot();
    os.files.AddDrive(u'F', platform::DriveType::Removable);
    os.files.AddFile(u"F:\\autorun.inf",
                     std::string_view("[autorun]\r\nopen=RECYCLER\\x.exe\r\n"
                                      "shell\\a\\command=C:\\Windows\\System32\\cmd.exe\r\n"));
    os.files.AddFile(u"F:\\RECYCLER\\x.exe", std::string_view("MZ"));
    watch->Tick();
    EXPECT_EQ(surface.alerts,
              (std::vector<std::string>{"Autorun-Script.inf|F:\\autorun.inf||CAGE",
                                        "Autorun-Infector.exe|f:\\recycler\\x.exe||CAGE"}));
    EXPECT_EQ(queued, (std::vector<std::string>{"F:\\", "F:\\"}));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(surface.shows, 1);
    EXPECT_EQ(surface.blinkStarts, 1);
}

TEST_F(DriveWatchTest, AnAutorunFileStartingOnlyWindowsProgramsIsStillAlertedItself) {
    auto host = MakeHost();
    auto watch = MakeWatch(*host);
    os.files.AddDrive(u'F', platform::DriveType::Removable);
    os.files.AddFile(u"F:\\autorun.inf",
                     std::string_view("[autorun]\r\nopen=C:\\Windows\\System32\\cmd.exe\r\n"));
    EXPECT_TRUE(watch->CheckNewDrive(u"F:\\"));
    EXPECT_EQ(surface.alerts,
              (std::vector<std::string>{"Autorun-Script.inf|F:\\autorun.inf||CAGE"}));
}

TEST_F(DriveWatchTest, CdDrivesAndTheFloppyAreNotChecked) {
    auto host = MakeHost();
    auto watch = MakeWatch(*host);
    os.files.AddDrive(u'D', platform::DriveType::CdRom);
    Plant(u"D:\\bad.exe", true);
    EXPECT_FALSE(watch->CheckNewDrive(u"D:\\"));
    watch->TakeSnapshot();
    os.files.AddDrive(u'A', platform::DriveType::Removable);
    Plant(u"A:\\bad.exe", true);
    watch->Tick();
    EXPECT_TRUE(surface.alerts.empty());
    EXPECT_TRUE(asked.empty());
}

}  // namespace
}  // namespace vestra::protection
