// The starting machine of the fake platform.
#include "platform/fake/FakePlatform.h"

namespace vestra::platform::fake {

FakePlatform::FakePlatform() {
    files.AddDrive(u'C', DriveType::Fixed);
    files.AddFolder(system.SystemDirectory());
    files.AddFolder(system.WindowsDirectory());
    files.AddFolder(system.TempPath());
    for (int folder : {csidl::kDesktop, csidl::kStartup, csidl::kCommonStartup, csidl::kAppData,
                       csidl::kProgramFiles}) {
        files.AddFolder(system.SpecialFolder(folder));
    }
    FakeProcess kernel;
    kernel.processId = kSystemProcessId;
    kernel.exeName = u"System";
    kernel.threadCount = 80;
    kernel.protectedProcess = true;
    processes.Add(kernel);
    FakeProcess own;
    own.processId = system.CurrentProcessId();
    own.parentId = 1500;
    own.exeName = u"Vestra.exe";
    own.imagePath = kOwnImagePath;
    own.commandLine = system.CommandLine();
    processes.Add(own);
}

Platform FakePlatform::platform() {
    return Platform{files, registry, system,   processes, services,
                    shell, windows,  internet, versions,  libraries};
}

}  // namespace vestra::platform::fake
