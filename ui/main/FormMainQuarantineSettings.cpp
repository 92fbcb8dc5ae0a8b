// Windows-only: the Quarantine and Settings panels: the quarantine list with its buttons, the
// settings boxes, the password editor, the language option and the theme picker.
#include <windows.h>

#include <commctrl.h>

#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "ui/forms/FormException.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

// The theme picker's swatches; the first is the default green.
constexpr Color kSwatches[ctl::kThemeSwatchCount] = {
    kDefaultThemeBase,          RgbColor(0x1E, 0x6F, 0xD0), RgbColor(0xC8, 0x28, 0x28),
    RgbColor(0xE0, 0x8A, 0x10), RgbColor(0x7A, 0x3C, 0xB8), RgbColor(0x10, 0x9A, 0x9A),
    RgbColor(0x60, 0x68, 0x70), RgbColor(0xD0, 0x40, 0x90)};

}  // namespace

void FormMain::BuildQuarantinePanel() {
    HWND panel = Ctl(ctl::kPicTab0 + 4);
    AddList(panel, ctl::kLVCage);
    Add(Kind::Progress, panel, ctl::kPBCage);
    Add(Kind::Check, panel, ctl::kCkCage);
    onCommand[ctl::kCkCage] = [this](int code) {
        if (code == BN_CLICKED)
            win::list::CheckAll(Ctl(ctl::kLVCage), win::IsChecked(Ctl(ctl::kCkCage)));
    };
    const int commands[] = {cmd::kPopCageResT, cmd::kPopCageResTo, cmd::kPopCageDel};
    for (int i = 0; i < 3; ++i) {
        Add(Kind::Button, panel, ctl::kCmdCage0 + i);
        const int command = commands[i];
        onCommand[ctl::kCmdCage0 + i] = [this, command](int) {
            if (IsBound(command))
                bound_[command]();
        };
    }
}

void FormMain::LayoutQuarantinePanel(int w, int h) {
    Place(ctl::kLVCage, 8, 8, w - 16, h - 8 - 66);
    Place(ctl::kPBCage, 8, h - 52, w - 16, 12);
    Place(ctl::kCkCage, 10, h - 32, 100, 20);
    int x = w - 8;
    for (int i = 2; i >= 0; --i) {
        x -= 104;
        Place(ctl::kCmdCage0 + i, x, h - 35, 100, 27);
    }
}

void FormMain::InitQuarantine() {
    AddColumns(ctl::kLVCage);
    // Binding point: the quarantine store refills LVCage and gives the count for the caption.
    const int count = win::list::RowCount(Ctl(ctl::kLVCage));
    win::tabs::SetCaption(Ctl(ctl::kTabMain), kTabQuarantine - 1, QuarantineTabCaption(count));
    const int commands[] = {cmd::kPopCageResT, cmd::kPopCageResTo, cmd::kPopCageDel};
    for (int i = 0; i < 3; ++i)
        Enable(ctl::kCmdCage0 + i, IsBound(commands[i]));
}

void FormMain::BuildSettingsPanel() {
    HWND panel = Ctl(ctl::kPicTab0 + 5);
    Add(Kind::Frame, panel, ctl::kFrmSettings);
    for (int i = 0; i < ctl::kSettingsBoxCount; ++i) {
        Add(Kind::Check, panel, ctl::kCkSet0 + i);
        onCommand[ctl::kCkSet0 + i] = [this, i](int code) {
            if (code == BN_CLICKED)
                OnSettingsBox(i);
        };
    }
    Add(Kind::Frame, panel, ctl::kFrmPassword);
    for (int i = 0; i < 2; ++i) {
        Add(Kind::Label, panel, ctl::kLbPassword0 + i);
        Add(Kind::Password, panel, ctl::kTxPassword0 + i);
        Enable(ctl::kTxPassword0 + i, false);
    }
    Add(Kind::Button, panel, ctl::kCmdPassword);
    onCommand[ctl::kCmdPassword] = [this](int) { OnPasswordButton(); };

    Add(Kind::Frame, panel, ctl::kFrmLanguage);
    Add(Kind::RadioFirst, panel, ctl::kOptLang0);
    Add(Kind::Radio, panel, ctl::kOptLang0 + 1);
    for (int i = 0; i < 2; ++i) {
        onCommand[ctl::kOptLang0 + i] = [this, i](int code) {
            if (code == BN_CLICKED && win::IsChecked(Ctl(ctl::kOptLang0 + i)))
                ChooseLanguage(i);
        };
    }

    Add(Kind::Frame, panel, ctl::kFrmTheme);
    for (int i = 0; i < ctl::kThemeSwatchCount; ++i) {
        Add(Kind::Swatch, panel, ctl::kMyTheme0 + i);
        onCommand[ctl::kMyTheme0 + i] = [this, i](int) { OnThemeSwatch(i); };
    }
    Add(Kind::Label, panel, ctl::kLbRGB);
    Add(Kind::Edit, panel, ctl::kTxRGB);
    SendMessageW(Ctl(ctl::kTxRGB), EM_SETLIMITTEXT, 6, 0);
    onCommand[ctl::kTxRGB] = [this](int code) {
        if (code == EN_CHANGE)
            OnThemeText();
    };

    Add(Kind::Frame, panel, ctl::kFrmException);
    Add(Kind::Label, panel, ctl::kLbException);
    Add(Kind::Button, panel, ctl::kCmdException);
    onCommand[ctl::kCmdException] = [this](int) {
        FormException::ShowModal(hwnd(), ctx_.exceptions, ctx_.os, ctx_.messages);
    };
}

