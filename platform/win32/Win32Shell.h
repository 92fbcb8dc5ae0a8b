// ShellExecuteW.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/Shell.h"

namespace vestra::platform::win32 {

class Win32Shell : public Shell {
public:
    std::intptr_t Execute(const ShellRequest& request) override;
};

}  // namespace vestra::platform::win32
