// The detection alert's model: a fix by every action code with its success and its failure, the
// lock that shuts a listed file to everyone else, forced actions from the menu, Fix All with its
// countdown (also over files that went meanwhile), and the dismissal with the deep-scan offer,
// the host's StopDanger and the queued drive questions, in their order.
#include "protection/AlertList.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "registry/RegistryAccess.h"

namespace vestra::protection {
namespace {

namespace attr = platform::attr;
namespace mb = platform::mb;
using platform::DriveType;
using platform::FileAccess;
using platform::OsError;
using platform::fake::FsOp;
using platform::fake::RegOp;

constexpr char16_t kCage[] = u"C:\\[Vest-Cage]\\";
constexpr char16_t kOldCage[] = u"C:\\[VestCage]\\";
constexpr char16_t kHosts[] = u"C:\\Windows\\System32\\drivers\\etc\\hosts";
constexpr char16_t kExceptionKey[] = u"SOFTWARE\\VestraAlert\\Exception";
constexpr char16_t kInstalledExe[] = u"C:\\Program Files\\Vestra\\VE\u0394RTP.exe";

// Records what the alert asks of its window, in order, and answers message boxes from a queue.
class RecordingView : public AlertView {
public:
    void ShowAlert() override { events.push_back("show"); }
    void HideAlert() override { events.push_back("hide"); }
    void RowsCleared() override { events.push_back("cleared"); }
    void TimerEnabled(bool on) override { timer = on; }
    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override {
        events.push_back("box " + ToUtf8(title));
        boxes.push_back({ToUtf8(text), ToUtf8(title), style});
        int answer = answers.empty() ? mb::kAnswerNo : answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return answer;
    }
    void PumpMessages() override {
        if (onPump)
            onPump();
    }

    struct Box {
        std::string text;
        std::string title;
        std::uint32_t style;
    };
    std::vector<std::string> events;
    std::vector<Box> boxes;
    std::vector<int> answers;
    bool timer = false;
    std::function<void()> onPump;
};

class AlertBench {
public:
    AlertBench() {
        os.files.AddDrive(u'E', DriveType::Removable);
        os.files.AddFolder(u"C:\\[Vest-Cage]", attr::kHidden | attr::kSystem);
        os.files.AddFolder(u"C:\\Windows\\System32\\drivers\\etc");
        messages.LoadMessages(config::kLanguageEnglish);
    }

    // Plants the file (unless content is empty) and raises the alert for it; the row's index.
    std::size_t Alert(std::u16string_view path, std::u16string_view action,
                      std::string_view content = "payload", std::u16string_view missing = u"") {
        if (!content.empty())
            os.files.AddFile(path, content);
        alert.AddAlert(u"W32.Test", u"Virus", path, missing, action);
        return alert.rows().size() - 1;
    }
    std::string Status(std::size_t row) const { return ToUtf8(alert.rows().at(row).status); }
    // Whether somebody else (Explorer, the malware) can open the file at all.
    bool OthersCanOpen(std::u16string_view path) {
        return os.files
            .Open(path, FileAccess::Read, platform::share::kAll,
                  platform::Disposition::OpenExisting)
            .ok();
    }
    std::size_t CageCount() {
        auto listing = os.files.Find(std::u16string(kCage) + u"*");
        return listing ? listing->size() : 0;
    }
    std::u16string Stored(std::u16string_view name) {
        return reg.RegReadString(platform::Hive::CurrentUser, kExceptionKey, name);
    }

