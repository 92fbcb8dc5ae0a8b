// Windows-only: the Tools panel and its pages.
#include "ui/main/panels/ToolsPanel.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

#include "ui/framework/Controls.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

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

void ToolsPanel::Build(HWND panel) {
    ControlKit& kit = ctx_.kit;
    win::ControlArgs tabArgs(panel, ctl::kTabTool);
    tabArgs.visible = false;  // shown once the tool tabs are set up
    kit.Adopt(ctl::kTabTool, win::MakeTabStrip(tabArgs));
    ctx_.window.onNotify[ctl::kTabTool] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE)
            ShowToolPage(static_cast<ToolPage>(win::tabs::Selected(ctx_.kit.Ctl(ctl::kTabTool))));
        return 0;
    };
    HWND pages[kToolPageCount];
    for (int i = 0; i < kToolPageCount; ++i) {
        pages[i] = kit.Add(Kind::Panel, panel, ctl::kPicTool0 + i);
        ShowWindow(pages[i], SW_HIDE);
    }
    BuildOneVirus(pages[static_cast<int>(ToolPage::OneVirus)]);
    BuildProcessManager(pages[static_cast<int>(ToolPage::ProcessManager)]);
    BuildSystemEditor(pages[static_cast<int>(ToolPage::SystemEditor)]);
    BuildWinForce(pages[static_cast<int>(ToolPage::WinForce)]);
    BuildVestLock(pages[static_cast<int>(ToolPage::VestLock)]);
}

// Binding points: the work behind the pages belongs to the user-virus list, the process
// manager, the system editor, Win-Force and the drive lock; until bound their buttons and boxes
// are disabled.

void ToolsPanel::BuildOneVirus(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Label, page, ctl::kLbUVTitle);
    kit.SetFont(ctl::kLbUVTitle, FontRole::Bold);
    kit.Add(Kind::IconBox, page, ctl::kPicIcon);
    for (int id : {ctl::kLbUVNameCap, ctl::kLbUVName, ctl::kLbUVLevCap, ctl::kLbUVLev,
                   ctl::kLbUVPathCap, ctl::kLbUnwanted})
        kit.Add(Kind::Label, page, id);
    kit.Add(Kind::Edit, page, ctl::kTxUVPath);
    SendMessageW(kit.Ctl(ctl::kTxUVPath), EM_SETREADONLY, TRUE, 0);
    kit.Add(Kind::Button, page, ctl::kCmdUVBrowse);
    kit.Add(Kind::Button, page, ctl::kCmdUVReset);
    kit.AddList(page, ctl::kLVUnwanted);
    HandleListEvents(ctx_, ctl::kLVUnwanted);
    kit.Enable(ctl::kCmdUVBrowse, false);
    kit.Enable(ctl::kCmdUVReset, false);
}

void ToolsPanel::BuildProcessManager(HWND page) {
    ctx_.kit.Add(Kind::Label, page, ctl::kLbProcHint);
    ctx_.kit.AddList(page, ctl::kLVProc);
    HandleListEvents(ctx_, ctl::kLVProc);
}

void ToolsPanel::BuildSystemEditor(HWND page) {
    ControlKit& kit = ctx_.kit;
    for (const FrameColumn& column : kEditorColumns) {
        kit.Add(Kind::Frame, page, column.frameId);
        for (int box : column.boxes)
            kit.Add(Kind::Check, page, box);
    }
    kit.Add(Kind::Button, page, ctl::kCmdSysSel);
    kit.Add(Kind::Button, page, ctl::kCmdSysApply);
    for (int id : {ctl::kCmdSysSel, ctl::kCmdSysApply})
        kit.Enable(id, false);
    for (const FrameColumn& column : kEditorColumns)
        for (int box : column.boxes)
            kit.Enable(box, false);
}

void ToolsPanel::BuildWinForce(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Label, page, ctl::kLbWinForce);
    for (int i = 0; i < 4; ++i) {
        kit.Add(Kind::IconBox, page, ctl::kPicForceIcon0 + i);
        kit.Add(Kind::Button, page, ctl::kCmdWinForce1 + i);
        kit.Enable(ctl::kCmdWinForce1 + i, false);
    }
}

void ToolsPanel::BuildVestLock(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Label, page, ctl::kLbLockInfo);
    kit.AddList(page, ctl::kLVLock);
    HandleListEvents(ctx_, ctl::kLVLock);
    kit.Add(Kind::Check, page, ctl::kCkLock);
    ctx_.window.onCommand[ctl::kCkLock] = [this](int code) {
        if (code == BN_CLICKED)
            win::list::CheckAll(ctx_.kit.Ctl(ctl::kLVLock),
                                win::IsChecked(ctx_.kit.Ctl(ctl::kCkLock)));
    };
    kit.Add(Kind::Button, page, ctl::kCmdLock0);
    kit.Add(Kind::Button, page, ctl::kCmdLock0 + 1);
    kit.Enable(ctl::kCmdLock0, false);
    kit.Enable(ctl::kCmdLock0 + 1, false);
}

void ToolsPanel::Layout(int w, int h) {
    ctx_.kit.Place(ctl::kTabTool, 4, 4, w - 8, 24);
    const int pw = w - 8, ph = h - 36;
    for (int i = 0; i < kToolPageCount; ++i)
        ctx_.kit.Place(ctl::kPicTool0 + i, 4, 32, pw, ph);
    LayoutOneVirus(pw, ph);
    LayoutProcessManager(pw, ph);
    LayoutSystemEditor(pw, ph);
    LayoutWinForce(pw, ph);
    LayoutVestLock(pw, ph);
}

