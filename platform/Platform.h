// The whole seam in one bundle, handed by reference to the code that needs the operating system.
// platform/win32 fills it with the real calls, platform/fake with in-memory Windows.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Internet.h"
#include "platform/Libraries.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/VersionInfo.h"
#include "platform/WindowSystem.h"

namespace vestra::platform {

struct Platform {
    FileSystem& files;
    Registry& registry;
    System& system;
    Processes& processes;
    Services& services;
    Shell& shell;
    WindowSystem& windows;
    Internet& internet;
    VersionInfo& versions;
    Libraries& libraries;
};

}  // namespace vestra::platform
