// Commands that read and change common controls of another process: the rows, columns and check
// boxes of a list view, the nodes of a tree view and the tabs of a tab strip. The query structures
// and their text buffers are placed in the target process (see RemoteMemory).
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <optional>

#include "tools/winauto/Commands.h"
#include "tools/winauto/Finder.h"
#include "tools/winauto/Output.h"
#include "tools/winauto/RemoteMemory.h"

namespace winauto {
namespace {

constexpr size_t kStructBytes = 512;  // room for any of the query structures
constexpr size_t kTextChars = 2048;
constexpr size_t kRemoteBytes = kStructBytes + kTextChars * sizeof(wchar_t);

std::wstring ListColumnTitle(HWND list, RemoteMemory& remote, int column) {
    LVCOLUMNW query = {};
    query.mask = LVCF_TEXT;
    query.pszText = reinterpret_cast<LPWSTR>(remote.At(kStructBytes));
    query.cchTextMax = kTextChars;
    remote.Write(kStructBytes, L"", sizeof(wchar_t));
    remote.Write(0, &query, sizeof(query));
    Send(list, LVM_GETCOLUMNW, column, remote.At(0));
    return remote.ReadText(kStructBytes, kTextChars);
}

std::wstring ListCellText(HWND list, RemoteMemory& remote, int row, int column) {
    LVITEMW query = {};
    query.iSubItem = column;
    query.pszText = reinterpret_cast<LPWSTR>(remote.At(kStructBytes));
    query.cchTextMax = kTextChars;
    remote.Write(kStructBytes, L"", sizeof(wchar_t));
    remote.Write(0, &query, sizeof(query));
    Send(list, LVM_GETITEMTEXTW, row, remote.At(0));
    return remote.ReadText(kStructBytes, kTextChars);
}

int ListColumnCount(HWND list) {
    auto header = Send(list, LVM_GETHEADER, 0, 0);
    int count = header && *header
                    ? static_cast<int>(
                          Send(reinterpret_cast<HWND>(*header), HDM_GETITEMCOUNT, 0, 0).value_or(0))
                    : 0;
    return count > 0 ? count : 1;
}

bool SetListState(HWND list, RemoteMemory& remote, int row, UINT mask, UINT state) {
    LVITEMW change = {};
    change.stateMask = mask;
    change.state = state;
    remote.Write(0, &change, sizeof(change));
    return Send(list, LVM_SETITEMSTATE, row, remote.At(0)).value_or(0) != 0;
}

// --check ROW, --uncheck ROW, --select ROW: changes made the way a click would leave them, so the
// owner gets its LVN_ITEMCHANGED notifications.
int ChangeListRows(const Args& args, HWND list, RemoteMemory& remote) {
    struct Change {
        const wchar_t* option;
        UINT mask;
        UINT state;
    };
    const Change changes[] = {
        {L"--check", LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2)},
        {L"--uncheck", LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1)},
        {L"--select", LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED},
    };
    for (const Change& change : changes) {
        if (!args.Has(change.option)) {
            continue;
        }
        auto row = args.Number(change.option);
        if (!row) {
            return UsageError(std::wstring(change.option) + L" needs a row number");
        }
        if (!SetListState(list, remote, static_cast<int>(*row), change.mask, change.state)) {
            return NotFound(L"no such row");
        }
    }
    return kOk;
}

void PrintListView(HWND list, RemoteMemory& remote) {
    int columns = ListColumnCount(list);
    for (int c = 0; c < columns; ++c) {
        PrintFields({L"column", std::to_wstring(c), ListColumnTitle(list, remote, c)});
    }
    bool checkboxes =
        (Send(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0).value_or(0) & LVS_EX_CHECKBOXES) != 0;
    int rows = static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0).value_or(0));
    for (int r = 0; r < rows; ++r) {
        auto state = Send(list, LVM_GETITEMSTATE, r, LVIS_STATEIMAGEMASK | LVIS_SELECTED);
        UINT bits = static_cast<UINT>(state.value_or(0));
        std::vector<std::wstring> fields = {
            L"row", std::to_wstring(r),
            checkboxes ? ((bits & LVIS_STATEIMAGEMASK) >> 12 == 2 ? L"1" : L"0") : L"-",
            (bits & LVIS_SELECTED) ? L"1" : L"0"};
        for (int c = 0; c < columns; ++c) {
            fields.push_back(ListCellText(list, remote, r, c));
        }
        PrintFields(fields);
    }
}

