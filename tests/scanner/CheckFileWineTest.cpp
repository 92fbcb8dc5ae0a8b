// The single-file check against the real VestEngine.dll of this build on real files under Wine:
// every test sample's verdict, EICAR, the fast-scan filter, file exceptions, and files that are
// missing, empty or locked.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/win32/Win32Platform.h"
#include "scanner/CheckFile.h"
#include "tests/support/SampleTable.h"

namespace vestra {
namespace {

namespace p = platform;

constexpr char16_t kWork[] = u"C:\\VestraCheckFileTest";

class CheckFileWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clean();
        ASSERT_EQ(files().CreateFolder(kWork), p::OsError::None);
        std::u16string dll =
            testing::UnixPathAsWindows("VESTRA_BINARY_DIR", u"\\dist\\VestEngine.dll");
        ASSERT_TRUE(files().Exists(dll)) << "the build's engine is missing: " << ToUtf8(dll);
        engine = Engine::Load(os.libraries, dll);
        ASSERT_NE(engine, nullptr);
        engine->Start();
        checker = std::make_unique<FileChecker>(*engine, os.files);
    }
    void TearDown() override {
        checker.reset();
        engine.reset();
        Clean();
    }

    p::FileSystem& files() { return os.files; }

    void Clean() {
        auto entries = files().Find(std::u16string(kWork) + u"\\*");
        if (entries) {
            for (const auto& e : *entries) {
                std::u16string path = std::u16string(kWork) + u"\\" + e.name;
                files().SetAttributes(path, p::attr::kNormal);
                files().Delete(path);
            }
        }
        files().RemoveFolder(kWork);
    }

    std::u16string Write(std::u16string_view name, std::string_view bytes) {
        std::u16string path = std::u16string(kWork) + u"\\" + std::u16string(name);
        auto file =
            files().Open(path, p::FileAccess::Write, p::share::kNone, p::Disposition::CreateAlways);
        EXPECT_TRUE(file.ok());
        if (file.ok()) {
            (*file)->Write({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
        }
        return path;
    }

    std::u16string CopySample(const std::string& sample, std::u16string_view asName) {
        std::u16string from =
            testing::UnixPathAsWindows("VESTRA_SOURCE_DIR", u"\\tests\\samples\\") +
            FromUtf8(sample);
        std::replace(from.begin(), from.end(), u'/', u'\\');
        std::u16string to = std::u16string(kWork) + u"\\" + std::u16string(asName);
        EXPECT_EQ(files().Copy(from, to, false), p::OsError::None) << sample;
        return to;
    }

    p::win32::Win32Platform win32;
    p::Platform os = win32.platform();
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
};

TEST_F(CheckFileWineTest, EverySampleGetsItsNameCategoryAndAction) {
    std::string samples =
        ToUtf8(testing::UnixPathAsWindows("VESTRA_SOURCE_DIR", u"\\tests\\samples"));
    auto table = testing::ReadExpectedSamples(samples);
    ASSERT_GE(table.size(), 6u);
    for (const auto& row : table) {
        std::u16string path =
            CopySample(row.sample, FromUtf8(row.sample.substr(row.sample.rfind('/') + 1)));
        checker->verdict = {};
        bool detected = checker->CheckFile(path).has_value();
        EXPECT_EQ(detected, !row.name.empty()) << row.sample;
        if (!detected)
            continue;
        EXPECT_EQ(ToUtf8(checker->verdict.lastVirusName), row.name) << row.sample;
        EXPECT_EQ(checker->verdict.lastVirusType, CategoryName(row.category)) << row.sample;
        EXPECT_EQ(ToUtf8(checker->verdict.lastAction), row.action) << row.sample;
    }
}

TEST_F(CheckFileWineTest, EicarIsAVirusToDelete) {
    std::u16string path = Write(u"eicar.com", testing::EicarText());
    ASSERT_TRUE(checker->CheckFile(path));
    EXPECT_EQ(ToUtf8(checker->verdict.lastVirusName), "Eicar-Test-Signature");
    EXPECT_EQ(ToUtf8(checker->verdict.lastVirusType), "Virus");
    EXPECT_EQ(ToUtf8(checker->verdict.lastAction), "DEL");
}

TEST_F(CheckFileWineTest, FastScanSkipsUnlistedExtensionsButNotFilesWithout) {
    std::u16string picture = Write(u"holiday.jpg", testing::EicarText());
    std::u16string bare = Write(u"EICAR", testing::EicarText());
    std::u16string program = Write(u"SETUP.EXE", testing::EicarText());
    checker->filter.turboSetting = checker->filter.guiMode = checker->filter.filePhase = true;
    EXPECT_FALSE(checker->CheckFile(picture));
    EXPECT_TRUE(checker->CheckFile(bare));
    EXPECT_TRUE(checker->CheckFile(program));
    checker->filter.filePhase = false;
    EXPECT_TRUE(checker->CheckFile(picture));
}

TEST_F(CheckFileWineTest, ExceptedPathIsCleanInAnyLetterCase) {
    std::u16string path = Write(u"Tool.exe", testing::EicarText());
    checker->fileExceptions = u"C:\\elsewhere.exe|" + UpperCase(path);
    EXPECT_FALSE(checker->CheckFile(path));
    checker->fileExceptions.clear();
    EXPECT_TRUE(checker->CheckFile(path));
}

TEST_F(CheckFileWineTest, MissingEmptyAndLockedFilesAreClean) {
    EXPECT_FALSE(checker->CheckFile(std::u16string(kWork) + u"\\never-there.exe"));
    EXPECT_FALSE(checker->CheckFile(Write(u"empty.exe", "")));

    std::u16string locked = Write(u"locked.exe", testing::EicarText());
    auto holder = files().Open(locked, p::FileAccess::ReadWrite, p::share::kNone,
                               p::Disposition::OpenExisting);
    ASSERT_TRUE(holder.ok());
    EXPECT_FALSE(checker->CheckFile(locked));
    holder = p::OsError::Other;  // closes the file
    EXPECT_TRUE(checker->CheckFile(locked));
}

TEST_F(CheckFileWineTest, ChecksumTextOfARealFile) {
    std::u16string path = Write(u"data.bin", "some bytes");
    std::u16string text = engine->ChecksumText(path);
    ASSERT_NE(text.find(u'|'), std::u16string::npos) << ToUtf8(text);
    EXPECT_EQ(text, engine->ChecksumText(path));
    EXPECT_NE(text, engine->ChecksumText(Write(u"other.bin", "other bytes")));
    EXPECT_EQ(engine->ChecksumText(std::u16string(kWork) + u"\\missing.bin"), u"");
}

}  // namespace
}  // namespace vestra
