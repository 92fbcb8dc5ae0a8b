// The clean-drive question: its two modes (the lock offer, and the verdict alone when the drive
// already has an autorun.inf), the countdown that answers by itself in each, and the answers.
#include "protection/DriveQuestion.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"

namespace vestra::protection {
namespace {

using platform::DriveType;

class RecordingQuestionView : public DriveQuestionView {
public:
    void ShowQuestion() override { ++shows; }
    void TimerEnabled(bool on) override { timer = on; }
    void CloseQuestion() override { ++closes; }
    int shows = 0;
    int closes = 0;
    bool timer = false;
};

class DriveQuestionTest : public ::testing::Test {
protected:
    DriveQuestionTest() {
        os.files.AddDrive(u'E', DriveType::Removable);
        messages.LoadMessages(config::kLanguageEnglish);
    }
    void Tick(int seconds) {
        for (int s = 0; s < seconds; ++s)
            question.TimerTick();
    }

    platform::fake::FakePlatform os;
    config::MessageTable messages;
    RecordingQuestionView view;
    int lockStatus = 111;
    std::vector<std::u16string> locked;
    std::vector<std::u16string> balloons;
    DriveQuestion question{
        DriveQuestionParts{os.files, os.shell, os.windows, messages,
                           [this](std::u16string_view root) {
                               locked.emplace_back(root);
                               return lockStatus;
                           },
                           [this](std::u16string_view text) { balloons.emplace_back(text); }},
        view};
};

TEST_F(DriveQuestionTest, ACleanDriveIsOfferedTheLockAndGetsItAfterTenSeconds) {
    question.ShowEx(u"E:\\");
    EXPECT_EQ(view.shows, 1);
    EXPECT_TRUE(view.timer);
    EXPECT_FALSE(question.onlyOk());
    EXPECT_EQ(ToUtf8(question.verdict()), "NO Virus Detected.\r\nFlashdisk E:\\ is CLEAN.");
    EXPECT_EQ(question.question(), messages.Text(117));
    EXPECT_EQ(ToUtf8(question.yesCaption()), "&Yes (10)");
    EXPECT_EQ(ToUtf8(question.noCaption()), "&No");

    Tick(9);
    EXPECT_EQ(ToUtf8(question.yesCaption()), "&Yes (1)");
    EXPECT_TRUE(locked.empty());
    EXPECT_FALSE(question.closed());
    Tick(1);
    EXPECT_EQ(locked, std::vector<std::u16string>{u"E:\\"});
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(ToUtf8(balloons[0]),
              "Immunization SUCCESS.\r\nFlashdisk E:\\ has been IMMUNIZED from virus infection.");
    EXPECT_TRUE(question.closed());
    EXPECT_EQ(view.closes, 1);
    EXPECT_FALSE(view.timer);
    Tick(20);
    EXPECT_EQ(locked.size(), 1u);
}

TEST_F(DriveQuestionTest, ADriveWithAnAutorunFileOnlyHearsTheVerdictAndClosesAfterFiveSeconds) {
    for (bool asFolder : {false, true}) {
        SCOPED_TRACE(asFolder ? "lock folder" : "plain file");
        os.files.RemoveDrive(u'E');
        os.files.AddDrive(u'E', DriveType::Removable);
        if (asFolder)
            os.files.AddFolder(u"E:\\autorun.inf", platform::attr::kHidden);
        else
            os.files.AddFile(u"E:\\Autorun.inf", std::string_view("[autorun]"));
        question.ShowEx(u"E:\\");
        EXPECT_TRUE(question.onlyOk());
        EXPECT_EQ(ToUtf8(question.okCaption()), "&OK (5)");
        EXPECT_EQ(ToUtf8(question.yesCaption()), "&Yes");
        Tick(4);
        EXPECT_FALSE(question.closed());
        Tick(1);
        EXPECT_TRUE(question.closed());
        EXPECT_TRUE(locked.empty());
        EXPECT_TRUE(balloons.empty());
    }
}

TEST_F(DriveQuestionTest, TheUsersAnswerEndsTheCountdown) {
    question.ShowEx(u"E:\\");
    question.NoClicked();
    EXPECT_TRUE(question.closed());
    Tick(10);
    EXPECT_TRUE(locked.empty());

    lockStatus = 0;  // a drive without write access: nothing of the lock exists afterwards
    question.ShowEx(u"E:\\");
    Tick(3);
    question.YesClicked();
    EXPECT_EQ(locked.size(), 1u);
    EXPECT_TRUE(balloons.empty());
    EXPECT_TRUE(question.closed());
}

TEST_F(DriveQuestionTest, ExploreOpensTheDriveAndLeavesTheQuestionOpen) {
    question.ShowEx(u"E:\\");
    question.ExploreClicked();
    ASSERT_EQ(os.shell.requests().size(), 1u);
    EXPECT_EQ(os.shell.requests()[0].verb, u"explore");
    EXPECT_EQ(os.shell.requests()[0].file, u"E:\\");
    EXPECT_FALSE(question.closed());
}

}  // namespace
}  // namespace vestra::protection
