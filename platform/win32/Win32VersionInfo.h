// Version resources through version.dll.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/VersionInfo.h"

namespace vestra::platform::win32 {

class Win32VersionInfo : public VersionInfo {
public:
    Result<VersionStrings> Query(std::u16string_view path) override;
};

}  // namespace vestra::platform::win32
