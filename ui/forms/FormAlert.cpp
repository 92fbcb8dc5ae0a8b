// Windows-only: the alert window's controls, its pop-up menu and the binding to its model.
#include "ui/forms/FormAlert.h"

#include <windows.h>

#include <commctrl.h>

#include "config/MessageSlots.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

using protection::AlertMenu;

enum : int {
    kImage1 = 100,
    kLb,
    kLVAlert,
    kTxFolder,
    kCmdException,
    kCmdMore,
    kCmdDelete,
    kCmdIgnore,
};
enum : int {
    kPopClnAll = 200,
    kPopClnSel,
    kPopCageAll,
    kPopCageSel,
    kPopDelAll,
    kPopDelSel,
    kPopExc,
};
enum : UINT_PTR { kTimer1 = 1 };
constexpr UINT kTimer1Interval = 1000;
constexpr int kWidth = 580, kHeight = 340;
constexpr int kMargin = 10, kButtonHeight = 25, kHeaderHeight = 44;

struct MenuEntry {
    int id;
    std::u16string_view caption;  // empty: a separator
    AlertMenu command;
};
constexpr MenuEntry kPopLV[] = {
    {kPopClnAll, u"Clean &All", AlertMenu::CleanAll},
    {kPopClnSel, u"Clean &Selected", AlertMenu::CleanSelected},
    {0, u"", AlertMenu::CleanAll},
    {kPopCageAll, u"&Quarantine All", AlertMenu::QuarantineAll},
    {kPopCageSel, u"Q&uarantine Selected", AlertMenu::QuarantineSelected},
    {0, u"", AlertMenu::CleanAll},
    {kPopDelAll, u"&Delete All", AlertMenu::DeleteAll},
    {kPopDelSel, u"D&elete Selected", AlertMenu::DeleteSelected},
    {0, u"", AlertMenu::CleanAll},
    {kPopExc, u"Ignore (Exception)", AlertMenu::Exception},
};

// Column shares of the list's width, in percent: name, type, path, status.
constexpr int kColumnShare[] = {22, 16, 42, 20};

}  // namespace

FormAlert::FormAlert(const FormAlertParts& parts)
    : messages_(parts.messages),
      model_(protection::AlertParts{parts.files, parts.shell, parts.messages, parts.store,
                                    parts.cleaner, parts.exceptions, *this, parts.stopDanger,
                                    parts.confirmDrive, parts.installedExe}) {}

bool FormAlert::EnsureWindow() {
    if (hwnd())
        return true;
    win::WindowArgs args;
    args.className = u"VestraAlert";
    // Never the host's own caption: the main program finds the host by it.
    args.title = u"Vesrt-RTP";
    args.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    args.exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    args.iconResource = IDI_VESTRA;
    args.width = MulDiv(kWidth, win::WindowDpi(nullptr), 96);
    args.height = MulDiv(kHeight, win::WindowDpi(nullptr), 96);
    return Create(args);
}

bool FormAlert::OnCreate() {
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    auto args = [&](int id, std::u16string_view text) {
        win::ControlArgs a{hwnd(), id, text};
        a.font = font_.get();
        return a;
    };
    HWND image = win::MakeIconBox(args(kImage1, u""));
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VIRUS));
    SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    win::ControlArgs label = args(kLb, u"");
    label.style = SS_NOPREFIX;  // message 81 carries a plain "&"
    win::MakeLabel(label);
    HWND list = win::MakeListView(args(kLVAlert, u""), true);
    for (std::u16string_view title : {u"Virus Name", u"Type", u"File Path", u"Status"})
        win::list::AddColumn(list, title, Scale(100));
    win::MakeEdit(args(kTxFolder, u""), false, true, false);
    win::MakeButton(args(kCmdException, u"Exception Folder"));
    win::MakeButton(args(kCmdMore, messages_.Text(config::msg::kMoreCaption)));
    win::MakeButton(args(kCmdDelete, messages_.Text(config::msg::kFixAllCaption)));
    win::MakeButton(args(kCmdIgnore, u""));

    onCommand[kCmdDelete] = [this](int) { model_.FixAllClicked(); };
    onCommand[kCmdIgnore] = [this](int) { model_.IgnoreClicked(); };
    onCommand[kCmdException] = [this](int) { model_.ExceptionFolderClicked(); };
    onCommand[kCmdMore] = [this](int) { ShowMoreMenu(); };
    onTimer[kTimer1] = [this] { model_.TimerTick(); };
    RECT client;
    GetClientRect(hwnd(), &client);
    OnSize(client.right, client.bottom, SIZE_RESTORED);
    return true;
}

