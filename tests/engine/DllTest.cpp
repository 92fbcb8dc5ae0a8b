// VestEngine.dll as the program loads it: LoadLibrary on a copy of dist/VestEngine.dll and
// dist/Vestra.loov in a fresh folder, every export called with the program's buffers. Child runs
// of this same test program play the second process and the process to kill.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/engine/TestFiles.h"
#include "tests/engine/ZipWriter.h"

namespace {

namespace fs = std::filesystem;

using InitDB = std::int32_t(__stdcall*)();
using CountDB = std::int32_t(__stdcall*)(std::int32_t);
using ScanFile = std::int32_t(__stdcall*)(const wchar_t*, char*);
using EnumDB = std::int32_t(__stdcall*)(std::int32_t, std::int32_t, std::int32_t*, char*);
using FileChecksum = std::int32_t(__stdcall*)(const wchar_t*, std::int32_t*, std::int32_t*);
using AddVBU = std::int32_t(__stdcall*)(const wchar_t*, const char*);
using RemoveVBU = std::int32_t(__stdcall*)(const wchar_t*);
using SuperKill = std::int32_t(__stdcall*)(std::int32_t);

// Paths from CTest's environment are Unix paths; Wine shows the Unix root as drive Z:.
fs::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value)
        return {};
    std::string text = value;
    if (text.starts_with("/"))
        text = "Z:" + text;
    return fs::path(text).make_preferred();
}

struct Exports {
    HMODULE module = nullptr;
    InitDB initDB = nullptr;
    CountDB countDB = nullptr;
    ScanFile scanFile = nullptr;
    EnumDB enumDB = nullptr;
    FileChecksum fileChecksum = nullptr;
    AddVBU addVBU = nullptr;
    RemoveVBU removeVBU = nullptr;
    SuperKill superKill = nullptr;

    template <class F>
    void Bind(const char* name, F& slot) {
        slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
        EXPECT_NE(slot, nullptr) << name;
    }
    bool Load(const fs::path& dll) {
        module = LoadLibraryW(dll.c_str());
        if (!module)
            return false;
        Bind("VestInitDB", initDB);
        Bind("VestCountDB", countDB);
        Bind("VestScanFile", scanFile);
        Bind("VestEnumDB", enumDB);
        Bind("VestFileChecksum", fileChecksum);
        Bind("VestAddVBU", addVBU);
        Bind("VestRemoveVBU", removeVBU);
        Bind("SuperKill", superKill);
        return superKill != nullptr && initDB != nullptr;
    }
};

// The program's name buffer: 128 bytes of spaces.
struct NameBuffer {
    char bytes[128];
    NameBuffer() { std::memset(bytes, ' ', sizeof bytes); }
    std::string Name() const { return std::string(bytes, strnlen(bytes, sizeof bytes)); }
    bool Untouched() const {
        return std::all_of(std::begin(bytes), std::end(bytes), [](char c) { return c == ' '; });
    }
};

struct Answer {
    std::int32_t result = 0;
    std::string name;
    int Category() const { return result % 16; }
    int Action() const { return (result - result % 16) / 16; }
};

// Runs this test program again with one test and some environment; returns its process.
HANDLE StartChild(const std::string& filter, const std::wstring& variable,
                  const std::wstring& value) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=" +
                           std::wstring(filter.begin(), filter.end());
    SetEnvironmentVariableW(variable.c_str(), value.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &info);
    SetEnvironmentVariableW(variable.c_str(), nullptr);
    if (!started)
        return nullptr;
    CloseHandle(info.hThread);
    return info.hProcess;
}

DWORD WaitForChild(HANDLE child, DWORD milliseconds) {
    DWORD code = 1;
    if (WaitForSingleObject(child, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(child, &code);
    CloseHandle(child);
    return code;
}

class EngineLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        fs::path dist = FromEnvironment("VESTRA_BINARY_DIR") / "dist";
        ASSERT_TRUE(fs::exists(dist / "VestEngine.dll")) << dist.string();
        fs::copy_file(dist / "VestEngine.dll", folder_ / "VestEngine.dll");
        fs::copy_file(dist / "Vestra.loov", folder_ / "Vestra.loov");
        ASSERT_TRUE(engine_.Load(folder_ / "VestEngine.dll"));
        ASSERT_EQ(engine_.initDB(), 1);
    }
    void TearDown() override {
        if (engine_.module)
            FreeLibrary(engine_.module);
    }

    Answer Scan(const fs::path& path) {
        NameBuffer buffer;
        Answer answer;
        answer.result = engine_.scanFile(path.c_str(), buffer.bytes);
        answer.name = answer.result > 0 ? buffer.Name() : std::string();
        if (answer.result <= 0) {
            EXPECT_TRUE(buffer.Untouched());
        }
        return answer;
    }
    fs::path File(const std::string& name, const std::string& content) {
        vestra::engine::testing::WriteBytes(folder_ / name, content);
        return folder_ / name;
    }

    vestra::engine::testing::TempFolder folder_;
    Exports engine_;
};

