// The single-file check: the fast-scan and exception filters, the engine's answer decoded into
// the verdict, and what a negative answer leaves alone.
#include "scanner/CheckFile.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/FakeEngine.h"

namespace vestra {
namespace {

constexpr char16_t kEngine[] = u"C:\\V\\VestEngine.dll";

class CheckFileTest : public ::testing::Test {
protected:
    CheckFileTest() {
        testing::ResetEngineScript();
        os.libraries.Register(kEngine, testing::FakeEngineExports());
        os.files.AddFile(kEngine, std::string_view("MZ"));
        engine = Engine::Load(os.libraries, kEngine);
        checker = std::make_unique<FileChecker>(*engine, os.files);
    }

    // A file on disk that the engine answers `result` for, naming it `name`.
    void Plant(std::u16string_view path, std::int32_t result, std::string name = "Test.Name") {
        os.files.AddFile(path, std::string_view("content"));
        testing::EngineScript().results[std::u16string(path)] = result;
        testing::EngineScript().names[std::u16string(path)] = std::move(name);
    }

    void TurnFilterOn() {
        checker->filter.turboSetting = true;
        checker->filter.guiMode = true;
        checker->filter.filePhase = true;
    }

    platform::fake::FakePlatform os;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
};

struct DecodeCase {
    std::int32_t result;
    const char* type;
    const char* action;  // "" = left as it was
};

class CheckFileDecodeTest : public CheckFileTest,
                            public ::testing::WithParamInterface<DecodeCase> {};

TEST_P(CheckFileDecodeTest, ResultSplitsIntoCategoryAndAction) {
    Plant(u"C:\\x.exe", GetParam().result);
    checker->verdict.lastAction = u"previous";
    std::optional<Verdict> verdict = checker->CheckFile(u"C:\\x.exe");
    ASSERT_TRUE(verdict);
    EXPECT_EQ(ToUtf8(verdict->lastVirusName), "Test.Name");
    EXPECT_EQ(ToUtf8(verdict->lastVirusType), GetParam().type);
    std::string expected = *GetParam().action ? GetParam().action : "previous";
    EXPECT_EQ(ToUtf8(verdict->lastAction), expected);
    // The answer is also kept as the last positive one.
    EXPECT_EQ(checker->verdict.lastVirusName, verdict->lastVirusName);
    EXPECT_EQ(checker->verdict.lastAction, verdict->lastAction);
}

INSTANTIATE_TEST_SUITE_P(Results, CheckFileDecodeTest,
                         ::testing::Values(DecodeCase{37, "Suspected Virus", "CAGE"},
                                           DecodeCase{16, "", "DEL"}, DecodeCase{1, "Worm", ""},
                                           DecodeCase{3 * 16 + 7, "Injected Virus", "INJ"},
                                           DecodeCase{4 * 16 + 9, "Junk Virus", "CLN"},
                                           DecodeCase{5 * 16 + 10, "", ""},
                                           DecodeCase{2 * 16 + 3, "Trojan", "CAGE"}));

TEST_F(CheckFileTest, CleanAndNegativeAnswersLeaveTheVerdictAlone) {
    Plant(u"C:\\bad.exe", 2 * 16 + 2, "Bad.One");
    Plant(u"C:\\zero.exe", 0);
    Plant(u"C:\\negative.exe", -5);
    ASSERT_TRUE(checker->CheckFile(u"C:\\bad.exe"));
    EXPECT_FALSE(checker->CheckFile(u"C:\\zero.exe"));
    EXPECT_FALSE(checker->CheckFile(u"C:\\negative.exe"));
    EXPECT_EQ(ToUtf8(checker->verdict.lastVirusName), "Bad.One");
    EXPECT_EQ(ToUtf8(checker->verdict.lastAction), "CAGE");
}

TEST_F(CheckFileTest, NameWithoutNulKeepsTheWholeBlankPaddedBuffer) {
    Plant(u"C:\\x.exe", 17, "Padded");
    testing::EngineScript().writeNul = false;
    std::optional<Verdict> verdict = checker->CheckFile(u"C:\\x.exe");
    ASSERT_TRUE(verdict);
    std::u16string expected = u"Padded" + std::u16string(128 - 6, u' ');
    EXPECT_EQ(verdict->lastVirusName, expected);
}

TEST_F(CheckFileTest, MissingFileIsCleanWithoutAskingTheEngine) {
    testing::EngineScript().results[u"C:\\gone.exe"] = 17;
    EXPECT_FALSE(checker->CheckFile(u"C:\\gone.exe"));
    EXPECT_TRUE(testing::EngineScript().scanned.empty());
}

struct FilterCase {
    const char16_t* path;
    bool reachesEngine;
};

class CheckFileFilterTest : public CheckFileTest,
                            public ::testing::WithParamInterface<FilterCase> {};

TEST_P(CheckFileFilterTest, FastScanHandsOnlyListedExtensionsToTheEngine) {
    Plant(GetParam().path, 17);
    TurnFilterOn();
    EXPECT_EQ(checker->CheckFile(GetParam().path).has_value(), GetParam().reachesEngine)
        << ToUtf8(GetParam().path);
    EXPECT_EQ(testing::EngineScript().scanned.size(), GetParam().reachesEngine ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, CheckFileFilterTest,
    ::testing::Values(FilterCase{u"C:\\setup.EXE", true}, FilterCase{u"C:\\photo.jpg", false},
                      FilterCase{u"C:\\README", true}, FilterCase{u"C:\\cage\\x.vra", true},
                      // one letter is looked for inside the list text
                      FilterCase{u"C:\\a.c", true}, FilterCase{u"C:\\a.z", false},
                      FilterCase{u"C:\\autorun.inf", true}));

TEST_F(CheckFileTest, FilterAppliesOnlyWhenEveryConditionHolds) {
    Plant(u"C:\\photo.jpg", 17);
    EXPECT_TRUE(checker->CheckFile(u"C:\\photo.jpg"));  // filter off

    TurnFilterOn();
    checker->filter.detectedBeforeFiles = true;  // a detection before the files widens the scan
    EXPECT_TRUE(checker->CheckFile(u"C:\\photo.jpg"));

    checker->filter = {};
    checker->filter.hostFolderScan = true;  // the protection host always filters its folders
    EXPECT_FALSE(checker->CheckFile(u"C:\\photo.jpg"));
}

TEST_F(CheckFileTest, FileExceptionsMatchWholePathsWithoutRegardToCase) {
    Plant(u"C:\\Tools\\keep.exe", 17);
    Plant(u"C:\\Tools\\keep.exe.bak", 17);
    checker->fileExceptions = u"D:\\other.exe|c:\\TOOLS\\KEEP.EXE";
    EXPECT_FALSE(checker->CheckFile(u"C:\\Tools\\keep.exe"));
    EXPECT_TRUE(checker->CheckFile(u"C:\\Tools\\keep.exe.bak"));
}

TEST(CategoryNameTest, OutsideOneToNineIsEmpty) {
    EXPECT_EQ(ToUtf8(CategoryName(6)), "User Virus");
    EXPECT_EQ(ToUtf8(CategoryName(8)), "Fusion Virus");
    EXPECT_EQ(CategoryName(0), u"");
    EXPECT_EQ(CategoryName(10), u"");
    EXPECT_EQ(CategoryName(-1), u"");
}

TEST(EngineClientTest, ChecksumTextIsUpperHexWithoutLeadingZeros) {
    platform::fake::FakePlatform os;
    os.files.AddFile(kEngine, std::string_view("MZ"));
    os.libraries.Register(kEngine, testing::FakeEngineExports());
    auto engine = Engine::Load(os.libraries, kEngine);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(ToUtf8(engine->ChecksumText(u"C:\\any")), "ABCDEF|F0000001");
}

TEST(EngineClientTest, LibraryMissingAnExportDoesNotLoad) {
    platform::fake::FakePlatform os;
    auto exports = testing::FakeEngineExports();
    exports.erase("SuperKill");
    os.files.AddFile(kEngine, std::string_view("MZ"));
    os.libraries.Register(kEngine, exports);
    EXPECT_EQ(Engine::Load(os.libraries, kEngine), nullptr);
    EXPECT_EQ(os.libraries.liveCount(), 0);
}

}  // namespace
}  // namespace vestra
