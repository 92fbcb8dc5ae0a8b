// The user-reported virus on the fakes: which files may be declared, the declaration with its
// questions and its one-at-a-time rule, reset, browse and drop, the suspected-files rows and
// their pop-up commands, and the collection of suspects into the UserVir folder.
#include "uservir/UserVirus.h"

#include <gtest/gtest.h>

#include <deque>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "scanner/FileRoutines.h"
#include "tests/uservir/SignatureEngine.h"
#include "uservir/SuspectRows.h"

namespace vestra::uservir {
namespace {

namespace mb = platform::mb;
using platform::fake::FakePlatform;

constexpr char16_t kEngineFile[] = u"C:\\Program Files\\Vestra\\VestEngine.dll";
constexpr char16_t kOwnFolder[] = u"C:\\Program Files\\Vestra\\";
constexpr char16_t kExceptionKey[] = u"SOFTWARE\\VestraTest\\Exception";

// The page's view: boxes go to the fake window system (which answers them as queued), file
// choices come from a queue, and every display change is kept.
class RecordingView : public UserVirusView {
public:
    explicit RecordingView(platform::fake::FakeWindowSystem& windows) : windows_(windows) {}

    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override {
        return windows_.MessageBox(text, title, style);
    }
    std::optional<std::u16string> ChooseFile(std::u16string_view title) override {
        titles.emplace_back(title);
        if (choices.empty())
            return std::nullopt;
        std::optional<std::u16string> next = choices.front();
        choices.pop_front();
        return next;
    }
    void UserVirusChanged(const UserVirusDisplay& display) override { shown.push_back(display); }

    std::deque<std::optional<std::u16string>> choices;
    std::vector<std::u16string> titles;
    std::vector<UserVirusDisplay> shown;

private:
    platform::fake::FakeWindowSystem& windows_;
};

class UserVirusTest : public ::testing::Test {
protected:
    UserVirusTest() {
        testing::ResetSignatureEngine();
        os.libraries.Register(kEngineFile, testing::SignatureEngineExports());
        os.files.AddFile(kEngineFile, std::string_view("MZ"));
        engine = Engine::Load(os.libraries, kEngineFile);
        messages.LoadMessages(config::kLanguageEnglish);
        page = std::make_unique<UserVirusPage>(
            UserVirusSeams{
                os.files, os.shell, os.windows, *engine, messages, exceptions,
                TrustedPlaces{u"C:\\Windows\\system32\\", u"C:\\Windows\\",
                              u"C:\\Windows\\system32\\dllcache\\", u"C:\\Program Files\\", false},
                platform::fake::kOwnImagePath, kOwnFolder},
            SuspectFeed{[this] { ++rechecks; },
                        [this]() -> const SuspectList& { return suspects; }},
            view);
    }

    // A program on disk with its own checksum.
    void Plant(std::u16string_view path, std::int32_t checksum, std::string_view bytes = "MZ..") {
        os.files.AddFile(path, bytes);
        testing::SignatureEngine().checksums[UpperCase(path)] = {checksum, 0x77};
    }
    bool Detected(std::u16string_view path) { return (engine->Scan(path).result > 0); }
    const platform::fake::MessageBoxRecord& LastBox() { return os.windows.messageBoxes().back(); }
    std::size_t Boxes() { return os.windows.messageBoxes().size(); }

    Suspect MakeSuspect(std::u16string_view path, std::int16_t level, std::int32_t checksum) {
        Suspect suspect;
        suspect.path = path;
        suspect.checksum = engine->ChecksumText(path);
        if (suspect.checksum.empty())
            suspect.checksum = u"X|" + ToText(checksum);
        suspect.level = level;
        suspect.levelText = u"Unknown";
        return suspect;
    }

