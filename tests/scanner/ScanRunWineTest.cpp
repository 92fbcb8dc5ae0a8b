// The scan run on a real file system under Wine: trees planted on the Windows drive C: and on the
// removable drive E:, a shortcut written by the shell's own link object, hidden paths, and the
// rows a whole StartScan leaves. The engine is the scripted stand-in, and, once the Windows build
// has produced it, the real VestEngine.dll with its database and the test samples.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include "common/FileNames.h"
#include "platform/Text.h"
#include "platform/fake/FakeLibraries.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/win32/Win32Platform.h"
#include "remediation/HiddenPaths.h"
#include "scanner/ScanRun.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/SampleTable.h"

namespace vestra {
namespace {

namespace attr = platform::attr;

constexpr char16_t kStandInEngine[] = u"C:\\VestraScanTest\\StandIn.dll";

std::set<std::string> Column(const ResultList& list, std::size_t column) {
    std::set<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i)
        out.insert(ToUtf8(list.Cell(i, column)));
    return out;
}

class ScanRunWineTest : public ::testing::Test {
protected:
    ScanRunWineTest() {
        messages.LoadMessages(config::kLanguageEnglish);
        for (const char16_t* root :
             {u"C:\\VestraScanTest", u"E:\\VestraScanTest", u"C:\\VestraPayload"}) {
            Remove(root);
        }
    }
    ~ScanRunWineTest() override {
        for (const char16_t* root :
             {u"C:\\VestraScanTest", u"E:\\VestraScanTest", u"C:\\VestraPayload"}) {
            Remove(root);
        }
    }

    void Write(std::u16string_view path, std::string_view bytes, std::uint32_t attributes = 0) {
        std::u16string folder(path.substr(0, path.rfind(u'\\')));
        for (std::size_t at = 3; at <= folder.size(); ++at) {
            if (at == folder.size() || folder[at] == u'\\')
                files().CreateFolder(folder.substr(0, at));
        }
        auto handle = files().Open(path, platform::FileAccess::Write, platform::share::kNone,
                                   platform::Disposition::CreateAlways);
        ASSERT_TRUE(handle.ok()) << ToUtf8(path);
        auto data = std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ASSERT_EQ((*handle)->Write(data), platform::OsError::None);
        handle->reset();
        if (attributes != 0) {
            ASSERT_EQ(files().SetAttributes(path, attributes), platform::OsError::None);
        }
    }
    void Folder(std::u16string_view path, std::uint32_t attributes) {
        Write(std::u16string(path) + u"\\inside.txt", "x");
        ASSERT_EQ(files().SetAttributes(path, attributes), platform::OsError::None);
    }
    void Remove(std::u16string_view path) {
        std::uint32_t a = files().GetAttributes(path);
        if (a == attr::kInvalid)
            return;
        files().SetAttributes(path, attr::kNormal);
        if ((a & attr::kDirectory) == 0) {
            files().Delete(path);
            return;
        }
        if (auto entries = files().Find(std::u16string(path) + u"\\*")) {
            for (const auto& entry : *entries)
                Remove(std::u16string(path) + u"\\" + entry.name);
        }
        files().RemoveFolder(path);
    }

