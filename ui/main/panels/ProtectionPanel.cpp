// Windows-only: the Protection panel.
#include "ui/main/panels/ProtectionPanel.h"

#include <windows.h>

#include "protection/ProtectionChannel.h"
#include "config/MessageSlots.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

using Kind = ControlKit::Kind;

void ProtectionPanel::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    for (int id : {ctl::kLbRtpTitle, ctl::kLbRtpInfo, ctl::kLbProtectedBy, ctl::kLbRtpName,
                   ctl::kLbRtpState})
        kit.Add(Kind::Label, page, id);
    kit.Add(Kind::Button, page, ctl::kCmdProtect, ProtectButtonCaption(false));
    kit.Add(Kind::Button, page, ctl::kCmdUninstall);
    for (int id : {ctl::kLbRtpTitle, ctl::kLbRtpName})
        kit.SetFont(id, FontRole::Heading);
    kit.SetFont(ctl::kLbProtectedBy, FontRole::Bold);
    ctx_.window.onTimer[kTimerRTP] = [this] { RefreshProtection(); };
    // Binding point: cmdProtect and cmdUninstall run the protection host's install, switch and
    // uninstall; until they are bound the buttons stay disabled.
    kit.Enable(ctl::kCmdProtect, false);
    kit.Enable(ctl::kCmdUninstall, false);
}

void ProtectionPanel::Layout(int w, int) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbRtpTitle, 16, 14, w - 32, 22);
    kit.Place(ctl::kLbRtpInfo, 16, 42, w - 32, 32);
    kit.Place(ctl::kLbProtectedBy, 16, 92, w - 32, 16);
    kit.Place(ctl::kLbRtpName, 16, 110, w - 32, 24);
    kit.Place(ctl::kLbRtpState, 16, 144, w - 32, 32);
    kit.Place(ctl::kCmdProtect, 16, 190, 124, 30);
    kit.Place(ctl::kCmdUninstall, 148, 190, 124, 30);
}

void ProtectionPanel::SetUp(SetupPart) {
    ctx_.kit.Enable(ctl::kCmdProtect, ctx_.bindings.IsBound(ctl::kCmdProtect));
    ctx_.kit.Enable(ctl::kCmdUninstall, ctx_.bindings.IsBound(ctl::kCmdUninstall));
    RefreshProtection();
}

// The status timer runs only while the panel shows.
void ProtectionPanel::Opened() {
    ctx_.window.StartTimer(kTimerRTP, 100);
}

void ProtectionPanel::Left() {
    ctx_.window.StopTimer(kTimerRTP);
}

void ProtectionPanel::RefreshCaptions() {
    ctx_.kit.SetText(ctl::kLbProtectedBy, ctx_.app.messages.Text(config::msg::kProtectedBy));
    ctx_.kit.SetText(ctl::kLbRtpState, ctx_.app.messages.Text(protectionOn_ ? config::msg::kProtectionOn : config::msg::kProtectionOff));
}

std::optional<Color> ProtectionPanel::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbRtpName)
        return protectionOn_ ? ColorOf(palette, PaletteRole::Heading) : RGB(0, 0, 0);
    if (controlId == ctl::kLbRtpTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

void ProtectionPanel::RefreshProtection() {
    const bool on = ProtectionStatus(ctx_.app.os.windows) == kProtectionOn;
    if (protectionKnown_ && on == protectionOn_)
        return;
    protectionKnown_ = true;
    protectionOn_ = on;
    ctx_.kit.SetText(ctl::kCmdProtect, ProtectButtonCaption(on));
    ctx_.kit.SetText(ctl::kLbRtpState, ctx_.app.messages.Text(on ? config::msg::kProtectionOn : config::msg::kProtectionOff));
    InvalidateRect(ctx_.kit.Ctl(ctl::kLbRtpName), nullptr, TRUE);
}

}  // namespace vestra::ui