void ToolsPanel::LayoutOneVirus(int pw, int ph) const {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbUVTitle, 8, 6, pw - 16, 18);
    kit.Place(ctl::kPicIcon, 8, 30, 32, 32);
    kit.Place(ctl::kLbUVNameCap, 50, 30, 84, 16);
    kit.Place(ctl::kLbUVName, 136, 30, pw - 144, 16);
    kit.Place(ctl::kLbUVLevCap, 50, 48, 84, 16);
    kit.Place(ctl::kLbUVLev, 136, 48, pw - 144, 16);
    kit.Place(ctl::kLbUVPathCap, 8, 75, 60, 16);
    kit.Place(ctl::kCmdUVReset, pw - 8 - 70, 70, 70, 25);
    kit.Place(ctl::kCmdUVBrowse, pw - 8 - 70 - 6 - 130, 70, 130, 25);
    kit.Place(ctl::kTxUVPath, 70, 72, pw - 70 - 8 - 70 - 6 - 130 - 6, 21);
    kit.Place(ctl::kLbUnwanted, 8, 104, pw - 16, 16);
    kit.Place(ctl::kLVUnwanted, 8, 122, pw - 16, ph - 130);
}

void ToolsPanel::LayoutProcessManager(int pw, int ph) const {
    ctx_.kit.Place(ctl::kLbProcHint, 8, 6, pw - 16, 16);
    ctx_.kit.Place(ctl::kLVProc, 8, 26, pw - 16, ph - 34);
}

void ToolsPanel::LayoutSystemEditor(int pw, int) const {
    // Three frames side by side, the buttons below.
    const ControlKit& kit = ctx_.kit;
    const int colWidth = (pw - 24) / 3;
    for (int c = 0; c < 3; ++c) {
        const FrameColumn& column = kEditorColumns[c];
        const int x = 8 + c * (colWidth + 4);
        kit.Place(column.frameId, x, 4, colWidth, 20 + 20 * 8 + 8);
        int y = 22;
        for (int box : column.boxes) {
            kit.Place(box, x + 8, y, colWidth - 12, 19);
            y += 20;
        }
    }
    kit.Place(ctl::kCmdSysApply, pw - 8 - 190, 200, 190, 27);
    kit.Place(ctl::kCmdSysSel, pw - 8 - 190 - 6 - 100, 200, 100, 27);
}

void ToolsPanel::LayoutWinForce(int pw, int) const {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbWinForce, 8, 8, pw - 16, 16);
    for (int i = 0; i < 4; ++i) {
        kit.Place(ctl::kPicForceIcon0 + i, 16, 34 + i * 46, 32, 32);
        kit.Place(ctl::kCmdWinForce1 + i, 58, 36 + i * 46, 280, 30);
    }
}

void ToolsPanel::LayoutVestLock(int pw, int ph) const {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbLockInfo, 8, 8, pw - 16, 16);
    kit.Place(ctl::kLVLock, 8, 28, pw - 16, ph - 28 - 40);
    kit.Place(ctl::kCkLock, 10, ph - 32, 100, 20);
    kit.Place(ctl::kCmdLock0 + 1, pw - 8 - 96, ph - 35, 96, 27);
    kit.Place(ctl::kCmdLock0, pw - 8 - 96 - 6 - 96, ph - 35, 96, 27);
}

void ToolsPanel::Loaded() {
    for (int id : {ctl::kLbUVName, ctl::kLbUVLev, ctl::kTxUVPath})
        ctx_.kit.SetText(id, u"-");
    ctx_.kit.SetText(ctl::kCmdSysApply, SystemApplyCaption());
}

void ToolsPanel::SetUp(SetupPart) {
    HWND tabs = ctx_.kit.Ctl(ctl::kTabTool);
    for (std::u16string_view caption : kToolTabCaptions)
        win::tabs::Add(tabs, caption);
    ShowWindow(tabs, SW_SHOW);
    for (int id : {ctl::kLVProc, ctl::kLVUnwanted, ctl::kLVLock})
        ctx_.kit.AddColumns(id);
    const int icons[] = {IDI_AREA, IDI_REGISTRY, IDI_AREA, IDI_AREA};
    for (int i = 0; i < 4; ++i) {
        // Binding point: Win-Force draws each program's own icon; the product's stand in.
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icons[i]));
        SendMessageW(ctx_.kit.Ctl(ctl::kPicForceIcon0 + i), STM_SETICON,
                     reinterpret_cast<WPARAM>(icon), 0);
    }
    ShowToolPage(ToolPage::OneVirus);
}

void ToolsPanel::ShowToolPage(ToolPage toolPage) {
    win::tabs::Select(ctx_.kit.Ctl(ctl::kTabTool), static_cast<int>(toolPage));
    for (int i = 0; i < kToolPageCount; ++i)
        ctx_.kit.Show(ctl::kPicTool0 + i, i == static_cast<int>(toolPage));
    // Binding points: opening a tool page refreshes its list (start-up entries and suspects,
    // the process list with its timer, the policy boxes, the program icons, the drive list).
}

std::optional<Color> ToolsPanel::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbUVTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

}  // namespace vestra::ui
