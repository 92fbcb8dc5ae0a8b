// The fix pass over the virus list: every action code and the forced actions, the row's status,
// icon, tag and the counters, the quarantine list growing, the cleaning routine (hosts file,
// Word and Excel droppers, the quarantine fallback), and a sweep that fails each file call of a
// clean once: the row then reports the failure and nothing is lost.
#include "remediation/FixDetections.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/remediation/CageFixture.h"

namespace vestra::remediation {
namespace {

namespace attr = platform::attr;
using platform::OsError;
using testing::CageMachine;

constexpr char16_t kHosts[] = u"C:\\Windows\\System32\\drivers\\etc\\hosts";

std::string Sample(const char* relative) {
    const char* root = std::getenv("VESTRA_SOURCE_DIR");
    std::ifstream in(std::string(root ? root : ".") + "/tests/samples/" + relative,
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A document dropper of our own: a program part, the compound-document header, a tail naming
// the document kind.
std::string Dropper(std::string_view kindName) {
    return std::string("MZ program part ") + "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + "doc body " +
           std::string(kindName);
}

struct Bench : CageMachine {
    Bench() {
        messages.LoadMessages(config::kLanguageEnglish);
        files.AddFolder(u"C:\\Windows\\System32\\drivers\\etc");
    }
    std::size_t Detect(std::u16string_view path, std::u16string_view action,
                       std::string_view content = "payload") {
        if (!content.empty())
            files.AddFile(path, content);
        report.AddDetection({u"W32.Test", u"Virus", path, u"Virus", action}, true);
        return report.detect.Count() - 1;
    }
    std::string Status(std::size_t row) {
        return ToUtf8(report.detect.Cell(row, detect_column::kStatus));
    }

    config::MessageTable messages;
    ScanReport report;
    Cleaner cleaner{store, kHosts};
    QuarantineView quarantineView;
    QuarantineList quarantine{store, messages, quarantineView};
    std::vector<std::u16string> excepted;
    DetectionFixer fixer{FixParts{files, messages, report, store, cleaner, &quarantine,
                                  [this](std::u16string_view p) {
                                      excepted.emplace_back(p);
                                      return true;
                                  }}};
};

struct ActionCase {
    const char16_t* path;
    const char16_t* action;
    const char* status;
    int icon;
    bool fixed;
    bool fileStays;
    std::size_t quarantined;
};

class ActionTest : public ::testing::TestWithParam<ActionCase> {};

TEST_P(ActionTest, EachCodeDoesItsWorkAndSaysSoInTheRow) {
    const ActionCase& c = GetParam();
    Bench b;
    std::size_t row = b.Detect(c.path, c.action);
    b.fixer.FixDetItem(row);
    EXPECT_EQ(b.Status(row), c.status);
    EXPECT_EQ(b.report.detect.Row(row).icon, c.icon);
    EXPECT_EQ(b.report.detect.Row(row).IsFixed(), c.fixed);
    EXPECT_EQ(b.files.Exists(c.path), c.fileStays);
    EXPECT_EQ(b.CageNames().size(), c.quarantined);
    EXPECT_EQ(b.quarantine.rows.Count(), c.quarantined);
    EXPECT_EQ(b.report.state.filesCleaned, (c.fixed && c.icon != kIconIgnored) ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ActionTest,
    ::testing::Values(
        ActionCase{u"C:\\d\\a.exe", u"DEL", "Deleted", kIconGone, true, false, 0},
        ActionCase{u"C:\\d\\a.exe", u"CAGE", "Quarantined", kIconQuarantined, true, false, 1},
        ActionCase{u"C:\\d\\a.exe", u"EXC", "Ignored", kIconIgnored, true, true, 0},
        ActionCase{u"C:\\d\\a.exe", u"INJ", "Should be quarantined", kIconDetected, false, true, 0},
        ActionCase{u"E:\\d\\a.exe", u"INJ", "Quarantined", kIconQuarantined, true, false, 1},
        ActionCase{u"C:\\d\\a.exe", u"CLN", "Quarantined", kIconQuarantined, true, false, 1}));

TEST(FixDetectionsTest, AVanishedFileIsMarkedFixedWithoutAnyAction) {
    Bench b;
    std::size_t row = b.Detect(u"C:\\gone.exe", u"DEL", "");
    b.fixer.FixDetItem(row);
    EXPECT_EQ(b.Status(row), "Path is not Exist");
    EXPECT_TRUE(b.report.detect.Row(row).IsFixed());
    EXPECT_EQ(b.report.detect.Row(row).icon, kIconGone);
}

TEST(FixDetectionsTest, AForcedActionOverridesTheRowsOwnCodeForOnePass) {
    Bench b;
    std::size_t keep = b.Detect(u"C:\\d\\keep.exe", u"EXC");
    std::size_t other = b.Detect(u"C:\\d\\other.exe", u"EXC");
    b.report.detect.SetChecked(keep, true);
    b.fixer.FixWithAction(u"DEL", kScopeChecked);
    EXPECT_EQ(b.Status(keep), "Deleted");
    EXPECT_FALSE(b.files.Exists(u"C:\\d\\keep.exe"));
    EXPECT_TRUE(b.fixer.forcedAction.empty());
    EXPECT_EQ(b.Status(other), "Virus");
    EXPECT_TRUE(b.files.Exists(u"C:\\d\\other.exe"));
    EXPECT_TRUE(b.excepted.empty());
}

TEST(FixDetectionsTest, AnUnquarantinableFileIsDeletedAndTheRowShowsTheDelete) {
    Bench b;
    std::size_t empty = b.Detect(u"C:\\d\\empty.exe", u"CAGE", "");
    b.files.AddFile(u"C:\\d\\empty.exe", std::string_view(""));
    b.fixer.FixDetItem(empty);
    EXPECT_EQ(b.Status(empty), "Deleted");
    EXPECT_FALSE(b.files.Exists(u"C:\\d\\empty.exe"));

    std::size_t held = b.Detect(u"C:\\d\\held.exe", u"CAGE");
    auto holder = b.files.Open(u"C:\\d\\held.exe", platform::FileAccess::Read,
                               platform::share::kNone, platform::Disposition::OpenExisting);
    ASSERT_TRUE(holder.ok());
    b.fixer.FixDetItem(held);
    EXPECT_EQ(b.Status(held), "Couldn't be Deleted");
    EXPECT_FALSE(b.report.detect.Row(held).IsFixed());
    EXPECT_EQ(b.files.FileText(u"C:\\d\\held.exe"), "payload");
    EXPECT_TRUE(b.CageNames().empty());
}

TEST(FixDetectionsTest, AFailedIgnoreKeepsTheRowOpen) {
    Bench b;
    DetectionFixer refusing{FixParts{b.files, b.messages, b.report, b.store, b.cleaner, nullptr,
                                     [](std::u16string_view) { return false; }}};
    std::size_t row = b.Detect(u"C:\\d\\a.exe", u"EXC");
    refusing.FixDetItem(row);
    EXPECT_EQ(b.Status(row), "Couldn't be Ignored");
    EXPECT_FALSE(b.report.detect.Row(row).IsFixed());
}

TEST(FixDetectionsTest, APassFixesTheChosenRowsAndStopsWhenAllAreFixed) {
    Bench b;
    std::size_t a = b.Detect(u"C:\\d\\a.exe", u"DEL");
    std::size_t c = b.Detect(u"C:\\d\\c.exe", u"DEL");
    b.report.detect.SetChecked(c, true);
    b.fixer.FixDetFiles(kScopeChecked);
    EXPECT_TRUE(b.files.Exists(u"C:\\d\\a.exe"));
    EXPECT_FALSE(b.files.Exists(u"C:\\d\\c.exe"));
    EXPECT_EQ(ToUtf8(b.report.state.statusText), "Cleaning finished");
    EXPECT_EQ(b.report.progress.bar, 100);
    b.fixer.FixDetFiles(kScopeAll);
    EXPECT_EQ(b.Status(a), "Deleted");
    EXPECT_EQ(b.report.state.filesCleaned, 2);
    EXPECT_EQ(ToUtf8(b.report.TabCaption(kDetFiles)), "Virus (0)");
    b.report.SetStatus(u"untouched");
    b.fixer.FixDetFiles(kScopeAll);
    EXPECT_EQ(ToUtf8(b.report.state.statusText), "untouched");
}

TEST(FixDetectionsTest, QuarantiningGrowsTheQuarantineListAndItsCaption) {
    Bench b;
    b.fixer.FixDetItem(b.Detect(u"C:\\d\\a.exe", u"CAGE"));
    b.fixer.FixDetItem(b.Detect(u"C:\\e\\a.exe", u"CAGE"));
    ASSERT_EQ(b.quarantine.rows.Count(), 2u);
    EXPECT_EQ(ToUtf8(b.quarantine.rows.Row(1).tag), "a (2).vra");
    EXPECT_EQ(ToUtf8(b.quarantine.rows.Cell(1, cage_column::kOriginPath)), "C:\\e\\a.exe");
    EXPECT_EQ(ToUtf8(b.quarantine.rows.Cell(1, cage_column::kVirusName)), "W32.Test");
    EXPECT_EQ(ToUtf8(b.quarantine.TabCaption()), "Quarantine (2) ");
}

TEST(CleanInfectedTest, TheHostsFileIsRewrittenNeverQuarantined) {
    Bench b;
    std::size_t row =
        b.Detect(kHosts, u"CLN", "127.0.0.1 localhost\r\n6.6.6.6 bank.example vestra");
    b.fixer.FixDetItem(row);
    EXPECT_EQ(b.Status(row), "Cleaned");
    EXPECT_EQ(b.files.FileText(kHosts), "127.0.0.1       localhost");
    EXPECT_TRUE(b.CageNames().empty());
}

TEST(CleanInfectedTest, TheSampleDropperGivesItsWordDocumentBack) {
    std::string sample = Sample("docdrop/report.exe");
    ASSERT_GT(sample.size(), 300u) << "VESTRA_SOURCE_DIR must name the source tree";
    Bench b;
    b.files.AddFile(u"C:\\d\\report.doc", std::string_view("the user's own"));
    std::size_t row = b.Detect(u"C:\\d\\report.exe", u"CLN", sample);
    b.fixer.FixDetItem(row);
    EXPECT_EQ(b.Status(row), "Cleaned");
    EXPECT_EQ(b.report.detect.Row(row).icon, kIconGone);
    EXPECT_FALSE(b.files.Exists(u"C:\\d\\report.exe"));
    EXPECT_EQ(b.files.FileText(u"C:\\d\\report.doc"), "the user's own");
    auto document = b.files.FileText(u"C:\\d\\report (2).doc");
    ASSERT_TRUE(document.has_value());
    EXPECT_EQ(*document, sample.substr(sample.find("\xD0\xCF\x11\xE0")));
}

TEST(CleanInfectedTest, DocumentKindComesFromTheTailAndNeedsTheMarker) {
    struct Case {
        std::string content;
        const char16_t* written;  // nullptr: quarantined instead
    } cases[] = {
        {Dropper("Microsoft Office Excel Excel.Sheet.8"), u"C:\\d\\x.xls"},
        {Dropper("WORD.DOCUMENT.8"), u"C:\\d\\x.doc"},
        {Dropper("just text"), nullptr},
        {"MZ no marker here Microsoft Word Document", nullptr},
        // The kind must lie in the last 1000 bytes.
        {Dropper("Word.Document.8") + std::string(1000, ' '), nullptr},
    };
    for (const Case& c : cases) {
        Bench b;
        b.files.AddFile(u"C:\\d\\x.exe", c.content);
        int r = b.cleaner.CleanInfected(u"C:\\d\\x.exe", u"N", u"T");
        EXPECT_EQ(r, c.written ? kCleaned : kQuarantined) << c.content.substr(16, 40);
        if (c.written) {
            EXPECT_EQ(b.files.FileText(c.written)->substr(0, 4), "\xD0\xCF\x11\xE0");
        }
        EXPECT_FALSE(b.files.Exists(u"C:\\d\\x.exe"));
    }
    Bench b;
    EXPECT_EQ(b.cleaner.CleanInfected(u"C:\\d\\none.exe", u"N", u"T"), kNotCleaned);
}

TEST(DocumentIndexTest, KindNumbers) {
    auto kind = [](std::string_view text) {
        return DocKind(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    };
    EXPECT_EQ(kind("xx microsoft word document"), kDocWord);
    EXPECT_EQ(kind("Excel.Sheet"), kDocExcel);
    EXPECT_EQ(kind("Word.Document and Excel.Sheet"), kDocWord);
    EXPECT_EQ(kind(""), kDocNone);
}

// Every file call of a row's fix, failed once: the row is fixed with the file gone and its
// document or quarantine copy complete, or unfixed with a failure status and the file as it was.
TEST(CleanFaultSweepTest, EachFailingStepOfACleanLeavesTheFileOrACompleteCopy) {
    const std::string dropper = Dropper("Word.Document.8");
    const std::string plain = "MZ plain payload without a document";
    for (const std::string& content : {dropper, plain}) {
        auto setup = [&](Bench& m) {
            m.files.AddFile(u"C:\\d\\x.exe", content, attr::kArchive | attr::kReadOnly);
            return m.Detect(u"C:\\d\\x.exe", u"CLN", "");
        };
        auto fix = [](Bench& m, std::size_t row) { m.fixer.FixDetItem(row); };
        auto points = testing::FaultPoints<Bench>(setup, fix);
        ASSERT_GT(points.size(), 5u);
        for (const testing::FaultPoint& p : points) {
            SCOPED_TRACE(testing::Describe(p) + (content == plain ? " plain" : " dropper"));
            Bench b;
            std::size_t row = setup(b);
            b.files.faults().FailNth(p.op, p.nth, OsError::AccessDenied);
            fix(b, row);
            bool documentBack = b.files.Exists(u"C:\\d\\x.doc");
            if (b.report.detect.Row(row).IsFixed()) {
                EXPECT_FALSE(b.files.Exists(u"C:\\d\\x.exe"));
                EXPECT_EQ(b.CageNames().size() + (documentBack ? 1 : 0), 1u);
                EXPECT_EQ(b.Status(row), documentBack ? "Cleaned" : "Quarantined");
            } else {
                EXPECT_EQ(b.Status(row), "Couldn't be cleaned");
                EXPECT_EQ(b.files.FileText(u"C:\\d\\x.exe"), content);
                EXPECT_TRUE(b.CageNames().empty());
                EXPECT_FALSE(documentBack);
            }
            EXPECT_EQ(b.files.OpenHandleCount(), 0u);
        }
    }
}

// The same for a quarantine row: "Quarantined" means one complete quarantine file; otherwise no
// quarantine file is left, and the file is gone only when the row says "Deleted" (the design's
// fallback for a file that cannot be quarantined).
TEST(CleanFaultSweepTest, AQuarantineRowNeverEndsWithAPartialCopy) {
    auto setup = [](Bench& m) {
        m.files.AddFile(u"C:\\d\\q.exe", std::string_view("quarantine me"));
        return m.Detect(u"C:\\d\\q.exe", u"CAGE", "");
    };
    auto fix = [](Bench& m, std::size_t row) { m.fixer.FixDetItem(row); };
    auto points = testing::FaultPoints<Bench>(setup, fix);
    ASSERT_GT(points.size(), 5u);
    for (const testing::FaultPoint& p : points) {
        SCOPED_TRACE(testing::Describe(p));
        Bench b;
        std::size_t row = setup(b);
        b.files.faults().FailNth(p.op, p.nth, OsError::AccessDenied);
        fix(b, row);
        std::string status = b.Status(row);
        if (status == "Quarantined") {
            ASSERT_EQ(b.CageNames().size(), 1u);
            CageRecord back;
            back.cagePath = std::u16string(testing::kCage) + FromUtf8(b.CageNames()[0]);
            ASSERT_TRUE(b.store.CageFile(back, true));
            EXPECT_EQ(b.files.FileText(u"C:\\d\\q.exe"), "quarantine me");
        } else {
            EXPECT_TRUE(b.CageNames().empty());
            bool stays = b.files.Exists(u"C:\\d\\q.exe");
            EXPECT_EQ(status, stays ? "Couldn't be Deleted" : "Deleted");
            if (stays) {
                EXPECT_EQ(b.files.FileText(u"C:\\d\\q.exe"), "quarantine me");
            }
        }
    }
}

}  // namespace
}  // namespace vestra::remediation
