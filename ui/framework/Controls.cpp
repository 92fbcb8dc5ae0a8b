// Windows-only: creation and the few operations of the common controls.
#include "ui/framework/Controls.h"

#include "ui/framework/Win32Text.h"

namespace vestra::ui::win {
namespace {

HWND Make(const ControlArgs& args, const wchar_t* cls, DWORD style) {
    style |= WS_CHILD | args.style;
    if (args.visible)
        style |= WS_VISIBLE;
    const std::u16string text(args.text);
    HWND control = CreateWindowExW(
        args.exStyle, cls, W(text), style, args.x, args.y, args.width, args.height, args.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr), nullptr);
    if (control && args.font)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    return control;
}

}  // namespace

HWND MakeButton(const ControlArgs& args, ButtonKind kind) {
    DWORD style = WS_TABSTOP;
    switch (kind) {
        case ButtonKind::Push:
            style |= BS_PUSHBUTTON;
            break;
        case ButtonKind::Check:
            style |= BS_AUTOCHECKBOX;
            break;
        case ButtonKind::RadioFirst:
            style |= WS_GROUP | BS_AUTORADIOBUTTON;
            break;
        case ButtonKind::Radio:
            style |= BS_AUTORADIOBUTTON;
            break;
        case ButtonKind::Group:
            style = BS_GROUPBOX;
            break;
    }
    return Make(args, WC_BUTTONW, style);
}

HWND MakeLabel(const ControlArgs& args) {
    return Make(args, WC_STATICW, SS_LEFT | SS_NOTIFY);
}

HWND MakeEdit(const ControlArgs& args, bool multiline, bool readOnly, bool scrollBar) {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    if (multiline)
        style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | (scrollBar ? WS_VSCROLL : 0);
    if (readOnly)
        style |= ES_READONLY;
    ControlArgs edit = args;
    edit.exStyle |= WS_EX_CLIENTEDGE;
    return Make(edit, WC_EDITW, style);
}

HWND MakeListView(const ControlArgs& args, bool checkBoxes) {
    ControlArgs view = args;
    view.exStyle |= WS_EX_CLIENTEDGE;
    HWND list = Make(view, WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS);
    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP;
    if (checkBoxes)
        extended |= LVS_EX_CHECKBOXES;
    ListView_SetExtendedListViewStyle(list, extended);
    return list;
}

HWND MakeTreeView(const ControlArgs& args, bool checkBoxes) {
    ControlArgs view = args;
    view.exStyle |= WS_EX_CLIENTEDGE;
    DWORD style = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    HWND tree = Make(view, WC_TREEVIEWW, style);
    // Check boxes are switched on after creation, as the control's documentation asks.
    if (tree && checkBoxes)
        SetWindowLongPtrW(tree, GWL_STYLE, GetWindowLongPtrW(tree, GWL_STYLE) | TVS_CHECKBOXES);
    return tree;
}

HWND MakeTabStrip(const ControlArgs& args) {
    return Make(args, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS);
}

HWND MakeProgressBar(const ControlArgs& args) {
    HWND bar = Make(args, PROGRESS_CLASSW, PBS_SMOOTH);
    SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    return bar;
}

HWND MakeIconBox(const ControlArgs& args) {
    return Make(args, WC_STATICW, SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL);
}

void MoveControl(HWND control, int x, int y, int width, int height) {
    SetWindowPos(control, nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void ShowControl(HWND control, bool visible) {
    ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}
void EnableControl(HWND control, bool enabled) {
    EnableWindow(control, enabled ? TRUE : FALSE);
}

bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace list {

void AddColumn(HWND view, std::u16string_view title, int width) {
    std::u16string text(title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(W(text));
    const int index = ColumnCount(view);
    column.iSubItem = index;
    ListView_InsertColumn(view, index, &column);
}

int ColumnCount(HWND view) {
    return Header_GetItemCount(ListView_GetHeader(view));
}

int AddRow(HWND view, std::u16string_view text, int image) {
    std::u16string copy(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = RowCount(view);
    item.pszText = const_cast<wchar_t*>(W(copy));
    item.iImage = image;
    return ListView_InsertItem(view, &item);
}

void SetCell(HWND view, int row, int column, std::u16string_view text) {
    std::u16string copy(text);
    ListView_SetItemText(view, row, column, const_cast<wchar_t*>(W(copy)));
}

std::u16string Cell(HWND view, int row, int column) {
    wchar_t buffer[1024] = {};
    ListView_GetItemText(view, row, column, buffer, 1024);
    return U16(buffer);
}

int RowCount(HWND view) {
    return ListView_GetItemCount(view);
}
void Clear(HWND view) {
    ListView_DeleteAllItems(view);
}
bool RowChecked(HWND view, int row) {
    return ListView_GetCheckState(view, row) != 0;
}
void CheckRow(HWND view, int row, bool checked) {
    ListView_SetCheckState(view, row, checked);
}

void CheckAll(HWND view, bool checked) {
    for (int row = 0, n = RowCount(view); row < n; ++row)
        CheckRow(view, row, checked);
}

int SelectedRow(HWND view) {
    return ListView_GetNextItem(view, -1, LVNI_SELECTED);
}

}  // namespace list

namespace tree {

HTREEITEM AddNode(HWND view, HTREEITEM parent, std::u16string_view text, int image, LPARAM data) {
    std::u16string copy(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(W(copy));
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = data;
    return TreeView_InsertItem(view, &insert);
}

bool NodeChecked(HWND view, HTREEITEM node) {
    return TreeView_GetCheckState(view, node) == 1;
}
void CheckNode(HWND view, HTREEITEM node, bool checked) {
    TreeView_SetCheckState(view, node, checked);
}
void Expand(HWND view, HTREEITEM node) {
    TreeView_Expand(view, node, TVE_EXPAND);
}

}  // namespace tree

namespace tabs {

void Add(HWND strip, std::u16string_view caption) {
    std::u16string copy(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(W(copy));
    TabCtrl_InsertItem(strip, Count(strip), &item);
}

void SetCaption(HWND strip, int index, std::u16string_view caption) {
    std::u16string copy(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(W(copy));
    TabCtrl_SetItem(strip, index, &item);
}

int Selected(HWND strip) {
    return TabCtrl_GetCurSel(strip);
}
void Select(HWND strip, int index) {
    TabCtrl_SetCurSel(strip, index);
}
int Count(HWND strip) {
    return TabCtrl_GetItemCount(strip);
}

RECT DisplayArea(HWND strip) {
    RECT area{};
    GetClientRect(strip, &area);
    TabCtrl_AdjustRect(strip, FALSE, &area);
    return area;
}

}  // namespace tabs

}  // namespace vestra::ui::win
