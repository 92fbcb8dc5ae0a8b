// The folders of the start-up pass and the drive list, on the fake platform.
#include "scanner/StartupFolders.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "remediation/HiddenPaths.h"
#include "tests/support/FakeEngine.h"

namespace vestra {
namespace {

using platform::DriveType;
constexpr char16_t kEngine[] = u"C:\\V\\VestEngine.dll";

class StartupFoldersTest : public ::testing::Test {
protected:
    StartupFoldersTest() {
        testing::ResetEngineScript();
        os.libraries.Register(kEngine, testing::FakeEngineExports());
        os.files.AddFile(kEngine, std::string_view("MZ"));
        engine = Engine::Load(os.libraries, kEngine);
        checker = std::make_unique<FileChecker>(*engine, os.files);
        os.files.AddDrive(u'A', DriveType::Removable);
        os.files.AddDrive(u'D', DriveType::CdRom);
        os.files.AddDrive(u'E', DriveType::Removable);
        os.system.SetSpecialFolder(25, u"C:\\Users\\Public\\Desktop\\");
        walk = std::make_unique<FolderWalk>(
            WalkParts{os.files, *checker, report, extractor, hidden.Check()});
    }
    void Plant(std::u16string_view path) {
        os.files.AddFile(path, std::string_view("content"));
        testing::EngineScript().results[std::u16string(path)] = 16;
        testing::EngineScript().names[std::u16string(path)] = "Worm.Fake";
    }

    platform::fake::FakePlatform os;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
    ScanReport report;
    remediation::HiddenPaths hidden{os.files, report};
    TargetExtractor extractor{os.files, u"C:\\"};
    std::unique_ptr<FolderWalk> walk;
};

TEST_F(StartupFoldersTest, DriveRootsLeaveOutCdRomsAndTheFloppy) {
    EXPECT_EQ(DriveRoots(os.files, true, true), u"C:\\|E:\\");
    EXPECT_EQ(DriveRoots(os.files, false, false), u"A:\\|C:\\|D:\\|E:\\");
}

TEST_F(StartupFoldersTest, FoldersInWalkingOrder) {
    os.system.SetEnvironment(u"USERPROFILE", u"C:\\users\\user");
    std::u16string list;
    for (const StartupFolder& f : StartupFolders(os.files, os.system))
        list += f.path + (f.recurse ? u" +\n" : u"\n");
    EXPECT_EQ(
        ToUtf8(list),
        "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp +\n"
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp +\n"
        "C:\\users\\Default User\\AppData\\Roaming\\Microsoft\\Windows\\Start "
        "Menu\\Programs\\StartUp +\n"
        "C:\\users\\user\\Desktop\n"
        "C:\\Users\\Public\\Desktop\n"
        "C:\\\n"
        "E:\\\n"
        "C:\\Windows\\Tasks\n");
}

TEST_F(StartupFoldersTest, PhaseWalksTheFoldersAfterTheRunKeys) {
    const std::u16string startup =
        u"C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    Plant(startup + u"\\sub\\deep.exe");
    Plant(u"C:\\users\\user\\Desktop\\sub\\notwalked.exe");
    Plant(u"E:\\root.exe");
    Plant(u"D:\\cd.exe");
    std::vector<std::size_t> rowsWhenKeysRan;
    AreaPhases phases;
    phases[AreaPhase::StartupItems] = [&](PhaseContext&, PhaseForm) {
        rowsWhenKeysRan.push_back(report.detect.Count());
    };
    InstallStartupFolderPhase(phases, *walk, os.files, os.system);
    PhaseContext context{report, *checker, hidden.Check(), {}};
    phases[AreaPhase::StartupItems](context, PhaseForm::First);
    EXPECT_EQ(rowsWhenKeysRan, std::vector<std::size_t>{0});  // once, before any folder
    std::u16string found;
    for (std::size_t i = 0; i < report.detect.Count(); ++i)
        found += report.detect.Cell(i, detect_column::kFilePath) + u"|";
    EXPECT_EQ(found, startup + u"\\sub\\deep.exe|E:\\root.exe|");
}

}  // namespace
}  // namespace vestra
