// Libraries: loading a DLL by path and finding its exports (LoadLibrary/GetProcAddress).
#pragma once

#include <memory>
#include <string_view>

namespace vestra::platform {

// A loaded library; destroying it unloads it (FreeLibrary).
class Library {
public:
    virtual ~Library() = default;
    // GetProcAddress: nullptr when the export is missing.
    virtual void* Procedure(const char* name) = 0;
};

class Libraries {
public:
    virtual ~Libraries() = default;
    // nullptr when the file is missing or is not a loadable library.
    virtual std::unique_ptr<Library> Load(std::u16string_view path) = 0;
};

}  // namespace vestra::platform
