// The start-up sequence on a fake Windows 7 machine: which run mode each argument word reaches,
// what is refused without the engine files, elevation, the "vrs" request and the OS question.
#include "app/Entry.h"

#include <gtest/gtest.h>

#include "app/PathTable.h"
#include "app/ProgramConfig.h"
#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/FakeEngine.h"

namespace vestra {
namespace {

using platform::fake::FakePlatform;

constexpr char16_t kEngine[] = u"C:\\Program Files\\Vestra\\VestEngine.dll";
constexpr char16_t kDatabase[] = u"C:\\Program Files\\Vestra\\Vestra.loov";
constexpr char16_t kSettingsKey[] = u"SOFTWARE\\VESTR\u0394";

// The headers of a PE image and nothing else, with no image sum stamped.
std::vector<std::uint8_t> SmallImage() {
    std::vector<std::uint8_t> image(0x100, 0);
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 0x40;
    image[0x40] = 'P';
    image[0x41] = 'E';
    return image;
}

class EntryTest : public ::testing::Test {
protected:
    EntryTest() {
        testing::ResetEngineScript();
        os.files.AddFile(kEngine, std::string_view("MZ"));
        os.files.AddFile(kDatabase, std::string_view("db"));
        os.libraries.Register(kEngine, testing::FakeEngineExports());
        os.system.SetAdmin(true);
        // A current protection host, installed and running: an ordinary start asks nothing.
        os.files.AddFile(InstalledHost(), std::string_view("MZ...0203"));
        hostWindow = os.windows.AddTopWindow(u"ThunderRT6FormDC", u"VesRTP");
        os.windows.AddChild(hostWindow, u"ThunderRT6TextBox", u"39");
    }

    std::u16string InstalledHost() {
        return BuildPathTable(os.system, platform::fake::kOwnImagePath).installedProtectionExe;
    }

    RunMode Start(std::u16string_view arguments) {
        std::u16string line = u"\"C:\\Program Files\\Vestra\\Vestra.exe\"";
        if (!arguments.empty())
            line += u" " + std::u16string(arguments);
        os.system.SetCommandLine(line);
        return RunEntry(bundle, state, config);
    }

    bool SettingsLoaded() {
        return os.registry.OpenKey(platform::Hive::CurrentUser, kSettingsKey,
                                   platform::KeyAccess::Read) == platform::OsError::None;
    }

