// The registry-backed suites on the real registry and disk (run under Wine in a throw-away
// prefix). The scratch key and folder are removed before and after every test, so each test
// starts from nothing even after a crashed run.
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"

#include "platform/Text.h"
#include "registry/RegistryAccess.h"
#include "tests/registry/RegistryBackend.h"

namespace vestra::regtest {
namespace {

void RemoveFolderTree(platform::FileSystem& files, const std::u16string& folder) {
    auto entries = files.Find(folder + u"\\*");
    if (entries.ok()) {
        for (const auto& entry : *entries) {
            std::u16string path = folder + u"\\" + entry.name;
            if (entry.attributes & platform::attr::kDirectory) {
                RemoveFolderTree(files, path);
            } else {
                files.SetAttributes(path, platform::attr::kNormal);
                files.Delete(path);
            }
        }
    }
    files.RemoveFolder(folder);
}

class Win32Backend : public RegistryBackend {
public:
    Win32Backend() {
        folder_ = system_.TempPath() + u"VestraConfigTest" + ToText(system_.CurrentProcessId());
        Clean();
        files_.CreateFolder(folder_);
    }
    ~Win32Backend() override { Clean(); }

    platform::Registry& Registry() override { return registry_; }
    platform::System& System() override { return system_; }
    platform::FileSystem& Files() override { return files_; }
    std::u16string ScratchKey() const override { return u"SOFTWARE\\VESTR\u0394 Test"; }
    std::u16string ScratchFolder() const override { return folder_; }
    std::u16string KnownVariable() const override { return u"SystemRoot"; }
    std::u16string KnownVariableValue() override { return system_.WindowsDirectory(); }

private:
    void Clean() {
        registry::RegistryAccess(registry_, system_)
            .RegRemoveTree(platform::Hive::CurrentUser, ScratchKey());
        RemoveFolderTree(files_, folder_);
    }

    platform::win32::Win32Registry registry_;
    platform::win32::Win32System system_;
    platform::win32::Win32FileSystem files_;
    std::u16string folder_;
};

}  // namespace

std::unique_ptr<RegistryBackend> MakeRegistryBackend() { return std::make_unique<Win32Backend>(); }

}  // namespace vestra::regtest
