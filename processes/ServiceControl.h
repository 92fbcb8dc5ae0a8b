// The Win32 service list with each service's image path, and stopping and uninstalling services:
// what the service phase of a scan does to a detected one, and the fallback for a detected
// process that cannot be killed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/System.h"

namespace vestra::processes {

inline constexpr std::uint32_t kServiceStopPending = 3;
inline constexpr std::uint32_t kServiceRunning = 4;

struct ServiceInfo {
    std::u16string displayName;
    std::u16string serviceName;
    std::u16string imagePath;  // the "ImagePath" value of the service's key; empty when missing
    std::uint32_t state = 0;
};

// StopAndDeleteService's answer: +1 stopped, +2 marked for deletion.
inline constexpr int kServiceStopped = 1;
inline constexpr int kServiceDeleted = 2;

struct ServiceParts {
    platform::Services& services;
    platform::Registry& registry;
    platform::Shell& shell;
    platform::FileSystem& files;
    platform::System& system;
    std::u16string windowsDir;  // with a trailing backslash
};

class ServiceControl {
public:
    explicit ServiceControl(const ServiceParts& parts) : parts_(parts) {}

    // A fresh list; empty when the manager cannot be asked.
    const std::vector<ServiceInfo>& EnumerateServices();
    const std::vector<ServiceInfo>& services() const { return services_; }

    // The file a service runs: its image path with the Windows folder put in for the kernel's
    // "\SystemRoot\" and "system32\" forms, reduced to the program.
    std::u16string ServiceFile(std::u16string_view imagePath);

    // True when the service counts as stopped: it was not running, or the stop request was
    // taken. With `runNetStop` "net stop" is started for it as well, hidden and not awaited.
    bool StopService(std::u16string_view name, bool runNetStop);
    int StopAndDeleteService(std::u16string_view name, bool runNetStop);
    // Stops every service that runs `path`; the number counted as stopped.
    int StopServicesOfPath(std::u16string_view path, bool runNetStop);

private:
    bool StopRequest(std::u16string_view name);
    void RunNetStop(std::u16string_view name);

    ServiceParts parts_;
    std::vector<ServiceInfo> services_;
};

}  // namespace vestra::processes
