// One of each Win32 implementation, handed out as the seam's Platform bundle.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/Platform.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Internet.h"
#include "platform/win32/Win32Libraries.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32VersionInfo.h"
#include "platform/win32/Win32WindowSystem.h"

namespace vestra::platform::win32 {

class Win32Platform {
public:
    Platform platform() {
        return Platform{files_, registry_, system_,   processes_, services_,
                        shell_, windows_,  internet_, versions_,  libraries_};
    }

private:
    Win32FileSystem files_;
    Win32Registry registry_;
    Win32System system_;
    Win32Processes processes_;
    Win32Services services_;
    Win32Shell shell_;
    Win32WindowSystem windows_;
    Win32Internet internet_;
    Win32VersionInfo versions_;
    Win32Libraries libraries_;
};

}  // namespace vestra::platform::win32
