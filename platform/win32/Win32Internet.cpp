// URL reads bypass the cache (INTERNET_FLAG_RELOAD) and treat an HTTP error status as a failure,
// so an error page is never taken for the text asked for. Downloads drop the cached copy first.
#include "platform/win32/Win32Internet.h"

#include <urlmon.h>
#include <wininet.h>

namespace vestra::platform::win32 {

namespace {

void CloseInternet(HINTERNET handle) {
    ::InternetCloseHandle(handle);
}
using InternetOwner = Owned<HINTERNET, CloseInternet, NullHandle<HINTERNET>>;

// An HTTP status of 400 or more; 0 when the URL is not HTTP or the status is unknown.
DWORD HttpErrorStatus(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                          nullptr)) {
        return 0;
    }
    return status >= 400 ? status : 0;
}

}  // namespace

bool Win32Internet::IsConnected() {
    DWORD flags = 0;
    return ::InternetGetConnectedStateExW(&flags, nullptr, 0, 0) != FALSE;
}

Result<std::string> Win32Internet::ReadUrl(std::u16string_view url) {
    InternetOwner session(
        ::InternetOpenW(L"Vestra", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return LastError();
    std::u16string address(url);
    InternetOwner request(::InternetOpenUrlW(
        session.get(), W(address), nullptr, 0,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE, 0));
    if (!request)
        return LastError();
    DWORD status = HttpErrorStatus(request.get());
    if (status == 404 || status == 410)
        return OsError::FileNotFound;
    if (status != 0)
        return OsError::Other;
    std::string body;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!::InternetReadFile(request.get(), buffer, sizeof(buffer), &got))
            return LastError();
        if (got == 0)
            return body;
        body.append(buffer, got);
    }
}

OsError Win32Internet::Download(std::u16string_view url, std::u16string_view destination) {
    std::u16string address(url);
    std::u16string target(destination);
    ::DeleteUrlCacheEntryW(W(address));  // a missing cache entry is no failure
    HRESULT result = ::URLDownloadToFileW(nullptr, W(address), W(target), 0, nullptr);
    return SUCCEEDED(result) ? OsError::None : OsError::Other;
}

}  // namespace vestra::platform::win32
