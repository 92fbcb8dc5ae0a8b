// LoadLibraryW / GetProcAddress / FreeLibrary.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/Libraries.h"

namespace vestra::platform::win32 {

class Win32Libraries : public Libraries {
public:
    std::unique_ptr<Library> Load(std::u16string_view path) override;
};

}  // namespace vestra::platform::win32
