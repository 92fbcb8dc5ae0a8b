// Windows-only: the pop-up menus of the list views and their notifications. A menu is built from
// its table when it opens; an item whose work is not bound to the window is shown disabled.
#include <windows.h>

#include <commctrl.h>

#include "ui/framework/Controls.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

void AppendItems(HMENU menu, std::span<const MenuItemSpec> items,
                 const std::function<bool(int)>& isBound) {
    for (const MenuItemSpec& item : items) {
        const std::u16string caption(item.caption);
        if (caption.empty()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.children.empty()) {
            HMENU sub = CreatePopupMenu();
            AppendItems(sub, item.children, isBound);
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), win::W(caption));
        } else {
            const UINT flags = MF_STRING | (isBound(item.id) ? MF_ENABLED : MF_GRAYED);
            AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.id), win::W(caption));
        }
    }
}

}  // namespace

void FormMain::ShowListMenu(int listId, int x, int y) {
    const ListSpec* layout = FindList(listId);
    if (!layout || layout->menu.empty())
        return;
    win::UniqueMenu menu(CreatePopupMenu());
    AppendItems(menu.get(), layout->menu, [this](int id) { return IsBound(id); });
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, hwnd(), nullptr));
    if (chosen != 0 && IsBound(chosen))
        bound_[chosen]();
}

LRESULT FormMain::OnListNotify(NMHDR* header) {
    const int listId = static_cast<int>(header->idFrom);
    if (header->code == NM_RCLICK) {
        POINT at;
        GetCursorPos(&at);
        ShowListMenu(listId, at.x, at.y);
        return 0;
    }
    if (header->code == LVN_ITEMCHANGED) {
        auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        const bool checkChanged = (change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK;
        // A user's check goes to the result model, which refuses it on a row already dealt with
        // ("Fixed"); the list view then shows the model's mark again.
        ResultList* model = ModelOfList(listId);
        if (model && checkChanged && !mirroring_ && change->iItem >= 0 &&
            static_cast<std::size_t>(change->iItem) < model->Count()) {
            const bool wanted = win::list::RowChecked(header->hwndFrom, change->iItem);
            if (model->SetChecked(static_cast<std::size_t>(change->iItem), wanted) != wanted) {
                mirroring_ = true;
                win::list::CheckRow(header->hwndFrom, change->iItem, !wanted);
                mirroring_ = false;
            }
        }
        // Checking a quarantine row also selects it.
        if (listId == ctl::kLVCage && checkChanged && change->iItem >= 0 &&
            win::list::RowChecked(header->hwndFrom, change->iItem))
            ListView_SetItemState(header->hwndFrom, change->iItem, LVIS_SELECTED, LVIS_SELECTED);
    }
    return 0;
}

}  // namespace vestra::ui
