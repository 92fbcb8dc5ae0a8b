// Windows-only: the Protection panel: the real-time protection's state, read from the
// protection channel while the panel shows, and its Activate and Uninstall buttons.
#pragma once

#include "app/ProtectionInstaller.h"
#include "protection/Autostart.h"
#include "ui/main/PanelHost.h"

namespace vestra::ui {

class ProtectionPanel : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
    void Opened() override;
    void Left() override;
    void RefreshCaptions() override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;

private:
    void RefreshProtection();
    void OnProtect();
    void OnUninstall();
    bool InstalledExists() const;
    ProtectionInstaller Installer();

    registry::RegistryAccess registry_{ctx_.app.os.registry, ctx_.app.os.system};
    protection::Autostart autostart_{registry_, ctx_.app.state.os.IsPreVista(),
                                     ctx_.app.state.paths.installedProtectionExe};

    bool protectionOn_ = false;
    bool protectionKnown_ = false;
};

}  // namespace vestra::ui
