// Settable system facts for tests: command line, version, computer name, administrator flag,
// privilege answers, well-known folders, environment variables, a clock that Sleep advances.
// The defaults have the shape a fresh Wine prefix shows (Windows 7, C:\users\<user>\Temp\).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/System.h"

namespace vestra::platform::fake {

class FakeSystem : public System {
public:
    FakeSystem();

    void SetCommandLine(std::u16string_view text) { commandLine_ = text; }
    void SetVersion(const OsVersion& version) { version_ = version; }
    void SetComputerName(std::u16string_view name) { computerName_ = name; }
    void SetAdmin(bool admin) { admin_ = admin; }
    // EnablePrivilege answers true unless a privilege was set to fail here.
    void SetPrivilegeResult(std::u16string_view name, bool result);
    void SetSystemDirectory(std::u16string_view path) { systemDirectory_ = path; }
    void SetWindowsDirectory(std::u16string_view path) { windowsDirectory_ = path; }
    void SetTempPath(std::u16string_view path) { tempPath_ = path; }
    // An empty path makes the folder unknown.
    void SetSpecialFolder(int csidlNumber, std::u16string_view path);
    void SetEnvironment(std::u16string_view name, std::u16string_view value);
    void RemoveEnvironment(std::u16string_view name);
    void SetProcessId(std::uint32_t id) { processId_ = id; }
    void AdvanceClock(std::uint32_t milliseconds) { tick_ += milliseconds; }
    // Called by Sleep after the clock moved, so a test can change the world during a wait.
    void SetSleepHook(std::function<void(std::uint32_t)> hook) { sleepHook_ = std::move(hook); }

    // Every privilege name asked for, in order, and the milliseconds slept in total.
    const std::vector<std::u16string>& privilegeRequests() const { return privilegeRequests_; }
    std::uint64_t totalSlept() const { return totalSlept_; }

    std::u16string CommandLine() override { return commandLine_; }
    OsVersion Version() override { return version_; }
    std::u16string ComputerName() override { return computerName_; }
    bool IsUserAdmin() override { return admin_; }
    bool EnablePrivilege(std::u16string_view name) override;
    std::u16string SystemDirectory() override { return systemDirectory_; }
    std::u16string WindowsDirectory() override { return windowsDirectory_; }
    std::u16string TempPath() override { return tempPath_; }
    std::u16string SpecialFolder(int csidlNumber) override;
    std::u16string ExpandEnvironment(std::u16string_view text) override;
    std::uint32_t CurrentProcessId() override { return processId_; }
    std::uint32_t TickCount() override { return tick_; }
    void Sleep(std::uint32_t milliseconds) override;

private:
    const std::u16string* Variable(std::u16string_view name) const;

    std::u16string commandLine_;
    OsVersion version_;
    std::u16string computerName_;
    bool admin_ = true;
    std::map<std::u16string, bool> privilegeResults_;  // by upper-cased name
    std::vector<std::u16string> privilegeRequests_;
    std::u16string systemDirectory_;
    std::u16string windowsDirectory_;
    std::u16string tempPath_;
    std::map<int, std::u16string> specialFolders_;
    std::map<std::u16string, std::pair<std::u16string, std::u16string>> environment_;  // upper
    std::uint32_t processId_ = 1000;
    std::uint32_t tick_ = 100000;
    std::uint64_t totalSlept_ = 0;
    std::function<void(std::uint32_t)> sleepHook_;
};

}  // namespace vestra::platform::fake
