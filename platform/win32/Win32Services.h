// Windows services through the service control manager.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/Services.h"

namespace vestra::platform::win32 {

class Win32Services : public Services {
public:
    Result<std::vector<ServiceEntry>> Enumerate() override;
    OsError Stop(std::u16string_view name) override;
    OsError Remove(std::u16string_view name) override;
};

}  // namespace vestra::platform::win32