void FormMain::LayoutSettingsPanel(int w, int) {
    const int leftWidth = std::max(300, w * 60 / 100);
    Place(ctl::kFrmSettings, 8, 4, leftWidth, 24 + 21 * ctl::kSettingsBoxCount);
    for (int i = 0; i < ctl::kSettingsBoxCount; ++i)
        Place(ctl::kCkSet0 + i, 18, 22 + 21 * i, leftWidth - 16, 20);
    const int py = 40 + 21 * ctl::kSettingsBoxCount;
    Place(ctl::kFrmPassword, 8, py, leftWidth, 100);
    for (int i = 0; i < 2; ++i) {
        Place(ctl::kLbPassword0 + i, 18, py + 22 + 26 * i, 130, 16);
        Place(ctl::kTxPassword0 + i, 150, py + 19 + 26 * i, leftWidth - 160, 21);
    }
    Place(ctl::kCmdPassword, 150, py + 70, 130, 25);

    const int rx = 8 + leftWidth + 8, rw = w - rx - 8;
    Place(ctl::kFrmLanguage, rx, 4, rw, 64);
    Place(ctl::kOptLang0, rx + 12, 22, rw - 20, 19);
    Place(ctl::kOptLang0 + 1, rx + 12, 42, rw - 20, 19);
    Place(ctl::kFrmTheme, rx, 76, rw, 110);
    const int swatch = std::min(26, (rw - 24 - 3 * 6) / 4);
    for (int i = 0; i < ctl::kThemeSwatchCount; ++i)
        Place(ctl::kMyTheme0 + i, rx + 12 + (i % 4) * (swatch + 6), 96 + (i / 4) * (swatch + 6),
              swatch, swatch);
    Place(ctl::kLbRGB, rx + 12, 158, 84, 16);
    Place(ctl::kTxRGB, rx + 98, 155, std::max(40, rw - 110), 21);
    Place(ctl::kFrmException, rx, 194, rw, 110);
    Place(ctl::kLbException, rx + 12, 214, rw - 24, 44);
    Place(ctl::kCmdException, rx + 12, 266, 90, 27);
}

void FormMain::InitSettings() {
    fillingSettings_ = true;
    const Settings& s = ctx_.settings;
    const std::int32_t values[ctl::kSettingsBoxCount] = {
        s.noSplash,  s.resize,   s.usePassword, s.autoUpdate, s.autoScan, s.vestLock,
        0,  // binding point: checked when the shell extension is registered
        s.hidePanel, s.vestTurbo};
    for (int i = 0; i < ctl::kSettingsBoxCount; ++i)
        win::SetChecked(Ctl(ctl::kCkSet0 + i), values[i] != 0);
    Enable(ctl::kCkSet0 + 6, false);
    for (int i = 0; i < 2; ++i)
        SetText(ctl::kTxPassword0 + i, s.adminPassword);
    Enable(ctl::kCmdPassword, s.usePassword != 0);
    fillingSettings_ = false;
}

