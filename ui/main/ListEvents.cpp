// Windows-only: the list views' pop-up menus and item notifications.
#include "ui/main/ListEvents.h"

#include <windows.h>

#include <commctrl.h>

#include <span>

#include "ui/framework/Gdi.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

void AppendItems(HMENU menu, std::span<const MenuItemSpec> items, const CommandBindings& bindings) {
    for (const MenuItemSpec& item : items) {
        const std::u16string caption(item.caption);
        if (caption.empty()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.children.empty()) {
            HMENU sub = CreatePopupMenu();
            AppendItems(sub, item.children, bindings);
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), win::W(caption));
        } else {
            const UINT flags = MF_STRING | (bindings.IsBound(item.id) ? MF_ENABLED : MF_GRAYED);
            AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.id), win::W(caption));
        }
    }
}

void ShowListMenu(HWND owner, int listId, const CommandBindings& bindings) {
    const ListSpec* layout = FindList(listId);
    if (!layout || layout->menu.empty())
        return;
    POINT at;
    GetCursorPos(&at);
    win::UniqueMenu menu(CreatePopupMenu());
    AppendItems(menu.get(), layout->menu, bindings);
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    if (chosen != 0)
        bindings.Run(chosen);
}

}  // namespace

bool CheckMarkChanged(const NMLISTVIEW& change) {
    return ((change.uOldState ^ change.uNewState) & LVIS_STATEIMAGEMASK) != 0;
}

void HandleListEvents(const PanelContext& context, int listId, ItemChanged onItemChanged) {
    context.window.onNotify[listId] = [context, listId,
                                       onItemChanged = std::move(onItemChanged)](NMHDR* header) {
        if (header->code == NM_RCLICK)
            ShowListMenu(context.window.hwnd(), listId, context.bindings);
        else if (header->code == LVN_ITEMCHANGED && onItemChanged)
            onItemChanged(header->hwndFrom, *reinterpret_cast<NMLISTVIEW*>(header));
        return LRESULT{0};
    };
}

}  // namespace vestra::ui
