// Windows-only: the base of every window of the program. One static window procedure stores the
// object at WM_NCCREATE and dispatches to virtual handlers; controls report their events to
// std::function handlers registered by id, so no control needs subclassing for a click.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace vestra::ui::win {

struct WindowArgs {
    std::u16string className;  // registered on first use
    std::u16string title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND owner = nullptr;
    int iconResource = 0;  // the class icon, 0 for none
    HBRUSH background = nullptr;
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    bool Create(const WindowArgs& args);
    HWND hwnd() const { return hwnd_; }
    int Dpi() const;
    int Scale(int pixelsAt96) const;

    // Event handlers by control id. A command handler gets the notification code.
    std::map<int, std::function<void(int code)>> onCommand;
    std::map<int, std::function<LRESULT(NMHDR* header)>> onNotify;
    std::map<UINT_PTR, std::function<void()>> onTimer;

    void StartTimer(UINT_PTR id, UINT intervalMs);
    void StopTimer(UINT_PTR id);
    bool TimerRunning(UINT_PTR id) const;

protected:
    virtual bool OnCreate() { return true; }
    virtual void OnSize(int /*width*/, int /*height*/, WPARAM /*kind*/) {}
    // Returns false to keep the window open.
    virtual bool OnClose() { return true; }
    virtual void OnDestroy() {}
    virtual void OnDpiChanged(int /*dpi*/, const RECT& suggested);
    // Colours of static, button and edit children; null for the default.
    virtual HBRUSH OnCtlColor(UINT /*message*/, HDC /*dc*/, HWND /*child*/) { return nullptr; }
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchCommand(WPARAM wParam);

    HWND hwnd_ = nullptr;
    std::map<UINT_PTR, bool> timers_;
};

// The DPI of a window (per-monitor where the system tells it), 96 when unknown.
int WindowDpi(HWND window);
// Marks the process DPI aware (per-monitor where the system offers it).
void MakeProcessDpiAware();

}  // namespace vestra::ui::win
