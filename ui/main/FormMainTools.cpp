// Windows-only: the Tools panel and its five tool tabs: one virus by the user, the process
// manager, the system editor, Win-Force and Vest-Lock.
#include <windows.h>

#include <commctrl.h>

#include "ui/framework/Controls.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

constexpr int kToolCount = 5;

// The system editor's frames: which boxes go into which frame, top to bottom.
struct FrameColumn {
    int frameId;
    std::initializer_list<int> boxes;
};

const FrameColumn kEditorColumns[] = {
    {ctl::kFrmExplorer,
     {ctl::kCkRegFolder0, ctl::kCkRegFolder0 + 1, ctl::kCkRegFolder0 + 2, ctl::kCkRegFolder0 + 3,
      ctl::kCkRegFolder0 + 4, ctl::kCkRegExp0, ctl::kCkRegExp0 + 1, ctl::kCkRegExp0 + 2}},
    {ctl::kFrmSysApps,
     {ctl::kCkRegSys0, ctl::kCkRegSys0 + 1, ctl::kCkRegSys0 + 2, ctl::kCkRegSys0 + 3,
      ctl::kCkRegExp0 + 3, ctl::kCkRegExp0 + 4}},
    {ctl::kFrmStartMenu,
     {ctl::kCkRegExp0 + 5, ctl::kCkRegExp0 + 6, ctl::kCkRegExp0 + 7, ctl::kCkRegExp0 + 8,
      ctl::kCkRegExp0 + 9, ctl::kCkRegExp0 + 10, ctl::kCkRegExp0 + 11, ctl::kCkRegExp0 + 12}},
};

}  // namespace

void FormMain::BuildToolsPanel() {
    HWND panel = Ctl(ctl::kPicTab0 + 3);
    win::ControlArgs tabArgs(panel, ctl::kTabTool);
    tabArgs.visible = false;  // shown once the tool tabs are set up
    HWND tabs = win::MakeTabStrip(tabArgs);
    controls_[ctl::kTabTool] = tabs;
    onNotify[ctl::kTabTool] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE)
            ShowToolTab(win::tabs::Selected(Ctl(ctl::kTabTool)));
        return 0;
    };
    HWND pages[kToolCount];
    for (int i = 0; i < kToolCount; ++i) {
        pages[i] = Add(Kind::Panel, panel, ctl::kPicTool0 + i);
        ShowWindow(pages[i], SW_HIDE);
    }
    BuildToolPages(pages);
    // Binding points: the work behind these belongs to the user-virus list, the process
    // manager, the system editor, Win-Force and the drive lock; until bound they are disabled.
    for (int id : std::initializer_list<int>{ctl::kCmdUVBrowse, ctl::kCmdUVReset, ctl::kCmdSysSel,
                                             ctl::kCmdSysApply, ctl::kCmdLock0, ctl::kCmdLock0 + 1})
        Enable(id, false);
    for (int i = 0; i < 4; ++i)
        Enable(ctl::kCmdWinForce1 + i, false);
    for (const FrameColumn& column : kEditorColumns)
        for (int box : column.boxes)
            Enable(box, false);
}

void FormMain::BuildToolPages(HWND pages[]) {
    // One virus by the user.
    Add(Kind::Label, pages[0], ctl::kLbUVTitle);
    Add(Kind::IconBox, pages[0], ctl::kPicIcon);
    for (int id : {ctl::kLbUVNameCap, ctl::kLbUVName, ctl::kLbUVLevCap, ctl::kLbUVLev,
                   ctl::kLbUVPathCap, ctl::kLbUnwanted})
        Add(Kind::Label, pages[0], id);
    Add(Kind::Edit, pages[0], ctl::kTxUVPath);
    SendMessageW(Ctl(ctl::kTxUVPath), EM_SETREADONLY, TRUE, 0);
    Add(Kind::Button, pages[0], ctl::kCmdUVBrowse);
    Add(Kind::Button, pages[0], ctl::kCmdUVReset);
    AddList(pages[0], ctl::kLVUnwanted);
    // Process manager.
    Add(Kind::Label, pages[1], ctl::kLbProcHint);
    AddList(pages[1], ctl::kLVProc);
    // System editor.
    for (const FrameColumn& column : kEditorColumns) {
        Add(Kind::Frame, pages[2], column.frameId);
        for (int box : column.boxes)
            Add(Kind::Check, pages[2], box);
    }
    Add(Kind::Button, pages[2], ctl::kCmdSysSel);
    Add(Kind::Button, pages[2], ctl::kCmdSysApply);
    // Win-Force.
    Add(Kind::Label, pages[3], ctl::kLbWinForce);
    for (int i = 0; i < 4; ++i) {
        Add(Kind::IconBox, pages[3], ctl::kPicForceIcon0 + i);
        Add(Kind::Button, pages[3], ctl::kCmdWinForce1 + i);
    }
    // Vest-Lock.
    Add(Kind::Label, pages[4], ctl::kLbLockInfo);
    AddList(pages[4], ctl::kLVLock);
    Add(Kind::Check, pages[4], ctl::kCkLock);
    onCommand[ctl::kCkLock] = [this](int code) {
        if (code == BN_CLICKED)
            win::list::CheckAll(Ctl(ctl::kLVLock), win::IsChecked(Ctl(ctl::kCkLock)));
    };
    Add(Kind::Button, pages[4], ctl::kCmdLock0);
    Add(Kind::Button, pages[4], ctl::kCmdLock0 + 1);
}