    // A shortcut written by the shell's link object, not by this program's own code.
    void ShellShortcut(std::u16string_view link, std::u16string_view target) {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        IShellLinkW* shellLink = nullptr;
        ASSERT_TRUE(
            SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, reinterpret_cast<void**>(&shellLink))));
        std::wstring targetText(target.begin(), target.end());
        shellLink->SetPath(targetText.c_str());
        IPersistFile* file = nullptr;
        ASSERT_TRUE(SUCCEEDED(
            shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
        std::wstring linkText(link.begin(), link.end());
        EXPECT_TRUE(SUCCEEDED(file->Save(linkText.c_str(), TRUE)));
        file->Release();
        shellLink->Release();
        CoUninitialize();
    }

    // The whole scan run over the two test folders, areas off.
    void ScanBothDrives(Engine& engine) {
        FileChecker checker(engine, files());
        TargetTree tree(files());
        for (std::u16string_view key :
             {kKeySystem, kKeyProcesses, kKeyServices, kKeyRegistry, kKeyStartup}) {
            tree.SetCheck(tree.FindKey(key), false);
        }
        ASSERT_NE(CheckTree(tree, files(), u"C:\\VestraScanTest", false), kNoNode);
        ASSERT_NE(CheckTree(tree, files(), u"E:\\VestraScanTest", false), kNoNode);
        remediation::HiddenPaths hidden(files(), report);
        ScanRunView view;
        ScanRun run({files(), os.system, windows, messages, checker, tree, report, hidden.Check()},
                    view);
        run.StartScan(false);
        EXPECT_TRUE(report.state.finished);
    }

    platform::FileSystem& files() { return os.files; }

    platform::win32::Win32Platform real;
    platform::Platform os = real.platform();
    platform::fake::FakeWindowSystem windows;  // answers the summary box instead of a user
    config::MessageTable messages;
    ScanReport report;
};

TEST_F(ScanRunWineTest, EDriveIsRemovableAndCIsTheWindowsDrive) {
    EXPECT_EQ(files().GetDriveType(u"E:\\"), platform::DriveType::Removable);
    EXPECT_EQ(LowerCase(os.system.WindowsDirectory().substr(0, 3)), u"c:\\");
}

TEST_F(ScanRunWineTest, StandInEngineFindsExactlyThePlantedFilesOnBothDrives) {
    testing::ResetEngineScript();
    const char16_t* detected[] = {
        u"C:\\VestraScanTest\\mal1.exe", u"C:\\VestraScanTest\\Sub\\Deep\\mal2.vbs",
        u"E:\\VestraScanTest\\mal1.exe", u"E:\\VestraScanTest\\Sub\\Deep\\mal2.vbs",
        u"C:\\VestraPayload\\payload.exe"};
    for (const char16_t* path : detected) {
        Write(path, "planted");
        testing::EngineScript().results[path] = 1 + 16;  // Worm, DEL
        testing::EngineScript().names[path] = "Wine.Planted";
    }
    for (const char16_t* root : {u"C:\\VestraScanTest", u"E:\\VestraScanTest"}) {
        std::u16string r(root);
        Write(r + u"\\clean.txt", "clean");
        Write(r + u"\\Sub\\clean.exe", "clean");
        Write(r + u"\\copy.exe", "clean", attr::kHidden);
        Folder(r + u"\\Secret", attr::kHidden | attr::kSystem);
        Write(r + u"\\desktop.ini", "[.ShellClassInfo]", attr::kHidden | attr::kSystem);
        Write(r + u"\\Sub\\Thumbs.db", "x", attr::kHidden);
    }
    ShellShortcut(u"C:\\VestraScanTest\\Open me.lnk", u"C:\\VestraPayload\\payload.exe");

    Write(kStandInEngine, "MZ");
    platform::fake::FakeLibraries libraries;
    libraries.Register(kStandInEngine, testing::FakeEngineExports());
    auto engine = Engine::Load(libraries, kStandInEngine);
    ASSERT_NE(engine, nullptr);
    ScanBothDrives(*engine);

    EXPECT_EQ(Column(report.detect, detect_column::kFilePath),
              (std::set<std::string>{
                  "C:\\VestraScanTest\\mal1.exe", "C:\\VestraScanTest\\Sub\\Deep\\mal2.vbs",
                  "E:\\VestraScanTest\\mal1.exe", "E:\\VestraScanTest\\Sub\\Deep\\mal2.vbs",
                  "C:\\VestraPayload\\payload.exe", "C:\\VestraScanTest\\Open me.lnk"}));
    EXPECT_EQ(report.state.filesDetected, 6);
    // Hidden paths only on the removable drive; desktop.ini and Thumbs.db never.
    EXPECT_EQ(
        Column(report.hidden, hidden_column::kPath),
        (std::set<std::string>{"E:\\VestraScanTest\\copy.exe", "E:\\VestraScanTest\\Secret"}));
    EXPECT_EQ(report.state.filesScanned, report.state.totalFiles);
    ASSERT_FALSE(windows.messageBoxes().empty());
    EXPECT_EQ(ToUtf8(windows.messageBoxes().back().title), "Computer Status");
}

// The real engine of the Windows build over copies of the test samples and an EICAR file, on
// both drives among clean files: the rows are exactly the planted malware, with the names and
// categories of the samples' table.
TEST_F(ScanRunWineTest, RealEngineFindsExactlyThePlantedSamples) {
    std::u16string dll = testing::UnixPathAsWindows("VESTRA_BINARY_DIR", u"\\dist\\VestEngine.dll");
    std::u16string samples = testing::UnixPathAsWindows("VESTRA_SOURCE_DIR", u"\\tests\\samples\\");
    // The engine is a dependency of this test program: a missing one is a broken build.
    ASSERT_TRUE(!dll.empty() && files().Exists(dll)) << "no " << ToUtf8(dll);
    auto engine = Engine::Load(os.libraries, dll);
    ASSERT_NE(engine, nullptr);
    engine->Start();

    // expected.tsv: sample <TAB> name <TAB> category <TAB> action; "-" names a clean sample.
    auto table = ReadFileHead(files(), samples + u"expected.tsv", 1 << 20);
    ASSERT_FALSE(table.empty());
    std::set<std::string> expected, names;
    std::string text(table.begin(), table.end());
    int index = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        std::string sample = line.substr(0, line.find('\t'));
        std::string name =
            line.substr(sample.size() + 1, line.find('\t', sample.size() + 1) - sample.size() - 1);
        std::u16string source = samples + FromUtf8(sample);
        std::replace(source.begin(), source.end(), u'/', u'\\');
        std::u16string file = ToText(index++) + u"_" + FileNameOf(source, true);
        for (const char16_t* root : {u"C:\\VestraScanTest\\", u"E:\\VestraScanTest\\Deep\\"}) {
            std::u16string copy = root + file;
            Write(copy, "");
            ASSERT_EQ(files().Copy(source, copy, false), platform::OsError::None) << sample;
            if (name != "-")
                expected.insert(ToUtf8(copy));
        }
        if (name != "-")
            names.insert(name);
    }
    ASSERT_GE(expected.size(), 2u);
    const std::string eicar = testing::EicarText();
    Write(u"E:\\VestraScanTest\\eicar.com", eicar);
    expected.insert("E:\\VestraScanTest\\eicar.com");
    names.insert("Eicar-Test-Signature");
    Write(u"C:\\VestraScanTest\\clean.txt", "nothing to see");
    Write(u"E:\\VestraScanTest\\clean.exe", "MZ but nothing else");

    ScanBothDrives(*engine);
    EXPECT_EQ(Column(report.detect, detect_column::kFilePath), expected);
    EXPECT_EQ(Column(report.detect, detect_column::kVirusName), names);
    EXPECT_EQ(report.hidden.Count(), 0u);
}

}  // namespace
}  // namespace vestra
