// Writes winauto's results to stdout as UTF-8 bytes, whatever the console's code page is.
#include "tools/winauto/Output.h"

#include <cstdio>
#include <cwchar>

namespace winauto {
namespace {

void WriteUtf8(DWORD which, const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    DWORD written = 0;
    // Unbuffered on purpose: a caller reading a long-running command ("run") sees each line
    // as soon as it is printed.
    WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

}  // namespace

std::wstring Escape(const std::wstring& field) {
    std::wstring out;
    out.reserve(field.size());
    for (wchar_t c : field) {
        switch (c) {
            case L'\\':
                out += L"\\\\";
                break;
            case L'\t':
                out += L"\\t";
                break;
            case L'\r':
                out += L"\\r";
                break;
            case L'\n':
                out += L"\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::wstring HandleText(HWND window) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"0x%08llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    return buffer;
}

void PrintFields(const std::vector<std::wstring>& fields) {
    std::wstring line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) {
            line += L'\t';
        }
        line += Escape(fields[i]);
    }
    WriteUtf8(STD_OUTPUT_HANDLE, line + L"\n");
}

void PrintFields(std::initializer_list<std::wstring> fields) {
    PrintFields(std::vector<std::wstring>(fields));
}

void PrintError(const std::wstring& message) {
    WriteUtf8(STD_ERROR_HANDLE, L"winauto: " + message + L"\n");
}

}  // namespace winauto
