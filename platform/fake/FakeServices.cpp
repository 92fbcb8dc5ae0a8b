// The fake service control manager.
#include "platform/fake/FakeServices.h"

#include <algorithm>

#include "platform/Text.h"

namespace vestra::platform::fake {

void FakeServices::Add(const ServiceEntry& entry, bool protectedService) {
    if (Entry* existing = Find(entry.name)) {
        *existing = {entry, protectedService};
    } else {
        services_.push_back({entry, protectedService});
    }
}

FakeServices::Entry* FakeServices::Find(std::u16string_view name) {
    auto it = std::find_if(services_.begin(), services_.end(),
                           [&](const Entry& e) { return EqualsNoCase(e.service.name, name); });
    return it == services_.end() ? nullptr : &*it;
}

const ServiceEntry* FakeServices::Get(std::u16string_view name) const {
    Entry* entry = const_cast<FakeServices*>(this)->Find(name);
    return entry == nullptr ? nullptr : &entry->service;
}

Result<std::vector<ServiceEntry>> FakeServices::Enumerate() {
    if (OsError e = faults_.Next(SvcOp::Enumerate); e != OsError::None)
        return e;
    std::vector<ServiceEntry> entries;
    for (const Entry& e : services_)
        entries.push_back(e.service);
    return entries;
}

OsError FakeServices::Stop(std::u16string_view name) {
    stopRequests_.emplace_back(name);
    if (OsError e = faults_.Next(SvcOp::Stop); e != OsError::None)
        return e;
    Entry* entry = Find(name);
    if (entry == nullptr)
        return OsError::Other;
    if (entry->protectedService)
        return OsError::AccessDenied;
    if (entry->service.state == kServiceStopped)
        return OsError::Other;
    entry->service.state = kServiceStopped;
    return OsError::None;
}

OsError FakeServices::Remove(std::u16string_view name) {
    removeRequests_.emplace_back(name);
    if (OsError e = faults_.Next(SvcOp::Remove); e != OsError::None)
        return e;
    Entry* entry = Find(name);
    if (entry == nullptr)
        return OsError::Other;
    if (entry->protectedService)
        return OsError::AccessDenied;
    services_.erase(services_.begin() + (entry - services_.data()));
    return OsError::None;
}

}  // namespace vestra::platform::fake
