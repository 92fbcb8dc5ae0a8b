// Starting programs and documents by verb through ShellExecuteW.
#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

namespace vestra::platform::win32 {

namespace {
const wchar_t* OrNull(const std::u16string& text) {
    return text.empty() ? nullptr : W(text);
}
}  // namespace

std::intptr_t Win32Shell::Execute(const ShellRequest& request) {
    HINSTANCE result =
        ::ShellExecuteW(nullptr, OrNull(request.verb), W(request.file), OrNull(request.parameters),
                        OrNull(request.directory), request.show);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace vestra::platform::win32
