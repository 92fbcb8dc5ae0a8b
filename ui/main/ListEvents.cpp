// Windows-only: the list views' pop-up menus and item notifications.
#include "ui/main/ListEvents.h"

#include <windows.h>

#include <commctrl.h>

#include <span>

#include "ui/framework/Controls.h"
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
            const UINT flags = MF_STRING | (bindings.IsBound(item.id) ? MF_ENABLED : MF_GRAYED) |
                               (bindings.IsChecked(item.id) ? MF_CHECKED : MF_UNCHECKED);
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

void MirrorListRow(HWND view, const ResultList& list, ListChange change, std::size_t row) {
    if (change == ListChange::Cleared) {
        win::list::Clear(view);
        return;
    }
    if (change == ListChange::Removed) {
        ListView_DeleteItem(view, static_cast<int>(row));
        return;
    }
    const ResultRow& model = list.Row(row);
    int index = static_cast<int>(row);
    if (change == ListChange::Added)
        index = win::list::AddRow(view, model.cells.empty() ? u"" : model.cells[0], model.icon);
    LVITEMW icon{};
    icon.mask = LVIF_IMAGE;
    icon.iItem = index;
    icon.iImage = model.icon;
    ListView_SetItem(view, &icon);
    for (std::size_t c = 0; c < model.cells.size(); ++c)
        win::list::SetCell(view, index, static_cast<int>(c), model.cells[c]);
    win::list::CheckRow(view, index, model.checked);
}

int SelectedRow(HWND view) {
    return view ? ListView_GetNextItem(view, -1, LVNI_SELECTED) : -1;
}

void HandleListEvents(const PanelContext& context, int listId, ItemChanged onItemChanged,
                      ColumnClicked onColumnClicked) {
    context.window.onNotify[listId] = [context, listId, onItemChanged = std::move(onItemChanged),
                                       onColumnClicked =
                                           std::move(onColumnClicked)](NMHDR* header) {
        if (header->code == NM_RCLICK)
            ShowListMenu(context.window.hwnd(), listId, context.bindings);
        else if (header->code == LVN_ITEMCHANGED && onItemChanged)
            onItemChanged(header->hwndFrom, *reinterpret_cast<NMLISTVIEW*>(header));
        else if (header->code == LVN_COLUMNCLICK && onColumnClicked)
            onColumnClicked(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        return LRESULT{0};
    };
}

}  // namespace vestra::ui