    FakePlatform os;
    platform::Platform bundle = os.platform();
    AppState state;
    ProgramConfig config{bundle};
    platform::WindowId hostWindow = platform::kNoWindow;
};

struct ModeCase {
    const char16_t* arguments;
    RunMode mode;
    const char* commandWord;
    bool settingsLoaded;
    bool protectionStartFlag;
    bool guiMode;
};

class EntryModeTest : public EntryTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(EntryModeTest, ArgumentWordChoosesTheMode) {
    const ModeCase& c = GetParam();
    EXPECT_EQ(Start(c.arguments), c.mode);
    EXPECT_EQ(ToUtf8(state.commandWord), c.commandWord);
    EXPECT_EQ(SettingsLoaded(), c.settingsLoaded);
    EXPECT_EQ(state.protectionStartFlag, c.protectionStartFlag);
    EXPECT_EQ(state.guiModeFlag, c.guiMode);
    EXPECT_TRUE(os.windows.messageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Words, EntryModeTest,
    ::testing::Values(
        ModeCase{u"", RunMode::MainWindow, "", true, false, true},
        ModeCase{u"RTP", RunMode::ProtectionHost, "rtp", true, true, false},
        // rtc is the same host started by the program itself: the logon flag stays down.
        ModeCase{u"rtc", RunMode::ProtectionHost, "rtp", true, false, false},
        // upd and slt leave before the settings (and the engine check) are reached.
        ModeCase{u"upd", RunMode::SelfUpdate, "upd", false, false, false},
        ModeCase{u"slt", RunMode::SilentInstall, "slt", false, false, false},
        // Three letters alone are not a request: an unrecognised word, so a path list.
        ModeCase{u"vrs", RunMode::MainWindow, "vrs", true, false, true},
        ModeCase{u"\"D:\\Data\" \"E:\\\"", RunMode::MainWindow, "\"d:\\data\" \"e:\\\"", true,
                 false, true}));

TEST_F(EntryTest, OrdinaryStartLoadsTheEngineAndPreparesTheQuarantine) {
    auto& script = testing::EngineScript();
    script.counts[1] = 1000;
    script.counts[2] = 20;
    script.counts[3] = 0;
    script.counts[4] = 3;
    ASSERT_EQ(Start(u""), RunMode::MainWindow);
    ASSERT_NE(state.engine, nullptr);
    EXPECT_EQ(script.initCalls, 1);
    EXPECT_EQ(script.countOrder, (std::vector<int>{1, 2, 4, 3}));
    EXPECT_EQ(state.signatureCounts.Total(), 1000 + 3 + 3 * 20);
    EXPECT_TRUE(os.files.IsFolder(u"C:\\[Vest-Cage]"));
    constexpr std::uint32_t kHiddenSystem = platform::attr::kHidden | platform::attr::kSystem;
    EXPECT_EQ(os.files.GetAttributes(u"C:\\[Vest-Cage]") & kHiddenSystem, kHiddenSystem);
    EXPECT_EQ(ToUtf8(state.paths.engineFile), ToUtf8(kEngine));
}

struct MissingCase {
    const char16_t* missing;
    const char* what;
    const char* fileName;
};

class EntryMissingFileTest : public EntryTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(EntryMissingFileTest, RefusesToStartAndNamesTheFile) {
    os.files.Delete(GetParam().missing);
    EXPECT_EQ(Start(u""), RunMode::Ended);
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    const auto& box = os.windows.messageBoxes()[0];
    std::string text = ToUtf8(box.text);
    EXPECT_NE(text.find(GetParam().what), std::string::npos) << text;
    EXPECT_NE(text.find(GetParam().fileName), std::string::npos) << text;
    EXPECT_EQ(ToUtf8(box.title), "Error");
    EXPECT_EQ(box.style, 48u);
    EXPECT_EQ(state.engine, nullptr);
    EXPECT_FALSE(os.files.Exists(u"C:\\[Vest-Cage]"));
}

INSTANTIATE_TEST_SUITE_P(Files, EntryMissingFileTest,
                         ::testing::Values(MissingCase{kEngine, "Engine", "VestEngine.dll"},
                                           MissingCase{kDatabase, "Database", "Vestra.loov"}));

TEST_F(EntryTest, RefusesAnEngineFileThatDoesNotLoad) {
    os.libraries.Register(kEngine, {{"VestInitDB", nullptr}});
    EXPECT_EQ(Start(u""), RunMode::Ended);
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    EXPECT_NE(ToUtf8(os.windows.messageBoxes()[0].text).find("VestEngine.dll"), std::string::npos);
}

TEST_F(EntryTest, MissingEngineMessageIsEnglishWhenTheStoredLanguageIsEnglish) {
    os.registry.CreateKey(platform::Hive::CurrentUser, kSettingsKey);
    os.registry.SetValue(platform::Hive::CurrentUser, kSettingsKey, u"Language",
                         platform::DwordValue(1));
    os.files.Delete(kEngine);
    Start(u"");
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    EXPECT_EQ(ToUtf8(os.windows.messageBoxes()[0].text)
                  .rfind("Vestra cannot find its Engine, "
                         "VestEngine.dll\r\n",
                         0),
              0u);
}

TEST_F(EntryTest, WithoutAdministratorRightsAnOrdinaryStartAsksForElevation) {
    os.system.SetAdmin(false);
    os.shell.SetResult(42);
    EXPECT_EQ(Start(u""), RunMode::Ended);
    ASSERT_EQ(os.shell.requests().size(), 1u);
    EXPECT_EQ(ToUtf8(os.shell.requests()[0].verb), "runas");
    EXPECT_EQ(ToUtf8(os.shell.requests()[0].file), ToUtf8(platform::fake::kOwnImagePath));
    EXPECT_EQ(os.shell.requests()[0].show, 1);
}

TEST_F(EntryTest, RefusedElevationGoesOnWithoutRights) {
    os.system.SetAdmin(false);
    os.shell.SetResult(5);
    EXPECT_EQ(Start(u""), RunMode::MainWindow);
    EXPECT_EQ(os.shell.requests().size(), 1u);
}

TEST_F(EntryTest, AWordSkipsTheElevationAttempt) {
    os.system.SetAdmin(false);
    EXPECT_EQ(Start(u"rtp"), RunMode::ProtectionHost);
    EXPECT_TRUE(os.shell.requests().empty());
}

TEST_F(EntryTest, VrsAddsTheFileAsBehaviourSignatureThenStartsNormally) {
    EXPECT_EQ(Start(u"vrs   C:\\Temp\\Evil.exe "), RunMode::MainWindow);
    auto& added = testing::EngineScript().userSignatures;
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(ToUtf8(added[0].first), "c:\\temp\\evil.exe");
    EXPECT_EQ(added[0].second, "Malware.Behavior");
    EXPECT_TRUE(state.commandWord.empty());
    EXPECT_TRUE(state.startedFromVrs);
}

TEST_F(EntryTest, PlatformOutsideTheNtFamilyAsksAndCancelEnds) {
    os.system.SetVersion({4, 10, 1998, 1});
    os.windows.QueueAnswer(platform::mb::kAnswerCancel);
    EXPECT_EQ(Start(u""), RunMode::Ended);
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    const auto& box = os.windows.messageBoxes()[0];
    EXPECT_EQ(ToUtf8(box.title), "OS Error");
    EXPECT_EQ(box.style, 49u);
    EXPECT_EQ(ToUtf8(box.text),
              "Your Windows Platform : Windows 98\r\nVestra only works on Windows NT Platform "
              "(2000, XP)\r\nAre you sure you want to use Vestra?");
}

TEST_F(EntryTest, PlatformOutsideTheNtFamilyGoesOnAfterOk) {
    os.system.SetVersion({4, 90, 3000, 1});
    os.windows.QueueAnswer(platform::mb::kAnswerOk);
    EXPECT_EQ(Start(u""), RunMode::MainWindow);
}

TEST_F(EntryTest, ShutdownAndDebugPrivilegesAreEnabledInEveryMode) {
    Start(u"slt");
    EXPECT_EQ(os.system.privilegeRequests(),
              (std::vector<std::u16string>{u"SeShutdownPrivilege", u"SeDebugPrivilege"}));
}

TEST(AppTitleTest, ProductNameWithARandomBlankAfterEachLetter) {
    std::u16string title = RandomAppTitle();
    ASSERT_EQ(title.size(), 12u);
    for (std::size_t i = 0; i < title.size(); i += 2) {
        EXPECT_EQ(title[i], u"Vestra"[i / 2]);
        EXPECT_TRUE(title[i + 1] == u' ' || title[i + 1] == u'\u00A0');
    }
}

TEST(ExitApplicationTest, SparesTheMainWindowWhileItLoads) {
    AppState state;
    std::vector<bool> calls;
    auto unload = [&](bool includingMain) { calls.push_back(includingMain); };

    ExitApplication(state, unload);
    EXPECT_TRUE(state.exitingFlag);
    EXPECT_FALSE(state.unloadMainAfterLoadFlag);

    state.mainWindowLoadingFlag = true;
    ExitApplication(state, unload);
    EXPECT_TRUE(state.unloadMainAfterLoadFlag);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

// A detected program running at an ordinary start is ended through the engine before the main
// window exists; a second sweep follows the pause, and the user is told once.
TEST_F(EntryTest, AnOrdinaryStartEndsRunningMalwareAndSaysSo) {
    constexpr char16_t kBad[] = u"C:\\Temp\\bad.exe";
    os.files.AddFile(kBad, std::string_view("bad"));
    testing::EngineScript().results[kBad] = 16 + 3;
    testing::EngineScript().names[kBad] = "Trojan.Test";
    testing::EngineScript().superKillResult = 1;
    platform::fake::FakeProcess bad;
    bad.processId = 77;
    bad.exeName = u"bad.exe";
    bad.imagePath = kBad;
    os.processes.Add(bad);
    platform::fake::FakeProcess clean;
    clean.processId = 78;
    clean.exeName = u"notepad.exe";
    clean.imagePath = u"C:\\Windows\\system32\\notepad.exe";
    os.processes.Add(clean);
    // The scripted engine only answers; the process goes away during the pause.
    os.system.SetSleepHook([&](std::uint32_t) { os.processes.Remove(77); });

    ASSERT_EQ(Start(u""), RunMode::MainWindow);
    EXPECT_EQ(testing::EngineScript().superKills, std::vector<std::int32_t>{77});
    EXPECT_EQ(os.system.totalSlept(), 3000u);
    EXPECT_NE(os.processes.Get(78), nullptr);
    ASSERT_EQ(state.startupDetections.size(), 1u);
    EXPECT_EQ(ToUtf8(state.startupDetections[0].status), "Detected Process [Killed]");
    EXPECT_EQ(ToUtf8(state.startupDetections[0].path), "C:\\Temp\\bad.exe");
    ASSERT_EQ(os.windows.messageBoxes().size(), 1u);
    // Message 52 in the first run's language, Indonesian, under the product name.
    EXPECT_EQ(ToUtf8(os.windows.messageBoxes()[0].text).rfind("Komputer Anda sedang terinfeksi", 0),
              0u);
    EXPECT_EQ(ToUtf8(os.windows.messageBoxes()[0].title), "Vestra");
}

TEST_F(EntryTest, AProgramStillListedAfterTheFirstSweepIsReportedOnce) {
    constexpr char16_t kBad[] = u"C:\\Temp\\bad.exe";
    os.files.AddFile(kBad, std::string_view("bad"));
    testing::EngineScript().results[kBad] = 16 + 3;
    platform::fake::FakeProcess bad;
    bad.processId = 77;
    bad.exeName = u"bad.exe";
    bad.imagePath = kBad;
    os.processes.Add(bad);  // the scripted kill fails: it stays for the second sweep
    ASSERT_EQ(Start(u""), RunMode::MainWindow);
    EXPECT_EQ(testing::EngineScript().superKills, (std::vector<std::int32_t>{77, 77}));
    ASSERT_EQ(state.startupDetections.size(), 1u);
    EXPECT_EQ(ToUtf8(state.startupDetections[0].status), "Detected Process [Couldn't be Killed]");
}

// A copy of the program whose stamped image sum no longer fits: message 53, OK goes on,
// Cancel opens the site for a new copy and ends.
TEST_F(EntryTest, ADamagedOwnFileIsReportedAndCancelEnds) {
    std::vector<std::uint8_t> image = SmallImage();
    image[0x40 + 88] = 0x5A;  // a sum no image of these bytes has
    os.files.AddFile(platform::fake::kOwnImagePath, image);
    for (int answer : {platform::mb::kAnswerOk, platform::mb::kAnswerCancel}) {
        os.windows.QueueAnswer(answer);
        const RunMode mode = Start(u"");
        ASSERT_FALSE(os.windows.messageBoxes().empty());
        const auto& box = os.windows.messageBoxes().back();
        EXPECT_EQ(ToUtf8(box.title), "File error");
        EXPECT_EQ(box.style, 49u);
        EXPECT_EQ(ToUtf8(box.text).rfind("File Vestra kemungkinan rusak", 0), 0u);
        if (answer == platform::mb::kAnswerOk) {
            EXPECT_EQ(mode, RunMode::MainWindow);
            EXPECT_TRUE(os.shell.requests().empty());
        } else {
            EXPECT_EQ(mode, RunMode::Ended);
            ASSERT_EQ(os.shell.requests().size(), 1u);
            EXPECT_EQ(ToUtf8(os.shell.requests()[0].file), "http://www.vestra-av.web.id");
        }
    }
}

TEST_F(EntryTest, NothingRunningThatIsDetectedMeansNoWaitAndNoMessage) {
    ASSERT_EQ(Start(u""), RunMode::MainWindow);
    EXPECT_TRUE(state.startupDetections.empty());
    EXPECT_EQ(os.system.totalSlept(), 0u);
    EXPECT_TRUE(testing::EngineScript().superKills.empty());
}

// An ordinary start offers the protection host when it is missing, old or not running; Yes
// installs it (or starts it), No goes on to the main window either way.
struct OfferCase {
    const char* name;
    const char* installed;  // the installed host's content; nullptr: none
    bool hostRunning;
    const char* question;  // how the question begins; nullptr: no question
    bool installs;         // Yes copies the program over the installed host
};

class ProtectionOfferTest : public EntryTest, public ::testing::WithParamInterface<OfferCase> {};

TEST_P(ProtectionOfferTest, YesInstallsOrStartsTheHostAndNoGoesOn) {
    const OfferCase& c = GetParam();
    // The program's own file, whose copy Yes installs: a PE image without a stamped sum.
    os.files.AddFile(platform::fake::kOwnImagePath, SmallImage());
    os.files.Delete(InstalledHost());
    if (c.installed)
        os.files.AddFile(InstalledHost(), std::string_view(c.installed));
    if (!c.hostRunning)
        os.windows.RemoveWindow(hostWindow);
    for (int answer : {platform::mb::kAnswerNo, platform::mb::kAnswerYes}) {
        os.windows.QueueAnswer(answer);
        EXPECT_EQ(Start(u""), RunMode::MainWindow) << c.name;
        if (!c.question) {
            EXPECT_TRUE(os.windows.messageBoxes().empty()) << c.name;
            continue;
        }
        ASSERT_FALSE(os.windows.messageBoxes().empty()) << c.name;
        const auto& box = os.windows.messageBoxes().back();
        EXPECT_EQ(ToUtf8(box.text).rfind(c.question, 0), 0u) << ToUtf8(box.text);
        EXPECT_EQ(box.style, 52u);
        if (answer == platform::mb::kAnswerNo) {
            EXPECT_TRUE(os.shell.requests().empty()) << c.name;
            continue;
        }
        // Yes: the installed copy is the program itself now (or stays), and it is started.
        ASSERT_EQ(os.shell.requests().size(), 1u) << c.name;
        EXPECT_EQ(ToUtf8(os.shell.requests()[0].file), ToUtf8(InstalledHost()));
        EXPECT_EQ(ToUtf8(os.shell.requests()[0].parameters), "rtc");
        auto own = os.files.Open(platform::fake::kOwnImagePath, platform::FileAccess::Read,
                                 platform::share::kRead, platform::Disposition::OpenExisting);
        auto copy = os.files.Open(InstalledHost(), platform::FileAccess::Read,
                                  platform::share::kRead, platform::Disposition::OpenExisting);
        ASSERT_TRUE(own.ok() && copy.ok());
        EXPECT_EQ(*(*copy)->Size(), c.installs ? *(*own)->Size() : 9u) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, ProtectionOfferTest,
    ::testing::Values(
        OfferCase{"Missing", nullptr, false, "Anda belum memiliki VesRTP", true},
        OfferCase{"Old", "MZ...0202", true,
                  "VesRTP (Vestra Real-Time Protection) Anda saat ini adalah versi LAMA", true},
        OfferCase{"NotRunning", "MZ...0203", false,
                  "VesRTP (Vestra Real-Time Protection) Anda saat ini tidak aktif", false},
        OfferCase{"CurrentAndRunning", "MZ...0203", true, nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vestra
