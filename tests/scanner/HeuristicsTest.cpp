// The heuristic analysis over the fake machine: levels, the program inside a command, each
// source's weight, one record for one program, and which suspects are promoted.
#include "scanner/Heuristics.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "registry/KeyPaths.h"

namespace vestra {
namespace {

using platform::Hive;

constexpr char16_t kStartup[] =
    u"C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
const std::u16string kRunKey = registry::KeyCurrentVersion.str() + u"\\Run";
const std::u16string kWinlogon = registry::KeyNTCurrentVersion.str() + u"\\Winlogon";

TEST(LevelOfTest, OneLevelForEvery25AndNineFrom200) {
    struct Case {
        std::int32_t weight;
        std::int16_t level;
        const char* text;
    };
    for (const Case& c :
         {Case{0, 1, "Fine"}, Case{24, 1, "Fine"}, Case{25, 2, "Fine"}, Case{50, 3, "Unknown"},
          Case{99, 4, "Unknown"}, Case{100, 5, "Maybe Virus"}, Case{149, 6, "Maybe Virus"},
          Case{150, 7, "Virus"}, Case{174, 7, "Virus"}, Case{175, 8, "Virus"},
          Case{199, 8, "Virus"}, Case{200, 9, "Danger Virus!!"}, Case{5000, 9, "Danger Virus!!"}}) {
        SuspectLevel level = LevelOf(c.weight);
        EXPECT_EQ(level.level, c.level) << c.weight;
        EXPECT_EQ(ToUtf8(level.text), c.text) << c.weight;
    }
}

class HeuristicsTest : public ::testing::Test {
protected:
    HeuristicsTest() {
        os.files.AddDrive(u'E', platform::DriveType::Removable);
        os.files.AddDrive(u'F', platform::DriveType::CdRom);
        os.files.AddFolder(u"C:\\Windows\\Tasks");
        for (Hive hive : {Hive::CurrentUser, Hive::LocalMachine})
            os.registry.CreateKey(hive, kRunKey);
        os.registry.CreateKey(Hive::LocalMachine, kWinlogon);
        os.registry.CreateKey(Hive::CurrentUser, kWinlogon);
    }

    // A program: "MZ" and a body that makes its checksum.
    void Program(std::u16string_view path, std::string_view body = "") {
        std::string bytes = "MZ" + std::string(body.empty() ? ToUtf8(path) : std::string(body));
        os.files.AddFile(path, std::string_view(bytes));
    }
    void Run(Hive hive, std::u16string_view name, std::u16string_view command) {
        os.registry.SetValue(hive, kRunKey, name, platform::TextValue(command));
    }
    void Running(std::uint32_t id, std::u16string_view image) {
        platform::fake::FakeProcess process;
        process.processId = id;
        process.exeName = std::u16string(image.substr(image.rfind(u'\\') + 1));
        process.imagePath = std::u16string(image);
        os.processes.Add(process);
    }

    Heuristics& Make() {
        HeuristicsEngine engine;
        engine.checksumText = [this](std::u16string_view path) -> std::u16string {
            auto bytes = os.files.FileBytes(path);
            if (!bytes)
                return u"";
            std::uint64_t hash = 1469598103934665603ull;
            for (std::uint8_t b : *bytes)
                hash = (hash ^ b) * 1099511628211ull;
            return ToText(static_cast<std::int64_t>(hash >> 1)) + u"|" + ToText(bytes->size());
        };
        engine.detected = [this](std::u16string_view path) {
            return detected.count(LowerCase(path)) > 0;
        };
        engine.excluded = [this](std::u16string_view path) {
            return excluded.count(LowerCase(path)) > 0;
        };
        engine.addUserSignature = [this](std::u16string_view path, std::u16string_view name) {
            promoted.push_back(ToUtf8(path) + " " + ToUtf8(name));
        };
        AutorunAnalysis autorun = [this](std::u16string_view path, std::u16string& targets) {
            auto named = autorunTargets.find(ToUtf8(path));
            if (named == autorunTargets.end())
                return false;
            targets += named->second;
            return true;
        };
        heuristics = std::make_unique<Heuristics>(HeuristicsParts{os.files, os.registry, os.system,
                                                                  os.processes, engine, autorun,
                                                                  platform::fake::kOwnImagePath});
        return *heuristics;
    }

    const Suspect* Find(std::u16string_view path) {
        for (const Suspect& s : heuristics->suspects()) {
            if (LowerCase(s.path) == LowerCase(path))
                return &s;
        }
        return nullptr;
    }
    static std::uint32_t Count(const Suspect& s, SuspectSource source) {
        return s.counts[static_cast<std::size_t>(source)];
    }

