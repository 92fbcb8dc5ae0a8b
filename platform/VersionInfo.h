// Version information: the string table of a program file's version resource.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace vestra::platform {

// Keys as in the resource: "CompanyName", "FileDescription", "FileVersion", "ProductName", ...
using VersionStrings = std::map<std::u16string, std::u16string>;

class VersionInfo {
public:
    virtual ~VersionInfo() = default;
    // GetFileVersionInfoSizeW + GetFileVersionInfoW + VerQueryValue over the first translation.
    virtual Result<VersionStrings> Query(std::u16string_view path) = 0;
};

}  // namespace vestra::platform