bool ReadTreeItem(HWND tree, RemoteMemory& remote, HTREEITEM item, TVITEMW& out,
                  std::wstring& text) {
    TVITEMW query = {};
    query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE;
    query.hItem = item;
    query.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED | TVIS_SELECTED;
    query.pszText = reinterpret_cast<LPWSTR>(remote.At(kStructBytes));
    query.cchTextMax = kTextChars;
    remote.Write(kStructBytes, L"", sizeof(wchar_t));
    if (!remote.Write(0, &query, sizeof(query)) ||
        !Send(tree, TVM_GETITEMW, 0, remote.At(0)).value_or(0) ||
        !remote.Read(0, &out, sizeof(out))) {
        return false;
    }
    text = remote.ReadText(kStructBytes, kTextChars);
    return true;
}

HTREEITEM NextTreeItem(HWND tree, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(
        Send(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)).value_or(0));
}

void PrintTreeLevel(HWND tree, RemoteMemory& remote, HTREEITEM first, int depth, bool checkboxes) {
    for (HTREEITEM item = first; item != nullptr; item = NextTreeItem(tree, item, TVGN_NEXT)) {
        TVITEMW read = {};
        std::wstring text;
        if (!ReadTreeItem(tree, remote, item, read, text)) {
            return;
        }
        std::wstring check =
            checkboxes ? ((read.state & TVIS_STATEIMAGEMASK) >> 12 == 2 ? L"1" : L"0") : L"-";
        PrintFields({L"node", std::to_wstring(depth), check,
                     (read.state & TVIS_EXPANDED) ? L"expanded" : L"collapsed", text});
        PrintTreeLevel(tree, remote, NextTreeItem(tree, item, TVGN_CHILD), depth + 1, checkboxes);
    }
}

int TreeCheckOf(HWND tree, RemoteMemory& remote, HTREEITEM item) {
    TVITEMW read = {};
    std::wstring text;
    if (!ReadTreeItem(tree, remote, item, read, text)) {
        return -1;
    }
    return (read.state & TVIS_STATEIMAGEMASK) >> 12 == 2 ? 1 : 0;
}

// The first node, in tree order, whose text is `text`.
HTREEITEM FindTreeItem(HWND tree, RemoteMemory& remote, HTREEITEM first, const std::wstring& text) {
    for (HTREEITEM item = first; item != nullptr; item = NextTreeItem(tree, item, TVGN_NEXT)) {
        TVITEMW read = {};
        std::wstring found;
        if (!ReadTreeItem(tree, remote, item, read, found)) {
            return nullptr;
        }
        if (found == text) {
            return item;
        }
        if (HTREEITEM below =
                FindTreeItem(tree, remote, NextTreeItem(tree, item, TVGN_CHILD), text)) {
            return below;
        }
    }
    return nullptr;
}

// Where the node's check box is, in the tree's client pixels: the state icon sits left of the
// node's icon and text, at a place that depends on the indent and image sizes, so it is found by
// hit-testing along the text row rather than computed.
std::optional<POINT> TreeCheckBoxPoint(HWND tree, RemoteMemory& remote, HTREEITEM item) {
    RECT row = {};
    std::memcpy(&row, &item, sizeof(item));
    if (!remote.Write(0, &row, sizeof(row)) ||
        !Send(tree, TVM_GETITEMRECT, TRUE, remote.At(0)).value_or(0) ||
        !remote.Read(0, &row, sizeof(row))) {
        return std::nullopt;
    }
    for (LONG x = 0; x < row.left; ++x) {
        TVHITTESTINFO hit = {};
        hit.pt = {x, (row.top + row.bottom) / 2};
        remote.Write(0, &hit, sizeof(hit));
        Send(tree, TVM_HITTEST, 0, remote.At(0));
        remote.Read(0, &hit, sizeof(hit));
        if (hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON)) {
            return POINT{x + 5, hit.pt.y};
        }
    }
    return std::nullopt;
}

// --check TEXT / --uncheck TEXT. A tree's owner may learn of a check only from the click itself
// (NM_CLICK, then a hit test at the message's cursor position), and TVM_SETITEM sends nothing: so
// the box is clicked as a user would, with the cursor moved there first. Answers once the box
// shows the wanted state; the owner may still ask a question and then put it back.
int ChangeTreeCheck(const Args& args, HWND tree, RemoteMemory& remote) {
    const bool wanted = args.Has(L"--check");
    auto text = args.Text(wanted ? L"--check" : L"--uncheck");
    if (!text) {
        return kOk;
    }
    HTREEITEM item = FindTreeItem(tree, remote, NextTreeItem(tree, nullptr, TVGN_ROOT), *text);
    if (item == nullptr) {
        return NotFound(L"no node with that text");
    }
    if (TreeCheckOf(tree, remote, item) == (wanted ? 1 : 0)) {
        return kOk;
    }
    Send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    auto point = TreeCheckBoxPoint(tree, remote, item);
    if (!point) {
        return NotFound(L"the node's check box is not on screen");
    }
    POINT screen = *point;
    ClientToScreen(tree, &screen);
    SetCursorPos(screen.x, screen.y);
    LPARAM at = MAKELPARAM(point->x, point->y);
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tree, WM_LBUTTONUP, 0, at);
    if (!WaitUntil(args.Timeout(kDefaultTimeoutMs),
                   [&] { return TreeCheckOf(tree, remote, item) == (wanted ? 1 : 0); })) {
        return NotFound(L"the check box did not change");
    }
    return kOk;
}

