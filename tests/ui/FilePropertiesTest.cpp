// The file properties window's contents on the fakes: a running program with a version
// resource, a file without one, a missing file, a process that ended or whose id now names
// another program, a process that refuses to be opened, and the module list.
#include "ui/model/FileProperties.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeVersionInfo.h"

namespace vestra::ui {
namespace {

constexpr char16_t kTool[] = u"C:\\Tools\\Tool.exe";
constexpr std::uint32_t kToolId = 700;

std::vector<std::string> Values(const std::vector<PropertyRow>& rows) {
    std::vector<std::string> values;
    for (const PropertyRow& row : rows)
        values.push_back(ToUtf8(row.value));
    return values;
}

class FilePropertiesTest : public ::testing::Test {
protected:
    FilePropertiesTest() {
        files.AddDrive(u'C', platform::DriveType::Fixed);
        files.AddFile(kTool, std::string(2560, 'x'));
        files.AddFile(u"C:\\Tools\\helper.dll", std::string_view("MZ"));
        versions.Set(kTool, {{u"CompanyName", u"Acme"},
                             {u"FileDescription", u"Acme Tool"},
                             {u"FileVersion", u"1.2.3"},
                             // Resources spell this key in their own way.
                             {u"OriginalFilename", u"TOOL.EXE"},
                             {u"SpecialBuild", u"nightly"}});
        versions.Set(u"C:\\Tools\\helper.dll", {{u"FileDescription", u"Helper Library"}});
        platform::fake::FakeProcess tool;
        tool.processId = kToolId;
        tool.exeName = u"Tool.exe";
        tool.imagePath = u"c:\\tools\\TOOL.exe";
        tool.modules = {tool.imagePath, u"C:\\Tools\\helper.dll", u"C:\\Gone\\unloaded.dll"};
        tool.memory = {.workingSet = 8192,
                       .peakWorkingSet = 10240 + 1023,
                       .pagefileUsage = 4096,
                       .pageFaults = 1234,
                       .peakPagefileUsage = 5000};
        processes.Add(tool);
    }

    FileProperties Gather(std::u16string_view path, std::uint32_t id, int language = 1) {
        return GatherFileProperties(seams, {std::u16string(path), id}, language);
    }

