// The behaviour confirmation: its texts in the catalogue's language and the answer it leaves.
#include "protection/BehaviourQuestion.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace vestra::protection {
namespace {

TEST(BehaviourQuestionTest, NamesTheProgramAndLeavesBlockOnlyAfterFixAll) {
    config::MessageTable messages;
    messages.LoadMessages(config::kLanguageEnglish);
    BehaviourQuestion question(messages);
    question.ShowEx(u"C:\\Temp\\svch0st.exe");
    EXPECT_EQ(ToUtf8(question.finding()),
              "Vest-Behavior detected a suspected program behavior, it's  C:\\Temp\\svch0st.exe");
    EXPECT_EQ(question.advice(), messages.Text(115));
    EXPECT_EQ(ToUtf8(question.yesCaption()), "&Fix All");
    EXPECT_EQ(ToUtf8(question.noCaption()), "&Ignore");
    EXPECT_FALSE(question.block());
    question.YesClicked();
    EXPECT_TRUE(question.block());

    messages.LoadMessages(config::kLanguageIndonesian);
    question.ShowEx(u"C:\\x.exe");
    EXPECT_FALSE(question.block());
    EXPECT_EQ(ToUtf8(question.yesCaption()), "&Bersihkan");
}

}  // namespace
}  // namespace vestra::protection
