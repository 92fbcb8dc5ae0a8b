// Windows-only: the Quarantine panel.
#include "ui/main/panels/QuarantinePanel.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/framework/Controls.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

// The buttons stand for the pop-up items of the same captions.
constexpr int kButtonCommands[] = {cmd::kPopCageResT, cmd::kPopCageResTo, cmd::kPopCageDel};

}  // namespace

void QuarantinePanel::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.AddList(page, ctl::kLVCage);
    // Checking a row also selects it.
    HandleListEvents(ctx_, ctl::kLVCage, [](HWND list, const NMLISTVIEW& change) {
        if (CheckMarkChanged(change) && change.iItem >= 0 &&
            win::list::RowChecked(list, change.iItem))
            ListView_SetItemState(list, change.iItem, LVIS_SELECTED, LVIS_SELECTED);
    });
    kit.Add(Kind::Progress, page, ctl::kPBCage);
    kit.Add(Kind::Check, page, ctl::kCkCage);
    ctx_.window.onCommand[ctl::kCkCage] = [this](int code) {
        if (code == BN_CLICKED)
            win::list::CheckAll(ctx_.kit.Ctl(ctl::kLVCage),
                                win::IsChecked(ctx_.kit.Ctl(ctl::kCkCage)));
    };
    for (int i = 0; i < 3; ++i) {
        kit.Add(Kind::Button, page, ctl::kCmdCage0 + i);
        const int command = kButtonCommands[i];
        ctx_.window.onCommand[ctl::kCmdCage0 + i] = [this, command](int) {
            ctx_.bindings.Run(command);
        };
    }
}

void QuarantinePanel::Layout(int w, int h) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLVCage, 8, 8, w - 16, h - 8 - 66);
    kit.Place(ctl::kPBCage, 8, h - 52, w - 16, 12);
    kit.Place(ctl::kCkCage, 10, h - 32, 100, 20);
    int x = w - 8;
    for (int i = 2; i >= 0; --i) {
        x -= 104;
        kit.Place(ctl::kCmdCage0 + i, x, h - 35, 100, 27);
    }
}

void QuarantinePanel::SetUp(SetupPart) {
    Refill();
}

void QuarantinePanel::Opened() {
    Refill();
}

void QuarantinePanel::Refill() {
    ctx_.kit.AddColumns(ctl::kLVCage);
    // Binding point: the quarantine store refills LVCage and gives the count for the caption.
    ctx_.host.SetQuarantineCount(win::list::RowCount(ctx_.kit.Ctl(ctl::kLVCage)));
    for (int i = 0; i < 3; ++i)
        ctx_.kit.Enable(ctl::kCmdCage0 + i, ctx_.bindings.IsBound(kButtonCommands[i]));
}

}  // namespace vestra::ui