TEST_F(EngineLibrary, CountsMakeTheSignatureTotal) {
    std::int32_t hashes = engine_.countDB(1), patterns = engine_.countDB(2);
    std::int32_t user = engine_.countDB(4), reserved = engine_.countDB(3);
    EXPECT_EQ(hashes, 2);
    EXPECT_EQ(patterns, 5);
    EXPECT_EQ(user, 0);
    EXPECT_EQ(reserved, 0);
    EXPECT_EQ(hashes + user + 3 * (patterns + reserved), 17);
    EXPECT_EQ(engine_.countDB(0), 0);
    EXPECT_EQ(engine_.countDB(9), 0);
}

TEST_F(EngineLibrary, EnumeratesEntriesWithTheirCategory) {
    struct Entry {
        int kind, index;
        const char* name;
        int type;
    };
    for (const Entry& e :
         {Entry{1, 0, "Vestra.Test.Trojan.AutorunDropper", 3},
          Entry{1, 1, "Vestra.Test.Script.MacroNote", 4}, Entry{2, 0, "Eicar-Test-Signature", 2}}) {
        NameBuffer buffer;
        std::int32_t type = -1;
        ASSERT_GE(engine_.enumDB(e.kind, e.index, &type, buffer.bytes), 1) << e.name;
        EXPECT_EQ(buffer.Name(), e.name);
        EXPECT_EQ(buffer.bytes[std::strlen(e.name) + 1], ' ');  // nothing written past the NUL
        EXPECT_EQ(type, e.type);
    }
    NameBuffer buffer;
    std::int32_t type = -1;
    EXPECT_LT(engine_.enumDB(1, 2, &type, buffer.bytes), 1);
    EXPECT_LT(engine_.enumDB(1, -1, &type, buffer.bytes), 1);
    EXPECT_LT(engine_.enumDB(4, 0, &type, buffer.bytes), 1);
    EXPECT_TRUE(buffer.Untouched());
}

TEST_F(EngineLibrary, DetectsEicarAndEverySample) {
    Answer eicar = Scan(File("eicar.com", vestra::engine::testing::EicarText()));
    EXPECT_EQ(eicar.name, "Eicar-Test-Signature");
    EXPECT_EQ(eicar.Category(), 2);
    EXPECT_EQ(eicar.Action(), 1);

    fs::path samples = FromEnvironment("VESTRA_SOURCE_DIR") / "tests" / "samples";
    std::ifstream table(samples / "expected.tsv");
    std::string line;
    const char* actions[] = {"", "DEL", "CAGE", "INJ", "CLN"};
    int rows = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string sample, name, action;
        int category = 0;
        std::getline(fields, sample, '\t');
        std::getline(fields, name, '\t');
        fields >> category >> action;
        Answer answer = Scan(samples / fs::path(sample).make_preferred());
        ++rows;
        if (name == "-") {
            EXPECT_EQ(answer.result, 0) << sample;
            continue;
        }
        EXPECT_EQ(answer.name, name) << sample;
        EXPECT_EQ(answer.Category(), category) << sample;
        ASSERT_GE(answer.Action(), 1) << sample;
        ASSERT_LE(answer.Action(), 4) << sample;
        EXPECT_EQ(actions[answer.Action()], action) << sample;
    }
    EXPECT_GE(rows, 7);
}

// The archive's verdict is its first member's, inside an archive inside it too.
TEST_F(EngineLibrary, DetectsTheTestFileInsideArchives) {
    using vestra::engine::testing::ZipWriter;
    ZipWriter inner;
    inner.Add("readme.txt", "nothing here");
    inner.Add("eicar.com", vestra::engine::testing::EicarText());
    ZipWriter outer;
    outer.Add("inner.zip", inner.Write());
    fs::path archive = folder_ / "eicar_com.dat";
    vestra::engine::testing::WriteBytes(archive, outer.Write());
    Answer answer = Scan(archive);
    EXPECT_EQ(answer.name, "Eicar-Test-Signature");
    EXPECT_EQ(answer.Category(), 2);
    EXPECT_EQ(answer.Action(), 1);

    ZipWriter clean;
    clean.Add("readme.txt", "nothing here");
    vestra::engine::testing::WriteBytes(folder_ / "clean.zip", clean.Write());
    EXPECT_EQ(Scan(folder_ / "clean.zip").result, 0);
}