    FakePlatform os;
    std::unique_ptr<Engine> engine;
    config::MessageTable messages;
    registry::RegistryAccess registryAccess{os.registry, os.system};
    config::ExceptionList exceptions{registryAccess, os.files, kExceptionKey};
    SuspectList suspects;
    int rechecks = 0;
    RecordingView view{os.windows};
    std::unique_ptr<UserVirusPage> page;
};

// ---- which files may be declared ----

TEST_F(UserVirusTest, CandidatesAreProgramsAndScriptsThatAreNeitherOursNorWindowsOwn) {
    Plant(u"C:\\Data\\tool.exe", 1);
    Plant(u"C:\\Data\\text.exe", 2, "plain text");
    Plant(u"C:\\Data\\run.VbS", 3, "WScript.Echo 1");
    Plant(u"C:\\Data\\nosum.exe", 0);
    testing::SignatureEngine().checksums.erase(u"C:\\DATA\\NOSUM.EXE");
    Plant(platform::fake::kOwnImagePath, 5);
    Plant(u"C:\\Windows\\system32\\svchost.exe", 6);
    Plant(u"C:\\Windows\\system32\\dllcache\\explorer.exe", 7);
    Plant(u"C:\\Windows\\regedit.exe", 8);
    Plant(u"C:\\Windows\\system32\\dwm.exe", 9);
    os.files.AddFolder(u"C:\\Data\\folder.exe");
    struct Case {
        std::u16string path;
        bool candidate;
    };
    const Case cases[] = {
        {u"C:\\Data\\tool.exe", true},
        {u"C:\\Data\\missing.exe", false},
        {u"C:\\Data\\text.exe", false},  // no "MZ"
        {u"C:\\Data\\run.VbS", true},    // scripts count by extension
        {u"C:\\Data\\nosum.exe", false},
        {u"  c:\\program files\\vestra\\VESTRA.EXE ", false},
        {u"C:\\WINDOWS\\System32\\SvcHost.exe", false},
        {u"C:\\Windows\\system32\\dllcache\\explorer.exe", false},
        {u"C:\\Windows\\regedit.exe", false},
        {u"C:\\Windows\\system32\\dwm.exe", true},  // trusted from Vista on only
        {u"C:\\Data\\folder.exe", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(page->IsCandidate(c.path), c.candidate) << ToUtf8(c.path);

    TrustedPlaces vista{u"C:\\Windows\\system32\\", u"C:\\Windows\\", u"", u"", true};
    EXPECT_TRUE(IsTrustedProgram(vista, u"C:\\Windows\\system32\\dwm.exe"));
    EXPECT_TRUE(IsTrustedProgram(vista, u"C:\\Windows\\servicing\\TrustedInstaller.exe"));
    EXPECT_FALSE(IsTrustedProgram(vista, u"C:\\Windows\\dwm.exe"));
}

TEST_F(UserVirusTest, RiskLevelIsThatOfTheFirstSuspectWithTheSameChecksum) {
    Plant(u"C:\\Data\\a.exe", 1);
    Plant(u"C:\\Data\\copy-of-a.exe", 1);
    Plant(u"C:\\Data\\b.exe", 2);
    suspects = {MakeSuspect(u"C:\\Data\\copy-of-a.exe", 6, 1), MakeSuspect(u"C:\\x.exe", 9, 1)};
    suspects[1].checksum = suspects[0].checksum;
    EXPECT_EQ(UVRiskLevel(*engine, suspects, u"C:\\Data\\a.exe"), 6);
    EXPECT_EQ(UVRiskLevel(*engine, suspects, u"C:\\Data\\b.exe"), 1);
    EXPECT_EQ(UVRiskLevel(*engine, suspects, u"C:\\Data\\missing.exe"), 1);
}

// ---- declaring, replacing and resetting ----

TEST_F(UserVirusTest, DeclaringAFileMakesItsCopiesDetectedAndShowsIt) {
    Plant(u"C:\\Data\\bad.exe", 1);
    Plant(u"D:\\elsewhere\\copy.exe", 1);
    suspects = {MakeSuspect(u"C:\\Data\\bad.exe", 4, 1)};
    page->AddUserVirus(u"C:\\Data\\bad.exe");

    ASSERT_EQ(Boxes(), 1u);
    EXPECT_EQ(LastBox().text, u"Are you sure \"bad.exe\" is a virus?");
    EXPECT_EQ(LastBox().style, mb::kYesNo | mb::kIconQuestion);
    EXPECT_TRUE(Detected(u"D:\\elsewhere\\copy.exe"));
    EXPECT_EQ(ToUtf8(engine->Scan(u"D:\\elsewhere\\copy.exe").nameBuffer.c_str()),
              "Suspected By User");
    EXPECT_TRUE(page->UserVirActive());
    EXPECT_EQ(page->Display().path, u"C:\\Data\\bad.exe");
    EXPECT_EQ(page->Display().name, u"bad.exe");
    EXPECT_EQ(page->Display().level, u"4");
    EXPECT_TRUE(page->Display().ResetEnabled());
    ASSERT_EQ(view.shown.size(), 1u);
}

TEST_F(UserVirusTest, DeclaringASecondFileTakesTheFirstOutOfTheEngineFirst) {
    Plant(u"C:\\Data\\a.exe", 1);
    Plant(u"C:\\Data\\b.exe", 2);
    page->AddUserVirus(u"C:\\Data\\a.exe");
    page->AddUserVirus(u"C:\\Data\\b.exe");
    const std::vector<std::string> expected = {"add C:\\Data\\a.exe Suspected By User",
                                               "remove C:\\Data\\a.exe",
                                               "add C:\\Data\\b.exe Suspected By User"};
    EXPECT_EQ(testing::SignatureEngine().calls, expected);
    EXPECT_FALSE(Detected(u"C:\\Data\\a.exe"));
    EXPECT_TRUE(Detected(u"C:\\Data\\b.exe"));
    EXPECT_EQ(page->Display().level, u"1");  // not in the suspect list
}

TEST_F(UserVirusTest, AFileTheEngineDetectsAlreadyIsNamedAndNothingChanges) {
    Plant(u"C:\\Data\\a.exe", 1);
    Plant(u"C:\\Data\\known.exe", 2);
    testing::SignatureEngine().known[u"C:\\DATA\\KNOWN.EXE"] = "Worm.Known";
    page->AddUserVirus(u"C:\\Data\\a.exe");
    page->AddUserVirus(u"C:\\Data\\known.exe");
    EXPECT_EQ(LastBox().text,
              u"Couldn't add known.exe into Vestra signature\r\nFile have already been exist in "
              u"Vestra signature as Worm.Known");
    EXPECT_EQ(LastBox().title, u"File is a virus!!");
    EXPECT_EQ(LastBox().style, mb::kIconCritical);
    EXPECT_EQ(page->UserVirPath(), u"C:\\Data\\a.exe");
    EXPECT_TRUE(Detected(u"C:\\Data\\a.exe"));
    EXPECT_EQ(testing::SignatureEngine().calls.size(), 1u);
}

TEST_F(UserVirusTest, RefusalsStopBeforeTheEngine) {
    Plant(u"C:\\Data\\a.exe", 1);
    Plant(u"C:\\Data\\text.exe", 2, "no header");
    page->AddUserVirus(u"C:\\Data\\text.exe");
    EXPECT_EQ(LastBox().text, u"File is not a virus, select other file!");
    EXPECT_EQ(LastBox().title, u"File is not a virus");
    EXPECT_EQ(LastBox().style, mb::kIconExclamation);

    os.windows.QueueAnswer(mb::kAnswerNo);
    page->AddUserVirus(u"C:\\Data\\a.exe");
    EXPECT_EQ(Boxes(), 2u);
    EXPECT_TRUE(testing::SignatureEngine().calls.empty());
    EXPECT_FALSE(page->UserVirActive());
    EXPECT_TRUE(view.shown.empty());
}

TEST_F(UserVirusTest, AnEngineThatRefusesTheSignatureLeavesNothingShown) {
    Plant(u"C:\\Data\\a.exe", 1);
    Plant(u"C:\\Data\\b.exe", 2);
    page->AddUserVirus(u"C:\\Data\\a.exe");
    testing::SignatureEngine().refuseAdd = true;
    page->AddUserVirus(u"C:\\Data\\b.exe");
    EXPECT_FALSE(page->UserVirActive());
    EXPECT_EQ(page->Display().path, kNoUserVirus);
    EXPECT_FALSE(page->Display().ResetEnabled());
    EXPECT_EQ(LastBox().title, u"Failed");
    EXPECT_FALSE(Detected(u"C:\\Data\\a.exe"));  // the old one still left first
}

TEST_F(UserVirusTest, ResetTakesTheSignatureOutUnlessTheEngineRefuses) {
    Plant(u"C:\\Data\\a.exe", 1);
    page->Reset();  // nothing declared: the engine is not asked
    EXPECT_TRUE(testing::SignatureEngine().calls.empty());

    page->AddUserVirus(u"C:\\Data\\a.exe");
    testing::SignatureEngine().refuseRemove = true;
    page->Reset();
    EXPECT_TRUE(page->UserVirActive());
    EXPECT_EQ(page->Display().name, u"a.exe");
    EXPECT_EQ(view.shown.size(), 1u);

    testing::SignatureEngine().refuseRemove = false;
    page->Reset();
    EXPECT_FALSE(page->UserVirActive());
    EXPECT_FALSE(Detected(u"C:\\Data\\a.exe"));
    const UserVirusDisplay& shown = view.shown.back();
    EXPECT_EQ(shown.path, u"-");
    EXPECT_EQ(shown.name, u"-");
    EXPECT_EQ(shown.level, u"-");
}

// ---- browse and drop ----

TEST_F(UserVirusTest, BrowseAsksAgainAfterANonCandidateUntilCancel) {
    Plant(u"C:\\Data\\a.exe", 1);
    Plant(u"C:\\Data\\text.exe", 2, "no header");
    view.choices = {u"C:\\Data\\text.exe", u"C:\\Data\\a.exe"};
    page->Browse();  // OK on "select other file?", then Yes on the question
    ASSERT_EQ(view.titles.size(), 2u);
    EXPECT_EQ(view.titles[0], u"Select suspected file");
    EXPECT_EQ(os.windows.messageBoxes()[0].text, u"File is not a virus, select other file?");
    EXPECT_EQ(os.windows.messageBoxes()[0].style, mb::kOkCancel | mb::kIconExclamation);
    EXPECT_EQ(page->UserVirPath(), u"C:\\Data\\a.exe");

    view.choices = {u"C:\\Data\\text.exe", u"C:\\Data\\a.exe"};
    view.titles.clear();
    os.windows.QueueAnswer(mb::kAnswerCancel);
    page->Browse();
    EXPECT_EQ(view.titles.size(), 1u);

    view.titles.clear();
    page->Browse();  // Cancel in the dialog itself
    EXPECT_EQ(view.titles.size(), 1u);
}

TEST_F(UserVirusTest, DroppingAFolderDoesNothing) {
    Plant(u"C:\\Data\\a.exe", 1);
    page->DropFile(u"C:\\Data");
    page->DropFile(u"C:\\Data\\missing.exe");
    EXPECT_EQ(Boxes(), 0u);
    page->DropFile(u"C:\\Data\\a.exe");
    EXPECT_EQ(page->UserVirPath(), u"C:\\Data\\a.exe");
}

// ---- the suspected-files rows ----

TEST_F(UserVirusTest, RowsShowEachSuspectWithItsReasonsSizeAndPath) {
    os.files.AddFile(u"C:\\Data\\one.exe", std::string(3000, 'x'));
    Suspect one = MakeSuspect(u"C:\\Data\\one.exe", 3, 1);
    one.counts[static_cast<int>(vestra::SuspectSource::Process)] = 1;
    one.locations.push_back({u"C:\\Other\\one.exe", {0, 0, 0, 1}});
    Suspect two = MakeSuspect(u"C:\\Gone\\two.exe", 9, 2);
    two.levelText = u"Danger Virus!!";
    two.counts[static_cast<int>(vestra::SuspectSource::Startup)] = 2;
    two.counts[static_cast<int>(vestra::SuspectSource::RegistryString)] = 1;
    suspects = {one, two};

    page->Opened();
    EXPECT_EQ(rechecks, 1);
    ASSERT_EQ(page->rows.Count(), 2u);
    const std::vector<std::u16string> columns = {u"Name", u"Risk Level", u"Risk Description",
                                                 u"Size (KB)", u"Path"};
    EXPECT_EQ(page->rows.Columns(), columns);
    const std::vector<std::u16string> first = {u"one.exe", u"3", u"Process, Autorun as : Unknown",
                                               u"3", u"C:\\Data\\one.exe"};
    EXPECT_EQ(page->rows.Row(0).cells, first);
    EXPECT_EQ(page->rows.Cell(1, unwanted_column::kRiskDescription),
              u"Start-Up, Registry as : Danger Virus!!");
    EXPECT_EQ(page->rows.Cell(1, unwanted_column::kSizeKB), u"N/A");

    suspects.pop_back();
    page->Refresh();  // the list as it stands, without checking again
    EXPECT_EQ(page->rows.Count(), 1u);
    EXPECT_EQ(rechecks, 1);
}

TEST_F(UserVirusTest, RowCommandsActOnTheRowsFile) {
    Plant(u"C:\\Data\\a.exe", 1);
    suspects = {MakeSuspect(u"C:\\Data\\a.exe", 2, 1)};
    page->Refresh();

    page->ExploreRow(0);
    ASSERT_EQ(os.shell.requests().size(), 1u);
    EXPECT_NE(os.shell.requests()[0].parameters.find(u"C:\\Data\\a.exe"), std::u16string::npos);

    std::vector<std::u16string> properties;
    page->PropertiesOfRow(0);  // no properties window bound: nothing
    page->showProperties = [&](std::u16string_view path) { properties.emplace_back(path); };
    page->PropertiesOfRow(0);
    page->PropertiesOfRow(5);
    EXPECT_EQ(properties, std::vector<std::u16string>{u"C:\\Data\\a.exe"});

    page->AddRowAsVirus(0);
    EXPECT_EQ(page->UserVirPath(), u"C:\\Data\\a.exe");
    EXPECT_EQ(page->Display().level, u"2");
}

TEST_F(UserVirusTest, IgnoreAddsTheFileToTheExceptionsAtOnceAndOnlyOnce) {
    Plant(u"C:\\Data\\a.exe", 1);
    suspects = {MakeSuspect(u"C:\\Data\\a.exe", 2, 1)};
    page->Refresh();
    page->IgnoreRow(0);
    EXPECT_EQ(LastBox().text, u"File C:\\Data\\a.exe has been added to the exception list");
    EXPECT_EQ(LastBox().title, u"Success");
    EXPECT_EQ(exceptions.ExceptionPaths(config::ExceptionKind::File), u"C:\\Data\\a.exe");

    page->IgnoreRow(0);
    EXPECT_EQ(LastBox().text, u"Failed to add to the exception list");
    EXPECT_EQ(LastBox().title, u"Failed");
}

// ---- Get All File! ----

TEST_F(UserVirusTest, GetAllWithNoSuspectsSaysNothingWasCopied) {
    EXPECT_EQ(page->GetAllFiles(), 0);
    EXPECT_EQ(rechecks, 1);
    EXPECT_EQ(LastBox().text, u"No file was copied");
    EXPECT_TRUE(os.files.IsFolder(u"C:\\Program Files\\Vestra\\UserVir"));
}

TEST_F(UserVirusTest, GetAllCopiesEveryPlaceAndKeepsFilesThatShareAName) {
    os.files.AddFile(u"C:\\A\\setup.exe", std::string_view("first"));
    os.files.AddFile(u"C:\\B\\setup.exe", std::string_view("second"));
    os.files.AddFile(u"C:\\C\\copy.exe", std::string_view("first"));
    os.files.AddFile(u"C:\\Program Files\\Vestra\\UserVir\\setup.exe", std::string_view("old"));
    Suspect a = MakeSuspect(u"C:\\A\\setup.exe", 2, 1);
    a.locations.push_back({u"C:\\C\\copy.exe", {}});
    a.locations.push_back({u"C:\\Missing\\gone.exe", {}});
    suspects = {a, MakeSuspect(u"C:\\B\\setup.exe", 3, 2)};
    os.windows.QueueAnswer(mb::kAnswerYes);

    EXPECT_EQ(page->GetAllFiles(), 3);
    EXPECT_EQ(LastBox().text, u"3 file(s) was copied to UserVir Folder, Check them now?");
    EXPECT_EQ(LastBox().style, mb::kYesNo | mb::kIconQuestion);
    const std::u16string folder = u"C:\\Program Files\\Vestra\\UserVir\\";
    auto content = [&](std::u16string_view name) {
        std::vector<std::uint8_t> bytes = ReadFileBytes(os.files, folder + std::u16string(name));
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_EQ(content(u"setup.exe"), "first");
    EXPECT_EQ(content(u"setup (2).exe"), "second");
    EXPECT_EQ(content(u"copy.exe"), "first");
    ASSERT_EQ(os.shell.requests().size(), 1u);  // Yes: the folder in Explorer
    EXPECT_EQ(os.shell.requests()[0].verb, u"explore");
    EXPECT_EQ(os.shell.requests()[0].file, folder);
}

TEST_F(UserVirusTest, GetAllStopsWhenTheFolderCannotBeMade) {
    UserVirusPage elsewhere(UserVirusSeams{os.files,
                                           os.shell,
                                           os.windows,
                                           *engine,
                                           messages,
                                           exceptions,
                                           {},
                                           u"Q:\\Vestra.exe",
                                           u"Q:\\NoDrive\\"},
                            SuspectFeed{[this] { ++rechecks; }, {}}, view);
    EXPECT_EQ(elsewhere.GetAllFiles(), 0);
    EXPECT_EQ(LastBox().text, u"Couldn't create directory");
    EXPECT_EQ(LastBox().style, mb::kIconCritical);
    EXPECT_EQ(rechecks, 0);
}

}  // namespace
}  // namespace vestra::uservir