void FormAlert::OnSize(int width, int height, WPARAM kind) {
    if (kind == SIZE_MINIMIZED || !Item(kLVAlert))
        return;
    const int m = Scale(kMargin), bh = Scale(kButtonHeight), header = Scale(kHeaderHeight);
    const int bw = Scale(110), icon = Scale(32);
    win::MoveControl(Item(kImage1), m, m, icon, icon);
    win::MoveControl(Item(kLb), 2 * m + icon, m, width - 3 * m - icon, header - m);
    const int bottom = height - m - bh;
    const int folderTop = bottom - m - bh;
    win::MoveControl(Item(kLVAlert), m, header, width - 2 * m, folderTop - m - header);
    win::MoveControl(Item(kTxFolder), m, folderTop, width - 3 * m - bw, bh);
    win::MoveControl(Item(kCmdException), width - m - bw, folderTop, bw, bh);
    win::MoveControl(Item(kCmdMore), m, bottom, bw, bh);
    win::MoveControl(Item(kCmdIgnore), width - m - bw, bottom, bw, bh);
    win::MoveControl(Item(kCmdDelete), width - 2 * m - 2 * bw, bottom, bw, bh);
    FitColumns();
}

void FormAlert::FitColumns() {
    HWND list = Item(kLVAlert);
    RECT area;
    GetClientRect(list, &area);
    const int usable = area.right - GetSystemMetrics(SM_CXVSCROLL);
    for (int c = 0; c < 4; ++c)
        ListView_SetColumnWidth(list, c, usable * kColumnShare[c] / 100);
}

bool FormAlert::OnClose() {
    // Closing the window is the ignore button: the rows go and their files are let go of.
    model_.IgnoreClicked();
    return false;
}

void FormAlert::ShowAlertWindow() {
    if (!EnsureWindow())
        return;
    model_.RefreshForm(true);
    ShowAlert();
}

void FormAlert::ShowAlert() {
    if (!EnsureWindow())
        return;
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    BringWindowToTop(hwnd());
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    FormRefreshed(false);
}

void FormAlert::HideAlert() {
    if (hwnd())
        ShowWindow(hwnd(), SW_HIDE);
}

void FormAlert::RowAdded(std::size_t index) {
    if (!EnsureWindow())
        return;
    const protection::AlertRow& row = model_.rows()[index];
    HWND list = Item(kLVAlert);
    const int at = win::list::AddRow(list, row.virusName);
    win::list::SetCell(list, at, 1, row.virusType);
    win::list::SetCell(list, at, 2, row.path);
    win::list::SetCell(list, at, 3, row.status);
}

void FormAlert::RowChanged(std::size_t index) {
    if (hwnd())
        win::list::SetCell(Item(kLVAlert), static_cast<int>(index), 3, model_.rows()[index].status);
}

void FormAlert::RowsCleared() {
    if (hwnd())
        win::list::Clear(Item(kLVAlert));
}

void FormAlert::FormRefreshed(bool refit) {
    if (!hwnd())
        return;
    win::SetWindowTextU(Item(kLb), model_.label());
    win::SetWindowTextU(Item(kTxFolder), model_.folder());
    win::SetWindowTextU(Item(kCmdIgnore), model_.ignoreCaption());
    win::EnableControl(Item(kCmdDelete), model_.fixAllEnabled());
    if (refit)
        FitColumns();
}

void FormAlert::TimerEnabled(bool on) {
    if (!hwnd())
        return;
    if (on)
        StartTimer(kTimer1, kTimer1Interval);
    else
        StopTimer(kTimer1);
}

int FormAlert::MessageBox(std::u16string_view text, std::u16string_view title,
                          std::uint32_t style) {
    // Over a topmost window a box must be topmost too, or it opens behind the alert.
    return win::ShowMessage(hwnd(), text, title, style | MB_TOPMOST);
}

void FormAlert::PumpMessages() {
    win::PumpWaitingMessages();
}

void FormAlert::ReadCheckMarks() {
    HWND list = Item(kLVAlert);
    for (std::size_t i = 0; i < model_.rows().size(); ++i)
        model_.SetChecked(i, win::list::RowChecked(list, static_cast<int>(i)));
}

void FormAlert::ShowMoreMenu() {
    RECT button;
    GetWindowRect(Item(kCmdMore), &button);
    win::UniqueMenu menu(CreatePopupMenu());
    for (const MenuEntry& entry : kPopLV) {
        if (entry.caption.empty()) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            const std::u16string caption(entry.caption);
            AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(entry.id), win::W(caption));
        }
    }
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY,
                       button.left, button.bottom, 0, hwnd(), nullptr));
    for (const MenuEntry& entry : kPopLV) {
        if (chosen != 0 && entry.id == chosen) {
            ReadCheckMarks();
            model_.MenuCommand(entry.command);
            return;
        }
    }
}

}  // namespace vestra::ui
