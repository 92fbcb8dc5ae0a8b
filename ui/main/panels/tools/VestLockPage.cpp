// Windows-only: the "Vest-Lock" tool page.
#include "ui/main/panels/tools/VestLockPage.h"

#include <windows.h>

#include "ui/framework/Controls.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

void VestLockPage::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(ControlKit::Kind::Label, page, ctl::kLbLockInfo);
    kit.AddList(page, ctl::kLVLock);
    HandleListEvents(ctx_, ctl::kLVLock);
    kit.Add(ControlKit::Kind::Check, page, ctl::kCkLock);
    ctx_.window.onCommand[ctl::kCkLock] = [this](int code) {
        if (code == BN_CLICKED)
            win::list::CheckAll(ctx_.kit.Ctl(ctl::kLVLock),
                                win::IsChecked(ctx_.kit.Ctl(ctl::kCkLock)));
    };
    kit.Add(ControlKit::Kind::Button, page, ctl::kCmdLock0);
    kit.Add(ControlKit::Kind::Button, page, ctl::kCmdLock0 + 1);
    // Binding point: the drive lock; until bound Unlock and Lock are disabled.
    kit.Enable(ctl::kCmdLock0, false);
    kit.Enable(ctl::kCmdLock0 + 1, false);
}

void VestLockPage::Layout(int pw, int ph) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbLockInfo, 8, 8, pw - 16, 16);
    kit.Place(ctl::kLVLock, 8, 28, pw - 16, ph - 28 - 40);
    kit.Place(ctl::kCkLock, 10, ph - 32, 100, 20);
    kit.Place(ctl::kCmdLock0 + 1, pw - 8 - 96, ph - 35, 96, 27);
    kit.Place(ctl::kCmdLock0, pw - 8 - 96 - 6 - 96, ph - 35, 96, 27);
}

void VestLockPage::SetUp(SetupPart) {
    ctx_.kit.AddColumns(ctl::kLVLock);
}

}  // namespace vestra::ui
