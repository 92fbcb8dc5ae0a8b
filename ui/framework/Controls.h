// Windows-only: the common controls the program uses, each made from a small argument struct with
// defaults, and thin typed handles with the few operations the windows need.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

namespace vestra::ui::win {

// Where and what: the parent, the id (also the command id), the caption and the rectangle in
// pixels of the parent's client area.
struct ControlArgs {
    ControlArgs() = default;
    ControlArgs(HWND parentWindow, int controlId, std::u16string_view caption = {}, int left = 0,
                int top = 0, int w = 80, int h = 23)
        : parent(parentWindow),
          id(controlId),
          text(caption),
          x(left),
          y(top),
          width(w),
          height(h) {}

    HWND parent = nullptr;
    int id = 0;
    std::u16string_view text;
    int x = 0, y = 0, width = 80, height = 23;
    DWORD style = 0;  // added to the control's defaults
    DWORD exStyle = 0;
    bool visible = true;
    HFONT font = nullptr;
};

enum class ButtonKind { Push, Check, Radio, RadioFirst, Group };

HWND MakeButton(const ControlArgs& args, ButtonKind kind = ButtonKind::Push);
HWND MakeLabel(const ControlArgs& args);  // SS_NOTIFY so a link label can be clicked
HWND MakeEdit(const ControlArgs& args, bool multiline = false, bool readOnly = false,
              bool scrollBar = true);
HWND MakeListView(const ControlArgs& args, bool checkBoxes);
HWND MakeTreeView(const ControlArgs& args, bool checkBoxes);
HWND MakeTabStrip(const ControlArgs& args);
HWND MakeProgressBar(const ControlArgs& args);
HWND MakeIconBox(const ControlArgs& args);  // a static that shows an icon
HWND MakePanel(const ControlArgs& args);    // a container; see Panel.h

void MoveControl(HWND control, int x, int y, int width, int height);
void ShowControl(HWND control, bool visible);
void EnableControl(HWND control, bool enabled);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);

// List view: columns, rows, sub-items and check marks.
namespace list {
void AddColumn(HWND list, std::u16string_view title, int width);
int ColumnCount(HWND list);
int AddRow(HWND list, std::u16string_view text, int image = -1);
void SetCell(HWND list, int row, int column, std::u16string_view text);
std::u16string Cell(HWND list, int row, int column);
int RowCount(HWND list);
void Clear(HWND list);
bool RowChecked(HWND list, int row);
void CheckRow(HWND list, int row, bool checked);
void CheckAll(HWND list, bool checked);
int SelectedRow(HWND list);  // -1 for none
}  // namespace list

// Tree view nodes with check boxes.
namespace tree {
HTREEITEM AddNode(HWND tree, HTREEITEM parent, std::u16string_view text, int image = 0,
                  LPARAM data = 0);
bool NodeChecked(HWND tree, HTREEITEM node);
void CheckNode(HWND tree, HTREEITEM node, bool checked);
void Expand(HWND tree, HTREEITEM node);
}  // namespace tree

// Tab strip.
namespace tabs {
void Add(HWND tabs, std::u16string_view caption);
void SetCaption(HWND tabs, int index, std::u16string_view caption);
int Selected(HWND tabs);
void Select(HWND tabs, int index);
int Count(HWND tabs);
// The area below the tabs, in the strip's own client coordinates.
RECT DisplayArea(HWND tabs);
}  // namespace tabs

}  // namespace vestra::ui::win
