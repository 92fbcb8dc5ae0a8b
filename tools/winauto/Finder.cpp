// Window lookup across processes. Captions of controls in another process are fetched with
// WM_GETTEXT (marshalled by the system); GetWindowText alone would not ask the other process.
#include "tools/winauto/Finder.h"

#include <algorithm>
#include <cwctype>

namespace winauto {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

void CollectChildren(HWND parent, std::vector<HWND>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        out.push_back(child);
        CollectChildren(child, out);
    }
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

bool MatchesTopLevel(HWND window, const TopLevelQuery& query) {
    if (!query.hidden_too && !IsWindowVisible(window)) {
        return false;
    }
    if (query.pid != 0 && OwnerProcess(window) != query.pid) {
        return false;
    }
    if (query.cls && ClassName(window) != *query.cls) {
        return false;
    }
    if (!query.title) {
        return true;
    }
    std::wstring caption = WindowText(window);
    return query.contains ? caption.find(*query.title) != std::wstring::npos
                          : caption == *query.title;
}

bool MatchesControl(HWND window, const ControlQuery& query) {
    if (query.id && GetDlgCtrlID(window) != *query.id) {
        return false;
    }
    if (query.cls && Lower(ClassName(window)) != Lower(*query.cls)) {
        return false;
    }
    return !query.caption || SameCaption(WindowText(window), *query.caption);
}

}  // namespace

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

std::vector<HWND> FindTopLevel(const TopLevelQuery& query) {
    std::vector<HWND> all;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND window : all) {
        if (MatchesTopLevel(window, query)) {
            found.push_back(window);
        }
    }
    return found;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> out;
    CollectChildren(window, out);
    return out;
}

std::optional<HWND> FindControl(HWND parent, const ControlQuery& query) {
    int seen = 0;
    for (HWND child : Descendants(parent)) {
        if (MatchesControl(child, query) && seen++ == query.index) {
            return child;
        }
    }
    return std::nullopt;
}

std::wstring WindowText(HWND window) {
    auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    if (!length) {
        // A hung owner still has its caption kept by the system.
        wchar_t buffer[1024] = {};
        InternalGetWindowText(window, buffer, 1024);
        return buffer;
    }
    std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
    auto copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied ? std::min(static_cast<size_t>(*copied), text.size() - 1) : 0);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

DWORD OwnerProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring StripMnemonic(const std::wstring& caption) {
    std::wstring out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) {
            ++i;  // "&&" stands for one ampersand; "&x" marks x
        }
        out += caption[i];
    }
    return out;
}

bool SameCaption(const std::wstring& a, const std::wstring& b) {
    return Lower(StripMnemonic(a)) == Lower(StripMnemonic(b));
}

bool WaitUntil(unsigned long timeout_ms, const std::function<bool()>& condition) {
    ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(50);
    }
}

}  // namespace winauto
