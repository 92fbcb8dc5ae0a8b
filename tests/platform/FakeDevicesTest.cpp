// The smaller fakes: process table actions, services, shell records, windows and message boxes,
// internet, version strings and libraries.
#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "tests/platform/ContractSupport.h"

namespace vestra::platform::fake {
namespace {

FakeProcess Process(std::uint32_t id, const char16_t* name, bool isProtected = false) {
    FakeProcess p;
    p.processId = id;
    p.parentId = 1;
    p.exeName = name;
    p.imagePath = std::u16string(u"C:\\Apps\\") + name;
    p.protectedProcess = isProtected;
    return p;
}

TEST(FakeProcessesTest, TerminateSuspendAndResumeRespectProtection) {
    FakeProcesses processes;
    processes.Add(Process(10, u"evil.exe"));
    processes.Add(Process(20, u"csrss.exe", true));
    EXPECT_EQ(processes.Suspend(10), OsError::None);
    EXPECT_TRUE(processes.Get(10)->suspended);
    EXPECT_EQ(processes.Resume(10), OsError::None);
    EXPECT_FALSE(processes.Get(10)->suspended);
    EXPECT_EQ(processes.Terminate(20, 0), OsError::AccessDenied);
    EXPECT_EQ(processes.Suspend(20), OsError::AccessDenied);
    EXPECT_EQ(processes.ImagePath(20).error(), OsError::AccessDenied);
    EXPECT_EQ(processes.Terminate(10, 7), OsError::None);
    EXPECT_EQ(processes.Get(10), nullptr);
    EXPECT_EQ(processes.Terminate(10, 7), OsError::Other);
    ASSERT_EQ(processes.terminated().size(), 1u);
    EXPECT_EQ(processes.terminated()[0].exitCode, 7u);
    auto snapshot = processes.Snapshot();
    ASSERT_EQ(snapshot->size(), 1u);
    EXPECT_EQ((*snapshot)[0].exeName, u"csrss.exe");
}

TEST(FakeProcessesTest, ModulesStartWithTheImageAndFaultsReachEveryCall) {
    FakeProcesses processes;
    processes.Add(Process(10, u"a.exe"));
    EXPECT_EQ(*processes.Modules(10), std::vector<std::u16string>{u"C:\\Apps\\a.exe"});
    processes.faults().FailNth(ProcOp::Snapshot, 1, OsError::Other);
    EXPECT_EQ(processes.Snapshot().error(), OsError::Other);
    EXPECT_TRUE(processes.Snapshot().ok());
}

TEST(FakeProcessesTest, AReusedIdComesWithAnotherCreationTime) {
    FakeProcesses processes;
    processes.Add(Process(10, u"first.exe"));
    const std::uint64_t first = *processes.CreationTime(10);
    EXPECT_EQ(*processes.CreationTime(10), first);
    ASSERT_EQ(processes.Terminate(10, 0), OsError::None);
    EXPECT_FALSE(processes.CreationTime(10).ok());
    processes.Add(Process(10, u"second.exe"));
    EXPECT_NE(*processes.CreationTime(10), first);
    processes.Add(Process(20, u"csrss.exe", true));
    EXPECT_EQ(processes.CreationTime(20).error(), OsError::AccessDenied);
}

TEST(FakeServicesTest, StopAndRemove) {
    FakeServices services;
    services.Add({u"EvilSvc", u"Evil", kServiceRunning, 0x10});
    services.Add({u"RpcSs", u"RPC", kServiceRunning, 0x20}, /*protectedService=*/true);
    EXPECT_EQ(services.Stop(u"evilsvc"), OsError::None);
    EXPECT_EQ(services.Get(u"EvilSvc")->state, kServiceStopped);
    EXPECT_EQ(services.Stop(u"EvilSvc"), OsError::Other);  // not running
    EXPECT_EQ(services.Stop(u"RpcSs"), OsError::AccessDenied);
    EXPECT_EQ(services.Remove(u"EvilSvc"), OsError::None);
    EXPECT_EQ(services.Get(u"EvilSvc"), nullptr);
    EXPECT_EQ(services.Remove(u"EvilSvc"), OsError::Other);
    EXPECT_EQ(services.Enumerate()->size(), 1u);
    EXPECT_EQ(services.stopRequests().size(), 3u);
}

TEST(FakeShellTest, RecordsRequestsAndAnswersAsConfigured) {
    FakeShell shell;
    EXPECT_EQ(shell.Execute({u"runas", u"C:\\x.exe", u"slt", u"", 1}), 42);
    shell.SetResult(5);
    EXPECT_EQ(shell.Execute({u"open", u"C:\\y.exe", u"", u"", 1}), 5);
    shell.SetHandler([](const ShellRequest& r) { return r.verb == u"runas" ? 33 : 2; });
    EXPECT_EQ(shell.Execute({u"runas", u"C:\\x.exe", u"", u"", 1}), 33);
    ASSERT_EQ(shell.requests().size(), 3u);
    EXPECT_EQ(shell.requests()[0].parameters, u"slt");
}

TEST(FakeWindowSystemTest, FindsWindowsAndChildrenAndReadsTheirText) {
    FakeWindowSystem windows;
    windows.AddTopWindow(u"Other", u"VesRTP");
    WindowId host = windows.AddTopWindow(u"ThunderRT6FormDC", u"VesRTP");
    WindowId label = windows.AddChild(host, u"Static", u"label");
    WindowId box = windows.AddChild(host, u"ThunderRT6TextBox", u"1234567");
    EXPECT_EQ(windows.FindTopWindow(u"thunderrt6formdc", u"vesrtp"), host);
    EXPECT_EQ(windows.FindTopWindow(u"", u"NoSuch"), kNoWindow);
    EXPECT_EQ(windows.FindChild(host, kNoWindow, u"ThunderRT6TextBox"), box);
    EXPECT_EQ(windows.FindChild(host, kNoWindow, u""), label);
    EXPECT_EQ(windows.FindChild(host, label, u""), box);
    EXPECT_EQ(windows.FindChild(host, box, u""), kNoWindow);
    EXPECT_EQ(windows.GetText(box, 3), u"123");
    EXPECT_TRUE(windows.SetText(box, u"17"));
    EXPECT_EQ(windows.GetText(box, 256), u"17");
    EXPECT_TRUE(windows.RemoveWindow(host));
    EXPECT_FALSE(windows.SetText(box, u"x"));
    EXPECT_EQ(windows.GetText(box, 256), u"");
}

TEST(FakeWindowSystemTest, MessageBoxesTakeScriptedAnswersThenTheFirstButton) {
    FakeWindowSystem windows;
    windows.QueueAnswer(mb::kAnswerNo);
    EXPECT_EQ(windows.MessageBox(u"Install?", u"Vestra", 52), mb::kAnswerNo);
    EXPECT_EQ(windows.MessageBox(u"Again?", u"Vestra", 36), mb::kAnswerYes);
    EXPECT_EQ(windows.MessageBox(u"Sure?", u"OS Error", 49), mb::kAnswerOk);
    ASSERT_EQ(windows.messageBoxes().size(), 3u);
    EXPECT_EQ(windows.messageBoxes()[2].title, u"OS Error");
    EXPECT_EQ(windows.messageBoxes()[2].style, 49u);
    int pumped = 0;
    windows.SetPumpHook([&] { ++pumped; });
    windows.PumpMessages();
    windows.PumpMessages();
    EXPECT_EQ(pumped, 2);
    EXPECT_EQ(windows.pumpCount(), 2u);
}

TEST(FakeInternetTest, ReadsAndDownloadsPublishedUrls) {
    FakePlatform fake;
    fake.internet.Publish(u"http://update.example/updates.txt", "204\r\nNotes");
    EXPECT_EQ(*fake.internet.ReadUrl(u"http://update.example/updates.txt"), "204\r\nNotes");
    EXPECT_EQ(fake.internet.ReadUrl(u"http://update.example/none").error(), OsError::FileNotFound);
    std::u16string target = fake.system.TempPath() + u"vstupd.exe";
    EXPECT_EQ(fake.internet.Download(u"http://update.example/updates.txt", target), OsError::None);
    EXPECT_EQ(fake.files.FileText(target), "204\r\nNotes");
    EXPECT_EQ(fake.internet.Download(u"http://update.example/updates.txt", u"C:\\no\\x.exe"),
              OsError::PathNotFound);
    fake.internet.SetConnected(false);
    EXPECT_FALSE(fake.internet.IsConnected());
    EXPECT_EQ(fake.internet.ReadUrl(u"http://update.example/updates.txt").error(),
              OsError::NotReady);
    EXPECT_EQ(fake.internet.requests().size(), 5u);
}

int Answer() {
    return 42;
}

TEST(FakeLibrariesTest, LoadsRegisteredLibrariesWhoseFileExists) {
    FakePlatform fake;
    const std::u16string engine = u"C:\\Program Files\\Vestra\\VestEngine.dll";
    fake.libraries.Register(engine, {{"VestScan", reinterpret_cast<void*>(&Answer)}});
    EXPECT_EQ(fake.libraries.Load(engine), nullptr);  // registered, but no file
    ASSERT_TRUE(fake.files.AddFile(engine, "MZ"));
    auto library = fake.libraries.Load(u"c:\\program files\\vestra\\vestengine.DLL");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(fake.libraries.liveCount(), 1);
    EXPECT_EQ(library->Procedure("VestScan"), reinterpret_cast<void*>(&Answer));
    EXPECT_EQ(library->Procedure("Missing"), nullptr);
    library.reset();
    EXPECT_EQ(fake.libraries.liveCount(), 0);
    EXPECT_EQ(fake.libraries.Load(u"C:\\other.dll"), nullptr);
}

TEST(FakeVersionInfoTest, StringsPerPathWithoutRegardToCase) {
    FakeVersionInfo versions;
    versions.Set(u"C:\\Windows\\explorer.exe", {{u"CompanyName", u"Microsoft Corporation"}});
    EXPECT_EQ(versions.Query(u"c:\\windows\\EXPLORER.EXE")->at(u"CompanyName"),
              u"Microsoft Corporation");
    EXPECT_EQ(versions.Query(u"C:\\x.exe").error(), OsError::FileNotFound);
}

}  // namespace
}  // namespace vestra::platform::fake
