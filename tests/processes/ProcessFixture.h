// A fake machine with an engine that detects chosen files, and the process parts wired to it:
// the snapshot, the actions (the forced kill ends fake processes unless told to fail), the
// service control and the sweep's parts.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>

#include "platform/fake/FakePlatform.h"
#include "processes/MemoryScan.h"
#include "tests/support/FakeEngine.h"

namespace vestra::processes {

inline constexpr char16_t kEnginePath[] = u"C:\\V\\VestEngine.dll";
inline constexpr char16_t kWindowsDir[] = u"C:\\WINDOWS\\";
inline constexpr char16_t kSystemDir[] = u"C:\\WINDOWS\\system32\\";
// Engine answers: a trojan to delete, and an injected virus that is never killed.
inline constexpr std::int32_t kTrojanDelete = 16 + 3;
inline constexpr std::int32_t kInjected = 3 * 16 + 7;

class ProcessFixture {
public:
    ProcessFixture() {
        testing::ResetEngineScript();
        os.libraries.Register(kEnginePath, testing::FakeEngineExports());
        os.files.AddFile(kEnginePath, std::string_view("MZ"));
        engine = Engine::Load(os.libraries, kEnginePath);
        checker = std::make_unique<FileChecker>(*engine, os.files);
    }

    // A file on disk that the engine answers `result` for.
    void Detect(std::u16string_view path, std::int32_t result = kTrojanDelete,
                std::string name = "Trojan.Test") {
        os.files.AddFile(path, std::string_view("bad"));
        testing::EngineScript().results[std::u16string(path)] = result;
        testing::EngineScript().names[std::u16string(path)] = std::move(name);
    }
    void Clean(std::u16string_view path) { os.files.AddFile(path, std::string_view("ok")); }

    platform::fake::FakeProcess& Launch(std::uint32_t id, std::u16string_view path,
                                        std::u16string_view commandLine = u"",
                                        std::uint32_t parent = 1500) {
        platform::fake::FakeProcess p;
        p.processId = id;
        p.parentId = parent;
        p.imagePath = path;
        p.exeName = path.substr(path.rfind(u'\\') + 1);
        p.commandLine = commandLine.empty() ? std::u16string(path) : std::u16string(commandLine);
        os.processes.Add(p);
        return *os.processes.Get(id);
    }

    void AddService(std::u16string_view name, std::u16string_view imagePath,
                    std::uint32_t state = platform::fake::kServiceRunning) {
        os.services.Add({std::u16string(name), std::u16string(name) + u" Display", state, 0x10});
        const std::u16string key = u"SYSTEM\\CurrentControlSet\\Services\\" + std::u16string(name);
        os.registry.CreateKey(platform::Hive::LocalMachine, key);
        os.registry.SetValue(platform::Hive::LocalMachine, key, u"ImagePath",
                             platform::TextValue(imagePath, platform::regtype::kExpandSz));
    }

    bool Suspended(std::uint32_t id) {
        auto* p = os.processes.Get(id);
        return p != nullptr && p->suspended;
    }
    bool Running(std::uint32_t id) { return os.processes.Get(id) != nullptr; }

    platform::fake::FakePlatform os;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
    // Ids the forced kill does not manage to end.
    std::unordered_set<std::uint32_t> survivors;
    std::vector<std::uint32_t> killRequests;

    TrustedFolders folders{kWindowsDir, kSystemDir, u"C:\\WINDOWS\\system32\\dllcache\\",
                           u"C:\\Program Files\\", false};
    ProcessList list{os.processes, os.files, kWindowsDir};
    ProcessActions actions{ActionParts{
        os.processes, os.shell,
        [this](std::uint32_t id) {
            killRequests.push_back(id);
            return !survivors.count(id) && os.processes.Terminate(id, 1) == platform::OsError::None;
        },
        os.system.CurrentProcessId(), folders}};
    ServiceControl services{
        ServiceParts{os.services, os.registry, os.shell, os.files, os.system, kWindowsDir}};
    TargetExtractor extractor{os.files, u"C:\\"};
    SweepParts sweep{
        list, actions, services, os.processes, os.files, extractor, os.system.CurrentProcessId()};
};

}  // namespace vestra::processes
