// Windows-only: the "Process Manager" tool page.
#include "ui/main/panels/tools/ProcessManagerPage.h"

#include <windows.h>

#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

void ProcessManagerPage::Build(HWND page) {
    ctx_.kit.Add(ControlKit::Kind::Label, page, ctl::kLbProcHint);
    ctx_.kit.AddList(page, ctl::kLVProc);
    HandleListEvents(ctx_, ctl::kLVProc);
}

void ProcessManagerPage::Layout(int pw, int ph) {
    ctx_.kit.Place(ctl::kLbProcHint, 8, 6, pw - 16, 16);
    ctx_.kit.Place(ctl::kLVProc, 8, 26, pw - 16, ph - 34);
}

void ProcessManagerPage::SetUp(SetupPart) {
    ctx_.kit.AddColumns(ctl::kLVProc);
}

}  // namespace vestra::ui
