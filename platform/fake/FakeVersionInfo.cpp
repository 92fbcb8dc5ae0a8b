// Fake version resources.
#include "platform/fake/FakeVersionInfo.h"

#include "platform/Text.h"

namespace vestra::platform::fake {

void FakeVersionInfo::Set(std::u16string_view path, VersionStrings strings) {
    byPath_[UpperCase(path)] = std::move(strings);
}

Result<VersionStrings> FakeVersionInfo::Query(std::u16string_view path) {
    auto it = byPath_.find(UpperCase(path));
    if (it == byPath_.end())
        return OsError::FileNotFound;
    return it->second;
}

}  // namespace vestra::platform::fake
