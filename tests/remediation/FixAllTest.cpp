// "Fix All": all three lists fixed, and the full-scan offer only after running malware was found
// on a scan that did not cover the whole computer.
#include "remediation/FixAll.h"

#include <gtest/gtest.h>

#include "tests/remediation/CageFixture.h"

namespace vestra::remediation {
namespace {

namespace mb = platform::mb;

class AnsweringView : public FixAllView {
public:
    int MessageBox(std::u16string_view text, std::u16string_view title, std::uint32_t) override {
        asked.push_back(ToUtf8(title) + ": " + ToUtf8(text).substr(0, 27));
        return answer;
    }
    int answer = mb::kAnswerNo;
    std::vector<std::string> asked;
};

class FixAllTest : public ::testing::Test, public testing::CageMachine {
protected:
    FixAllTest() {
        messages.LoadMessages(config::kLanguageEnglish);
        files.AddFile(u"C:\\v.exe", std::string_view("virus"));
        report.AddDetection({u"W32.V", u"Virus", u"C:\\v.exe", u"Virus", u"DEL"}, true);
        files.AddFolder(u"E:\\docs", platform::attr::kHidden);
        hidden.CheckHiddenPath(u"E:\\docs", 0, 0);
        tree.SetCheck(tree.FindKey(kKeyComputer), false);
    }
    bool Run() {
        FixAllParts parts{report,
                          messages,
                          fixer,
                          hidden,
                          tree,
                          view,
                          [this] { ++registryPasses; },
                          [this] { ++scans; }};
        return FixAll(parts);
    }

    config::MessageTable messages;
    ScanReport report;
    Cleaner cleaner{store, u"C:\\hosts"};
    DetectionFixer fixer{FixParts{files, messages, report, store, cleaner, nullptr, {}}};
    HiddenPaths hidden{files, report};
    TargetTree tree{files};
    AnsweringView view;
    int registryPasses = 0;
    int scans = 0;
};

TEST_F(FixAllTest, FixesEveryListAndAsksNothingWithoutRunningMalware) {
    EXPECT_FALSE(Run());
    EXPECT_FALSE(files.Exists(u"C:\\v.exe"));
    EXPECT_EQ(files.GetAttributes(u"E:\\docs") & platform::attr::kHidden, 0u);
    EXPECT_EQ(report.state.pathsUnhidden, 1);
    EXPECT_EQ(registryPasses, 1);
    EXPECT_EQ(ToUtf8(report.state.statusText), "Fixing all finished");
    EXPECT_TRUE(view.asked.empty());
}

TEST_F(FixAllTest, OffersAFullScanAfterRunningMalwareAndStartsItOnYes) {
    report.state.processInfected = true;
    ASSERT_FALSE(tree.Node(tree.FindKey(kKeyComputer)).checked &&
                 tree.Node(tree.FindKey(kKeySystem)).checked);
    EXPECT_FALSE(Run());
    ASSERT_EQ(view.asked.size(), 1u);
    EXPECT_EQ(view.asked[0], "Full Scan: Your computer has just been");
    EXPECT_EQ(scans, 0);

    view.answer = mb::kAnswerYes;
    EXPECT_TRUE(Run());
    EXPECT_EQ(scans, 1);
    EXPECT_TRUE(tree.Node(tree.FindKey(kKeyComputer)).checked);
    EXPECT_TRUE(tree.Node(tree.FindKey(kKeySystem)).checked);

    // Once the whole computer is checked there is nothing to offer.
    EXPECT_FALSE(Run());
    EXPECT_EQ(view.asked.size(), 2u);
}

}  // namespace
}  // namespace vestra::remediation
