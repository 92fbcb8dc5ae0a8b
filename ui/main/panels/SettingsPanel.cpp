// Windows-only: the Settings panel.
#include "ui/main/panels/SettingsPanel.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "config/MessageSlots.h"
#include "ui/forms/FormException.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

// The theme picker's swatches; the first is the default green.
constexpr Color kSwatches[ctl::kThemeSwatchCount] = {
    kDefaultThemeBase,          RgbColor(0x1E, 0x6F, 0xD0), RgbColor(0xC8, 0x28, 0x28),
    RgbColor(0xE0, 0x8A, 0x10), RgbColor(0x7A, 0x3C, 0xB8), RgbColor(0x10, 0x9A, 0x9A),
    RgbColor(0x60, 0x68, 0x70), RgbColor(0xD0, 0x40, 0x90)};

}  // namespace

void SettingsPanel::Build(HWND page) {
    BuildBoxesAndPassword(page);
    BuildLanguageAndTheme(page);
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Frame, page, ctl::kFrmException);
    kit.Add(Kind::Label, page, ctl::kLbException);
    kit.Add(Kind::Button, page, ctl::kCmdException);
    ctx_.window.onCommand[ctl::kCmdException] = [this](int) {
        FormException::ShowModal(ctx_.window.hwnd(), ctx_.app.exceptions, ctx_.app.os,
                                 ctx_.app.messages);
    };
}

void SettingsPanel::BuildBoxesAndPassword(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Frame, page, ctl::kFrmSettings);
    for (int i = 0; i < kSettingsBoxCount; ++i) {
        const auto box = static_cast<SettingsBox>(i);
        kit.Add(Kind::Check, page, ControlOfBox(box));
        ctx_.window.onCommand[ControlOfBox(box)] = [this, box](int code) {
            if (code == BN_CLICKED)
                OnSettingsBox(box);
        };
    }
    kit.Add(Kind::Frame, page, ctl::kFrmPassword);
    for (int i = 0; i < 2; ++i) {
        kit.Add(Kind::Label, page, ctl::kLbPassword0 + i);
        kit.Add(Kind::Password, page, ctl::kTxPassword0 + i);
        kit.Enable(ctl::kTxPassword0 + i, false);
    }
    kit.Add(Kind::Button, page, ctl::kCmdPassword);
    ctx_.window.onCommand[ctl::kCmdPassword] = [this](int) { OnPasswordButton(); };
}

void SettingsPanel::BuildLanguageAndTheme(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Frame, page, ctl::kFrmLanguage);
    kit.Add(Kind::RadioFirst, page, ctl::kOptLang0);
    kit.Add(Kind::Radio, page, ctl::kOptLang0 + 1);
    for (int i = 0; i < 2; ++i) {
        ctx_.window.onCommand[ctl::kOptLang0 + i] = [this, i](int code) {
            if (code == BN_CLICKED && win::IsChecked(ctx_.kit.Ctl(ctl::kOptLang0 + i)))
                ctx_.host.ChooseLanguage(i);
        };
    }
    kit.Add(Kind::Frame, page, ctl::kFrmTheme);
    for (int i = 0; i < ctl::kThemeSwatchCount; ++i) {
        kit.Add(Kind::Swatch, page, ctl::kMyTheme0 + i);
        ctx_.window.onCommand[ctl::kMyTheme0 + i] = [this, i](int) { OnThemeSwatch(i); };
    }
    kit.Add(Kind::Label, page, ctl::kLbRGB);
    kit.Add(Kind::Edit, page, ctl::kTxRGB);
    SendMessageW(kit.Ctl(ctl::kTxRGB), EM_SETLIMITTEXT, 6, 0);
    ctx_.window.onCommand[ctl::kTxRGB] = [this](int code) {
        if (code == EN_CHANGE)
            OnThemeText();
    };
}

