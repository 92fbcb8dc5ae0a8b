// Internet: the connection test, reading a small text from a URL and downloading to a file.
#pragma once

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace vestra::platform {

class Internet {
public:
    virtual ~Internet() = default;
    // InternetGetConnectedStateEx.
    virtual bool IsConnected() = 0;
    // InternetOpenUrlA + InternetReadFile, bypassing the cache; the body's bytes.
    virtual Result<std::string> ReadUrl(std::u16string_view url) = 0;
    // DeleteUrlCacheEntryA + URLDownloadToFileA.
    virtual OsError Download(std::u16string_view url, std::u16string_view destination) = 0;
};

}  // namespace vestra::platform
