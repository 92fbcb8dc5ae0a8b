// Windows-only: the "Win-Force" tool page.
#include "ui/main/panels/tools/WinForcePage.h"

#include <windows.h>

#include "ui/model/ControlIds.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {

void WinForcePage::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(ControlKit::Kind::Label, page, ctl::kLbWinForce);
    for (int i = 0; i < 4; ++i) {
        kit.Add(ControlKit::Kind::IconBox, page, ctl::kPicForceIcon0 + i);
        kit.Add(ControlKit::Kind::Button, page, ctl::kCmdWinForce1 + i);
        kit.Enable(ctl::kCmdWinForce1 + i, false);  // binding point: starting each program
    }
}

void WinForcePage::Layout(int pw, int) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbWinForce, 8, 8, pw - 16, 16);
    for (int i = 0; i < 4; ++i) {
        kit.Place(ctl::kPicForceIcon0 + i, 16, 34 + i * 46, 32, 32);
        kit.Place(ctl::kCmdWinForce1 + i, 58, 36 + i * 46, 280, 30);
    }
}

void WinForcePage::SetUp(SetupPart) {
    const int icons[] = {IDI_AREA, IDI_REGISTRY, IDI_AREA, IDI_AREA};
    for (int i = 0; i < 4; ++i) {
        // Binding point: Win-Force draws each program's own icon; the product's stand in.
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icons[i]));
        SendMessageW(ctx_.kit.Ctl(ctl::kPicForceIcon0 + i), STM_SETICON,
                     reinterpret_cast<WPARAM>(icon), 0);
    }
}

}  // namespace vestra::ui
