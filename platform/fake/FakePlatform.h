// One of each fake, wired together and handed out as the seam's Platform bundle. It starts as a
// small Windows 7 machine: drive C: (fixed, NTFS) holding the Windows, system, temp, program
// and special folders that FakeSystem names, and a process table with System and the program.
#pragma once

#include "platform/Platform.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeInternet.h"
#include "platform/fake/FakeLibraries.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeServices.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSystem.h"
#include "platform/fake/FakeVersionInfo.h"
#include "platform/fake/FakeWindowSystem.h"

namespace vestra::platform::fake {

inline constexpr std::uint32_t kSystemProcessId = 4;
inline constexpr char16_t kOwnImagePath[] = u"C:\\Program Files\\Vestra\\Vestra.exe";

class FakePlatform {
public:
    FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    Platform platform();

    FakeFileSystem files;
    FakeRegistry registry;
    FakeSystem system;
    FakeProcesses processes;
    FakeServices services;
    FakeShell shell;
    FakeWindowSystem windows;
    FakeInternet internet{&files};
    FakeVersionInfo versions;
    FakeLibraries libraries{&files};
};

}  // namespace vestra::platform::fake
