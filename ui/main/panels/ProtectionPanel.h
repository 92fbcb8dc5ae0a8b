// Windows-only: the Protection panel: the real-time protection's state, read from the
// protection channel while the panel shows, and its Activate and Uninstall buttons.
#pragma once

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

    bool protectionOn_ = false;
    bool protectionKnown_ = false;
};

}  // namespace vestra::ui
