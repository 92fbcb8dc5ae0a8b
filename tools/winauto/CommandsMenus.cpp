// Commands for the two windows that a program opens in a modal loop of its own: a list view's
// pop-up menu (TrackPopupMenu) and the shell's browse-for-folder dialog. Both block the owner's
// thread until they close, so each command does the whole exchange and answers once it is over.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <optional>
#include <vector>

#include "tools/winauto/Commands.h"
#include "tools/winauto/Finder.h"
#include "tools/winauto/Output.h"
#include "tools/winauto/RemoteMemory.h"

namespace winauto {
namespace {

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr size_t kTextChars = 1024;
constexpr size_t kStructBytes = 512;

std::vector<HWND> VisibleMenusOf(DWORD pid) {
    TopLevelQuery query;
    query.cls = kMenuClass;
    query.pid = pid;
    return FindTopLevel(query);
}

std::optional<HWND> VisibleMenuOf(DWORD pid) {
    auto found = VisibleMenusOf(pid);
    if (found.empty()) {
        return std::nullopt;
    }
    return found.front();
}

// Where a right click on the list lands: the middle of the row's label, or of the client area
// when the list has no such row.
std::optional<POINT> ClickPoint(HWND list, std::optional<unsigned long long> row) {
    RemoteMemory remote(list, sizeof(RECT));
    if (!remote.ok()) {
        return std::nullopt;
    }
    const int rows = static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0).value_or(0));
    const int index = static_cast<int>(row.value_or(0));
    if (index < rows) {
        RECT label = {};
        label.left = LVIR_LABEL;
        if (remote.Write(0, &label, sizeof(label)) &&
            Send(list, LVM_GETITEMRECT, index, remote.At(0)).value_or(0) &&
            remote.Read(0, &label, sizeof(label))) {
            return POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
        }
    }
    if (row) {
        return std::nullopt;  // a row was asked for and is not there
    }
    RECT client = {};
    GetClientRect(list, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

void PostKey(HWND window, UINT key) {
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(window, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (LPARAM{3} << 30));
}

std::optional<HWND> BrowseDialogOf(DWORD pid) {
    TopLevelQuery query;
    query.cls = kDialogClass;
    query.pid = pid;
    for (HWND dialog : FindTopLevel(query)) {
        ControlQuery tree;
        tree.cls = WC_TREEVIEWW;
        if (FindControl(dialog, tree)) {
            return dialog;
        }
    }
    return std::nullopt;
}

std::wstring SelectedNodeText(HWND tree) {
    RemoteMemory remote(tree, kStructBytes + kTextChars * sizeof(wchar_t));
    auto item = Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0).value_or(0);
    if (!remote.ok() || item == 0) {
        return L"";
    }
    TVITEMW query = {};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = reinterpret_cast<HTREEITEM>(item);
    query.pszText = reinterpret_cast<LPWSTR>(remote.At(kStructBytes));
    query.cchTextMax = kTextChars;
    remote.Write(kStructBytes, L"", sizeof(wchar_t));
    remote.Write(0, &query, sizeof(query));
    Send(tree, TVM_GETITEMW, 0, remote.At(0));
    return remote.ReadText(kStructBytes, kTextChars);
}

std::wstring LastComponent(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) {
        path.pop_back();
    }
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos || path.size() <= 3 ? path : path.substr(cut + 1);
}

}  // namespace

