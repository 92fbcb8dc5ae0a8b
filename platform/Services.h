// Windows services: enumeration through the service control manager, stop and delete.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace vestra::platform {

struct ServiceEntry {
    std::u16string name;
    std::u16string displayName;
    std::uint32_t state = 0;  // SERVICE_STOPPED 1, SERVICE_RUNNING 4, ...
    std::uint32_t type = 0;
};

class Services {
public:
    virtual ~Services() = default;
    // OpenSCManager + EnumServicesStatus (W forms) over Win32 services in every state.
    virtual Result<std::vector<ServiceEntry>> Enumerate() = 0;
    // ControlService with SERVICE_CONTROL_STOP.
    virtual OsError Stop(std::u16string_view name) = 0;
    virtual OsError Remove(std::u16string_view name) = 0;
};

}  // namespace vestra::platform