void SettingsPanel::Layout(int w, int) {
    const ControlKit& kit = ctx_.kit;
    const int leftWidth = std::max(300, w * 60 / 100);
    kit.Place(ctl::kFrmSettings, 8, 4, leftWidth, 24 + 21 * kSettingsBoxCount);
    for (int i = 0; i < kSettingsBoxCount; ++i)
        kit.Place(ctl::kCkSet0 + i, 18, 22 + 21 * i, leftWidth - 16, 20);
    const int py = 40 + 21 * kSettingsBoxCount;
    kit.Place(ctl::kFrmPassword, 8, py, leftWidth, 100);
    for (int i = 0; i < 2; ++i) {
        kit.Place(ctl::kLbPassword0 + i, 18, py + 22 + 26 * i, 130, 16);
        kit.Place(ctl::kTxPassword0 + i, 150, py + 19 + 26 * i, leftWidth - 160, 21);
    }
    kit.Place(ctl::kCmdPassword, 150, py + 70, 130, 25);

    const int rx = 8 + leftWidth + 8, rw = w - rx - 8;
    kit.Place(ctl::kFrmLanguage, rx, 4, rw, 64);
    kit.Place(ctl::kOptLang0, rx + 12, 22, rw - 20, 19);
    kit.Place(ctl::kOptLang0 + 1, rx + 12, 42, rw - 20, 19);
    kit.Place(ctl::kFrmTheme, rx, 76, rw, 110);
    const int swatch = std::min(26, (rw - 24 - 3 * 6) / 4);
    for (int i = 0; i < ctl::kThemeSwatchCount; ++i)
        kit.Place(ctl::kMyTheme0 + i, rx + 12 + (i % 4) * (swatch + 6), 96 + (i / 4) * (swatch + 6),
                  swatch, swatch);
    kit.Place(ctl::kLbRGB, rx + 12, 158, 84, 16);
    kit.Place(ctl::kTxRGB, rx + 98, 155, std::max(40, rw - 110), 21);
    kit.Place(ctl::kFrmException, rx, 194, rw, 110);
    kit.Place(ctl::kLbException, rx + 12, 214, rw - 24, 44);
    kit.Place(ctl::kCmdException, rx + 12, 266, 90, 27);
}

void SettingsPanel::Loaded() {
    ctx_.kit.SetText(ctl::kTxRGB, ThemeColorText(ctx_.host.ThemeBase()));
    const int language = ctx_.app.messages.CurrentLanguage() != 0 ? 1 : 0;
    win::SetChecked(ctx_.kit.Ctl(ctl::kOptLang0 + language), true);
}

void SettingsPanel::SetUp(SetupPart) {
    filling_ = true;
    const Settings& s = ctx_.app.settings;
    const auto states = BoxStates(s);
    for (int i = 0; i < kSettingsBoxCount; ++i)
        win::SetChecked(ctx_.kit.Ctl(ctl::kCkSet0 + i), states[i]);
    // Binding point: the shell menu box shows and switches the shell extension's registration.
    ctx_.kit.Enable(ControlOfBox(SettingsBox::ShellMenu), false);
    for (int i = 0; i < 2; ++i)
        ctx_.kit.SetText(ctl::kTxPassword0 + i, s.adminPassword);
    ctx_.kit.Enable(ctl::kCmdPassword, s.usePassword != 0);
    filling_ = false;
}

void SettingsPanel::RefreshCaptions() {
    ctx_.kit.SetText(ctl::kCmdPassword,
                     PasswordButtonCaption(passwordEditing_, ctx_.app.messages.CurrentLanguage()));
}

void SettingsPanel::SettingsChanged() {
    win::SetChecked(ctx_.kit.Ctl(ControlOfBox(SettingsBox::HidePanel)),
                    ctx_.app.settings.hidePanel != 0);
}

bool SettingsPanel::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_DRAWITEM)
        return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const int index = static_cast<int>(item.CtlID) - ctl::kMyTheme0;
    if (index < 0 || index >= ctl::kThemeSwatchCount)
        return false;
    DrawSwatch(item);
    return true;
}

