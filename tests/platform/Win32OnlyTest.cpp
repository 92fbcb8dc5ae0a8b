// Win32 behaviours that the fakes cannot mirror: loading a system library and finding its
// exports, the error mapping, and the message pump leaving a quit request in place.
#include "platform/win32/Win32Common.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/win32/Win32Platform.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::win32 {
namespace {

TEST(Win32LibrariesTest, LoadsKernel32AndFindsItsExports) {
    Win32Libraries libraries;
    auto kernel = libraries.Load(u"kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    void* procedure = kernel->Procedure("GetCurrentProcessId");
    ASSERT_NE(procedure, nullptr);
    auto call = reinterpret_cast<DWORD(WINAPI*)()>(procedure);
    EXPECT_EQ(call(), ::GetCurrentProcessId());
    EXPECT_EQ(kernel->Procedure("NoSuchExportAnywhere"), nullptr);
    EXPECT_EQ(libraries.Load(u"C:\\no\\such\\library.dll"), nullptr);
}

TEST(Win32ErrorMappingTest, MapsTheCodesCallersTellApart) {
    struct Case {
        DWORD code;
        OsError error;
    };
    const Case cases[] = {
        {ERROR_SUCCESS, OsError::None},
        {ERROR_FILE_NOT_FOUND, OsError::FileNotFound},
        {ERROR_PATH_NOT_FOUND, OsError::PathNotFound},
        {ERROR_ACCESS_DENIED, OsError::AccessDenied},
        {ERROR_SHARING_VIOLATION, OsError::SharingViolation},
        {ERROR_FILE_EXISTS, OsError::AlreadyExists},
        {ERROR_ALREADY_EXISTS, OsError::AlreadyExists},
        {ERROR_DIR_NOT_EMPTY, OsError::DirectoryNotEmpty},
        {ERROR_DIRECTORY, OsError::InvalidName},
        {ERROR_BAD_PATHNAME, OsError::InvalidName},
        {ERROR_NOT_READY, OsError::NotReady},
        {ERROR_NO_MORE_ITEMS, OsError::NoMoreItems},
        {ERROR_NO_MORE_FILES, OsError::NoMoreItems},
        {ERROR_INVALID_PARAMETER, OsError::Other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapError(c.code), c.error) << c.code;
    ::SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LastError(), OsError::Other);  // a failure never reads as success
}

TEST(Win32WindowSystemTest, PumpLeavesAQuitRequestForTheMainLoop) {
    Win32WindowSystem windows;
    ::PostQuitMessage(3);
    windows.PumpMessages();
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
}

TEST(Win32WindowSystemTest, FindsAWindowByCaptionAndReadsItsEditBox) {
    HWND host = ::CreateWindowExW(0, L"STATIC", L"VestraContractHost", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"1234", WS_CHILD, 0, 0, 10, 10, host, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    Win32WindowSystem windows;
    WindowId found = windows.FindTopWindow(u"", u"VestraContractHost");
    EXPECT_EQ(found, reinterpret_cast<std::uintptr_t>(host));
    WindowId box = windows.FindChild(found, kNoWindow, u"Edit");
    EXPECT_EQ(box, reinterpret_cast<std::uintptr_t>(edit));
    EXPECT_EQ(windows.GetText(box, 256), u"1234");
    EXPECT_EQ(windows.GetText(box, 2), u"12");
    EXPECT_TRUE(windows.SetText(box, u"17"));
    EXPECT_EQ(windows.GetText(box, 256), u"17");
    ::DestroyWindow(host);
    EXPECT_EQ(windows.FindTopWindow(u"", u"VestraContractHost"), kNoWindow);
}

}  // namespace
}  // namespace vestra::platform::win32

namespace vestra::platform::win32 {
namespace {

// A child process created suspended (it never runs), for the actions on other processes.
class SuspendedChild {
public:
    // The program is this test itself, told to run no test; `quoted` puts its path in quotes.
    explicit SuspendedChild(std::u16string_view arguments = u"--gtest_filter=NothingAtAll",
                            bool quoted = true) {
        wchar_t exe[MAX_PATH];
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        const std::u16string path = FromWide(exe);
        commandLine = (quoted ? u"\"" + path + u"\"" : path) + u" " + std::u16string(arguments);
        // Under Wine a spawn right after another process ended fails now and then (the new
        // process's address space cannot be reserved); that is the host's, not the code under
        // test, so a few tries are allowed and the last error is kept for the failure message.
        for (int attempt = 0; attempt < 3 && !created; ++attempt) {
            std::u16string mutableLine = commandLine;
            STARTUPINFOW startup = {};
            startup.cb = sizeof(startup);
            created = ::CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(mutableLine.data()),
                                       nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                                       &startup, &info) != FALSE;
            if (!created) {
                lastError = ::GetLastError();
                ::Sleep(100);
            }
        }
    }
    ~SuspendedChild() {
        if (!created)
            return;
        ::TerminateProcess(info.hProcess, 0);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    bool created = false;
    DWORD lastError = 0;
    PROCESS_INFORMATION info = {};
    std::u16string commandLine;
};

TEST(Win32ProcessesTest, ReadsAnotherProcessAndSuspendsResumesAndEndsIt) {
    SuspendedChild child;
    ASSERT_TRUE(child.created) << "error " << child.lastError;
    Win32Processes processes;
    std::uint32_t id = child.info.dwProcessId;
    auto commandLine = processes.CommandLine(id);
    ASSERT_TRUE(commandLine.ok()) << OsErrorName(commandLine.error());
    EXPECT_EQ(contract::U8(*commandLine), contract::U8(child.commandLine));
    auto image = processes.ImagePath(id);
    ASSERT_TRUE(image.ok());
    EXPECT_TRUE(EndsWithNoCase(*image, u"\\platform_contract_win32.exe")) << contract::U8(*image);
    // Suspend and Resume each move the thread's suspend count by one (it starts at 1).
    ASSERT_EQ(processes.Suspend(id), OsError::None);
    ASSERT_EQ(processes.Resume(id), OsError::None);
    EXPECT_EQ(::SuspendThread(child.info.hThread), 1u);
    ASSERT_EQ(processes.Terminate(id, 7), OsError::None);
    ASSERT_EQ(::WaitForSingleObject(child.info.hProcess, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(child.info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 7u);
}

// The command line comes from the process's own parameters, in UTF-16, whatever the quoting
// and whatever the code page could spell.
TEST(Win32ProcessesTest, CommandLinesComeBackAsStarted) {
    struct Case {
        const char16_t* arguments;
        bool quoted;
    };
    const Case cases[] = {
        {u"--gtest_filter=NothingAtAll", true},
        {u"--gtest_filter=NothingAtAll \"C:\\a folder\\f.txt\"", false},
        {u"--gtest_filter=Nothing \u0424\u0430\u0439\u043b \u6587\u4ef6 \u00e9", true},
    };
    Win32Processes processes;
    for (const Case& c : cases) {
        SuspendedChild child(c.arguments, c.quoted);
        ASSERT_TRUE(child.created) << contract::U8(c.arguments) << " error " << child.lastError;
        auto line = processes.CommandLine(child.info.dwProcessId);
        ASSERT_TRUE(line.ok()) << OsErrorName(line.error());
        EXPECT_EQ(contract::U8(*line), contract::U8(child.commandLine));
    }
}

// With the id, the creation time names one process: it stays while the process lives, and a
// process started later never carries an earlier one.
TEST(Win32ProcessesTest, CreationTimeIsStableWhileTheProcessLives) {
    Win32Processes processes;
    SuspendedChild first;
    ASSERT_TRUE(first.created) << "error " << first.lastError;
    const std::uint32_t id = first.info.dwProcessId;
    auto created = processes.CreationTime(id);
    ASSERT_TRUE(created.ok()) << OsErrorName(created.error());
    EXPECT_NE(*created, 0u);
    EXPECT_EQ(*processes.CreationTime(id), *created);
    FILETIME c, e, k, u;
    ASSERT_TRUE(::GetProcessTimes(first.info.hProcess, &c, &e, &k, &u));
    EXPECT_EQ(*created, (std::uint64_t{c.dwHighDateTime} << 32) | c.dwLowDateTime);
    SuspendedChild second;
    ASSERT_TRUE(second.created) << "error " << second.lastError;
    auto later = processes.CreationTime(second.info.dwProcessId);
    ASSERT_TRUE(later.ok());
    EXPECT_GE(*later, *created);  // the clock behind the times may tick coarsely
    EXPECT_TRUE(processes.CreationTime(::GetCurrentProcessId()).ok());
}

TEST(Win32ProcessesTest, OwnMemoryCountersAreFilled) {
    Win32Processes processes;
    auto memory = processes.Memory(::GetCurrentProcessId());
    ASSERT_TRUE(memory.ok());
    EXPECT_GT(memory->workingSet, 0u);
    EXPECT_GE(memory->peakWorkingSet, memory->workingSet);
    EXPECT_GE(memory->peakPagefileUsage, memory->pagefileUsage);
}

TEST(Win32VersionInfoTest, ReadsTheStringsOfASystemProgramUnderTheProgramsSpelling) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    // Wine's own winver.exe carries a version resource (its notepad.exe does not).
    const std::u16string program = FromWide(system) + u"\\winver.exe";
    Win32VersionInfo versions;
    auto strings = versions.Query(program);
    ASSERT_TRUE(strings.ok());
    EXPECT_NE(strings->count(u"FileDescription"), 0u);
    // The resource says "OriginalFilename"; the program asks for "OriginalFileName".
    auto original = strings->find(u"OriginalFileName");
    ASSERT_NE(original, strings->end());
    EXPECT_EQ(LowerCase(original->second), u"winver.exe");
    EXPECT_FALSE(versions.Query(u"C:\\no\\such\\program.exe").ok());
}

TEST(Win32SystemTest, PrivilegesAndAdministrator) {
    Win32System system;
    EXPECT_TRUE(system.IsUserAdmin());  // Wine runs every program as an administrator
    EXPECT_TRUE(system.EnablePrivilege(u"SeShutdownPrivilege"));
    EXPECT_FALSE(system.EnablePrivilege(u"SeNoSuchPrivilege"));
}

TEST(Win32ServicesTest, EnumeratesAndRefusesUnknownNames) {
    Win32Services services;
    auto list = services.Enumerate();
    ASSERT_TRUE(list.ok());
    EXPECT_FALSE(list->empty());
    for (const auto& entry : *list)
        EXPECT_FALSE(entry.name.empty());
    EXPECT_NE(services.Stop(u"VestraNoSuchService"), OsError::None);
    EXPECT_NE(services.Remove(u"VestraNoSuchService"), OsError::None);
}

TEST(Win32VersionInfoTest, ReadsASystemLibrarysStrings) {
    Win32VersionInfo versions;
    Win32System system;
    auto strings = versions.Query(system.SystemDirectory() + u"\\kernel32.dll");
    ASSERT_TRUE(strings.ok()) << OsErrorName(strings.error());
    EXPECT_FALSE((*strings)[u"FileVersion"].empty());
    EXPECT_EQ(versions.Query(system.SystemDirectory() + u"\\no-such-file.dll").error(),
              OsError::FileNotFound);
}

}  // namespace
}  // namespace vestra::platform::win32
