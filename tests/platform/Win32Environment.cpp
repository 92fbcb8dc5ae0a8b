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

namespace {

// Registers a class whose windows keep their text as any window does (DefWindowProc).
void EnsureClass(const std::u16string& name) {
    WNDCLASSW existing{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), win32::W(name), &existing))
        return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = win32::W(name);
    ::RegisterClassW(&wc);
}

}  // namespace

WindowId Win32Environment::AddWindowWithChild(std::u16string_view caption,
                                              std::u16string_view childClass,
                                              std::u16string_view text) {
    const std::u16string hostClass = u"VestraContractHost";
    const std::u16string child(childClass);
    EnsureClass(hostClass);
    EnsureClass(child);
    const std::u16string title(caption);
    const std::u16string content(text);
    HWND top = ::CreateWindowExW(0, win32::W(hostClass), win32::W(title), WS_OVERLAPPEDWINDOW, 0, 0,
                                 200, 100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::CreateWindowExW(0, win32::W(child), win32::W(content), WS_CHILD, 0, 0, 100, 20, top, nullptr,
                      ::GetModuleHandleW(nullptr), nullptr);
    return reinterpret_cast<WindowId>(top);
}

void Win32Environment::RemoveWindow(WindowId window) {
    ::DestroyWindow(reinterpret_cast<HWND>(window));
}

}  // namespace vestra::platform::contract