    platform::fake::FakePlatform os;
    registry::RegistryAccess reg{os.registry, os.system};
    config::ExceptionList exceptions{reg, os.files, kExceptionKey};
    config::MessageTable messages;
    remediation::CageStore store{os.files, remediation::CageFolders{kCage, kOldCage}};
    remediation::Cleaner cleaner{store, kHosts};
    RecordingView view;
    std::vector<std::u16string> confirmed;
    AlertList alert{AlertParts{
        os.files, os.shell, messages, store, cleaner, exceptions, view,
        [this](bool action) { view.events.push_back(action ? "stopDanger" : "keepDanger"); },
        [this](std::u16string_view root) {
            view.events.push_back("confirm " + ToUtf8(root));
            confirmed.emplace_back(root);
        },
        kInstalledExe}};
};

// A failure staged on the file system after the row was added; op Count stages none.
struct Fault {
    FsOp op = FsOp::Count;
    std::uint32_t nth = 1;
    bool persistent = false;
};

struct FixCase {
    const char* name;
    const char16_t* path;
    const char16_t* action;
    Fault first;
    Fault second;
    bool registryFails;  // the exception list's write
    const char* status;
    bool fixed;
    bool fileStays;
    std::size_t caged;
};

void PrintTo(const FixCase& c, std::ostream* out) {
    *out << c.name;
}

class FixTest : public ::testing::TestWithParam<FixCase> {};

TEST_P(FixTest, EachCodeRunsItsRoutineAndTheRowSaysHowItWent) {
    const FixCase& c = GetParam();
    AlertBench b;
    std::size_t row = b.Alert(c.path, c.action, "127.0.0.1 localhost\r\n6.6.6.6 bank.example");
    for (const Fault& f : {c.first, c.second}) {
        if (f.op != FsOp::Count)
            b.os.files.faults().FailNth(f.op, f.nth, OsError::AccessDenied, f.persistent);
    }
    if (c.registryFails)
        b.os.registry.faults().FailNth(RegOp::SetValue, 1, OsError::AccessDenied);

    b.alert.FixItem(row);
    b.os.files.faults().Clear();

    EXPECT_EQ(b.Status(row), c.status);
    EXPECT_EQ(b.alert.rows()[row].fixed, c.fixed);
    EXPECT_EQ(b.alert.fixedCount(), c.fixed ? 1 : 0);
    EXPECT_EQ(b.alert.alertCount(), 1);
    EXPECT_EQ(b.alert.fixAllEnabled(), !c.fixed);
    EXPECT_EQ(ToUtf8(b.alert.ignoreCaption()), c.fixed ? "&Exit" : "&Ignore");
    EXPECT_EQ(b.os.files.Exists(c.path), c.fileStays);
    EXPECT_EQ(b.CageCount(), c.caged);
    // A row still listed unfixed keeps its file shut; a fixed row has let go of it.
    if (c.fileStays) {
        EXPECT_EQ(b.OthersCanOpen(c.path), c.fixed);
    }
    bool excepted = std::u16string_view(c.action) == u"EXC" && c.fixed;
    EXPECT_EQ(b.Stored(u"Fil0"), excepted ? std::u16string(c.path) : u"-1");
}

constexpr Fault kNone{};
constexpr Fault kDeleteFails{FsOp::Delete, 1, true};
constexpr Fault kReadFails{FsOp::Open, 1};       // the quarantine cannot read the source
constexpr Fault kCageWriteFails{FsOp::Open, 2};  // the source is read, its copy not written
// The cleaner reads the file and finds no document in it; its quarantine then cannot read it.
constexpr Fault kCleanerCageFails{FsOp::Open, 2};

INSTANTIATE_TEST_SUITE_P(
    Codes, FixTest,
    ::testing::Values(
        FixCase{"Delete", u"C:\\d\\a.exe", u"DEL", kNone, kNone, false, "Deleted", true, false, 0},
        FixCase{"DeleteFails", u"C:\\d\\a.exe", u"DEL", kDeleteFails, kNone, false,
                "Couldn't be Deleted", false, true, 0},
        FixCase{"Cage", u"C:\\d\\a.exe", u"CAGE", kNone, kNone, false, "Quarantined", true, false,
                1},
        FixCase{"CageFailsThenDeletes", u"C:\\d\\a.exe", u"CAGE", kCageWriteFails, kNone, false,
                "Deleted", true, false, 0},
        FixCase{"CageAndDeleteFail", u"C:\\d\\a.exe", u"CAGE", kReadFails, kDeleteFails, false,
                "Couldn't be Deleted", false, true, 0},
        // Unlike the main window, the alert quarantines an injected program on any drive.
        FixCase{"InjectedOnFixedDrive", u"C:\\d\\a.exe", u"INJ", kNone, kNone, false, "Quarantined",
                true, false, 1},
        FixCase{"InjectedOnRemovableDrive", u"E:\\a.exe", u"INJ", kNone, kNone, false,
                "Quarantined", true, false, 1},
        FixCase{"CleanQuarantinesAPlainProgram", u"C:\\d\\a.exe", u"CLN", kNone, kNone, false,
                "Quarantined", true, false, 1},
        FixCase{"CleanRewritesTheHostsFile", kHosts, u"CLN", kNone, kNone, false, "Cleaned", true,
                true, 0},
        FixCase{"CleanFails", u"C:\\d\\a.exe", u"CLN", kCleanerCageFails, kNone, false,
                "Couldn't be cleaned", false, true, 0},
        FixCase{"Exception", u"C:\\d\\a.exe", u"EXC", kNone, kNone, false, "Ignored", true, true,
                0},
        FixCase{"ExceptionFails", u"C:\\d\\a.exe", u"EXC", kNone, kNone, true,
                "Couldn't be Ignored", false, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlertListTest, ARowStartsWithTheKindOfItsActionCode) {
    AlertBench b;
    const std::pair<const char16_t*, const char*> kinds[] = {{u"INJ", "Injected Exe"},
                                                             {u"DEL", "Virus File"},
                                                             {u"CAGE", "Infected File"},
                                                             {u"CLN", "Infected Document"}};
    for (const auto& [code, kind] : kinds) {
        std::size_t row = b.Alert(u"C:\\d\\" + std::u16string(code) + u".exe", code);
        EXPECT_EQ(b.Status(row), kind);
    }
}

TEST(AlertListTest, AListedFileIsShutToEveryoneUntilTheAlertIsDismissed) {
    AlertBench b;
    b.Alert(u"C:\\d\\a.exe", u"DEL");
    auto other = b.os.files.Open(u"C:\\D\\A.EXE", FileAccess::Read, platform::share::kAll,
                                 platform::Disposition::OpenExisting);
    EXPECT_EQ(other.error(), OsError::SharingViolation);
    EXPECT_EQ(b.os.files.Delete(u"C:\\d\\a.exe"), OsError::SharingViolation);
    EXPECT_EQ(b.os.files.Move(u"C:\\d\\a.exe", u"C:\\d\\b.exe"), OsError::SharingViolation);
    EXPECT_EQ(b.os.files.Copy(u"C:\\d\\a.exe", u"C:\\d\\b.exe", true), OsError::SharingViolation);
    EXPECT_TRUE(b.os.files.Exists(u"C:\\d\\a.exe"));

    b.alert.IgnoreClicked();
    EXPECT_EQ(b.os.files.OpenHandleCount(), 0u);
    EXPECT_TRUE(b.OthersCanOpen(u"C:\\d\\a.exe"));
}

TEST(AlertListTest, AFileThatCannotBeOpenedIsListedWithoutALock) {
    AlertBench b;
    b.os.files.AddFile(u"C:\\d\\a.exe", std::string_view("payload"));
    b.os.files.faults().FailNth(FsOp::Open, 1, OsError::AccessDenied);
    b.alert.AddAlert(u"W32.Test", u"Virus", u"C:\\d\\a.exe", u"", u"DEL");
    ASSERT_EQ(b.alert.rows().size(), 1u);
    EXPECT_EQ(b.alert.rows()[0].lock, nullptr);
    EXPECT_TRUE(b.OthersCanOpen(u"C:\\d\\a.exe"));
    b.alert.FixItem(0);
    EXPECT_EQ(b.Status(0), "Deleted");
}

TEST(AlertListTest, AlertsShowTheWindowOnceAndTheFolderOfTheLatest) {
    AlertBench b;
    b.Alert(u"C:\\d\\a.exe", u"DEL");
    b.Alert(u"E:\\x\\y\\b.exe", u"CAGE");
    b.Alert(u"C:\\D\\A.exe", u"DEL");  // the host filters repeats; the model keeps one row too
    EXPECT_EQ(b.view.events, std::vector<std::string>{"show"});
    EXPECT_TRUE(b.alert.shown());
    EXPECT_EQ(b.alert.rows().size(), 2u);
    EXPECT_EQ(b.alert.alertCount(), 2);
    EXPECT_EQ(ToUtf8(b.alert.folder()), "E:\\x\\y");
    EXPECT_EQ(ToUtf8(b.alert.label()),
              "VesRTP (Vestra Real-Time Protection) has detected 2 Viruses & cleaned 0 Viruses");
    b.Alert(u"E:\\b.exe", u"CAGE");
    EXPECT_EQ(ToUtf8(b.alert.folder()), "E:\\");
}

TEST(AlertListTest, MenuEntriesForceTheirActionForOnePassOverTheirRows) {
    AlertBench b;
    std::size_t a = b.Alert(u"C:\\d\\a.exe", u"CLN");
    std::size_t c = b.Alert(u"C:\\d\\c.exe", u"CLN");
    std::size_t e = b.Alert(u"C:\\d\\e.exe", u"DEL");
    b.alert.SetChecked(a, true);
    b.alert.MenuCommand(AlertMenu::DeleteSelected);
    EXPECT_EQ(b.Status(a), "Deleted");
    EXPECT_EQ(b.Status(c), "Infected Document");
    EXPECT_TRUE(b.alert.forcedAction.empty());

    b.alert.SetChecked(e, true);
    b.alert.MenuCommand(AlertMenu::Exception);
    EXPECT_EQ(b.Status(e), "Ignored");
    EXPECT_EQ(ToUtf8(b.Stored(u"Fil0")), "C:\\d\\e.exe");

    b.alert.MenuCommand(AlertMenu::QuarantineAll);
    EXPECT_EQ(b.Status(c), "Quarantined");
    EXPECT_EQ(b.Status(a), "Deleted");  // fixed rows are left alone
    EXPECT_EQ(b.CageCount(), 1u);
    EXPECT_EQ(b.alert.fixedCount(), 3);
    EXPECT_FALSE(b.alert.fixAllEnabled());
}

TEST(AlertListTest, FixAllCountsDownAndThenDismissesTheAlert) {
    AlertBench b;
    b.Alert(u"C:\\d\\a.exe", u"DEL");
    b.alert.FixAllClicked();
    EXPECT_EQ(b.Status(0), "Deleted");
    EXPECT_TRUE(b.view.timer);
    EXPECT_EQ(b.alert.countdown(), 5);
    for (const char* caption : {"&Exit (4)", "&Exit (3)", "&Exit (2)", "&Exit (1)"}) {
        b.alert.TimerTick();
        EXPECT_EQ(ToUtf8(b.alert.ignoreCaption()), caption);
        EXPECT_TRUE(b.alert.shown());
    }
    b.alert.TimerTick();
    EXPECT_FALSE(b.view.timer);
    EXPECT_FALSE(b.alert.shown());
    EXPECT_TRUE(b.alert.rows().empty());
    EXPECT_EQ(b.alert.alertCount(), 0);
    EXPECT_EQ(b.alert.fixedCount(), 0);
    EXPECT_EQ(ToUtf8(b.alert.ignoreCaption()), "&Exit");
}

TEST(AlertListTest, FixAllOverFilesThatWentMeanwhileChangesNoCountButStillCloses) {
    AlertBench b;
    for (const char16_t* path : {u"C:\\d\\a.exe", u"E:\\b.exe"}) {
        // Held by the malware when it was listed, so the alert could not lock it; gone since.
        b.os.files.AddFile(path, std::string_view("payload"));
        b.os.files.faults().FailNth(FsOp::Open, 1, OsError::SharingViolation);
        b.alert.AddAlert(u"W32.Test", u"Virus", path, u"", u"DEL");
        ASSERT_EQ(b.os.files.Delete(path), OsError::None);
    }
    b.alert.FixAllClicked();
    for (std::size_t row : {0u, 1u})
        EXPECT_EQ(b.Status(row), "Path is not Exist");
    EXPECT_EQ(b.alert.alertCount(), 2);
    EXPECT_EQ(b.alert.fixedCount(), 0);
    EXPECT_TRUE(b.alert.fixAllEnabled());
    EXPECT_TRUE(b.alert.infectedDrive().empty());  // only a file that existed names its drive
    for (int second = 0; second < 4; ++second)
        b.alert.TimerTick();
    EXPECT_EQ(ToUtf8(b.alert.ignoreCaption()), "&Ignore (1)");
    b.alert.TimerTick();
    EXPECT_FALSE(b.alert.shown());
    EXPECT_EQ(b.view.events.back(), "stopDanger");
}

TEST(AlertListTest, AFixShowsTheHiddenOriginalAndNamesTheFirstRemovableDrive) {
    AlertBench b;
    b.os.files.AddDrive(u'F', DriveType::Removable);
    b.os.files.AddFile(u"F:\\Report.doc", std::string_view("mine"), attr::kHidden | attr::kSystem);
    b.Alert(u"C:\\d\\a.exe", u"DEL");
    b.Alert(u"F:\\Report.exe", u"DEL", "payload", u"F:\\Report.doc");
    b.Alert(u"E:\\c.exe", u"DEL");
    b.os.files.faults().FailNth(FsOp::Delete, 2, OsError::AccessDenied);  // F:'s file stays
    b.alert.FixAllClicked();
    EXPECT_EQ(b.Status(1), "Couldn't be Deleted");
    EXPECT_EQ(b.os.files.GetAttributes(u"F:\\Report.doc") & (attr::kHidden | attr::kSystem), 0u);
    EXPECT_EQ(ToUtf8(b.alert.infectedDrive()), "F:\\");
}

TEST(AlertListTest, DismissingAsksForTheDeepScanFirstAndStartsItLast) {
    AlertBench b;
    b.Alert(u"E:\\a.exe", u"DEL");
    b.alert.AddConfirmDrive(u"E:\\");
    b.alert.FixItem(0);
    b.view.events.clear();
    b.view.answers = {mb::kAnswerYes};
    b.alert.IgnoreClicked();

    EXPECT_EQ(b.view.events, (std::vector<std::string>{"box Recommendation", "cleared", "hide",
                                                       "stopDanger", "confirm E:\\"}));
    ASSERT_EQ(b.view.boxes.size(), 1u);
    EXPECT_EQ(b.view.boxes[0].text.substr(0, 26), "This Flash disk (E:\\) is i");
    EXPECT_EQ(b.view.boxes[0].style, mb::kYesNo | mb::kIconExclamation);
    ASSERT_EQ(b.os.shell.requests().size(), 1u);
    const platform::ShellRequest& scan = b.os.shell.requests()[0];
    EXPECT_EQ(scan.verb, u"open");
    EXPECT_EQ(scan.file, kInstalledExe);
    EXPECT_EQ(scan.parameters, u"E:\\");
    EXPECT_TRUE(b.alert.infectedDrive().empty());
}

TEST(AlertListTest, DeclinedDeepScanStartsNothing) {
    AlertBench b;
    b.Alert(u"E:\\a.exe", u"DEL");
    b.alert.FixItem(0);
    b.view.answers = {mb::kAnswerNo};
    b.alert.IgnoreClicked();
    EXPECT_EQ(b.view.boxes.size(), 1u);
    EXPECT_TRUE(b.os.shell.requests().empty());
    EXPECT_EQ(b.view.events.back(), "stopDanger");
}

TEST(AlertListTest, EachDriveRootIsQueuedOnceAndAskedAtTheNextDismissal) {
    AlertBench b;
    for (const char16_t* root : {u"E:\\", u"F:\\", u"e:\\"})
        b.alert.AddConfirmDrive(root);
    EXPECT_EQ(b.alert.pendingDrives().size(), 2u);
    b.alert.IgnoreClicked();
    EXPECT_EQ(b.confirmed, (std::vector<std::u16string>{u"E:\\", u"F:\\"}));
    EXPECT_TRUE(b.alert.pendingDrives().empty());
    b.alert.IgnoreClicked();
    EXPECT_EQ(b.confirmed.size(), 2u);
}

TEST(AlertListTest, TheExceptionFolderIsAddedAfterTheQuestionAndDismissesTheAlert) {
    AlertBench b;
    b.Alert(u"C:\\d\\a.exe", u"DEL");

    b.view.answers = {mb::kAnswerCancel};
    b.alert.ExceptionFolderClicked();
    EXPECT_EQ(b.view.boxes.at(0).text,
              "Are you sure you want to  add this folder to the exception list?");
    EXPECT_EQ(b.view.boxes.at(0).title, "Exception List");
    EXPECT_EQ(b.view.boxes.at(0).style, mb::kOkCancel | mb::kIconExclamation);
    EXPECT_EQ(b.Stored(u"Dir0"), u"-1");
    EXPECT_TRUE(b.alert.shown());

    b.os.registry.faults().FailNth(RegOp::SetValue, 1, OsError::AccessDenied);
    b.view.answers = {mb::kAnswerOk};
    b.alert.ExceptionFolderClicked();
    EXPECT_EQ(b.view.boxes.at(2).title, "Failed");
    EXPECT_EQ(b.view.boxes.at(2).text, "Failed to add to the exception list");
    EXPECT_TRUE(b.alert.shown());

    b.view.answers = {mb::kAnswerOk};
    b.alert.ExceptionFolderClicked();
    EXPECT_EQ(ToUtf8(b.Stored(u"Dir0")), "C:\\d");
    EXPECT_FALSE(b.alert.shown());
    EXPECT_TRUE(b.OthersCanOpen(u"C:\\d\\a.exe"));
}

TEST(AlertListTest, APassStopsWhenTheAlertIsDismissedWhileItHandlesEvents) {
    AlertBench b;
    for (const char16_t* path : {u"C:\\d\\a.exe", u"C:\\d\\b.exe", u"C:\\d\\c.exe"})
        b.Alert(path, u"DEL");
    b.view.onPump = [&] {
        b.view.onPump = nullptr;
        b.alert.IgnoreClicked();
        b.Alert(u"C:\\n\\x.exe", u"DEL");
        b.Alert(u"C:\\n\\y.exe", u"DEL");
    };
    b.alert.FixAllClicked();
    ASSERT_EQ(b.alert.rows().size(), 2u);
    EXPECT_TRUE(b.os.files.Exists(u"C:\\n\\x.exe"));
    EXPECT_TRUE(b.os.files.Exists(u"C:\\n\\y.exe"));
    EXPECT_TRUE(b.os.files.Exists(u"C:\\d\\b.exe"));
}

TEST(AlertListTest, TextsFollowTheLanguageOfTheCatalogue) {
    AlertBench b;
    b.messages.LoadMessages(config::kLanguageIndonesian);
    b.Alert(u"C:\\d\\a.exe", u"DEL");
    EXPECT_EQ(ToUtf8(b.alert.ignoreCaption()), "&Abaikan");
    b.alert.FixItem(0);
    EXPECT_EQ(b.Status(0), "Sudah dihapus");
    EXPECT_EQ(ToUtf8(b.alert.label()),
              "VesRTP (Vestra Real-Time Protection) telah mendeteksi 1 virus & membersihkan 1 "
              "virus");
}

}  // namespace
}  // namespace vestra::protection
