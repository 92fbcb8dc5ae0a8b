// Finding windows of other processes: top-level windows by caption, class and owning process,
// descendants by control id, caption or class, and polling until a condition holds.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace winauto {

struct TopLevelQuery {
    std::optional<std::wstring> title;
    bool contains = false;  // title is a substring rather than the whole caption
    std::optional<std::wstring> cls;
    DWORD pid = 0;            // 0: any process
    bool hidden_too = false;  // hidden windows count as well (a protection host has no visible one)
};

struct ControlQuery {
    std::optional<int> id;
    std::optional<std::wstring> caption;  // compared without '&' and without regard to case
    std::optional<std::wstring> cls;
    int index = 0;  // the index-th match, in creation (z) order
};

std::vector<HWND> FindTopLevel(const TopLevelQuery& query);
std::vector<HWND> Descendants(HWND window);  // depth first, in z order
std::optional<HWND> FindControl(HWND parent, const ControlQuery& query);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
DWORD OwnerProcess(HWND window);
std::wstring StripMnemonic(const std::wstring& caption);
bool SameCaption(const std::wstring& a, const std::wstring& b);

// Polls `condition` every 50 ms until it holds or `timeout_ms` passes; true when it held.
bool WaitUntil(unsigned long timeout_ms, const std::function<bool()>& condition);

// SendMessageTimeout with the usual guard against a hung target; nullopt when it timed out.
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace winauto
