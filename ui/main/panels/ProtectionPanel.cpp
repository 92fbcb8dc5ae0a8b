// Windows-only: the Protection panel.
#include "ui/main/panels/ProtectionPanel.h"

#include <windows.h>

#include "app/Settings.h"
#include "config/MessageSlots.h"
#include "protection/ProtectionChannel.h"
#include "ui/model/ControlIds.h"

// winuser.h maps MessageBox to MessageBoxW; the seam's method keeps its plain name.
#ifdef MessageBox
#undef MessageBox
#endif

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
    ctx_.bindings.Bind(ctl::kCmdProtect, [this] { OnProtect(); });
    ctx_.bindings.Bind(ctl::kCmdUninstall, [this] { OnUninstall(); });
    for (int id : {ctl::kCmdProtect, ctl::kCmdUninstall})
        ctx_.window.onCommand[id] = [this, id](int code) {
            if (code == BN_CLICKED)
                ctx_.bindings.Run(id);
        };
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
    ctx_.kit.Enable(ctl::kCmdProtect, true);
    ctx_.kit.Enable(ctl::kCmdUninstall, InstalledExists());
    RefreshProtection();
}

bool ProtectionPanel::InstalledExists() const {
    return ctx_.app.os.files.Exists(ctx_.app.state.paths.installedProtectionExe);
}

ProtectionInstaller ProtectionPanel::Installer() {
    const MainWindowContext& app = ctx_.app;
    return ProtectionInstaller(app.os, app.state, autostart_,
                               {[&app](int number) { return app.messages.Text(number); },
                                [&app] { app.store.SaveSettingNumber(setting::kAutoScan, 0); },
                                {},
                                {}});
}

void ProtectionPanel::OnProtect() {
    platform::WindowSystem& windows = ctx_.app.os.windows;
    switch (protection::ProtectionStatus(windows)) {
        case protection::kProtectionOff:
            protection::SendProtectionState(windows, true);
            break;
        case protection::kProtectionOn:
            protection::SendProtectionState(windows, false);
            break;
        default:
            if (InstalledExists() && autostart_.IsAutostartRegistered()) {
                Installer().StartProtection();
            } else {
                Installer().InstallProtection(0, false, false);
                ctx_.kit.Enable(ctl::kCmdUninstall, InstalledExists());
            }
            break;
    }
    RefreshProtection();
}

void ProtectionPanel::OnUninstall() {
    const config::MessageTable& messages = ctx_.app.messages;
    platform::WindowSystem& windows = ctx_.app.os.windows;
    if (windows.MessageBox(messages.Text(config::msg::kUninstallQuestion), u"Uninstall",
                           platform::mb::kOkCancel | platform::mb::kIconExclamation) !=
        platform::mb::kAnswerOk)
        return;
    ControlKit& kit = ctx_.kit;
    kit.Enable(ctl::kCmdUninstall, false);
    kit.Enable(ctl::kCmdProtect, false);
    ctx_.window.StopTimer(kTimerRTP);
    const bool removed = Installer().InstallProtection(0, true, false);
    if (removed) {
        windows.MessageBox(messages.Text(config::msg::kUninstalled), ctx_.app.state.appTitle,
                           platform::mb::kOk | platform::mb::kIconInformation);
    } else {
        windows.MessageBox(messages.Text(config::msg::kUninstallFailed), ctx_.app.state.appTitle,
                           platform::mb::kOk | platform::mb::kIconExclamation);
        kit.Enable(ctl::kCmdUninstall, true);
    }
    kit.Enable(ctl::kCmdProtect, true);
    ctx_.window.StartTimer(kTimerRTP, 100);
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
    ctx_.kit.SetText(ctl::kLbRtpState,
                     ctx_.app.messages.Text(protectionOn_ ? config::msg::kProtectionOn
                                                          : config::msg::kProtectionOff));
}

std::optional<Color> ProtectionPanel::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbRtpName)
        return protectionOn_ ? ColorOf(palette, PaletteRole::Heading) : RGB(0, 0, 0);
    if (controlId == ctl::kLbRtpTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

void ProtectionPanel::RefreshProtection() {
    const bool on = protection::ProtectionStatus(ctx_.app.os.windows) == protection::kProtectionOn;
    if (protectionKnown_ && on == protectionOn_)
        return;
    protectionKnown_ = true;
    protectionOn_ = on;
    ctx_.kit.SetText(ctl::kCmdProtect, ProtectButtonCaption(on));
    ctx_.kit.SetText(ctl::kLbRtpState, ctx_.app.messages.Text(on ? config::msg::kProtectionOn
                                                                 : config::msg::kProtectionOff));
    InvalidateRect(ctx_.kit.Ctl(ctl::kLbRtpName), nullptr, TRUE);
}

}  // namespace vestra::ui
