// The exception list on a registry and disk from the backend (the fakes natively, the real ones
// under Wine): loading by name prefix, lowest free names, entries whose target is gone.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "config/ExceptionList.h"
#include "tests/registry/RegistryBackend.h"

namespace vestra::config {
namespace {

using platform::Hive;

std::vector<std::u16string> Split(const std::u16string& list) {
    std::vector<std::u16string> items;
    std::size_t start = 0;
    for (std::size_t bar; (bar = list.find(u'|', start)) != std::u16string::npos; start = bar + 1) {
        items.push_back(list.substr(start, bar - start));
    }
    items.push_back(list.substr(start));
    return items;
}

// "name=path" for each active entry of a kind.
std::set<std::u16string> Pairs(const ExceptionList& list, ExceptionKind kind) {
    auto names = Split(list.ExceptionNames(kind));
    auto paths = Split(list.ExceptionPaths(kind));
    EXPECT_EQ(names.size(), paths.size());
    std::set<std::u16string> pairs;
    for (std::size_t i = 0; i < names.size() && i < paths.size(); ++i) {
        pairs.insert(names[i] + u"=" + paths[i]);
    }
    return pairs;
}

class ExceptionListTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = backend->ScratchFolder() + u"\\Data";
        file = backend->ScratchFolder() + u"\\Data\\trusted.exe";
        ASSERT_EQ(backend->Files().CreateFolder(folder), platform::OsError::None);
        MakeFile(file);
    }

    void MakeFile(const std::u16string& path) {
        auto handle =
            backend->Files().Open(path, platform::FileAccess::Write, platform::share::kNone,
                                  platform::Disposition::CreateAlways);
        ASSERT_TRUE(handle.ok());
    }

    void Store(std::u16string_view name, const platform::RegValue& value) {
        ASSERT_EQ(reg.RegMakeKey(Hive::CurrentUser, key) != 0, true);
        ASSERT_EQ(backend->Registry().SetValue(Hive::CurrentUser, key, name, value),
                  platform::OsError::None);
    }

    std::unique_ptr<regtest::RegistryBackend> backend = regtest::MakeRegistryBackend();
    registry::RegistryAccess reg{backend->Registry(), backend->System()};
    std::u16string key = registry::ExceptionKeyOf(backend->ScratchKey());
    ExceptionList list{reg, backend->Files(), key};
    std::u16string folder, file;
};

TEST_F(ExceptionListTest, MissingKeyIsAnEmptyListAndAddingCreatesIt) {
    list.LoadExceptions();
    for (ExceptionKind kind : kExceptionKinds) {
        EXPECT_EQ(list.ExceptionPaths(kind), u"");
        EXPECT_EQ(list.ExceptionNames(kind), u"");
    }
    EXPECT_FALSE(list.IsExcludedFolder(folder));
    EXPECT_FALSE(reg.RegKeyExists(Hive::CurrentUser, key));

    EXPECT_EQ(
        list.AddException(ExceptionKind::Registry, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\x\\(Default)"),
        u"Reg0");
    EXPECT_TRUE(reg.RegKeyExists(Hive::CurrentUser, key));
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Registry),
              u"");  // active only after the next load
    list.LoadExceptions();
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Registry),
              u"HKEY_LOCAL_MACHINE\\SOFTWARE\\x\\(Default)");
    EXPECT_EQ(list.ExceptionNames(ExceptionKind::Registry), u"Reg0");
}

TEST_F(ExceptionListTest, FolderStoredAsTypedMatchesAnySpellingOfItself) {
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, folder + u"\\"), u"Dir0");
    EXPECT_EQ(reg.RegReadString(Hive::CurrentUser, key, u"Dir0"), folder + u"\\");
    list.LoadExceptions();
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Folder), folder);
    EXPECT_EQ(list.ExceptionNames(ExceptionKind::Folder), u"Dir0");

    std::u16string upper = folder;
    for (auto& c : upper)
        c = (c >= u'a' && c <= u'z') ? c - 32 : c;
    for (const std::u16string& asked : {folder, folder + u"\\", upper + u"\\"}) {
        EXPECT_TRUE(list.IsExcludedFolder(asked));
    }
    EXPECT_FALSE(list.IsExcludedFolder(folder + u"\\Sub"));
    EXPECT_FALSE(list.IsExcludedFolder(backend->ScratchFolder()));
    EXPECT_FALSE(list.IsExcludedFolder(folder + u"X"));
}

TEST_F(ExceptionListTest, NewEntriesTakeTheLowestFreeName) {
    MakeFile(folder + u"\\a.exe");
    MakeFile(folder + u"\\b.exe");
    MakeFile(folder + u"\\c.exe");
    EXPECT_EQ(list.AddException(ExceptionKind::File, folder + u"\\a.exe"), u"Fil0");
    EXPECT_EQ(list.AddException(ExceptionKind::File, folder + u"\\b.exe"), u"Fil1");
    EXPECT_EQ(list.AddException(ExceptionKind::File, folder + u"\\c.exe"), u"Fil2");
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, folder), u"Dir0");  // counters per kind

    EXPECT_TRUE(list.RemoveException(u"Fil1"));
    EXPECT_FALSE(list.RemoveException(u"Fil1"));  // already gone
    EXPECT_FALSE(list.RemoveException(u""));
    EXPECT_EQ(list.AddException(ExceptionKind::File, file), u"Fil1");

    list.LoadExceptions();
    // Enumeration order is the registry's business (Wine sorts values by name); the two lists
    // only have to stay aligned.
    EXPECT_EQ(Pairs(list, ExceptionKind::File),
              (std::set<std::u16string>{u"Fil0=" + folder + u"\\a.exe", u"Fil1=" + file,
                                        u"Fil2=" + folder + u"\\c.exe"}));
}

