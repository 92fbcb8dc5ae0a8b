// The ANSI code page of the running system (CP_ACP).
#pragma once

#include "platform/CodePage.h"

namespace vestra::platform::win32 {

class Win32CodePage : public CodePage {
public:
    std::string ToAnsi(std::u16string_view text) override;
    std::u16string FromAnsi(std::string_view bytes) override;
};

}  // namespace vestra::platform::win32
