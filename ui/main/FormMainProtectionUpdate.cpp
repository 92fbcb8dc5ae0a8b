// Windows-only: the Protection and Update panels.
#include <windows.h>

#include <commctrl.h>

#include "app/ProtectionStatus.h"
#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "ui/framework/Controls.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

void FormMain::BuildProtectionPanel() {
    HWND panel = Ctl(ctl::kPicTab0 + 1);
    for (int id : {ctl::kLbRtpTitle, ctl::kLbRtpInfo, ctl::kLbProtectedBy, ctl::kLbRtpName,
                   ctl::kLbRtpState})
        Add(Kind::Label, panel, id);
    Add(Kind::Button, panel, ctl::kCmdProtect, ProtectButtonCaption(false));
    Add(Kind::Button, panel, ctl::kCmdUninstall);
    onTimer[kTimerRTP] = [this] { RefreshProtection(); };
    // Binding point: cmdProtect and cmdUninstall run the protection host's install, switch and
    // uninstall; until they are bound the buttons stay disabled.
    Enable(ctl::kCmdProtect, false);
    Enable(ctl::kCmdUninstall, false);
}

void FormMain::LayoutProtectionPanel(int w, int) {
    Place(ctl::kLbRtpTitle, 16, 14, w - 32, 22);
    Place(ctl::kLbRtpInfo, 16, 42, w - 32, 32);
    Place(ctl::kLbProtectedBy, 16, 92, w - 32, 16);
    Place(ctl::kLbRtpName, 16, 110, w - 32, 24);
    Place(ctl::kLbRtpState, 16, 144, w - 32, 32);
    Place(ctl::kCmdProtect, 16, 190, 124, 30);
    Place(ctl::kCmdUninstall, 148, 190, 124, 30);
}

void FormMain::InitProtection() {
    Enable(ctl::kCmdProtect, IsBound(ctl::kCmdProtect));
    Enable(ctl::kCmdUninstall, IsBound(ctl::kCmdUninstall));
    RefreshProtection();
}

void FormMain::RefreshProtection() {
    const bool on = ProtectionStatus(ctx_.os.windows) == kProtectionOn;
    if (protectionKnown_ && on == protectionOn_)
        return;
    protectionKnown_ = true;
    protectionOn_ = on;
    SetText(ctl::kCmdProtect, ProtectButtonCaption(on));
    SetText(ctl::kLbRtpState,
            ctx_.messages.Text(on ? config::msg::kProtectionOn : config::msg::kProtectionOff));
    InvalidateRect(Ctl(ctl::kLbRtpName), nullptr, TRUE);
}

void FormMain::BuildUpdatePanel() {
    HWND panel = Ctl(ctl::kPicTab0 + 2);
    Add(Kind::Label, panel, ctl::kLbUpdTitle);
    Add(Kind::Label, panel, ctl::kLbUpd);
    for (int i = 0; i < 3; ++i)
        Add(Kind::Label, panel, ctl::kLbDB0 + i);
    AddList(panel, ctl::kLVDBViri);
    Add(Kind::Button, panel, ctl::kCmdUpdate);
    Add(Kind::Button, panel, ctl::kCmdUpSample);
    Enable(ctl::kCmdUpdate, false);  // binding point: the update client
    onCommand[ctl::kCmdUpSample] = [this](int) {
        OpenAddress(u"http://www.vestra.example/upload");
    };
}

void FormMain::LayoutUpdatePanel(int w, int h) {
    Place(ctl::kLbUpdTitle, 12, 10, w - 24, 22);
    Place(ctl::kLbUpd, 12, 36, w - 24, 16);
    for (int i = 0; i < 3; ++i)
        Place(ctl::kLbDB0 + i, 12, 54 + 18 * i, w - 24, 16);
    Place(ctl::kLVDBViri, 12, 112, w - 24, h - 112 - 44);
    Place(ctl::kCmdUpSample, w - 12 - 120, h - 36, 120, 28);
    Place(ctl::kCmdUpdate, w - 12 - 120 - 8 - 140, h - 36, 140, 28);
}

void FormMain::InitUpdate() {
    const SignatureCounts& counts = ctx_.state.signatureCounts;
    // Binding point: the database date and the per-virus list come from the engine's database
    // list; the counts are the engine's own.
    SetText(ctl::kLbUpd, u"Latest Update : -");
    SetText(ctl::kLbDB0, u"Main Database : " + ToText(counts.hashes + counts.patterns));
    SetText(ctl::kLbDB0 + 1, u"Virus Variants : " + ToText(counts.user + counts.reserved));
    SetText(ctl::kLbDB0 + 2, u"Total Signature : " + ToText(counts.Total()));
    AddColumns(ctl::kLVDBViri);
}

}  // namespace vestra::ui
