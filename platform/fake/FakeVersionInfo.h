// Version strings per file path (compared without regard to case) that tests set up.
#pragma once

#include <map>
#include <string>

#include "platform/VersionInfo.h"

namespace vestra::platform::fake {

class FakeVersionInfo : public VersionInfo {
public:
    void Set(std::u16string_view path, VersionStrings strings);
    // A path without strings is FileNotFound (no file, or a file without a version resource).
    Result<VersionStrings> Query(std::u16string_view path) override;

private:
    std::map<std::u16string, VersionStrings> byPath_;  // by upper-cased path
};

}  // namespace vestra::platform::fake
