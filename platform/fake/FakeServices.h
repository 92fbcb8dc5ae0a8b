// A service table that tests set up. Stop moves a running service to stopped, Remove deletes
// it; protected services refuse both. Every request is recorded.
#pragma once

#include <string>
#include <vector>

#include "platform/Services.h"
#include "platform/fake/FaultInjector.h"

namespace vestra::platform::fake {

enum class SvcOp : std::uint8_t { Enumerate, Stop, Remove, Count };

inline constexpr std::uint32_t kServiceStopped = 1;
inline constexpr std::uint32_t kServiceRunning = 4;

class FakeServices : public Services {
public:
    // Adds or replaces a service (matched by name without regard to case).
    void Add(const ServiceEntry& entry, bool protectedService = false);
    // nullptr when there is no such service.
    const ServiceEntry* Get(std::u16string_view name) const;
    // Names of the Stop and Remove requests, in order, whatever their outcome.
    const std::vector<std::u16string>& stopRequests() const { return stopRequests_; }
    const std::vector<std::u16string>& removeRequests() const { return removeRequests_; }

    FaultInjector<SvcOp>& faults() { return faults_; }

    Result<std::vector<ServiceEntry>> Enumerate() override;
    // A missing service is ERROR_SERVICE_DOES_NOT_EXIST and a stopped one ERROR_SERVICE_NOT_
    // ACTIVE; both come back as Other, which is how the Win32 mapping reports them.
    OsError Stop(std::u16string_view name) override;
    OsError Remove(std::u16string_view name) override;

private:
    struct Entry {
        ServiceEntry service;
        bool protectedService = false;
    };
    Entry* Find(std::u16string_view name);

    std::vector<Entry> services_;
    std::vector<std::u16string> stopRequests_;
    std::vector<std::u16string> removeRequests_;
    FaultInjector<SvcOp> faults_;
};

}  // namespace vestra::platform::fake