TEST_F(EngineLibrary, MissingAndEmptyFilesAreClean) {
    EXPECT_EQ(Scan(folder_ / "missing.exe").result, 0);
    EXPECT_EQ(Scan(File("empty.exe", "")).result, 0);
    EXPECT_EQ(Scan(folder_.path()).result, 0);
    EXPECT_EQ(engine_.scanFile(nullptr, nullptr), 0);
}

TEST_F(EngineLibrary, ChecksumHalvesMakeTheProgramsText) {
    std::int32_t a = 7, b = 7;
    ASSERT_NE(engine_.fileChecksum(File("abc.txt", "abc").c_str(), &a, &b) & 0xFFFF, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%X|%X", static_cast<unsigned>(a), static_cast<unsigned>(b));
    EXPECT_STREQ(text, "BA7816BF|8F01CFEA");  // SHA-256("abc") begins ba7816bf 8f01cfea
    a = b = 7;
    EXPECT_EQ(engine_.fileChecksum((folder_ / "missing").c_str(), &a, &b), 0);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
}

TEST_F(EngineLibrary, UserSignaturesReachTheOtherProcessAndGoAgain) {
    fs::path file = File("behaves.exe", "MZ nothing the database knows");
    EXPECT_EQ(Scan(file).result, 0);
    engine_.addVBU(file.c_str(), "Malware.Behavior");
    Answer added = Scan(file);
    EXPECT_EQ(added.name, "Malware.Behavior");
    EXPECT_EQ(added.result, 2 * 16 + 6);  // CAGE, User Virus
    EXPECT_EQ(engine_.countDB(4), 1);
    EXPECT_TRUE(fs::exists(folder_ / "Vestra.vbu"));

    // A second process with its own copy of the library in the same folder sees it.
    HANDLE child = StartChild("DllChild.SeesTheUserSignature", L"VESTRA_DLL_CHILD", file.wstring());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(WaitForChild(child, 60000), 0u);

    EXPECT_NE(engine_.removeVBU(file.c_str()) & 0xFFFF, 0);
    EXPECT_EQ(Scan(file).result, 0);
    EXPECT_EQ(engine_.countDB(4), 0);
    EXPECT_EQ(engine_.removeVBU(file.c_str()) & 0xFFFF, 0);
}

TEST_F(EngineLibrary, SuspectedByUserStaysInThisProcess) {
    fs::path file = File("suspect.exe", "MZ suspected");
    engine_.addVBU(file.c_str(), "Suspected By User");
    Answer answer = Scan(file);
    EXPECT_EQ(answer.name, "Suspected By User");
    EXPECT_EQ(answer.Category(), 6);
    EXPECT_EQ(answer.Action(), 2);
    EXPECT_FALSE(fs::exists(folder_ / "Vestra.vbu"));
}

TEST_F(EngineLibrary, LongNamesAreCutToTheBuffer) {
    fs::path file = File("long.exe", "MZ long name");
    std::string name(200, 'L');
    engine_.addVBU(file.c_str(), name.c_str());
    NameBuffer buffer;
    ASSERT_GT(engine_.scanFile(file.c_str(), buffer.bytes), 0);
    EXPECT_EQ(buffer.bytes[127], '\0');
    EXPECT_EQ(buffer.Name(), std::string(127, 'L'));
}

TEST_F(EngineLibrary, SuperKillEndsAChildProcess) {
    HANDLE child = StartChild("DllChild.Sleeps", L"VESTRA_DLL_SLEEP", L"1");
    ASSERT_NE(child, nullptr);
    Sleep(500);
    EXPECT_NE(engine_.superKill(static_cast<std::int32_t>(GetProcessId(child))) & 0xFFFF, 0);
    EXPECT_EQ(WaitForSingleObject(child, 10000), WAIT_OBJECT_0);
    CloseHandle(child);
    EXPECT_EQ(engine_.superKill(0), 0);
    EXPECT_EQ(engine_.superKill(static_cast<std::int32_t>(GetCurrentProcessId())), 0);
    EXPECT_EQ(engine_.superKill(0x7FFFFFF0), 0);
}

// Child runs: skipped unless the parent test started this program for them.
TEST(DllChild, SeesTheUserSignature) {
    const wchar_t* file = _wgetenv(L"VESTRA_DLL_CHILD");
    if (!file)
        GTEST_SKIP();
    fs::path folder = fs::path(file).parent_path();
    Exports engine;
    ASSERT_TRUE(engine.Load(folder / "VestEngine.dll"));
    engine.initDB();
    NameBuffer buffer;
    EXPECT_EQ(engine.scanFile(file, buffer.bytes), 2 * 16 + 6);
    EXPECT_EQ(buffer.Name(), "Malware.Behavior");
    EXPECT_EQ(engine.countDB(4), 1);
}

TEST(DllChild, Sleeps) {
    if (!std::getenv("VESTRA_DLL_SLEEP"))
        GTEST_SKIP();
    Sleep(60000);
}

}  // namespace
