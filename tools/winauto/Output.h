// What winauto prints: UTF-8 lines of tab-separated fields. Backslash, tab, CR and LF inside a
// field are escaped (\\ \t \r \n) so that every item stays on one line and splits unambiguously.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace winauto {

std::wstring Escape(const std::wstring& field);
std::wstring HandleText(HWND window);  // 0x0001002A
void PrintFields(const std::vector<std::wstring>& fields);
void PrintFields(std::initializer_list<std::wstring> fields);
void PrintError(const std::wstring& message);  // to stderr, unescaped

}  // namespace winauto
