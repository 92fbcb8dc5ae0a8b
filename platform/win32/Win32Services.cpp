// Service enumeration, stop and delete (W forms: a service name outside the ANSI code page must
// still be stoppable).
#include "platform/win32/Win32Services.h"

namespace vestra::platform::win32 {

namespace {

void CloseService(SC_HANDLE handle) {
    ::CloseServiceHandle(handle);
}
using ServiceOwner = Owned<SC_HANDLE, CloseService, NullHandle<SC_HANDLE>>;

Result<ServiceOwner> OpenNamedService(std::u16string_view name, DWORD access) {
    ServiceOwner manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return LastError();
    ServiceOwner service(::OpenServiceW(manager.get(), W(std::u16string(name)), access));
    if (!service)
        return LastError();
    return service;
}

}  // namespace

Result<std::vector<ServiceEntry>> Win32Services::Enumerate() {
    ServiceOwner manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager)
        return LastError();
    std::vector<ServiceEntry> entries;
    std::vector<BYTE> buffer(64 * 1024);
    DWORD resume = 0;
    for (;;) {
        DWORD needed = 0;
        DWORD count = 0;
        BOOL done =
            ::EnumServicesStatusW(manager.get(), SERVICE_WIN32, SERVICE_STATE_ALL,
                                  reinterpret_cast<LPENUM_SERVICE_STATUSW>(buffer.data()),
                                  static_cast<DWORD>(buffer.size()), &needed, &count, &resume);
        if (!done && ::GetLastError() != ERROR_MORE_DATA)
            return LastError();
        const auto* items = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            entries.push_back({FromWide(items[i].lpServiceName), FromWide(items[i].lpDisplayName),
                               items[i].ServiceStatus.dwCurrentState,
                               items[i].ServiceStatus.dwServiceType});
        }
        if (done)
            return entries;
        if (count == 0)
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
    }
}

OsError Win32Services::Stop(std::u16string_view name) {
    auto service = OpenNamedService(name, SERVICE_STOP);
    if (!service)
        return service.error();
    SERVICE_STATUS status = {};
    return ::ControlService(service->get(), SERVICE_CONTROL_STOP, &status) ? OsError::None
                                                                           : LastError();
}

OsError Win32Services::Remove(std::u16string_view name) {
    auto service = OpenNamedService(name, DELETE);
    if (!service)
        return service.error();
    return ::DeleteService(service->get()) ? OsError::None : LastError();
}

}  // namespace vestra::platform::win32
