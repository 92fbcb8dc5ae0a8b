// Windows-only: the "System Editor" tool page.
#include "ui/main/panels/tools/SystemEditorPage.h"

#include <windows.h>

#include <initializer_list>

#include "ui/model/ControlIds.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

// The frames: which boxes go into which frame, top to bottom.
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

void SystemEditorPage::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    for (const FrameColumn& column : kEditorColumns) {
        kit.Add(Kind::Frame, page, column.frameId);
        for (int box : column.boxes)
            kit.Add(Kind::Check, page, box);
    }
    kit.Add(Kind::Button, page, ctl::kCmdSysSel);
    kit.Add(Kind::Button, page, ctl::kCmdSysApply);
    // Binding point: the policy values behind the boxes; until bound all of it is disabled.
    for (int id : {ctl::kCmdSysSel, ctl::kCmdSysApply})
        kit.Enable(id, false);
    for (const FrameColumn& column : kEditorColumns)
        for (int box : column.boxes)
            kit.Enable(box, false);
}

void SystemEditorPage::Layout(int pw, int) {
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

void SystemEditorPage::Loaded() {
    ctx_.kit.SetText(ctl::kCmdSysApply, SystemApplyCaption());
}

}  // namespace vestra::ui
