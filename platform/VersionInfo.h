// Version information: the string table of a program file's version resource.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/Result.h"
#include "platform/Text.h"

namespace vestra::platform {

// Resources spell their keys as their authors chose ("OriginalFilename" beside the program's
// "OriginalFileName"), and the system's own lookup ignores case: so does this table.
struct VersionKeyLess {
    bool operator()(std::u16string_view a, std::u16string_view b) const {
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
            const char16_t x = UpperChar(a[i]), y = UpperChar(b[i]);
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    }
};

// Keys as in the resource: "CompanyName", "FileDescription", "FileVersion", "ProductName", ...
using VersionStrings = std::map<std::u16string, std::u16string, VersionKeyLess>;

class VersionInfo {
public:
    virtual ~VersionInfo() = default;
    // GetFileVersionInfoSizeW + GetFileVersionInfoW + VerQueryValue over the first translation.
    virtual Result<VersionStrings> Query(std::u16string_view path) = 0;
};

}  // namespace vestra::platform
