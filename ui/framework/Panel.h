// Windows-only: the container window that holds a group of controls (a tab's panel). It passes
// its children's commands, notifications and colour questions up to the top-level window, so the
// form handles every control in one place, and asks the top-level window for its background.
#pragma once

#include <windows.h>

namespace vestra::ui::win {

inline constexpr wchar_t kPanelClass[] = L"VestraPanel";
// Sent to the top-level window with the panel as wParam; the answer is the HBRUSH to paint the
// panel with (0 for the dialog colour).
inline constexpr UINT kMsgPanelBackground = WM_APP + 0x100;

void RegisterPanelClass();

}  // namespace vestra::ui::win
