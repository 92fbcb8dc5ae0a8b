// The connection test, URL reads and downloads on wininet and urlmon.
#pragma once

#include "platform/win32/Win32Common.h"

#include "platform/Internet.h"

namespace vestra::platform::win32 {

class Win32Internet : public Internet {
public:
    bool IsConnected() override;
    Result<std::string> ReadUrl(std::u16string_view url) override;
    OsError Download(std::u16string_view url, std::u16string_view destination) override;
};

}  // namespace vestra::platform::win32
