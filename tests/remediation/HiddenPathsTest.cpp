// Hidden paths: which paths count as hidden, the rows they become (once per run), the attribute
// text, and unhiding one row or a pass of rows, with vanished paths and refused attribute writes.
#include "remediation/HiddenPaths.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"

namespace vestra::remediation {
namespace {

namespace attr = platform::attr;
using platform::fake::FsOp;

constexpr std::uint32_t kHiddenSystem = attr::kHidden | attr::kSystem;

class HiddenPathsTest : public ::testing::Test {
protected:
    HiddenPathsTest() { files.AddDrive(u'E', platform::DriveType::Removable); }

    std::u16string Folder(std::u16string_view path, std::uint32_t attributes) {
        files.AddFolder(path, attributes);
        return std::u16string(path);
    }
    std::u16string File(std::u16string_view path, std::uint32_t attributes) {
        files.AddFile(path, std::string_view("x"), attributes);
        return std::u16string(path);
    }

    platform::fake::FakeFileSystem files;
    ScanReport report;
    HiddenPaths hidden{files, report};
};

struct AttrCase {
    std::uint32_t attributes;
    const char* text;
};

class AttrTextTest : public ::testing::TestWithParam<AttrCase> {};

TEST_P(AttrTextTest, NamesTheBitsInTheirOrder) {
    EXPECT_EQ(ToUtf8(AttrText(GetParam().attributes)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, AttrTextTest,
    ::testing::Values(AttrCase{0x80, "Normal"}, AttrCase{0x80 | 0x2, "Normal"},
                      AttrCase{0x10, "Folder"},
                      AttrCase{0x10 | 0x2 | 0x4 | 0x1, "Folder, Hidden, Read Only, System"},
                      AttrCase{0x20 | 0x100 | 0x2, "Archive, Hidden, Temporary"}, AttrCase{0, ""},
                      AttrCase{attr::kInvalid, ""}));

struct PathCase {
    const char16_t* path;
    bool folder;
    std::uint32_t attributes;
    bool reported;
};

class HiddenPathRulesTest : public HiddenPathsTest,
                            public ::testing::WithParamInterface<PathCase> {};

TEST_P(HiddenPathRulesTest, ReportsOnlyHiddenOrSystemPathsOutsideTheSkipList) {
    const PathCase& c = GetParam();
    std::u16string path = c.folder ? Folder(c.path, c.attributes) : File(c.path, c.attributes);
    EXPECT_EQ(hidden.CheckHiddenPath(path, 0, 0), c.reported) << ToUtf8(path);
    EXPECT_EQ(report.hidden.Count(), c.reported ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HiddenPathRulesTest,
    ::testing::Values(PathCase{u"E:\\Photos", true, attr::kHidden, true},
                      PathCase{u"E:\\Work", true, attr::kSystem, true},
                      PathCase{u"E:\\Plain", true, 0, false},
                      PathCase{u"E:\\RECYCLER", true, kHiddenSystem, false},
                      PathCase{u"E:\\Recycled\\x", true, kHiddenSystem, false},
                      PathCase{u"E:\\$RECYCLE.BIN", true, kHiddenSystem, false},
                      PathCase{u"E:\\System Volume Information", true, kHiddenSystem, false},
                      PathCase{u"E:\\Docs\\~$report.doc", false, attr::kHidden, false},
                      PathCase{u"E:\\Pics\\_PAlbTN", true, attr::kHidden, false},
                      PathCase{u"E:\\Pics\\Thumbs.db", false, attr::kHidden, false},
                      PathCase{u"E:\\Desktop.ini", false, kHiddenSystem, false},
                      PathCase{u"E:\\AUTORUN.INF", true, kHiddenSystem, false},
                      // files count only with an extension the scan looks at
                      PathCase{u"E:\\copy.exe", false, attr::kHidden, true},
                      PathCase{u"E:\\setup.INI", false, attr::kSystem, true},
                      PathCase{u"E:\\song.mp3", false, attr::kHidden, false},
                      // like the fast-scan filter, a name without extension is not filtered out
                      PathCase{u"E:\\noextension", false, attr::kHidden, true},
                      PathCase{u"E:\\shown.exe", false, attr::kArchive, false}));

TEST_F(HiddenPathsTest, AFindingBecomesOneRowPerRun) {
    std::u16string path = Folder(u"E:\\Photos", attr::kHidden | attr::kReadOnly);
    // Attributes from a listing are taken as they are.
    EXPECT_TRUE(hidden.CheckHiddenPath(path, attr::kDirectory | attr::kHidden, 0));
    EXPECT_TRUE(hidden.CheckHiddenPath(u"e:\\PHOTOS", 0, 0));
    ASSERT_EQ(report.hidden.Count(), 1u);
    const ResultRow& row = report.hidden.Row(0);
    EXPECT_EQ(ToUtf8(row.cells[hidden_column::kName]), "Photos");
    EXPECT_EQ(ToUtf8(row.cells[hidden_column::kAttributes]), "Folder, Hidden");
    EXPECT_EQ(ToUtf8(row.cells[hidden_column::kType]), "File Folder");
    EXPECT_EQ(ToUtf8(row.cells[hidden_column::kPath]), "E:\\Photos");
    EXPECT_EQ(ToUtf8(row.tag), "");
    EXPECT_EQ(row.icon, kIconShellOfPath);
    EXPECT_EQ(ToUtf8(report.state.hiddenPaths), "e:\\photos");
    EXPECT_EQ(report.state.pathsHidden, 1);
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetHidden)), "Hidden (1)");
    EXPECT_FALSE(hidden.CheckHiddenPath(u"E:\\missing", 0, 0));
}

TEST_F(HiddenPathsTest, AnExpectedValueMustMatchExactly) {
    std::u16string windows = Folder(u"E:\\Windows", attr::kArchive);
    std::u16string system = Folder(u"E:\\Windows\\system32", 0);
    EXPECT_FALSE(hidden.CheckHiddenPath(system, 0, attr::kDirectory));
    EXPECT_TRUE(hidden.CheckHiddenPath(windows, 0, attr::kDirectory));
    ASSERT_EQ(report.hidden.Count(), 1u);
    EXPECT_EQ(ToUtf8(report.hidden.Row(0).tag), "16");
    EXPECT_EQ(ToUtf8(report.hidden.Row(0).cells[hidden_column::kAttributes]), "Folder, Archive");

    hidden.UnhidePath(0);
    EXPECT_EQ(files.GetAttributes(windows), attr::kDirectory);
    EXPECT_EQ(ToUtf8(report.hidden.Row(0).cells[hidden_column::kAttributes]), "Folder");
}

TEST_F(HiddenPathsTest, DocumentSearchLooksPastTheExtensionRule) {
    std::u16string doc = File(u"E:\\letter.doc", attr::kHidden);
    EXPECT_FALSE(hidden.CheckHiddenPath(doc, 0, 0));
    EXPECT_TRUE(hidden.CheckHiddenPath(doc, 0, 0, true));
    EXPECT_EQ(ToUtf8(report.hidden.Row(0).cells[hidden_column::kType]), "DOC File");
}

TEST_F(HiddenPathsTest, UnhidingSetsNormalAttributesOnceAndCountsIt) {
    std::u16string folder = Folder(u"E:\\Photos", attr::kHidden | attr::kReadOnly);
    hidden.CheckHiddenPath(folder, 0, 0);
    report.hidden.SetChecked(0, true);
    hidden.UnhidePath(0);
    EXPECT_EQ(files.GetAttributes(folder), attr::kDirectory);  // read-only went too
    const ResultRow& row = report.hidden.Row(0);
    EXPECT_TRUE(row.IsFixed());
    EXPECT_FALSE(row.checked);
    EXPECT_EQ(row.icon, 0);
    EXPECT_EQ(ToUtf8(row.cells[hidden_column::kAttributes]), "Folder");
    EXPECT_EQ(report.state.pathsUnhidden, 1);
    EXPECT_EQ(ToUtf8(report.TabCaption(kDetHidden)), "Hidden (0)");
    EXPECT_FALSE(report.hidden.SetChecked(0, true));

    files.SetAttributes(folder, attr::kHidden);
    hidden.UnhidePath(0);  // a fixed row is left alone
    EXPECT_EQ(files.GetAttributes(folder), attr::kDirectory | attr::kHidden);
    EXPECT_EQ(report.state.pathsUnhidden, 1);
}

TEST_F(HiddenPathsTest, VanishedPathsAndRefusedWritesShowInTheRow) {
    std::u16string gone = File(u"E:\\gone.exe", attr::kHidden);
    std::u16string stuck = File(u"E:\\stuck.exe", attr::kHidden);
    hidden.CheckHiddenPath(gone, 0, 0);
    hidden.CheckHiddenPath(stuck, 0, 0);
    files.SetAttributes(gone, 0);
    files.Delete(gone);

    hidden.UnhidePath(0);
    EXPECT_EQ(ToUtf8(report.hidden.Row(0).cells[hidden_column::kAttributes]), "Path is not exist");
    EXPECT_TRUE(report.hidden.Row(0).IsFixed());

    files.faults().FailNth(FsOp::SetAttributes, 1, platform::OsError::AccessDenied);
    hidden.UnhidePath(1);
    EXPECT_EQ(ToUtf8(report.hidden.Row(1).cells[hidden_column::kAttributes]), "Attributes Error");
    EXPECT_FALSE(report.hidden.Row(1).IsFixed());
    hidden.UnhidePath(1);  // can be retried
    EXPECT_TRUE(report.hidden.Row(1).IsFixed());
    EXPECT_EQ(files.GetAttributes(stuck), attr::kNormal);
}

struct PassView : ReportView {
    std::vector<std::u16string> statuses;
    int pumps = 0, paused = 0, resumed = 0;
    ScanReport* report = nullptr;
    void StatusChanged() override { statuses.push_back(report->state.statusText); }
    bool PauseCounters() override {
        ++paused;
        return true;
    }
    void ResumeCounters() override { ++resumed; }
    void PumpMessages() override { ++pumps; }
};

TEST_F(HiddenPathsTest, PassesCoverCheckedOrAllRowsWithProgress) {
    PassView view;
    view.report = &report;
    report.SetView(&view);
    for (const char16_t* name : {u"E:\\a.exe", u"E:\\b.exe", u"E:\\c.exe"}) {
        hidden.CheckHiddenPath(File(name, attr::kHidden), 0, 0);
    }
    report.hidden.SetChecked(1, true);
    hidden.UnhidePaths(1);
    EXPECT_FALSE(report.hidden.Row(0).IsFixed());
    EXPECT_TRUE(report.hidden.Row(1).IsFixed());
    EXPECT_EQ(ToUtf8(view.statuses.front()), "Unhiding hidden paths .... ");
    EXPECT_EQ(ToUtf8(view.statuses.back()), "Unhiding finished");
    EXPECT_EQ(ToUtf8(report.progress.percentText), "100.0%");

    hidden.UnhidePaths(2);
    EXPECT_EQ(report.state.pathsUnhidden, 3);
    EXPECT_EQ(view.pumps, 1 + 3);
    EXPECT_EQ(view.paused, 2);
    EXPECT_EQ(view.resumed, 2);

    hidden.UnhidePaths(2);  // everything unhidden: returns at once
    EXPECT_EQ(view.paused, 2);
}

}  // namespace
}  // namespace vestra::remediation
