// The exception window's rules: filter text, open-file answers, typed paths and rows.
#include "ui/model/ExceptionDialog.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "registry/RegistryAccess.h"

namespace vestra::ui {
namespace {

class ExceptionDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(machine.files.AddFolder(u"C:\\Data\\Sub"));
        ASSERT_TRUE(machine.files.AddFile(u"C:\\Data\\a.exe", std::string_view("x")));
        ASSERT_TRUE(machine.files.AddFile(u"C:\\Data\\b.dll", std::string_view("x")));
    }
    platform::fake::FakePlatform machine;
};

std::u16string Answer(std::initializer_list<std::u16string_view> parts) {
    std::u16string buffer;
    for (auto part : parts) {
        buffer += part;
        buffer += u'\0';
    }
    buffer += u'\0';
    return buffer;
}

TEST_F(ExceptionDialogTest, FilterListsTheVirusTypesThenAllFiles) {
    const std::u16string filter = ExceptionFileFilter();
    EXPECT_TRUE(filter.starts_with(u"Virus Type (*.exe,*.scr,*.vbs,"));
    EXPECT_NE(filter.find(std::u16string(u")\0*.exe;*.scr;", 14)), std::u16string::npos);
    EXPECT_TRUE(filter.ends_with(std::u16string(u"All Files (*.*)\0*.*\0", 20)));
}

TEST_F(ExceptionDialogTest, OpenFileAnswers) {
    auto& files = machine.files;
    EXPECT_EQ(FilesOfOpenAnswer(Answer({u"C:\\Data\\a.exe"}), files),
              std::vector<std::u16string>{u"C:\\Data\\a.exe"});
    EXPECT_TRUE(FilesOfOpenAnswer(Answer({u"C:\\Data\\missing.exe"}), files).empty());
    EXPECT_TRUE(FilesOfOpenAnswer(Answer({u"C:\\Data"}), files).empty());  // a folder alone
    EXPECT_EQ(FilesOfOpenAnswer(Answer({u"C:\\Data", u"a.exe", u"b.dll"}), files),
              (std::vector<std::u16string>{u"C:\\Data\\a.exe", u"C:\\Data\\b.dll"}));
    EXPECT_TRUE(FilesOfOpenAnswer(Answer({u"C:\\Nowhere", u"a.exe"}), files).empty());
    EXPECT_TRUE(FilesOfOpenAnswer(Answer({}), files).empty());
    // The buffer is reused between dialogs: what follows the double NUL is an older answer.
    EXPECT_EQ(FilesOfOpenAnswer(Answer({u"C:\\Data", u"a.exe"}) + Answer({u"b.dll"}), files),
              std::vector<std::u16string>{u"C:\\Data\\a.exe"});
}

TEST_F(ExceptionDialogTest, TypedPathKinds) {
    auto& files = machine.files;
    EXPECT_EQ(KindOfTypedPath(u"  C:\\Data\\a.exe ", files), config::ExceptionKind::File);
    EXPECT_EQ(KindOfTypedPath(u"C:\\Data\\", files), config::ExceptionKind::Folder);
    EXPECT_EQ(KindOfTypedPath(u"C:\\Data\\none.txt", files), std::nullopt);
    EXPECT_EQ(KindOfTypedPath(u"   ", files), std::nullopt);
}

TEST_F(ExceptionDialogTest, RowsComeFoldersFirstWithTheirValueNames) {
    registry::RegistryAccess registry(machine.registry, machine.system);
    config::ExceptionList list(registry, machine.files);
    ASSERT_FALSE(list.AddException(config::ExceptionKind::File, u"C:\\Data\\a.exe").empty());
    ASSERT_FALSE(
        list.AddException(config::ExceptionKind::Registry, u"HKEY_CURRENT_USER\\Software\\X")
            .empty());
    ASSERT_FALSE(list.AddException(config::ExceptionKind::Folder, u"C:\\Data").empty());
    list.LoadExceptions();
    const std::vector<ExceptionRow> rows = ExceptionRows(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].kindWord, u"Folder");
    EXPECT_EQ(rows[0].valueName, u"Dir0");
    EXPECT_EQ(rows[1].kindWord, u"File");
    EXPECT_EQ(rows[1].path, u"C:\\Data\\a.exe");
    EXPECT_EQ(rows[2].kindWord, u"Registry");
    EXPECT_EQ(rows[2].valueName, u"Reg0");
}

}  // namespace
}  // namespace vestra::ui
