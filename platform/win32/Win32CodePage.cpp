// WideCharToMultiByte and MultiByteToWideChar with the system's ANSI code page.
#include "platform/win32/Win32CodePage.h"

#include "platform/win32/Win32Common.h"

namespace vestra::platform::win32 {

std::string Win32CodePage::ToAnsi(std::u16string_view text) {
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    int units = static_cast<int>(text.size());
    int size = ::WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, units, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::u16string Win32CodePage::FromAnsi(std::string_view bytes) {
    if (bytes.empty())
        return {};
    int count = static_cast<int>(bytes.size());
    int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, nullptr, 0);
    if (size <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(size), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, reinterpret_cast<wchar_t*>(text.data()),
                          size);
    return text;
}

}  // namespace vestra::platform::win32
