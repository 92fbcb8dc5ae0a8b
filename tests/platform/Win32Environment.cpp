// Scratch folder and key for the Win32 contract run, and their removal. The clean-up uses the
// Win32 calls directly so that a fault in the seam cannot leave the scratch area behind.
#include "platform/win32/Win32Common.h"

#include "tests/platform/Win32Environment.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace vestra::platform::contract {

namespace {

constexpr char16_t kKeyRoot[] = u"Software\\VestraContract";

std::u16string UniqueName() {
    static unsigned counter = 0;
    return ToText(::GetCurrentProcessId()) + u"-" + ToText(::GetTickCount()) + u"-" +
           ToText(++counter);
}

void RemoveTree(const std::u16string& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(win32::W(folder + u"*"), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::u16string name = win32::FromWide(data.cFileName);
            if (name == u"." || name == u"..")
                continue;
            std::u16string path = folder + name;
            ::SetFileAttributesW(win32::W(path), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + u"\\");
            } else {
                ::DeleteFileW(win32::W(path));
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(win32::W(folder));
}

}  // namespace

Win32Environment::Win32Environment() {
    wchar_t temp[MAX_PATH + 1];
    DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    std::u16string name = UniqueName();
    scratch = win32::FromWide(temp, length) + u"VestraContract-" + name + u"\\";
    if (!::CreateDirectoryW(win32::W(scratch), nullptr)) {
        ADD_FAILURE() << "cannot create the scratch folder " << ToUtf8(scratch);
    }
    scratchKey = std::u16string(kKeyRoot) + u"\\" + name;
    HKEY key = nullptr;
    if (::RegCreateKeyW(HKEY_CURRENT_USER, win32::W(scratchKey), &key) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot create the scratch key " << ToUtf8(scratchKey);
    } else {
        ::RegCloseKey(key);
    }
}

Win32Environment::~Win32Environment() {
    RemoveTree(scratch);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::W(scratchKey));
    ::RegDeleteKeyW(HKEY_CURRENT_USER, win32::W(std::u16string(kKeyRoot)));  // once empty
}

}  // namespace vestra::platform::contract
