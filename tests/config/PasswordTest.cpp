// Password scrambling, the guard and the two-box save rule.
#include <gtest/gtest.h>

#include <set>

#include "config/Password.h"

namespace vestra::config {
namespace {

TEST(ScramblePasswordTest, CodeTableHoldsTwoHundredDistinctPrintableCharacters) {
    std::u16string_view table = PasswordCodeTable();
    ASSERT_EQ(table.size(), kCodeTableSize);
    std::set<char16_t> seen(table.begin(), table.end());
    EXPECT_EQ(seen.size(), kCodeTableSize);
    for (char16_t c = 0x20; c < 0x7F; ++c)
        EXPECT_TRUE(seen.count(c)) << int(c);
    for (char16_t c : table) {
        EXPECT_FALSE(c < 0x20 || (c >= 0x7F && c < 0xA0)) << int(c);  // no control characters
    }
}

TEST(ScramblePasswordTest, RoundTripsEveryPrintableTextOfEveryLength) {
    std::u16string_view table = PasswordCodeTable();
    std::u16string all;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        all += c;
    all += table;
    for (std::size_t length = 1; length <= all.size(); ++length) {
        for (std::size_t start = 0; start + length <= all.size(); start += 7) {
            std::u16string plain = all.substr(start, length);
            std::u16string scrambled = ScramblePassword(plain);
            ASSERT_EQ(scrambled.size(), plain.size());
            ASSERT_EQ(ScramblePassword(scrambled), plain) << length << " at " << start;
        }
    }
}

TEST(ScramblePasswordTest, MapsByPositionAndLengthAndPassesUnknownCharacters) {
    std::u16string_view table = PasswordCodeTable();
    // n = 1, p = 1: 200 - ((2 + 0) mod 200) = 198.
    EXPECT_EQ(ScramblePassword(table.substr(0, 1)), std::u16string(1, table[197]));
    // n = 1, p = 199: 200 - (200 mod 200) = 200.
    EXPECT_EQ(ScramblePassword(table.substr(198, 1)), std::u16string(1, table[199]));
    EXPECT_EQ(ScramblePassword(u"a"), ScramblePassword(u"a"));
    EXPECT_NE(ScramblePassword(u"a"), ScramblePassword(u"ab").substr(0, 1));  // length matters
    EXPECT_NE(ScramblePassword(u"secret"), u"secret");

    std::u16string mixed = u"\u0416x\u4E2D\ty";  // Cyrillic, CJK and a tab are not in the table
    std::u16string once = ScramblePassword(mixed);
    EXPECT_EQ(once[0], u'\u0416');
    EXPECT_EQ(once[2], u'\u4E2D');
    EXPECT_EQ(once[3], u'\t');
    EXPECT_EQ(ScramblePassword(once), mixed);
    EXPECT_EQ(ScramblePassword(u""), u"");
}

TEST(PasswordGuardTest, AsksOncePerRunWhileTheLockIsOn) {
    int asked = 0;
    bool answer = false;
    auto ask = [&] {
        ++asked;
        return answer;
    };
    PasswordGuard guard;
    EXPECT_TRUE(guard.Pass(false, ask));
    EXPECT_EQ(asked, 0);

    EXPECT_FALSE(guard.Pass(true, ask));  // wrong or cancelled
    EXPECT_FALSE(guard.passwordEntered);
    answer = true;
    EXPECT_TRUE(guard.Pass(true, ask));
    answer = false;
    EXPECT_TRUE(guard.Pass(true, ask));  // the next tab opens without a prompt
    EXPECT_EQ(asked, 2);

    EXPECT_FALSE(PassEachTime(true, ask));  // the host's menu asks every time
    EXPECT_TRUE(PassEachTime(false, ask));
    EXPECT_EQ(asked, 3);
}

TEST(PasswordGuardTest, MatchIsExactAndAnEmptyPasswordAcceptsAnEmptyEntry) {
    EXPECT_TRUE(PasswordMatches(u"", u""));
    EXPECT_TRUE(PasswordMatches(u"Secret", u"Secret"));
    EXPECT_FALSE(PasswordMatches(u"secret", u"Secret"));
    EXPECT_FALSE(PasswordMatches(u"Secret ", u"Secret"));
}

TEST(SavePasswordTest, TwoBoxRule) {
    std::u16string stored = u"old";
    bool writeWorks = true;
    auto store = [&](std::u16string_view scrambled) {
        if (writeWorks)
            stored = scrambled;
        return writeWorks;
    };
    EXPECT_EQ(SavePassword(u"abc", u"abC", store), PasswordSave::Mismatch);
    EXPECT_EQ(stored, u"old");
    EXPECT_EQ(SavePassword(u"", u"", store), PasswordSave::KeptOld);
    EXPECT_EQ(stored, u"old");
    EXPECT_EQ(SavePassword(u"new pass", u"new pass", store), PasswordSave::Saved);
    EXPECT_EQ(stored, ScramblePassword(u"new pass"));
    writeWorks = false;
    EXPECT_EQ(SavePassword(u"other", u"other", store), PasswordSave::WriteFailed);
}

}  // namespace
}  // namespace vestra::config