    platform::fake::FakePlatform os;
    std::set<std::u16string> detected, excluded;
    std::map<std::string, std::u16string> autorunTargets;
    std::vector<std::string> promoted;
    std::unique_ptr<Heuristics> heuristics;
};

struct CommandCase {
    const char16_t* command;
    const char* path;
};

class CommandToPathTest : public HeuristicsTest,
                          public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandToPathTest, FindsTheProgramInsideTheCommand) {
    Program(u"C:\\Program Files\\App\\app.exe");
    Program(u"C:\\Windows\\sysupd.exe");
    os.files.AddFile(u"C:\\Windows\\run me.vbs", std::string_view("x"));
    os.files.AddFile(u"C:\\app.ini", std::string_view("x"));
    EXPECT_EQ(ToUtf8(Make().CommandToPath(GetParam().command)), GetParam().path)
        << ToUtf8(GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandToPathTest,
    ::testing::Values(
        CommandCase{u"", ""},
        CommandCase{u"  \"C:\\Program Files\\App\\app.exe\" /min",
                    "C:\\Program Files\\App\\app.exe"},
        CommandCase{u"%windir%\\sysupd.exe,more", "C:\\Windows\\sysupd.exe"},
        CommandCase{u"@C:\\Windows\\sysupd.exe", "C:\\Windows\\sysupd.exe"},
        CommandCase{u"C:\\Windows\\missing.exe -x", ""},
        CommandCase{u"rundll32", "rundll32"},  // no dot: the command as it stands
        CommandCase{u"wscript.exe C:\\Windows\\run me.vbs", "C:\\Windows\\run me.vbs"},
        CommandCase{u"\"C:\\Windows\\system32\\wscript.exe\" \"C:\\Windows\\run me.vbs\" //B",
                    "C:\\Windows\\run me.vbs"},
        // a script that is not there: the command's own program is taken instead
        CommandCase{u"C:\\Windows\\sysupd.exe wscript.exe C:\\gone.vbs", "C:\\Windows\\sysupd.exe"},
        // dots in the arguments do not hide the program
        CommandCase{u"\"C:\\Program Files\\App\\app.exe\" -config C:\\app.ini",
                    "C:\\Program Files\\App\\app.exe"}));

TEST_F(HeuristicsTest, ARunValueAndOneProcessWeigh20AndAreNotPromoted) {
    Program(u"C:\\Tools\\agent.exe");
    Run(Hive::CurrentUser, u"Agent", u"\"C:\\Tools\\agent.exe\" /tray");
    Running(700, u"\\??\\C:\\Tools\\agent.exe");
    const SuspectList& list = Make().GatherSuspects(false);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].weight, 20);
    EXPECT_EQ(list[0].level, 1);
    EXPECT_EQ(ToUtf8(list[0].levelText), "Fine");
    EXPECT_EQ(Count(list[0], SuspectSource::Process), 1u);
    EXPECT_EQ(Count(list[0], SuspectSource::Startup), 1u);
    EXPECT_TRUE(promoted.empty());
    // Without processes only the run value counts.
    EXPECT_EQ(heuristics->GatherSuspects(true).at(0).weight, 10);
}

TEST_F(HeuristicsTest, AProgramNamedByAnAutorunFileIsDangerousAndPromoted) {
    Program(u"E:\\RECYCLER\\x.exe");
    autorunTargets["E:\\autorun.inf"] = u"e:\\recycler\\x.exe";
    autorunTargets["F:\\autorun.inf"] = u"e:\\recycler\\x.exe";  // CD drives are not read
    const SuspectList& list = Make().GatherSuspects(false);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(ToUtf8(list[0].path), "E:\\RECYCLER\\x.exe");
    EXPECT_EQ(list[0].weight, 200);
    EXPECT_EQ(ToUtf8(list[0].levelText), "Danger Virus!!");
    EXPECT_EQ(promoted, std::vector<std::string>{"E:\\RECYCLER\\x.exe New Heur.Level(9)"});
}

TEST_F(HeuristicsTest, ManyRunningCopiesAloneAreNeverPromoted) {
    Program(u"C:\\Tools\\miner.exe");
    for (std::uint32_t id = 800; id < 805; ++id)
        Running(id, u"C:\\Tools\\miner.exe");
    Program(u"C:\\Windows\\sysupd.exe");
    Running(900, u"\\SystemRoot\\sysupd.exe");
    const SuspectList& list = Make().GatherSuspects(false);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(ToUtf8(list[1].path), "C:\\Windows\\sysupd.exe");
    EXPECT_EQ(list[1].weight, 10);
    EXPECT_EQ(list[0].weight, 100);
    EXPECT_EQ(ToUtf8(list[0].levelText), "Maybe Virus");
    EXPECT_EQ(Count(list[0], SuspectSource::Process), 5u);
    for (std::uint32_t id = 805; id < 812; ++id)
        Running(id, u"C:\\Tools\\miner.exe");
    EXPECT_EQ(heuristics->GatherSuspects(false).at(0).level, 9);
    EXPECT_TRUE(promoted.empty());
}

TEST_F(HeuristicsTest, OneProgramAtTwoPlacesIsOneRecordWithAFurtherLocation) {
    Program(u"C:\\Tools\\twin.exe", "same body");
    Program(std::u16string(kStartup) + u"\\twin copy.exe", "same body");
    Run(Hive::LocalMachine, u"Twin", u"C:\\Tools\\twin.exe");
    const SuspectList& list = Make().GatherSuspects(false);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].weight, 20);
    EXPECT_EQ(ToUtf8(list[0].path), "C:\\Tools\\twin.exe");
    ASSERT_EQ(list[0].locations.size(), 1u);
    EXPECT_EQ(ToUtf8(list[0].locations[0].path), ToUtf8(kStartup) + "\\twin copy.exe");
    EXPECT_EQ(Count(list[0], SuspectSource::Startup), 1u);
    EXPECT_EQ(list[0].locations[0].counts[static_cast<std::size_t>(SuspectSource::Startup)], 1u);
}