void FormMain::OnSettingsBox(int index) {
    if (fillingSettings_)
        return;
    const bool checked = win::IsChecked(Ctl(ctl::kCkSet0 + index));
    const std::int32_t value = checked ? 1 : 0;
    Settings& s = ctx_.settings;
    struct Target {
        std::u16string_view name;
        std::int32_t* field;
    };
    const Target targets[ctl::kSettingsBoxCount] = {{setting::kNoSplash, &s.noSplash},
                                                    {setting::kResize, &s.resize},
                                                    {setting::kUsePassword, &s.usePassword},
                                                    {setting::kAutoUpdate, &s.autoUpdate},
                                                    {setting::kAutoScan, &s.autoScan},
                                                    {setting::kVestLock, &s.vestLock},
                                                    {{}, nullptr},
                                                    {setting::kHidePanel, &s.hidePanel},
                                                    {setting::kVestTurbo, &s.vestTurbo}};
    if (index == 7) {
        HidePanel(checked);
        return;
    }
    const Target& target = targets[index];
    if (!target.field)
        return;
    *target.field = value;
    ctx_.store.SaveSettingNumber(target.name, value);
    if (index == 1) {
        LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
        style = checked ? (style | WS_THICKFRAME | WS_MAXIMIZEBOX)
                        : (style & ~static_cast<LONG_PTR>(WS_THICKFRAME | WS_MAXIMIZEBOX));
        if (!checked && IsZoomed(hwnd()))
            ShowWindow(hwnd(), SW_RESTORE);
        SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    } else if (index == 2) {
        Enable(ctl::kCmdPassword, checked);
        if (checked && s.adminPassword.empty() && !passwordEditing_)
            OnPasswordButton();
    }
}

void FormMain::OnPasswordButton() {
    if (!passwordEditing_) {
        passwordEditing_ = true;
        for (int i = 0; i < 2; ++i) {
            Enable(ctl::kTxPassword0 + i, true);
            SetText(ctl::kTxPassword0 + i, u"");
        }
        SetFocus(Ctl(ctl::kTxPassword0));
    } else {
        const std::u16string first = win::WindowText(Ctl(ctl::kTxPassword0));
        const std::u16string confirm = win::WindowText(Ctl(ctl::kTxPassword0 + 1));
        const config::PasswordSave result =
            SaveAdminPassword(ctx_.store, ctx_.settings, first, confirm);
        if (result == config::PasswordSave::Mismatch) {
            win::ShowMessage(hwnd(), ctx_.messages.Text(config::msg::kPasswordsDiffer), u"Vestra",
                             platform::mb::kIconExclamation);
            return;
        }
        passwordEditing_ = false;
        for (int i = 0; i < 2; ++i)
            Enable(ctl::kTxPassword0 + i, false);
        if (result == config::PasswordSave::Saved)
            win::ShowMessage(hwnd(), ctx_.messages.Text(config::msg::kPasswordSaved), u"Vestra",
                             platform::mb::kIconInformation);
        else if (result == config::PasswordSave::WriteFailed)
            win::ShowMessage(hwnd(), u"The password could not be stored.", u"Failed",
                             platform::mb::kIconExclamation);
    }
    RefreshRuntimeCaptions();
}

void FormMain::OnThemeText() {
    const auto color = ParseThemeColorText(win::WindowText(Ctl(ctl::kTxRGB)));
    if (!color || *color == themeBase_)
        return;
    SetTheme(*color);
    ctx_.settings.themeColor = static_cast<std::int32_t>(*color);
    ctx_.store.SaveSettingNumber(setting::kThemeColor, ctx_.settings.themeColor);
}

void FormMain::OnThemeSwatch(int index) {
    // Writing the box runs OnThemeText, which recolours and stores.
    SetText(ctl::kTxRGB, ThemeColorText(kSwatches[index]));
}

void FormMain::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.CtlID) - ctl::kMyTheme0;
    if (index < 0 || index >= ctl::kThemeSwatchCount)
        return;
    win::UniqueBrush fill(CreateSolidBrush(kSwatches[index]));
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, fill.get());
    const bool chosen = kSwatches[index] == themeBase_;
    FrameRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(chosen ? BLACK_BRUSH : GRAY_BRUSH)));
    if (chosen || (item.itemState & ODS_FOCUS)) {
        InflateRect(&r, -2, -2);
        FrameRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

}  // namespace vestra::ui