// popup --window H [--id N ...] [--row R] --pick K [--sub M]: right-clicks the list (row R, else
// row 0, else its middle), waits for the owner's pop-up menu and chooses its K-th item, counting
// from 0 and skipping separators, with the arrow keys and Enter as a user would; with --sub, K is
// a submenu, opened with the Right key, and its M-th item is chosen. The menu's items cannot be
// read from another process, so the caller names the item by its place. Answers once the menu
// has closed; what the item does (a question, a pass over the rows) follows in the owner.
int CmdPopup(const Args& args) {
    auto list = TargetControl(args, WC_LISTVIEWW);
    if (!list) {
        return NotFound(L"no list view");
    }
    auto pick = args.Number(L"--pick");
    if (!pick || *pick > 100) {
        return UsageError(L"popup needs --pick with the item's place");
    }
    std::optional<unsigned long long> sub;
    if (args.Has(L"--sub")) {
        sub = args.Number(L"--sub");
        if (!sub || *sub > 100) {
            return UsageError(L"--sub needs the submenu item's place");
        }
    }
    std::optional<unsigned long long> row;
    if (args.Has(L"--row")) {
        row = args.Number(L"--row");
        if (!row) {
            return UsageError(L"--row needs a row index");
        }
    }
    const DWORD pid = OwnerProcess(*list);
    if (VisibleMenuOf(pid)) {
        return NotFound(L"a pop-up menu of that program is already open");
    }
    auto point = ClickPoint(*list, row);
    if (!point) {
        return NotFound(L"no such row");
    }
    // The menu opens where the cursor is, and the list reads the click's place from the message.
    POINT screen = *point;
    ClientToScreen(*list, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(point->x, point->y);
    PostMessageW(*list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(*list, WM_RBUTTONUP, 0, at);
    const unsigned long timeout = args.Timeout(kDefaultTimeoutMs);
    std::optional<HWND> menu;
    if (!WaitUntil(timeout, [&] { return (menu = VisibleMenuOf(pid)).has_value(); })) {
        return NotFound(L"no pop-up menu opened");
    }
    // The menu's loop reads every key message of its thread, whichever window it is posted to;
    // the first Down selects the first item.
    for (unsigned long long step = 0; step <= *pick; ++step) {
        PostKey(*menu, VK_DOWN);
    }
    if (sub) {
        // Opened from the keyboard, a submenu shows with its first item selected.
        PostKey(*menu, VK_RIGHT);
        if (!WaitUntil(timeout, [&] { return VisibleMenusOf(pid).size() >= 2; })) {
            return NotFound(L"no submenu opened");
        }
        for (unsigned long long step = 0; step < *sub; ++step) {
            PostKey(*menu, VK_DOWN);
        }
    }
    PostKey(*menu, VK_RETURN);
    if (!WaitUntil(timeout, [&] { return !IsWindow(*menu) || !IsWindowVisible(*menu); })) {
        return NotFound(L"the pop-up menu did not close");
    }
    PrintFields({L"menu", HandleText(*menu)});
    return kOk;
}

// folder --pid P --path PATH: waits for the program's browse-for-folder dialog, moves its tree to
// PATH (BFFM_SETSELECTIONW, the dialog's own message for that, which expands the tree down to the
// folder), checks that the tree's selected node is the folder's, then presses OK. Prints the
// dialog and the selected node's text.
int CmdFolder(const Args& args) {
    auto pid = args.Number(L"--pid");
    auto path = args.Text(L"--path");
    if (!pid || !path || path->empty()) {
        return UsageError(L"folder needs --pid and --path");
    }
    const unsigned long timeout = args.Timeout(kDefaultTimeoutMs);
    std::optional<HWND> dialog;
    if (!WaitUntil(timeout, [&] {
            return (dialog = BrowseDialogOf(static_cast<DWORD>(*pid))).has_value();
        })) {
        return NotFound(L"no browse-for-folder dialog");
    }
    ControlQuery treeQuery;
    treeQuery.cls = WC_TREEVIEWW;
    auto tree = FindControl(*dialog, treeQuery);
    const size_t bytes = (path->size() + 1) * sizeof(wchar_t);
    RemoteMemory remote(*dialog, bytes);
    if (!tree || !remote.ok() || !remote.Write(0, path->c_str(), bytes)) {
        return NotFound(L"cannot reach the dialog's process");
    }
    // The dialog fills its tree after it shows, and a selection asked for before that is lost:
    // so it is asked again until the tree shows it.
    const std::wstring wanted = LastComponent(*path);
    std::wstring selected;
    if (!WaitUntil(timeout, [&] {
            Send(*dialog, BFFM_SETSELECTIONW, TRUE, remote.At(0));
            selected = SelectedNodeText(*tree);
            return SameCaption(selected, wanted);
        })) {
        return NotFound(L"the tree selected \"" + selected + L"\", not \"" + wanted + L"\"");
    }
    ControlQuery okQuery;
    okQuery.id = IDOK;
    auto ok = FindControl(*dialog, okQuery);
    if (!ok || !IsWindowEnabled(*ok)) {
        return NotFound(L"the dialog's OK button is not there or disabled");
    }
    PostMessageW(*dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(*ok));
    if (!WaitUntil(timeout, [&] { return !IsWindow(*dialog); })) {
        return NotFound(L"the dialog did not close");
    }
    PrintFields({L"window", HandleText(*dialog)});
    PrintFields({L"selected", selected});
    return kOk;
}

}  // namespace winauto
