// Windows-only: FormPassword, the modal prompt of the password lock. The right password (exact,
// case-sensitive) closes it with a positive result; a wrong one says so and keeps it open.
#pragma once

#include <windows.h>

#include <string>

#include "config/MessageTable.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/model/Theme.h"

namespace vestra::ui {

class FormPassword : public win::Window {
public:
    FormPassword(std::u16string adminPassword, const config::MessageTable& messages,
                 const ThemePalette& palette);

    // Shows the prompt modally over `owner`; answers PasswordResult.
    static bool Ask(HWND owner, const std::u16string& adminPassword,
                    const config::MessageTable& messages, const ThemePalette& palette);
    bool PasswordResult() const { return result_; }

protected:
    bool OnCreate() override;
    HBRUSH OnCtlColor(UINT message, HDC dc, HWND child) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnOk();
    void PaintGradient(HDC dc);

    std::u16string adminPassword_;
    const config::MessageTable& messages_;
    ThemePalette palette_;
    bool result_ = false;
    HWND text_ = nullptr;
    win::UniqueFont font_;
    win::SolidBrush white_;
};

}  // namespace vestra::ui
