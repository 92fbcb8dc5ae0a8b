// Windows-only: the panel window class.
#include "ui/framework/Panel.h"

#include "ui/framework/Controls.h"

namespace vestra::ui::win {
namespace {

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_DRAWITEM:
        case WM_CONTEXTMENU:
            return SendMessageW(GetParent(panel), message, wParam, lParam);
        case WM_PRINTCLIENT:  // themed frames paint their inside from the parent
        case WM_ERASEBKGND: {
            HWND root = GetAncestor(panel, GA_ROOT);
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageW(root, kMsgPanelBackground, reinterpret_cast<WPARAM>(panel), 0));
            RECT area;
            GetClientRect(panel, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area,
                     brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            return DefWindowProcW(panel, message, wParam, lParam);
    }
}

}  // namespace

void RegisterPanelClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kPanelClass, &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    RegisterClassExW(&wc);
}

HWND MakePanel(const ControlArgs& args) {
    RegisterPanelClass();
    // No WS_CLIPCHILDREN: frames do not paint their inside, the panel behind them does.
    DWORD style = WS_CHILD | args.style;
    if (args.visible)
        style |= WS_VISIBLE;
    return CreateWindowExW(WS_EX_CONTROLPARENT | args.exStyle, kPanelClass, L"", style, args.x,
                           args.y, args.width, args.height, args.parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace vestra::ui::win
