// Windows-only: the password prompt.
#include "ui/forms/FormPassword.h"

#include "config/MessageSlots.h"
#include "config/Password.h"
#include "platform/WindowSystem.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

constexpr int kTxPassword = 100;

}  // namespace

FormPassword::FormPassword(std::u16string adminPassword, const config::MessageTable& messages,
                           const ThemePalette& palette)
    : adminPassword_(std::move(adminPassword)), messages_(messages), palette_(palette) {}

bool FormPassword::Ask(HWND owner, const std::u16string& adminPassword,
                       const config::MessageTable& messages, const ThemePalette& palette) {
    FormPassword form(adminPassword, messages, palette);
    RECT ownerRect{0, 0, 800, 600};
    if (owner)
        GetWindowRect(owner, &ownerRect);
    const int dpi = win::WindowDpi(owner);
    const int width = MulDiv(300, dpi, 96), height = MulDiv(140, dpi, 96);
    win::WindowArgs args;
    args.className = u"VestraPassword";
    args.title = u"Password";
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    args.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    args.owner = owner;
    args.iconResource = IDI_VESTRA;
    args.x = (ownerRect.left + ownerRect.right - width) / 2;
    args.y = (ownerRect.top + ownerRect.bottom - height) / 2;
    args.width = width;
    args.height = height;
    if (!form.Create(args))
        return false;
    ShowWindow(form.hwnd(), SW_SHOW);
    SetFocus(form.text_);
    win::RunModal(owner, form.hwnd());
    return form.result_;
}

bool FormPassword::OnCreate() {
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    win::ControlArgs label{hwnd(), 0, u"Password :", Scale(16), Scale(18), Scale(80), Scale(16)};
    label.font = font_.get();
    win::MakeLabel(label);
    win::ControlArgs text{hwnd(), kTxPassword, u"", Scale(96), Scale(15), Scale(176), Scale(21)};
    text.style = ES_PASSWORD;
    text.font = font_.get();
    text_ = win::MakeEdit(text);
    win::ControlArgs ok{hwnd(), IDOK, u"OK", Scale(96), Scale(56), Scale(84), Scale(26)};
    ok.style = BS_DEFPUSHBUTTON;
    ok.font = font_.get();
    win::MakeButton(ok);
    win::ControlArgs cancel{hwnd(),    IDCANCEL,  u"&Cancel", Scale(188),
                            Scale(56), Scale(84), Scale(26)};
    cancel.font = font_.get();
    win::MakeButton(cancel);
    onCommand[IDOK] = [this](int) { OnOk(); };
    onCommand[IDCANCEL] = [this](int) { DestroyWindow(hwnd()); };
    return true;
}

void FormPassword::OnOk() {
    if (config::PasswordMatches(win::WindowText(text_), adminPassword_)) {
        result_ = true;
        DestroyWindow(hwnd());
        return;
    }
    win::ShowMessage(hwnd(), messages_.Text(config::msg::kPasswordWrong), u"Failed",
                     platform::mb::kIconExclamation);
    SetFocus(text_);
    SendMessageW(text_, EM_SETSEL, 0, -1);
}

void FormPassword::PaintGradient(HDC dc) {
    RECT area;
    GetClientRect(hwnd(), &area);
    const int height = area.bottom > 0 ? area.bottom : 1;
    const COLORREF from = palette_[1], to = palette_[3];
    for (int y = 0; y < height; y += 2) {
        const int r = GetRValue(from) + (GetRValue(to) - GetRValue(from)) * y / height;
        const int g = GetGValue(from) + (GetGValue(to) - GetGValue(from)) * y / height;
        const int b = GetBValue(from) + (GetBValue(to) - GetBValue(from)) * y / height;
        win::UniqueBrush band(CreateSolidBrush(RGB(r, g, b)));
        RECT line{0, y, area.right, y + 2};
        FillRect(dc, &line, band.get());
    }
}

HBRUSH FormPassword::OnCtlColor(UINT message, HDC dc, HWND child) {
    if (message == WM_CTLCOLOREDIT || child == text_)
        return nullptr;
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT FormPassword::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        PaintGradient(reinterpret_cast<HDC>(wParam));
        return 1;
    }
    return win::Window::WndProc(message, wParam, lParam);
}

}  // namespace vestra::ui