TEST_F(HeuristicsTest, AShortcutIsWeighedThroughTheProgramItNames) {
    Program(u"C:\\Tools\\tray.exe");
    // Not a shell link: read as text, which must still reveal its target.
    os.files.AddFile(std::u16string(kStartup) + u"\\Tray.lnk",
                     std::string_view("junk C:\\Tools\\tray.exe junk"));
    const SuspectList& list = Make().GatherSuspects(true);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(ToUtf8(list[0].path), "C:\\Tools\\tray.exe");
    EXPECT_EQ(list[0].weight, 10);
}

TEST_F(HeuristicsTest, AShortcutThatNamesItselfIsFollowedABoundedNumberOfTimes) {
    const std::u16string link = std::u16string(kStartup) + u"\\loop.lnk";
    os.files.AddFile(link, "MZ " + ToUtf8(link));
    const SuspectList& list = Make().GatherSuspects(true);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_LE(list[0].weight, 60);
}

TEST_F(HeuristicsTest, PromotionNeedsLevel8AndSkipsDetectedAndExcludedFiles) {
    Program(u"C:\\Tools\\hook.exe");
    os.registry.SetValue(Hive::CurrentUser, kWinlogon, u"Shell",
                         platform::TextValue(u"C:\\Tools\\hook.exe"));
    os.registry.SetValue(Hive::LocalMachine, kWinlogon, u"Shell",
                         platform::TextValue(u"C:\\Tools\\hook.exe"));
    os.registry.CreateKey(Hive::ClassesRoot, u"exefile\\shell\\Open\\Command");
    os.registry.SetValue(Hive::ClassesRoot, u"exefile\\shell\\Open\\Command", u"",
                         platform::TextValue(u"\"C:\\Tools\\hook.exe\" \"%1\" %*"));
    Make().GatherSuspects(true);
    ASSERT_NE(Find(u"C:\\Tools\\hook.exe"), nullptr);
    EXPECT_EQ(Find(u"C:\\Tools\\hook.exe")->weight, 150);  // level 7
    EXPECT_TRUE(promoted.empty());
    os.files.AddFile(u"C:\\Windows\\Tasks\\hook.job", std::string_view("C:\\Tools\\hook.exe"));
    heuristics->GatherSuspects(true);
    EXPECT_EQ(Find(u"C:\\Tools\\hook.exe")->weight, 180);
    EXPECT_EQ(promoted, std::vector<std::string>{"C:\\Tools\\hook.exe New Heur.Level(8)"});
    // Once promoted the engine detects it, and it is not added again; nor when it is excluded.
    detected.insert(u"c:\\tools\\hook.exe");
    heuristics->GatherSuspects(true);
    detected.clear();
    excluded.insert(u"c:\\tools\\hook.exe");
    heuristics->GatherSuspects(true);
    EXPECT_EQ(promoted.size(), 1u);
}

TEST_F(HeuristicsTest, WindowsOwnProgramsTheProgramItselfAndNonProgramsAreNoSuspects) {
    for (const char16_t* path :
         {u"C:\\Windows\\system32\\svchost.exe", u"C:\\Windows\\explorer.exe",
          u"C:\\Windows\\system32\\dllcache\\userinit.exe", u"C:\\Windows\\system32\\dwm.exe"}) {
        Program(path);
        Run(Hive::LocalMachine, path, path);
    }
    Program(platform::fake::kOwnImagePath);
    Run(Hive::CurrentUser, u"Vestra", std::u16string(platform::fake::kOwnImagePath) + u" rtp");
    os.files.AddFile(u"C:\\Tools\\notes.txt", std::string_view("plain text"));
    Run(Hive::CurrentUser, u"Notes", u"C:\\Tools\\notes.txt");
    os.files.AddFile(u"C:\\Tools\\job.vbs", std::string_view("WScript.Echo 1"));
    Run(Hive::CurrentUser, u"Script", u"wscript.exe C:\\Tools\\job.vbs");
    Running(1000, u"C:\\Windows\\system32\\svchost.exe");
    os.system.SetVersion({5, 1, 2600, 2});
    const SuspectList& list = Make().GatherSuspects(false);
    // Only the script counts, and on XP dwm.exe, which is Windows' own from Vista on.
    std::vector<std::string> paths;
    for (const Suspect& s : list)
        paths.push_back(ToUtf8(s.path));
    EXPECT_EQ(paths,
              (std::vector<std::string>{"C:\\Tools\\job.vbs", "C:\\Windows\\system32\\dwm.exe"}));
    os.system.SetVersion({6, 1, 7601, 2});
    EXPECT_EQ(Make().GatherSuspects(false).size(), 1u);
}

}  // namespace
}  // namespace vestra
