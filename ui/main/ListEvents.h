// Windows-only: the list views' events shared by every panel: the pop-up menu that a right click
// opens, built from the list's table (an item whose work is not bound shows disabled), and the
// item changes a panel wants to see, and the copying of a result model's rows into a list view.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "scanner/ResultList.h"
#include "ui/main/PanelHost.h"

namespace vestra::ui {

using ItemChanged = std::function<void(HWND list, const NMLISTVIEW& change)>;
using ColumnClicked = std::function<void(int column)>;

// Registers the list's notifications with the window.
void HandleListEvents(const PanelContext& context, int listId, ItemChanged onItemChanged = {},
                      ColumnClicked onColumnClicked = {});

// Whether an item change moved the row's check mark.
bool CheckMarkChanged(const NMLISTVIEW& change);

// Copies one change of the model into the list view: the row's icon, cells and check mark, or
// the whole list cleared.
void MirrorListRow(HWND view, const ResultList& list, ListChange change, std::size_t row);

// The first selected row of the list view, or -1.
int SelectedRow(HWND view);

}  // namespace vestra::ui
