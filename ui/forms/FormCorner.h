// Windows-only: FormCorner, the small window that carries on showing a scan in the bottom-right
// corner of the screen while the main window gives way (Cornering).
#pragma once

#include <windows.h>

#include <string>

#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/model/Theme.h"

namespace vestra::ui {

class FormMain;

class FormCorner : public win::Window {
public:
    FormCorner(FormMain& main, const ThemePalette& palette);

    // Shows the window with its title and slides it into the corner.
    void LoadCorner(std::u16string_view title);
    // A message in the path line (shortened to fit).
    void MsgCorner(std::u16string_view message);
    void Hide();

protected:
    bool OnCreate() override;
    bool OnClose() override;
    HBRUSH OnCtlColor(UINT message, HDC dc, HWND child) override;

private:
    void Sliding();
    void Refresh();
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    FormMain& main_;
    ThemePalette palette_;
    win::UniqueFont font_, bold_;
    win::SolidBrush background_;
    int slideTarget_ = 0;
};

}  // namespace vestra::ui
