// The quarantine list: rebuilt from the folder (bad headers left out, long ones kept, vanished
// files dropped), and restore, restore-to and delete on the checked rows with their questions
// and reports; the old store's import with and without its index.
#include "remediation/QuarantineList.h"

#include <gtest/gtest.h>

#include "platform/fake/FakeCodePage.h"
#include "remediation/CageFormat.h"
#include "remediation/OldCageImport.h"
#include "common/FileNames.h"
#include "tests/remediation/CageFixture.h"

namespace vestra::remediation {
namespace {

namespace mb = platform::mb;
using testing::Bytes;
using testing::CageMachine;

struct Box {
    std::string text;
    std::uint32_t style;
};

class RecordingView : public QuarantineView {
public:
    int MessageBox(std::u16string_view text, std::u16string_view, std::uint32_t style) override {
        boxes.push_back({ToUtf8(text), style});
        return answer;
    }
    std::optional<std::u16string> ChooseFolder(std::u16string_view title) override {
        browserTitle = ToUtf8(title);
        return folder;
    }
    void TabCaptionChanged(std::u16string_view caption) override { caption_ = ToUtf8(caption); }

    int answer = mb::kAnswerOk;
    std::optional<std::u16string> folder;
    std::vector<Box> boxes;
    std::string browserTitle;
    std::string caption_;
};

class QuarantineListTest : public ::testing::Test, public CageMachine {
protected:
    QuarantineListTest() { messages.LoadMessages(config::kLanguageEnglish); }

    // Quarantines a new file at `path`; answers the quarantine file's name.
    std::string Cage(std::u16string_view path, std::string_view content = "body") {
        files.AddFile(path, content);
        CageRecord r;
        r.originPath = path;
        r.virusName = u"W32.Test";
        r.virusType = u"Worm";
        EXPECT_TRUE(store.CageFile(r, false));
        return ToUtf8(FileNameOf(r.cagePath, true));
    }
    void CheckAll() { list.rows.SetAllChecked(true); }

    config::MessageTable messages;
    RecordingView view;
    QuarantineList list{store, messages, view};
};

TEST_F(QuarantineListTest, RefreshListsReadableFilesAndDropsVanishedOnes) {
    std::string a = Cage(u"C:\\a\\one.exe");
    Cage(u"C:\\a\\two.exe");
    std::vector<std::uint8_t> bad = BuildCageFile(u"C:\\x.exe", u"N", u"T", Bytes("x"));
    bad[0] = 'X';
    files.AddFile(u"C:\\[Vest-Cage]\\bad.vra", bad);
    list.RefreshCage();
    ASSERT_EQ(list.rows.Count(), 2u);
    EXPECT_EQ(ToUtf8(list.rows.Row(0).tag), a);
    EXPECT_EQ(ToUtf8(list.rows.Cell(0, cage_column::kOriginPath)), "C:\\a\\one.exe");
    EXPECT_EQ(ToUtf8(list.rows.Cell(0, cage_column::kType)), "Worm");
    EXPECT_EQ(view.caption_, "Quarantine (2) ");

    files.Delete(u"C:\\[Vest-Cage]\\" + FromUtf8(a));
    Cage(u"C:\\b\\three.exe");
    list.RefreshCage();
    ASSERT_EQ(list.rows.Count(), 2u);
    EXPECT_EQ(ToUtf8(list.rows.Cell(0, cage_column::kOriginPath)), "C:\\a\\two.exe");
    EXPECT_EQ(ToUtf8(list.rows.Cell(1, cage_column::kOriginPath)), "C:\\b\\three.exe");
}

TEST_F(QuarantineListTest, RestoreAsksThenPutsTheFilesBackAndReports) {
    Cage(u"C:\\a\\one.exe", "first");
    Cage(u"C:\\a\\two.exe", "second");
    list.RefreshCage();
    CheckAll();
    view.answer = mb::kAnswerCancel;
    list.CageEx(kCageRestore);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text,
              "Are you sure you want to restore 2 quarantined files to their origin path?");
    EXPECT_EQ(list.rows.Count(), 2u);
    EXPECT_FALSE(files.Exists(u"C:\\a\\one.exe"));

