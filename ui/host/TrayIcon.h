// Windows-only: the notification-area icon of the protection host: a hidden window that owns
// one icon with its tooltip, balloons and pop-up menu, and turns the shell's callbacks into
// events. The shell reports through a mouse-move message whose position carries the code.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/framework/Window.h"

namespace vestra::ui {

enum class TrayEvent { LeftUp, LeftDoubleClick, RightDown, RightUp, RightDoubleClick, Other };

// The code in the callback's position (the mouse or balloon message the shell reports).
TrayEvent TrayEventOf(UINT code);

class TrayIcon : public win::Window {
public:
    std::function<void(TrayEvent)> onEvent;
    std::function<void(int index, const std::u16string& key)> onMenuClick;

    // Creates the hidden window and adds the icon (NIM_ADD).
    bool Open(HICON icon, std::u16string_view tip);
    // Only a different handle is sent to the shell.
    void SetIcon(HICON icon);
    void SetToolTip(std::u16string_view tip);
    // Information 1, warning 2, error 3; nothing where the shell has no balloons.
    void ShowBalloonTip(std::u16string_view message, std::u16string_view title, int icon,
                        UINT timeoutMs);

    // "-" makes a separator; the default item is shown bold. Answers the item's index.
    int AddMenuItem(std::u16string_view caption, std::u16string_view key, bool isDefault = false);
    void CheckMenuItem(int index, bool checked);
    bool MenuItemChecked(int index) const;
    // Brings this window to the front (so the menu closes when the user clicks elsewhere) and
    // shows the menu at the cursor; a chosen item raises onMenuClick.
    void ShowMenu();

    HICON Icon() const { return data_.hIcon; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    struct MenuItem {
        std::u16string caption, key;
        bool separator = false, checked = false;
    };
    void Modify(UINT flags);

    NOTIFYICONDATAW data_{};
    bool added_ = false;
    std::vector<MenuItem> items_;
    int defaultItem_ = -1;
};

}  // namespace vestra::ui