std::wstring TabCaption(HWND tabs, RemoteMemory& remote, int index) {
    TCITEMW query = {};
    query.mask = TCIF_TEXT;
    query.pszText = reinterpret_cast<LPWSTR>(remote.At(kStructBytes));
    query.cchTextMax = kTextChars;
    remote.Write(kStructBytes, L"", sizeof(wchar_t));
    remote.Write(0, &query, sizeof(query));
    Send(tabs, TCM_GETITEMW, index, remote.At(0));
    return remote.ReadText(kStructBytes, kTextChars);
}

// The owner of a tab strip learns of a user's choice only through TCN_SELCHANGING and
// TCN_SELCHANGE, which TCM_SETCURSEL does not send. WM_NOTIFY cannot be sent from another process
// (Wine refuses it), so the tab is clicked instead and the control notifies its owner itself.
// Answers false when the selection did not move (the owner vetoed it, or the tab is scrolled out).
bool SelectTab(HWND tabs, RemoteMemory& remote, int index, unsigned long timeout_ms) {
    RECT box = {};
    if (!Send(tabs, TCM_GETITEMRECT, index, remote.At(0)).value_or(0) ||
        !remote.Read(0, &box, sizeof(box))) {
        return false;
    }
    LPARAM point = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(tabs, WM_LBUTTONUP, 0, point);
    return WaitUntil(timeout_ms,
                     [&] { return Send(tabs, TCM_GETCURSEL, 0, 0).value_or(-1) == index; });
}

}  // namespace

int CmdListView(const Args& args) {
    auto list = TargetControl(args, WC_LISTVIEWW);
    if (!list) {
        return NotFound(L"no list view");
    }
    RemoteMemory remote(*list, kRemoteBytes);
    if (!remote.ok()) {
        return NotFound(L"cannot reach the list view's process");
    }
    if (int changed = ChangeListRows(args, *list, remote); changed != kOk) {
        return changed;
    }
    PrintListView(*list, remote);
    return kOk;
}

int CmdTreeView(const Args& args) {
    auto tree = TargetControl(args, WC_TREEVIEWW);
    if (!tree) {
        return NotFound(L"no tree view");
    }
    RemoteMemory remote(*tree, kRemoteBytes);
    if (!remote.ok()) {
        return NotFound(L"cannot reach the tree view's process");
    }
    if (args.Has(L"--check") && args.Has(L"--uncheck")) {
        return UsageError(L"give --check or --uncheck, not both");
    }
    if (int changed = ChangeTreeCheck(args, *tree, remote); changed != kOk) {
        return changed;
    }
    bool checkboxes = (GetWindowLongPtrW(*tree, GWL_STYLE) & TVS_CHECKBOXES) != 0;
    PrintTreeLevel(*tree, remote, NextTreeItem(*tree, nullptr, TVGN_ROOT), 0, checkboxes);
    return kOk;
}

int CmdTab(const Args& args) {
    auto tabs = TargetControl(args, WC_TABCONTROLW);
    if (!tabs) {
        return NotFound(L"no tab strip");
    }
    RemoteMemory remote(*tabs, kRemoteBytes);
    if (!remote.ok()) {
        return NotFound(L"cannot reach the tab strip's process");
    }
    int count = static_cast<int>(Send(*tabs, TCM_GETITEMCOUNT, 0, 0).value_or(0));
    if (args.Has(L"--select")) {
        auto index = args.Number(L"--select");
        if (!index) {
            return UsageError(L"--select needs a tab index");
        }
        if (static_cast<int>(*index) >= count) {
            return NotFound(L"no such tab");
        }
        if (!SelectTab(*tabs, remote, static_cast<int>(*index), args.Timeout(kDefaultTimeoutMs))) {
            return NotFound(L"the tab strip did not move to that tab");
        }
    }
    int selected = static_cast<int>(Send(*tabs, TCM_GETCURSEL, 0, 0).value_or(-1));
    for (int t = 0; t < count; ++t) {
        PrintFields({L"tab", std::to_wstring(t), t == selected ? L"1" : L"0",
                     TabCaption(*tabs, remote, t)});
    }
    return kOk;
}

}  // namespace winauto
