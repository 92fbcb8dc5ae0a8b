// Windows-only: the "Vest-Lock" tool page.
#include "ui/main/panels/tools/VestLockPage.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "protection/DriveLock.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {
namespace {

constexpr int kStateColumn = 1;

win::UniqueIcon DriveIcon(std::u16string_view root) {
    const std::u16string path(root);
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(win::W(path), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON))
        return win::UniqueIcon();
    return win::UniqueIcon(info.hIcon);
}

}  // namespace

void VestLockPage::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(ControlKit::Kind::Label, page, ctl::kLbLockInfo);
    kit.AddList(page, ctl::kLVLock);
    HandleListEvents(ctx_, ctl::kLVLock);
    const int size = ctx_.window.Scale(16);
    driveIcons_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 4));
    ListView_SetImageList(kit.Ctl(ctl::kLVLock), driveIcons_.get(), LVSIL_SMALL);
    kit.Add(ControlKit::Kind::Check, page, ctl::kCkLock);
    ctx_.window.onCommand[ctl::kCkLock] = [this](int code) {
        if (code == BN_CLICKED)
            win::list::CheckAll(ctx_.kit.Ctl(ctl::kLVLock),
                                win::IsChecked(ctx_.kit.Ctl(ctl::kCkLock)));
    };
    kit.Add(ControlKit::Kind::Button, page, ctl::kCmdLock0);
    kit.Add(ControlKit::Kind::Button, page, ctl::kCmdLock0 + 1);
    // CmdLock(0) is Unlock, CmdLock(1) Lock.
    ctx_.window.onCommand[ctl::kCmdLock0] = [this](int code) {
        if (code == BN_CLICKED)
            LockChecked(false);
    };
    ctx_.window.onCommand[ctl::kCmdLock0 + 1] = [this](int code) {
        if (code == BN_CLICKED)
            LockChecked(true);
    };
}

void VestLockPage::Layout(int pw, int ph) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbLockInfo, 8, 8, pw - 16, 16);
    kit.Place(ctl::kLVLock, 8, 28, pw - 16, ph - 28 - 40);
    kit.Place(ctl::kCkLock, 10, ph - 32, 100, 20);
    kit.Place(ctl::kCmdLock0 + 1, pw - 8 - 96, ph - 35, 96, 27);
    kit.Place(ctl::kCmdLock0, pw - 8 - 96 - 6 - 96, ph - 35, 96, 27);
}

void VestLockPage::SetUp(SetupPart) {
    ctx_.kit.AddColumns(ctl::kLVLock);
}

void VestLockPage::Opened() {
    Refresh();
}

void VestLockPage::Refresh() {
    HWND view = ctx_.kit.Ctl(ctl::kLVLock);
    if (!view)
        return;
    win::list::Clear(view);
    ImageList_RemoveAll(driveIcons_.get());
    rows_ = protection::ListLockableDrives(ctx_.app.os.files);
    for (const protection::DriveLockRow& row : rows_) {
        win::UniqueIcon icon = DriveIcon(row.root);
        const int image = icon ? ImageList_AddIcon(driveIcons_.get(), icon.get()) : -1;
        const int index = win::list::AddRow(view, row.label, image);
        win::list::SetCell(view, index, kStateColumn, row.StateText());
    }
}

void VestLockPage::LockChecked(bool lock) {
    HWND view = ctx_.kit.Ctl(ctl::kLVLock);
    if (!view)
        return;
    std::vector<std::size_t> checked;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (win::list::RowChecked(view, static_cast<int>(i)))
            checked.push_back(i);
    }
    HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    protection::ApplyDriveLock(ctx_.app.os.files, rows_, checked, lock);
    SetCursor(before);
    for (std::size_t i : checked)
        win::list::SetCell(view, static_cast<int>(i), kStateColumn, rows_[i].StateText());
}

}  // namespace vestra::ui