void FormMain::LayoutToolsPanel(int w, int h) {
    Place(ctl::kTabTool, 4, 4, w - 8, 24);
    const int pw = w - 8, ph = h - 36;
    for (int i = 0; i < kToolCount; ++i)
        Place(ctl::kPicTool0 + i, 4, 32, pw, ph);
    // One virus by the user.
    Place(ctl::kLbUVTitle, 8, 6, pw - 16, 18);
    Place(ctl::kPicIcon, 8, 30, 32, 32);
    Place(ctl::kLbUVNameCap, 50, 30, 84, 16);
    Place(ctl::kLbUVName, 136, 30, pw - 144, 16);
    Place(ctl::kLbUVLevCap, 50, 48, 84, 16);
    Place(ctl::kLbUVLev, 136, 48, pw - 144, 16);
    Place(ctl::kLbUVPathCap, 8, 75, 60, 16);
    Place(ctl::kCmdUVReset, pw - 8 - 70, 70, 70, 25);
    Place(ctl::kCmdUVBrowse, pw - 8 - 70 - 6 - 130, 70, 130, 25);
    Place(ctl::kTxUVPath, 70, 72, pw - 70 - 8 - 70 - 6 - 130 - 6, 21);
    Place(ctl::kLbUnwanted, 8, 104, pw - 16, 16);
    Place(ctl::kLVUnwanted, 8, 122, pw - 16, ph - 130);
    // Process manager.
    Place(ctl::kLbProcHint, 8, 6, pw - 16, 16);
    Place(ctl::kLVProc, 8, 26, pw - 16, ph - 34);
    // System editor: three frames side by side, the buttons below.
    const int colWidth = (pw - 24) / 3;
    for (int c = 0; c < 3; ++c) {
        const FrameColumn& column = kEditorColumns[c];
        const int x = 8 + c * (colWidth + 4);
        Place(column.frameId, x, 4, colWidth, 20 + 20 * 8 + 8);
        int y = 22;
        for (int box : column.boxes) {
            Place(box, x + 8, y, colWidth - 12, 19);
            y += 20;
        }
    }
    Place(ctl::kCmdSysApply, pw - 8 - 190, 200, 190, 27);
    Place(ctl::kCmdSysSel, pw - 8 - 190 - 6 - 100, 200, 100, 27);
    // Win-Force.
    Place(ctl::kLbWinForce, 8, 8, pw - 16, 16);
    for (int i = 0; i < 4; ++i) {
        Place(ctl::kPicForceIcon0 + i, 16, 34 + i * 46, 32, 32);
        Place(ctl::kCmdWinForce1 + i, 58, 36 + i * 46, 280, 30);
    }
    // Vest-Lock.
    Place(ctl::kLbLockInfo, 8, 8, pw - 16, 16);
    Place(ctl::kLVLock, 8, 28, pw - 16, ph - 28 - 40);
    Place(ctl::kCkLock, 10, ph - 32, 100, 20);
    Place(ctl::kCmdLock0 + 1, pw - 8 - 96, ph - 35, 96, 27);
    Place(ctl::kCmdLock0, pw - 8 - 96 - 6 - 96, ph - 35, 96, 27);
}

void FormMain::InitTools() {
    HWND tabs = Ctl(ctl::kTabTool);
    for (std::u16string_view caption : kToolTabCaptions)
        win::tabs::Add(tabs, caption);
    ShowWindow(tabs, SW_SHOW);
    for (int id : {ctl::kLVProc, ctl::kLVUnwanted, ctl::kLVLock})
        AddColumns(id);
    const int icons[] = {IDI_AREA, IDI_REGISTRY, IDI_AREA, IDI_AREA};
    for (int i = 0; i < 4; ++i) {
        // Binding point: Win-Force draws each program's own icon; the product's stand in.
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icons[i]));
        SendMessageW(Ctl(ctl::kPicForceIcon0 + i), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    ShowToolTab(0);
}

void FormMain::ShowToolTab(int toolTab) {
    currentToolTab_ = toolTab;
    win::tabs::Select(Ctl(ctl::kTabTool), toolTab);
    for (int i = 0; i < kToolCount; ++i)
        Show(ctl::kPicTool0 + i, i == toolTab);
    // Binding points: opening a tool tab refreshes its list (start-up entries and suspects,
    // the process list with its timer, the policy boxes, the program icons, the drive list).
}

}  // namespace vestra::ui
