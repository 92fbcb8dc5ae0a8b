// Windows-only: the edge where the program's UTF-16 text meets the wide-character Win32 calls.
// On Windows wchar_t and char16_t are both 16-bit UTF-16 units, so no copy is needed.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vestra::ui::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* W(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string U16(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
inline std::u16string U16(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// GetWindowTextW into a string of the right length.
std::u16string WindowText(HWND window);
void SetWindowTextU(HWND window, std::u16string_view text);

}  // namespace vestra::ui::win