    view.answer = mb::kAnswerOk;
    list.CageEx(kCageRestore);
    EXPECT_EQ(files.FileText(u"C:\\a\\one.exe"), "first");
    EXPECT_EQ(files.FileText(u"C:\\a\\two.exe"), "second");
    EXPECT_EQ(list.rows.Count(), 0u);
    EXPECT_TRUE(CageNames().empty());
    ASSERT_EQ(view.boxes.size(), 3u);
    EXPECT_EQ(view.boxes[2].text, "All checked files was successfully restored");
    EXPECT_EQ(view.boxes[2].style, mb::kOk | mb::kIconInformation);
    EXPECT_EQ(view.caption_, "Quarantine (0) ");
}

TEST_F(QuarantineListTest, RestoreToAChosenFolderKeepsTheNameAndRefusesANonFolder) {
    Cage(u"C:\\a\\one.exe", "first");
    files.AddFolder(u"E:\\safe");
    list.RefreshCage();
    CheckAll();
    view.folder = u"E:\\nothere";
    list.CageEx(kCageRestoreTo);
    EXPECT_EQ(view.browserTitle, "Select folder to restore the files");
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Couldn't select a folder");
    EXPECT_EQ(list.rows.Count(), 1u);

    view.folder = u"E:\\safe";
    list.CageEx(kCageRestoreTo);
    EXPECT_EQ(files.FileText(u"E:\\safe\\one.exe"), "first");
    EXPECT_FALSE(files.Exists(u"C:\\a\\one.exe"));
    EXPECT_EQ(view.boxes.back().text, "All checked files was successfully restored To");
}

TEST_F(QuarantineListTest, DeleteReportsPartialAndTotalFailure) {
    Cage(u"C:\\a\\one.exe");
    std::string held = Cage(u"C:\\a\\two.exe");
    list.RefreshCage();
    CheckAll();
    auto holder = files.Open(u"C:\\[Vest-Cage]\\" + FromUtf8(held), platform::FileAccess::Read,
                             platform::share::kNone, platform::Disposition::OpenExisting);
    ASSERT_TRUE(holder.ok());
    list.CageEx(kCageDelete);
    EXPECT_EQ(view.boxes[0].text, "Are you sure you want to Delete 2 checked quarantined files?");
    EXPECT_EQ(view.boxes[1].text, "1 files was successful but 1 files was failed to be deleted");
    EXPECT_EQ(view.boxes[1].style, mb::kOk | mb::kIconExclamation);
    ASSERT_EQ(list.rows.Count(), 1u);
    EXPECT_EQ(ToUtf8(list.rows.Row(0).tag), held);

    list.rows.SetAllChecked(true);
    list.CageEx(kCageDelete);
    EXPECT_EQ(view.boxes.back().text, "Couldn't make any files deleted");
    EXPECT_EQ(view.boxes.back().style, mb::kOk | mb::kIconCritical);
}

TEST_F(QuarantineListTest, OldStoreWithIndexIsImportedAndRemoved) {
    files.AddFile(u"C:\\[VestCage]\\1.dat", std::string_view("old one"));
    files.AddFile(u"C:\\[VestCage]\\2.dat", std::string_view("old two"));
    files.AddFile(u"C:\\Windows\\win.ini", std::string_view("keep"));
    files.AddFile(u"C:\\[VestCage]\\Cage.DaB",
                  std::string_view("W32.A|Worm|C:\\x\\a.exe|1.dat||W32.B|Virus|C:\\x\\b.exe|2.dat||"
                                   "W32.C|Worm|C:\\x\\c.exe|..\\Windows\\win.ini"));
    platform::fake::FakeCodePage codePage;
    OldCageImportParts parts{store, codePage, {}};
    list.importOldStore = [&] { ImportOldCage(parts); };
    list.RefreshCage();
    ASSERT_EQ(list.rows.Count(), 2u);
    EXPECT_EQ(ToUtf8(list.rows.Cell(0, cage_column::kOriginPath)), "C:\\x\\a.exe");
    EXPECT_EQ(ToUtf8(list.rows.Cell(1, cage_column::kVirusName)), "W32.B");
    EXPECT_FALSE(files.Exists(u"C:\\[VestCage]"));
    EXPECT_EQ(files.FileText(u"C:\\Windows\\win.ini"), "keep");
    CageRecord back;
    back.cagePath = u"C:\\[Vest-Cage]\\" + list.rows.Row(1).tag;
    ASSERT_TRUE(store.CageFile(back, true));
    EXPECT_EQ(files.FileText(u"C:\\x\\b.exe"), "old two");
}

TEST_F(QuarantineListTest, OldStoreWithoutIndexKeepsWhatTheEngineDoesNotKnow) {
    files.AddFile(u"C:\\[VestCage]\\known.vra", std::string_view("known"));
    files.AddFile(u"C:\\[VestCage]\\other.VRA", std::string_view("other"));
    platform::fake::FakeCodePage codePage;
    OldCageImportParts parts{store, codePage, [](std::u16string_view path, Verdict& v) {
                                 if (!EndsWithNoCase(path, u"known.vra"))
                                     return false;
                                 v.lastVirusName = u"W32.Known";
                                 v.lastVirusType = u"Trojan";
                                 return true;
                             }};
    EXPECT_EQ(ImportOldCage(parts), 1);
    EXPECT_EQ(CageNames(), std::vector<std::string>{"known.vra"});
    EXPECT_TRUE(files.Exists(u"C:\\[VestCage]\\other.VRA"));
    CageRecord info;
    info.cagePath = u"C:\\[Vest-Cage]\\known.vra";
    ASSERT_TRUE(store.ReadCageInfo(info));
    EXPECT_EQ(ToUtf8(info.originPath), "known.exe");
    EXPECT_EQ(ToUtf8(info.virusName), "W32.Known");
}

}  // namespace
}  // namespace vestra::remediation
