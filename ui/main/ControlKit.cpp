// Windows-only: the shared control kit of the main window.
#include "ui/main/ControlKit.h"

#include <windows.h>

#include <algorithm>

#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

HWND MakeOfKind(ControlKit::Kind kind, win::ControlArgs& args) {
    using Kind = ControlKit::Kind;
    switch (kind) {
        case Kind::Button:
            return win::MakeButton(args);
        case Kind::Check:
            return win::MakeButton(args, win::ButtonKind::Check);
        case Kind::Radio:
            return win::MakeButton(args, win::ButtonKind::Radio);
        case Kind::RadioFirst:
            return win::MakeButton(args, win::ButtonKind::RadioFirst);
        case Kind::Frame:
            return win::MakeButton(args, win::ButtonKind::Group);
        case Kind::Label:
            return win::MakeLabel(args);
        case Kind::Edit:
            return win::MakeEdit(args);
        case Kind::EditMulti:
            return win::MakeEdit(args, true, false);
        case Kind::CounterBox:
            return win::MakeEdit(args, true, true, false);
        case Kind::EditReadOnly:
            return win::MakeEdit(args, true, true);
        case Kind::Password:
            args.style = ES_PASSWORD;
            return win::MakeEdit(args);
        case Kind::Progress:
            return win::MakeProgressBar(args);
        case Kind::Panel:
            return win::MakePanel(args);
        case Kind::IconBox:
            return win::MakeIconBox(args);
        case Kind::Swatch:
            args.style = BS_OWNERDRAW;
            return win::MakeButton(args);
    }
    return nullptr;
}

}  // namespace

ControlKit::ControlKit(win::Window& window, const CaptionSet& captions)
    : window_(window), captions_(captions) {}

HWND ControlKit::Add(Kind kind, HWND parent, int id, std::u16string_view text) {
    const std::u16string_view caption = FindCaption(id) ? captions_.CaptionOf(id) : text;
    win::ControlArgs args{parent, id, caption};
    args.font = normal_.get();
    return Adopt(id, MakeOfKind(kind, args));
}

HWND ControlKit::AddList(HWND parent, int id) {
    const ListSpec* layout = FindList(id);
    win::ControlArgs args{parent, id};
    args.font = list_.get();
    roles_[id] = FontRole::List;
    return Adopt(id, win::MakeListView(args, layout && layout->checkBoxes));
}

void ControlKit::AddColumns(int listId) const {
    const ListSpec* layout = FindList(listId);
    HWND view = Ctl(listId);
    if (!layout || !view || win::list::ColumnCount(view) > 0)
        return;
    for (const ColumnSpec& column : layout->columns)
        win::list::AddColumn(view, column.title, MulDiv(column.widthTwips, window_.Dpi(), 1440));
}

HWND ControlKit::Adopt(int id, HWND control) {
    controls_[id] = control;
    return control;
}

HWND ControlKit::Ctl(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void ControlKit::Place(int id, int x, int y, int width, int height) const {
    if (HWND control = Ctl(id))
        win::MoveControl(control, window_.Scale(x), window_.Scale(y), window_.Scale(width),
                         window_.Scale(height));
}

void ControlKit::Show(int id, bool visible) const {
    if (HWND control = Ctl(id))
        win::ShowControl(control, visible);
}

void ControlKit::Enable(int id, bool enabled) const {
    if (HWND control = Ctl(id))
        win::EnableControl(control, enabled);
}

void ControlKit::SetText(int id, std::u16string_view text) const {
    if (HWND control = Ctl(id))
        win::SetWindowTextU(control, text);
}

int ControlKit::Unscaled(int pixels) const {
    return MulDiv(pixels, 96, window_.Dpi());
}

int ControlKit::FitWidth(int id, int least) const {
    HWND control = Ctl(id);
    if (!control)
        return least;
    std::u16string text = win::WindowText(control);
    std::erase(text, u'&');
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, normal_.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()),
                          static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return std::max(least, Unscaled(size.cx) + 18);
}

void ControlKit::MakeFonts() {
    const int dpi = window_.Dpi();
    normal_ = win::MakeFont({u"Tahoma", 8, false, false, dpi});
    bold_ = win::MakeFont({u"Tahoma", 8, true, false, dpi});
    heading_ = win::MakeFont({u"Tahoma", 10, true, false, dpi});
    title_ = win::MakeFont({u"Tahoma", 18, true, false, dpi});
    list_ = win::MakeFont({kListFontName, 8, false, false, dpi});
    link_ = win::MakeFont({u"Tahoma", 8, false, true, dpi});
}

HFONT ControlKit::Font(FontRole role) const {
    switch (role) {
        case FontRole::Normal:
            return normal_.get();
        case FontRole::Bold:
            return bold_.get();
        case FontRole::Heading:
            return heading_.get();
        case FontRole::Title:
            return title_.get();
        case FontRole::List:
            return list_.get();
        case FontRole::Link:
            return link_.get();
    }
    return normal_.get();
}

void ControlKit::SetFont(int id, FontRole role) {
    roles_[id] = role;
    if (HWND control = Ctl(id))
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font(role)), TRUE);
}

void ControlKit::ApplyFonts() const {
    for (const auto& [id, control] : controls_) {
        auto role = roles_.find(id);
        HFONT font = Font(role == roles_.end() ? FontRole::Normal : role->second);
        if (control)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void ControlKit::ApplyCaptions() const {
    for (int id : captions_.Ids())
        SetText(id, captions_.CaptionOf(id));
}

}  // namespace vestra::ui
