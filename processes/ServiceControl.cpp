// Service list, stop and uninstall.
#include "processes/ServiceControl.h"

#include "common/TextLists.h"
#include "platform/Text.h"
#include "processes/CommandLineFiles.h"
#include "processes/ProcessList.h"

namespace vestra::processes {
namespace {

constexpr std::u16string_view kServicesKey = u"SYSTEM\\CurrentControlSet\\Services\\";
constexpr int kShowHidden = 0;  // SW_HIDE

}  // namespace

const std::vector<ServiceInfo>& ServiceControl::EnumerateServices() {
    services_.clear();
    auto listed = parts_.services.Enumerate();
    if (!listed)
        return services_;
    for (const platform::ServiceEntry& entry : *listed) {
        ServiceInfo info{entry.displayName, entry.name, {}, entry.state};
        auto value = parts_.registry.QueryValue(
            platform::Hive::LocalMachine, std::u16string(kServicesKey) + entry.name, u"ImagePath");
        if (value)
            info.imagePath = platform::ValueText(*value);
        services_.push_back(std::move(info));
    }
    return services_;
}

std::u16string ServiceControl::ServiceFile(std::u16string_view imagePath) {
    std::u16string command = NormalizeNtPath(Trim(imagePath), parts_.windowsDir);
    // The service manager reads a relative image path from the Windows folder.
    if (StartsWithNoCase(command, u"system32\\"))
        command = parts_.windowsDir + command;
    return CommandToPath(command, parts_.files, parts_.system);
}

bool ServiceControl::StopRequest(std::u16string_view name) {
    // The state comes from a fresh enumeration of this very service: whether a stop request
    // is needed must not depend on what an earlier, unrelated service was doing.
    auto listed = parts_.services.Enumerate();
    if (!listed)
        return false;
    for (const platform::ServiceEntry& entry : *listed) {
        if (!EqualsNoCase(entry.name, name))
            continue;
        if (entry.state < kServiceRunning)
            return true;
        return parts_.services.Stop(entry.name) == platform::OsError::None;
    }
    return false;  // no such service: nothing was stopped
}

void ServiceControl::RunNetStop(std::u16string_view name) {
    // The name goes inside quotes; one holding a quote could carry more words to the command.
    if (name.empty() || name.find(u'"') != std::u16string_view::npos)
        return;
    parts_.shell.Execute(
        {u"open", u"net", u"stop \"" + std::u16string(name) + u"\"", u"", kShowHidden});
}

bool ServiceControl::StopService(std::u16string_view name, bool runNetStop) {
    const bool stopped = StopRequest(name);
    if (runNetStop)
        RunNetStop(name);
    return stopped;
}

int ServiceControl::StopAndDeleteService(std::u16string_view name, bool runNetStop) {
    int result = StopRequest(name) ? kServiceStopped : 0;
    if (parts_.services.Remove(name) == platform::OsError::None)
        result += kServiceDeleted;
    if (runNetStop)
        RunNetStop(name);
    return result;
}

int ServiceControl::StopServicesOfPath(std::u16string_view path, bool runNetStop) {
    if (Trim(path).empty())
        return 0;
    int stopped = 0;
    const std::vector<ServiceInfo> listed = EnumerateServices();
    for (const ServiceInfo& service : listed) {
        if (SamePath(ServiceFile(service.imagePath), path) &&
            StopService(service.serviceName, runNetStop)) {
            ++stopped;
        }
    }
    return stopped;
}

}  // namespace vestra::processes
