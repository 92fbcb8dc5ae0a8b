// Windows-only: FormCorner, the small window that carries on showing a scan in the bottom-right
// corner of the screen while the main window gives way (Cornering). It knows its owner only by
// the events it is given.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/model/ScanDisplay.h"
#include "ui/model/Theme.h"

namespace vestra::ui {

// What the corner window reads and asks of the window that gives way to it.
struct CornerEvents {
    std::function<ScanFigures()> figures;
    std::function<bool()> scanRunning;  // Stop is enabled only during a scan
    std::function<bool()> fixAllBound;  // Fix All is enabled only when cleaning is bound
    std::function<void()> stop;
    std::function<void()> fixAll;
    std::function<void()> restore;  // "Detail >>": back to the main window
    std::function<void()> close;    // closing the corner closes the program
};

class FormCorner : public win::Window {
public:
    FormCorner(CornerEvents events, const ThemePalette& palette);

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

    CornerEvents events_;
    ThemePalette palette_;
    win::UniqueFont font_, bold_;
    win::SolidBrush background_;
    int slideTarget_ = 0;
};

}  // namespace vestra::ui