    platform::fake::FakeFileSystem files;
    platform::fake::FakeVersionInfo versions;
    platform::fake::FakeProcesses processes;
    FilePropertiesSeams seams{files, versions, processes};
};

TEST_F(FilePropertiesTest, RunningProgramShowsHeaderFiguresAndVersionStrings) {
    const FileProperties shown = Gather(kTool, kToolId);
    EXPECT_EQ(ToUtf8(shown.caption), "Tool.exe Properties");
    EXPECT_EQ(ToUtf8(shown.nameLine), "Process Name : Tool.exe");
    EXPECT_EQ(ToUtf8(shown.descriptionLine), "Description : Acme Tool");
    EXPECT_TRUE(shown.processRunning);

    ASSERT_EQ(shown.processInfo.size(), 8u);
    const std::vector<std::string> names = {"File Path",
                                            "Process ID",
                                            "File Size",
                                            "Page File Usage",
                                            "Memory Usage",
                                            "Page Faults",
                                            "Peak Page File Usage",
                                            "Peak Memory Usage"};
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(ToUtf8(shown.processInfo[i].name), names[i]);
    // 2560 bytes are 2.5 KB, which rounds to the even 2; memory figures are cut to whole KB.
    EXPECT_EQ(Values(shown.processInfo),
              (std::vector<std::string>{"C:\\Tools\\Tool.exe", "700", "2 KB", "4 KB", "8 KB",
                                        "1234", "4 KB", "10 KB"}));

    ASSERT_EQ(shown.fileVersion.size(), 12u);
    EXPECT_EQ(ToUtf8(shown.fileVersion[0].name), "CompanyName");
    EXPECT_EQ(ToUtf8(shown.fileVersion[11].name), "SpecialBuild");
    EXPECT_EQ(Values(shown.fileVersion),
              (std::vector<std::string>{"Acme", "Acme Tool", "1.2.3", "", "", "TOOL.EXE", "", "",
                                        "", "", "", "nightly"}));
}

TEST_F(FilePropertiesTest, WhatCannotBeKnownStaysEmpty) {
    files.AddFile(u"C:\\plain.txt", std::string(1536, 'y'));
    struct Case {
        const char* what;
        std::u16string path;
        std::uint32_t id;
        std::string size;
        std::string processId;
    };
    const Case cases[] = {
        {"a file without a version resource", u"C:\\plain.txt", 0, "2 KB", ""},
        {"a file that is gone", u"C:\\Tools\\deleted.exe", 0, "N/A", ""},
        {"a process that ended", kTool, 999, "2 KB", "999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FileProperties shown = Gather(c.path, c.id);
        EXPECT_FALSE(shown.processRunning);
        EXPECT_EQ(shown.processInfo[2].value, FromUtf8(c.size));
        EXPECT_EQ(shown.processInfo[1].value, FromUtf8(c.processId));
        for (std::size_t row = 3; row < 8; ++row)
            EXPECT_TRUE(shown.processInfo[row].value.empty()) << row;
        EXPECT_TRUE(GatherModules(seams, {c.path, c.id}).empty());
    }
    for (const PropertyRow& row : Gather(u"C:\\plain.txt", 0).fileVersion)
        EXPECT_TRUE(row.value.empty()) << ToUtf8(row.name);
    EXPECT_EQ(ToUtf8(Gather(u"C:\\plain.txt", 0).descriptionLine), "Description : ");
}

TEST_F(FilePropertiesTest, AnIdThatNowNamesAnotherProgramLendsNothing) {
    platform::fake::FakeProcess other;
    other.processId = 800;
    other.imagePath = u"C:\\Other\\other.exe";
    other.memory.workingSet = 1 << 20;
    processes.Add(other);
    const FileProperties shown = Gather(kTool, 800);
    EXPECT_FALSE(shown.processRunning);
    EXPECT_TRUE(shown.processInfo[4].value.empty());
    EXPECT_TRUE(GatherModules(seams, {kTool, 800}).empty());
}

TEST_F(FilePropertiesTest, AProcessThatRefusesToOpenShowsNoFigures) {
    processes.Get(kToolId)->protectedProcess = true;
    EXPECT_TRUE(Gather(kTool, kToolId).processInfo[4].value.empty());
    EXPECT_TRUE(GatherModules(seams, {kTool, kToolId}).empty());

    processes.Get(kToolId)->protectedProcess = false;
    processes.faults().FailNth(platform::fake::ProcOp::Memory, 1, platform::OsError::Other);
    const FileProperties shown = Gather(kTool, kToolId);
    EXPECT_TRUE(shown.processRunning);
    EXPECT_TRUE(shown.processInfo[4].value.empty());
    EXPECT_EQ(ToUtf8(shown.processInfo[2].value), "2 KB");
}

TEST_F(FilePropertiesTest, ModulesAreTheLoadedFilesThatExistImageFirst) {
    const auto modules = GatherModules(seams, {kTool, kToolId});
    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(ToUtf8(modules[0].name), "TOOL.exe");
    EXPECT_EQ(ToUtf8(modules[0].description), "Acme Tool");
    EXPECT_EQ(ToUtf8(modules[1].name), "helper.dll");
    EXPECT_EQ(ToUtf8(modules[1].description), "Helper Library");
    EXPECT_EQ(ToUtf8(modules[1].path), "C:\\Tools\\helper.dll");
    EXPECT_TRUE(GatherModules(seams, {kTool, 0}).empty());
}

TEST_F(FilePropertiesTest, IndonesianLabelsKeepTheValues) {
    const FileProperties shown = Gather(kTool, kToolId, 0);
    EXPECT_EQ(ToUtf8(shown.nameLine), "Nama Proses : Tool.exe");
    EXPECT_EQ(ToUtf8(shown.descriptionLine), "Deskripsi : Acme Tool");
    EXPECT_EQ(ToUtf8(shown.processInfo[1].name), "ID Proses");
    EXPECT_EQ(Values(shown.processInfo), Values(Gather(kTool, kToolId, 1).processInfo));
    EXPECT_EQ(ToUtf8(shown.fileVersion[0].name), "CompanyName");
}

TEST(WebSearchAddressTest, EncodesTheNameAsUtf8) {
    EXPECT_EQ(ToUtf8(WebSearchAddress(u"kernel32.dll")),
              "https://www.google.com/search?q=kernel32.dll");
    EXPECT_EQ(ToUtf8(WebSearchAddress(u"a b&c\u00e9.exe")),
              "https://www.google.com/search?q=a%20b%26c%C3%A9.exe");
}

}  // namespace
}  // namespace vestra::ui