TEST_F(ExceptionListTest, EntriesWhoseTargetIsGoneStayStoredButInactive) {
    std::u16string gone = backend->ScratchFolder() + u"\\Gone";
    ASSERT_EQ(backend->Files().CreateFolder(gone), platform::OsError::None);
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, gone), u"Dir0");
    EXPECT_EQ(list.AddException(ExceptionKind::File, file), u"Fil0");
    EXPECT_EQ(list.AddException(ExceptionKind::File, folder),
              u"Fil1");  // a folder is no file entry
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, file),
              u"Dir1");  // nor a file a folder entry
    ASSERT_EQ(backend->Files().RemoveFolder(gone), platform::OsError::None);
    ASSERT_EQ(backend->Files().Delete(file), platform::OsError::None);

    list.LoadExceptions();
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Folder), u"");
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::File), u"");
    EXPECT_FALSE(list.IsExcludedFolder(gone));
    for (auto name : {u"Dir0", u"Dir1", u"Fil0", u"Fil1"}) {
        EXPECT_TRUE(reg.RegValueExists(Hive::CurrentUser, key, name));
    }
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, gone), u"Dir2");  // never overwrites
}

TEST_F(ExceptionListTest, ForeignValuesAreReadByTheirFirstThreeLettersOrSkipped) {
    Store(u"Directory", platform::TextValue(folder));
    Store(u"Other", platform::TextValue(folder));
    Store(u"Di", platform::TextValue(folder));
    Store(u"REGISTRY_x", platform::TextValue(u"HKEY_USERS\\x"));
    Store(u"Reg7", platform::TextValue(u""));
    Store(u"Reg8", platform::TextValue(u"-1"));
    Store(u"Dir0", platform::DwordValue(0x41));
    Store(u"Fil0", platform::RegValue{platform::regtype::kBinary, {0xFF, 0xFE, 0xFD}});
    Store(u"", platform::TextValue(folder));

    list.LoadExceptions();
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Folder), folder);
    EXPECT_EQ(list.ExceptionNames(ExceptionKind::Folder), u"Directory");
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::File), u"");
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Registry), u"HKEY_USERS\\x");
    EXPECT_EQ(list.ExceptionNames(ExceptionKind::Registry), u"REGISTRY_x");

    // The foreign Dir0 is taken, so a new folder entry goes next to it and leaves it alone.
    std::u16string other = backend->ScratchFolder() + u"\\Other";
    ASSERT_EQ(backend->Files().CreateFolder(other), platform::OsError::None);
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, other), u"Dir1");
    EXPECT_EQ(reg.RegReadDWORD(Hive::CurrentUser, key, u"Dir0"), 0x41);
}

TEST_F(ExceptionListTest, DuplicatesAndBadArgumentsWriteNothing) {
    EXPECT_EQ(list.AddException(ExceptionKind::File, file), u"Fil0");
    EXPECT_EQ(list.AddException(ExceptionKind::File, file), u"Fil1");  // lists not reloaded yet
    list.LoadExceptions();
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::File), file + u"|" + file);
    std::u16string shouted = file;
    for (auto& c : shouted)
        c = (c >= u'a' && c <= u'z') ? c - 32 : c;
    EXPECT_EQ(list.AddException(ExceptionKind::File, shouted), u"");

    EXPECT_EQ(list.AddException(ExceptionKind::File, u""), u"");
    EXPECT_EQ(list.AddException(static_cast<ExceptionKind>(3), file), u"");
    EXPECT_EQ(list.AddException(static_cast<ExceptionKind>(255), file), u"");
    EXPECT_EQ(list.ExceptionPaths(static_cast<ExceptionKind>(3)), u"");
    EXPECT_EQ(list.ExceptionNames(static_cast<ExceptionKind>(255)), u"");
    EXPECT_EQ(reg.RegValueNames(Hive::CurrentUser, key).size(), 2u);
}

TEST_F(ExceptionListTest, KindOfATypedPath) {
    EXPECT_EQ(ExceptionKindOfPath(backend->Files(), folder), ExceptionKind::Folder);
    EXPECT_EQ(ExceptionKindOfPath(backend->Files(), file), ExceptionKind::File);
    EXPECT_EQ(ExceptionKindOfPath(backend->Files(), folder + u"\\none.exe"), std::nullopt);
    EXPECT_EQ(ExceptionKindOfPath(backend->Files(), u""), std::nullopt);
    EXPECT_EQ(ExceptionKindWord(ExceptionKind::Registry), u"Registry");
    EXPECT_EQ(ExceptionPrefix(ExceptionKind::File), u"Fil");
}

}  // namespace
}  // namespace vestra::config
