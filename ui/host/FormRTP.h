// Windows-only: FormRTP, the protection host's window. Hidden after its splash, it carries the
// channel box the main program writes into, the watch timers and the tray icon; the decisions
// are the ProtectionHost's, which this window serves as its surface.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "protection/Autostart.h"
#include "protection/DriveWatch.h"
#include "protection/ProtectionHost.h"
#include "remediation/CageStore.h"
#include "remediation/CleanInfected.h"
#include "ui/forms/FormAlert.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/host/HostWindow.h"
#include "ui/host/TrayIcon.h"

namespace vestra::ui {

using protection::BalloonIcon;
using protection::HostSurface;

class FormRTP : public win::Window, public HostSurface {
public:
    explicit FormRTP(const HostWindowContext& context);
    ~FormRTP() override;

    bool Open();

    // HostSurface
    void SetTrayIcon(protection::TrayIcon icon) override;
    void SetProtectMenuChecked(bool checked) override;
    void ShowBalloon(std::u16string_view text, std::u16string_view title,
                     BalloonIcon icon) override;
    void EnableWatches(bool folderWatch, bool processWatch) override;
    void StartDangerBlink() override;
    void StopDangerBlink() override;
    void AddAlert(std::u16string_view virusName, std::u16string_view virusType,
                  std::u16string_view path, std::u16string_view missingFile,
                  std::u16string_view action) override;
    void ShowAlerts() override;

protected:
    bool OnCreate() override;
    bool OnClose() override;
    void OnDestroy() override;
    HBRUSH OnCtlColor(UINT message, HDC dc, HWND child) override;

private:
    void OnSplashTick();
    void CompleteStartup();
    void OnChannelChanged();
    void BuildTrayMenu();
    void OnMenuClick(const std::u16string& key);
    void OnDangerTick();
    void ExitApplication();
    void OpenInstalled(std::u16string_view arguments);
    void AskDriveLock(std::u16string_view root);
    std::u16string Message(int number) const;

    const HostWindowContext& ctx_;
    std::unique_ptr<FileChecker> checker_;
    std::unique_ptr<protection::ProtectionHost> host_;
    std::unique_ptr<protection::DriveWatch> drives_;
    // Quarantine and cleaning from the alert go through the main window's own routines.
    remediation::CageStore cage_;
    remediation::Cleaner cleaner_;
    std::unique_ptr<FormAlert> alert_;
    registry::RegistryAccess registry_;
    protection::Autostart autostart_;
    TrayIcon tray_;
    HICON icons_[3] = {};  // on, off, danger
    bool dangerLit_ = false;
    bool exiting_ = false;
    int protectItem_ = -1;
    std::u16string lastChannelText_;
    HWND box_ = nullptr;
    HWND progress_ = nullptr;
    int progressValue_ = 0;
    win::UniqueFont font_, bold_;
};

}  // namespace vestra::ui
