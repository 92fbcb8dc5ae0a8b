// Windows-only: the exception list window.
#include "ui/forms/FormException.h"

#include <commdlg.h>
#include <shlobj.h>

#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ExceptionDialog.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

enum : int {
    kLVExcept = 100,
    kCmdAddFile,
    kCmdAddFolder,
    kTxPath,
    kCmdAddPath,
    kTxReg,
    kCmdAddReg,
    kCmdRemSel,
    kCmdOK,
};

}  // namespace

FormException::FormException(config::ExceptionList& list, platform::Platform& os,
                             const config::MessageTable& messages)
    : list_(list), os_(os), messages_(messages) {}

void FormException::ShowModal(HWND owner, config::ExceptionList& list, platform::Platform& os,
                              const config::MessageTable& messages) {
    FormException form(list, os, messages);
    const int dpi = win::WindowDpi(owner);
    RECT ownerRect{0, 0, 800, 600};
    if (owner)
        GetWindowRect(owner, &ownerRect);
    const int width = MulDiv(560, dpi, 96), height = MulDiv(400, dpi, 96);
    win::WindowArgs args;
    args.className = u"VestraException";
    args.title = u"Exception List";
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    args.exStyle = WS_EX_CONTROLPARENT;
    args.owner = owner;
    args.iconResource = IDI_VESTRA;
    args.x = (ownerRect.left + ownerRect.right - width) / 2;
    args.y = (ownerRect.top + ownerRect.bottom - height) / 2;
    args.width = width;
    args.height = height;
    if (!form.Create(args))
        return;
    ShowWindow(form.hwnd(), SW_SHOW);
    win::RunModal(owner, form.hwnd());
}

bool FormException::OnCreate() {
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    auto add = [&](int id, std::u16string_view text) {
        win::ControlArgs args{hwnd(), id, text};
        args.font = font_.get();
        return args;
    };
    HWND list = win::MakeListView(add(kLVExcept, u""), true);
    win::list::AddColumn(list, u"Type", Scale(70));
    win::list::AddColumn(list, u"Path", Scale(420));
    win::MakeButton(add(kCmdAddFile, u"Add &File ..."));
    win::MakeButton(add(kCmdAddFolder, u"Add F&older ..."));
    win::MakeEdit(add(kTxPath, u""));
    win::MakeButton(add(kCmdAddPath, u"Add &Path"));
    win::MakeEdit(add(kTxReg, u""));
    win::MakeButton(add(kCmdAddReg, u"Add &Registry"));
    win::MakeButton(add(kCmdRemSel, u"Re&move Checked"));
    win::MakeButton(add(kCmdOK, u"OK"));
    onCommand[kCmdAddFile] = [this](int) { OnAddFile(); };
    onCommand[kCmdAddFolder] = [this](int) { OnAddFolder(); };
    onCommand[kCmdAddPath] = [this](int) { OnAddPath(); };
    onCommand[kCmdAddReg] = [this](int) { OnAddReg(); };
    onCommand[kCmdRemSel] = [this](int) { OnRemoveChecked(); };
    onCommand[kCmdOK] = [this](int) { DestroyWindow(hwnd()); };
    onCommand[IDCANCEL] = [this](int) { DestroyWindow(hwnd()); };
    Refresh();
    return true;
}

void FormException::OnSize(int width, int height, WPARAM) {
    const int m = Scale(8), row = Scale(25), bw = Scale(110);
    const int listHeight = height - 3 * (row + m) - 2 * m;
    win::MoveControl(Item(kLVExcept), m, m, width - 2 * m, listHeight);
    int y = m + listHeight + m;
    win::MoveControl(Item(kTxPath), m, y + Scale(2), width - 3 * m - bw, Scale(21));
    win::MoveControl(Item(kCmdAddPath), width - m - bw, y, bw, row);
    y += row + m;
    win::MoveControl(Item(kTxReg), m, y + Scale(2), width - 3 * m - bw, Scale(21));
    win::MoveControl(Item(kCmdAddReg), width - m - bw, y, bw, row);
    y += row + m;
    win::MoveControl(Item(kCmdAddFile), m, y, bw, row);
    win::MoveControl(Item(kCmdAddFolder), 2 * m + bw, y, bw, row);
    win::MoveControl(Item(kCmdRemSel), 3 * m + 2 * bw, y, bw + Scale(10), row);
    win::MoveControl(Item(kCmdOK), width - m - Scale(80), y, Scale(80), row);
}

void FormException::OnDestroy() {
    list_.LoadExceptions();
}

void FormException::Refresh() {
    list_.LoadExceptions();
    HWND list = Item(kLVExcept);
    win::list::Clear(list);
    keys_.clear();
    for (const ExceptionRow& row : ExceptionRows(list_)) {
        const int index = win::list::AddRow(list, row.kindWord);
        win::list::SetCell(list, index, 1, row.path);
        keys_.push_back(row.valueName);
    }
}

void FormException::AddEntry(config::ExceptionKind kind, const std::u16string& path) {
    const std::u16string name = list_.AddException(kind, path);
    if (name.empty())
        return;
    HWND list = Item(kLVExcept);
    const int index = win::list::AddRow(list, config::ExceptionKindWord(kind));
    win::list::SetCell(list, index, 1, path);
    keys_.push_back(name);
}

void FormException::OnAddFile() {
    std::wstring buffer(32768, L'\0');
    const std::u16string filter = ExceptionFileFilter();
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = hwnd();
    request.lpstrFilter = win::W(filter);
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    request.lpstrTitle = L"Select file for exception list";
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT |
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetOpenFileNameW(&request))
        return;
    for (const std::u16string& file :
         FilesOfOpenAnswer(win::U16(std::wstring_view(buffer)), os_.files))
        AddEntry(config::ExceptionKind::File, file);
}

void FormException::OnAddFolder() {
    BROWSEINFOW browse{};
    browse.hwndOwner = hwnd();
    browse.lpszTitle = L"Add exception folder :";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (ok)
        AddEntry(config::ExceptionKind::Folder, win::U16(path));
}

void FormException::OnAddPath() {
    const std::u16string typed = Trim(win::WindowText(Item(kTxPath)));
    const auto kind = KindOfTypedPath(typed, os_.files);
    if (!kind) {
        win::ShowMessage(hwnd(), messages_.Text(config::msg::kNotFileOrFolder), u"Vestra",
                         platform::mb::kIconExclamation);
        return;
    }
    AddEntry(*kind, typed);
}

void FormException::OnAddReg() {
    const std::u16string typed = Trim(win::WindowText(Item(kTxReg)));
    if (!typed.empty())
        AddEntry(config::ExceptionKind::Registry, typed);
}

void FormException::OnRemoveChecked() {
    HWND list = Item(kLVExcept);
    bool any = false;
    for (int row = win::list::RowCount(list) - 1; row >= 0; --row) {
        if (!win::list::RowChecked(list, row))
            continue;
        any = true;
        if (static_cast<std::size_t>(row) < keys_.size() && list_.RemoveException(keys_[row])) {
            ListView_DeleteItem(list, row);
            keys_.erase(keys_.begin() + row);
        }
    }
    if (!any)
        win::ShowMessage(hwnd(), messages_.Text(config::msg::kNothingSelected), u"Vestra",
                         platform::mb::kIconExclamation);
}

}  // namespace vestra::ui
