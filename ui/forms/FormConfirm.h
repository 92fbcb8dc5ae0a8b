// Windows-only: FormConfirm, the clean-drive question of the protection host, shown modally for
// one drive and bound to the window-free DriveQuestion (protection/DriveQuestion.h), which holds
// its texts, mode and countdown.
#pragma once

#include <windows.h>

#include <string_view>

#include "protection/DriveQuestion.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"

namespace vestra::ui {

class FormConfirm : public win::Window, private protection::DriveQuestionView {
public:
    // ShowEx: asks about the drive root and returns once the question has closed.
    static void ShowEx(const protection::DriveQuestionParts& parts, std::u16string_view drive);

protected:
    bool OnCreate() override;
    bool OnClose() override;

private:
    explicit FormConfirm(const protection::DriveQuestionParts& parts) : question_(parts, *this) {}

    // protection::DriveQuestionView
    void CaptionChanged() override;
    void TimerEnabled(bool on) override;
    void CloseQuestion() override;

    void ShowTexts();
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    win::UniqueFont font_, bold_;
    protection::DriveQuestion question_;
};

}  // namespace vestra::ui
