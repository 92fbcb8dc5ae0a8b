// Windows-only: the clean-drive question's window.
#include "ui/forms/FormConfirm.h"

#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

enum : int { kImage = 100, kLbVerdict, kLbQuestion, kCmdYes, kCmdNo, kCmdOK, kCmdExplore };
enum : UINT_PTR { kTimer1 = 1 };
constexpr UINT kTimer1Interval = 1000;
constexpr int kWidth = 380, kHeight = 170;

}  // namespace

void FormConfirm::ShowEx(const protection::DriveQuestionParts& parts, std::u16string_view drive) {
    FormConfirm form(parts);
    win::WindowArgs args;
    args.className = u"VestraConfirm";
    args.title = u"Vest-Lock";
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    args.exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    args.iconResource = IDI_VESTRA;
    const int dpi = win::WindowDpi(nullptr);
    args.width = MulDiv(kWidth, dpi, 96);
    args.height = MulDiv(kHeight, dpi, 96);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    args.x = work.right - args.width - MulDiv(8, dpi, 96);
    args.y = work.bottom - args.height - MulDiv(8, dpi, 96);
    if (!form.Create(args))
        return;
    form.question_.ShowEx(drive);
    form.ShowTexts();
    ShowWindow(form.hwnd(), SW_SHOWNORMAL);
    SetWindowPos(form.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    win::RunModal(nullptr, form.hwnd());
}

bool FormConfirm::OnCreate() {
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    bold_ = win::MakeFont({u"Tahoma", 8, true, false, Dpi()});
    auto args = [&](int id, int x, int y, int w, int h) {
        win::ControlArgs a{hwnd(), id, u"", Scale(x), Scale(y), Scale(w), Scale(h)};
        a.font = font_.get();
        return a;
    };
    HWND image = win::MakeIconBox(args(kImage, 10, 10, 32, 32));
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_DRIVE));
    SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    win::ControlArgs verdict = args(kLbVerdict, 52, 10, kWidth - 70, 32);
    verdict.font = bold_.get();
    win::MakeLabel(verdict);
    win::MakeLabel(args(kLbQuestion, 52, 46, kWidth - 70, 44));
    const int row = 98, bw = 80, bh = 26;
    win::MakeButton(args(kCmdExplore, 10, row, bw, bh));
    win::MakeButton(args(kCmdYes, kWidth - 2 * bw - 30, row, bw, bh));
    win::MakeButton(args(kCmdNo, kWidth - bw - 24, row, bw, bh));
    win::MakeButton(args(kCmdOK, kWidth - bw - 24, row, bw, bh));
    onCommand[kCmdYes] = [this](int) { question_.YesClicked(); };
    onCommand[kCmdNo] = [this](int) { question_.NoClicked(); };
    onCommand[kCmdOK] = [this](int) { question_.OkClicked(); };
    onCommand[kCmdExplore] = [this](int) { question_.ExploreClicked(); };
    onTimer[kTimer1] = [this] { question_.TimerTick(); };
    return true;
}

void FormConfirm::ShowTexts() {
    const bool onlyOk = question_.onlyOk();
    win::SetWindowTextU(Item(kLbVerdict), question_.verdict());
    win::SetWindowTextU(Item(kLbQuestion), question_.question());
    win::SetWindowTextU(Item(kCmdExplore), protection::kExploreCaption);
    win::ShowControl(Item(kLbQuestion), !onlyOk);
    win::ShowControl(Item(kCmdYes), !onlyOk);
    win::ShowControl(Item(kCmdNo), !onlyOk);
    win::ShowControl(Item(kCmdOK), onlyOk);
    CaptionChanged();
}

void FormConfirm::CaptionChanged() {
    win::SetWindowTextU(Item(kCmdYes), question_.yesCaption());
    win::SetWindowTextU(Item(kCmdNo), question_.noCaption());
    win::SetWindowTextU(Item(kCmdOK), question_.okCaption());
}

void FormConfirm::TimerEnabled(bool on) {
    if (on)
        StartTimer(kTimer1, kTimer1Interval);
    else
        StopTimer(kTimer1);
}

void FormConfirm::CloseQuestion() {
    if (hwnd())
        DestroyWindow(hwnd());
}

bool FormConfirm::OnClose() {
    // The close box answers as No does: nothing is locked.
    question_.Close();
    return false;
}

}  // namespace vestra::ui
