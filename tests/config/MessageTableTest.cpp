// The message table: both languages fill the same slots with the same shape, the English texts
// other code quotes are exact, and placeholders fill in order.
#include <gtest/gtest.h>

#include <set>

#include "config/MessageSlots.h"
#include "config/MessageTable.h"
#include "config/MessageTexts.h"
#include "platform/Text.h"

namespace vestra::config {
namespace {

std::size_t Count(std::u16string_view text, std::u16string_view piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::u16string_view::npos;
         at = text.find(piece, at + piece.size())) {
        ++n;
    }
    return n;
}

std::size_t LeadingSpaces(std::u16string_view text) {
    std::size_t n = 0;
    while (n < text.size() && text[n] == u' ')
        ++n;
    return n;
}

std::size_t TrailingSpaces(std::u16string_view text) {
    std::size_t n = 0;
    while (n < text.size() && text[text.size() - 1 - n] == u' ')
        ++n;
    return n;
}

std::set<int> Slots(std::span<const MessageText> rows) {
    std::set<int> slots;
    for (const auto& row : rows)
        EXPECT_TRUE(slots.insert(row.index).second) << row.index;
    return slots;
}

TEST(MessageTextsTest, BothLanguagesFillTheSameSlotsInOrder) {
    std::set<int> english = Slots(EnglishTexts());
    EXPECT_EQ(english, Slots(IndonesianTexts()));
    EXPECT_EQ(english.size(), 112u);
    EXPECT_EQ(*english.begin(), 0);
    EXPECT_EQ(*english.rbegin(), 123);
    for (int unused : {57, 61, 63, 78, 105, 108, 116})
        EXPECT_EQ(english.count(unused), 0u);
    for (auto rows : {EnglishTexts(), IndonesianTexts()}) {
        for (std::size_t i = 1; i < rows.size(); ++i)
            EXPECT_LT(rows[i - 1].index, rows[i].index);
    }
}

TEST(MessageTextsTest, IndonesianKeepsTheShapeOfEachEnglishEntry) {
    MessageTable english, indonesian;
    english.LoadMessages(kLanguageEnglish);
    indonesian.LoadMessages(kLanguageIndonesian);
    for (const MessageText& row : EnglishTexts()) {
        const std::u16string& en = english.Text(row.index);
        const std::u16string& id = indonesian.Text(row.index);
        SCOPED_TRACE(row.index);
        EXPECT_EQ(Count(en, u"%s"), Count(id, u"%s"));
        EXPECT_EQ(Count(en, u"\r\n"), Count(id, u"\r\n"));
        EXPECT_EQ(Count(en, u"\r"), Count(id, u"\r"));
        EXPECT_EQ(Count(en, u"\n"), Count(id, u"\n"));
        if (row.index != 0) {
            EXPECT_EQ(Count(row.text, kEntryZeroMark) > 0,
                      id.find(indonesian.Text(0)) != std::u16string::npos);
        }
        // 20 and 23 place the word "process" differently in the two languages.
        if (row.index == 20 || row.index == 23)
            continue;
        EXPECT_EQ(LeadingSpaces(en), LeadingSpaces(id));
        EXPECT_EQ(TrailingSpaces(en), TrailingSpaces(id));
        EXPECT_EQ(en.empty(), id.empty());
    }
}

TEST(MessageTableTest, EnglishTextsThatOtherCodeQuotes) {
    MessageTable table;
    table.LoadMessages(kLanguageEnglish);
    EXPECT_EQ(table.Text(0), u"Are you sure you want to ");
    EXPECT_EQ(table.Text(1), u"Are you sure you want to exit and stop current scanning process?");
    EXPECT_EQ(table.Text(15),
              u"This will cause scanning won't be perfect!\r\n"
              u"Are you sure you want to disable it?");
    EXPECT_EQ(table.Text(20), u" ");
    EXPECT_EQ(table.Text(23), u" process");
    EXPECT_EQ(table.Text(43), u"Vestra found : \r\n");
    EXPECT_EQ(table.Text(52),
              u"Your computer is being infected by virus\r\nVestra will  automatically scan your "
              u"system");
    EXPECT_EQ(table.Text(75),
              u"Are you sure you want to uninstall VesRTP (Vestra Real-Time Protection)?");
    EXPECT_EQ(table.Text(79), u"The path is not file/folder.");
    EXPECT_EQ(table.Text(82), u"Are you sure you want to  add this folder to the exception list?");
    EXPECT_EQ(table.Text(96), u"File %s has been added to the exception list");
    EXPECT_EQ(table.Text(109),
              u"Vestra cannot find its %s, %s\r\n"
              u"Please re-download the vestra.zip file from Vestra Site (" +
                  std::u16string(kWebSiteAddress) + u")\r\nVestra will be closed now.");
    EXPECT_EQ(table.Text(115),
              u"It's recommended you choose \"Fix All\" to block and clean this "
              u"program. But if you trust the program you can choose \"Ignore\"");
    EXPECT_EQ(table.Text(123), u"Your PC is Protected by");
    EXPECT_EQ(table.Text(53).find(u"{"), std::u16string::npos);
}

TEST(MessageTableTest, IndonesianRowsAsGiven) {
    MessageTable table;
    table.LoadMessages(kLanguageIndonesian);
    EXPECT_EQ(table.CurrentLanguage(), kLanguageIndonesian);
    EXPECT_EQ(table.Text(1), u"Apakah Anda yakin ingin keluar dan mengentikan proses scanning?");
    EXPECT_EQ(table.Text(3), table.Text(13));
    EXPECT_EQ(table.Text(3), u"File ini bukan virus, silakan pilih file lainnya!");
    EXPECT_EQ(table.Text(20), u" proses ");
    EXPECT_EQ(table.Text(23), u"");
    EXPECT_EQ(table.Text(40), u"Komputer Anda baik-baik saja\r\nTIDAK ADA VIRUS TERDETEKSI.");
    const std::u16string_view results[] = {
        u"Harus dikarantina",      u"Tidak bisa dikarantina", u"Sudah dikarantina",
        u"Tidak bisa dibersihkan", u"Sudah dibersihkan",      u"Tidak bisa dihapus",
        u"Sudah dihapus",          u"Tidak bisa diabaikan",   u"Sudah diabaikan"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(table.Text(87 + i), results[i]);
    EXPECT_EQ(table.Text(112), u"&Bersihkan");
    EXPECT_EQ(table.Text(123), u"Komputer ini dilindungi oleh");
}

TEST(MessageTableTest, LanguageChoiceAndEmptySlots) {
    MessageTable table;
    EXPECT_EQ(table.Text(109), u"");  // nothing before the first load
    for (int language : {1, 7, -1, 0}) {
        table.LoadMessages(language);
        EXPECT_EQ(table.CurrentLanguage(), language);
        EXPECT_EQ(table.Text(16), language != 0 ? u"Warning" : u"Peringatan");
        for (int slot : {57, 105, 116, 124, 150, 200, -1, 201, 100000}) {
            EXPECT_EQ(table.Text(slot), u"") << slot;
        }
    }
    // A rebuild leaves nothing of the other language behind.
    table.LoadMessages(1);
    EXPECT_EQ(table.Text(3), u"File is not a virus, select other file?");
}

TEST(MessageTableTest, FormatFillsPlaceholdersInOrder) {
    MessageTable table;
    table.LoadMessages(kLanguageEnglish);
    EXPECT_EQ(table.FormatMessage(67, u"site text", u"1.0", u"2.0"),
              u"-> Site Message :\r\nsite text\r\n\r\n-> Vestra Message :\r\n"
              u"Your Current Vestra is OLD version (1.0)\r\n"
              u"Do you want to download the NEW version (2.0)?");
    EXPECT_EQ(table.FormatMessage(109, u"Engine", u"VestEngine.dll").substr(0, 39),
              u"Vestra cannot find its Engine, VestEngi");
    EXPECT_EQ(table.FormatMessage(96), u"File  has been added to the exception list");
    EXPECT_EQ(table.FormatMessage(16, u"unused"), u"Warning");
    EXPECT_EQ(table.FormatMessage(124, u"x"), u"");
    // An argument that itself holds "%s" is not filled again.
    EXPECT_EQ(table.FormatMessage(81, u"%s", u"3"),
              u"VesRTP (Vestra Real-Time Protection) has detected %s Viruses & cleaned 3 Viruses");
    EXPECT_EQ(FillPlaceholders(u"%s%s%s%s%s", u"a", u"b", u"c", u"d"), u"abcd%s");
}

// Each name leads to the text its call sites mean; a slot renumbered by mistake shows here.
TEST(MessageSlotsTest, NamedSlotsHoldTheirEnglishTexts) {
    MessageTable table;
    table.LoadMessages(kLanguageEnglish);
    const std::pair<int, std::u16string_view> kStarts[] = {
        {msg::kAreYouSure, u"Are you sure you want to "},
        {msg::kExitWhileScanning, u"Are you sure you want to exit and stop"},
        {msg::kExitWhileScanningTitle, u"Exit and Stop Scanning"},
        {msg::kAreaOffWarning, u"It's not recommended to disable scanning in "},
        {msg::kAreaOffConsequence, u"This will cause scanning"},
        {msg::kWarningTitle, u"Warning"},
        {msg::kStopScanning, u"stop current scanning process?"},
        {msg::kSkipCounting, u"skip analyzing process"},
        {msg::kSkipCountingTitle, u"Skip Analyzing"},
        {msg::kSummaryClean, u"Fortunately"},
        {msg::kSummaryCleanTitle, u"Computer is FINE"},
        {msg::kSummaryState, u"Unfortunately, your computer system is "},
        {msg::kSummaryFound, u"Vestra found : "},
        {msg::kSummaryTitle, u"Computer Status"},
        {msg::kSummaryVirusFiles, u" Virus File(s)"},
        {msg::kSummaryRegistryValues, u" Infected Registry(s)"},
        {msg::kSummaryHiddenFiles, u" Hidden File(s)"},
        {msg::kStateNotGood, u"NOT GOOD"},
        {msg::kStateBad, u"BAD"},
        {msg::kStateDangerous, u"DANGEROUS!!!"},
        {msg::kReportWillBeCleared, u"Current scanning report will be cleared"},
        {msg::kPasswordSaved, u"Your new password has been saved!"},
        {msg::kPasswordsDiffer, u"Confirmation password should be same"},
        {msg::kPasswordWrong, u"Password you entered is not correct"},
        {msg::kNotFileOrFolder, u"The path is not file/folder."},
        {msg::kNothingSelected, u"You've not selected any list"},
        {msg::kProtectionOn, u"VesRT-Protection is active."},
        {msg::kProtectionOff, u"VesRT-Protection is not active"},
        {msg::kMissingFile, u"Vestra cannot find its %s"},
        {msg::kFixAllCaption, u"&Fix All"},
        {msg::kProtectedBy, u"Your PC is Protected by"},
    };
    for (const auto& [slot, start] : kStarts) {
        EXPECT_TRUE(table.Text(slot).starts_with(start))
            << "slot " << slot << ": " << ToUtf8(table.Text(slot));
    }
}

}  // namespace
}  // namespace vestra::config
