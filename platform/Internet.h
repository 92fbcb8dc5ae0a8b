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
    // InternetOpenUrl + InternetReadFile, bypassing the cache; the body's bytes. An HTTP error
    // status is a failure (404 and 410 FileNotFound), never an error page taken as the body.
    virtual Result<std::string> ReadUrl(std::u16string_view url) = 0;
    // DeleteUrlCacheEntry + URLDownloadToFile (W forms, so any destination path works).
    virtual OsError Download(std::u16string_view url, std::u16string_view destination) = 0;
};

}  // namespace vestra::platform