void SettingsPanel::OnSettingsBox(SettingsBox box) {
    if (filling_)
        return;
    const bool checked = win::IsChecked(ctx_.kit.Ctl(ControlOfBox(box)));
    Settings& s = ctx_.app.settings;
    switch (ClickSettingsBox(box, checked, s, ctx_.app.store)) {
        case BoxEffect::None:
            break;
        case BoxEffect::HidePanel:
            ctx_.host.HidePanel(checked);
            break;
        case BoxEffect::WindowFrame:
            ctx_.host.ApplyResizable(checked);
            break;
        case BoxEffect::PasswordGuard:
            ctx_.kit.Enable(ctl::kCmdPassword, checked);
            if (checked && s.adminPassword.empty() && !passwordEditing_)
                OnPasswordButton();
            break;
    }
}

void SettingsPanel::OnPasswordButton() {
    const ControlKit& kit = ctx_.kit;
    HWND window = ctx_.window.hwnd();
    if (!passwordEditing_) {
        passwordEditing_ = true;
        for (int i = 0; i < 2; ++i) {
            kit.Enable(ctl::kTxPassword0 + i, true);
            kit.SetText(ctl::kTxPassword0 + i, u"");
        }
        SetFocus(kit.Ctl(ctl::kTxPassword0));
    } else {
        const std::u16string first = win::WindowText(kit.Ctl(ctl::kTxPassword0));
        const std::u16string confirm = win::WindowText(kit.Ctl(ctl::kTxPassword0 + 1));
        const config::PasswordSave result =
            SaveAdminPassword(ctx_.app.store, ctx_.app.settings, first, confirm);
        if (result == config::PasswordSave::Mismatch) {
            win::ShowMessage(window, ctx_.app.messages.Text(config::msg::kPasswordsDiffer), u"Vestra",
                             platform::mb::kIconExclamation);
            return;
        }
        passwordEditing_ = false;
        for (int i = 0; i < 2; ++i)
            kit.Enable(ctl::kTxPassword0 + i, false);
        if (result == config::PasswordSave::Saved)
            win::ShowMessage(window, ctx_.app.messages.Text(config::msg::kPasswordSaved), u"Vestra",
                             platform::mb::kIconInformation);
        else if (result == config::PasswordSave::WriteFailed)
            win::ShowMessage(window, u"The password could not be stored.", u"Failed",
                             platform::mb::kIconExclamation);
    }
    ctx_.host.RefreshCaptions();
}

void SettingsPanel::OnThemeText() {
    const auto color = ParseThemeColorText(win::WindowText(ctx_.kit.Ctl(ctl::kTxRGB)));
    if (!color || *color == ctx_.host.ThemeBase())
        return;
    ctx_.host.SetTheme(*color);
    ctx_.app.settings.themeColor = static_cast<std::int32_t>(*color);
    ctx_.app.store.SaveSettingNumber(setting::kThemeColor, ctx_.app.settings.themeColor);
}

void SettingsPanel::OnThemeSwatch(int index) {
    // Writing the box runs OnThemeText, which recolours and stores.
    ctx_.kit.SetText(ctl::kTxRGB, ThemeColorText(kSwatches[index]));
}

void SettingsPanel::DrawSwatch(const DRAWITEMSTRUCT& item) const {
    const int index = static_cast<int>(item.CtlID) - ctl::kMyTheme0;
    win::UniqueBrush fill(CreateSolidBrush(kSwatches[index]));
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, fill.get());
    const bool chosen = kSwatches[index] == ctx_.host.ThemeBase();
    FrameRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(chosen ? BLACK_BRUSH : GRAY_BRUSH)));
    if (chosen || (item.itemState & ODS_FOCUS)) {
        InflateRect(&r, -2, -2);
        FrameRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

}  // namespace vestra::ui
