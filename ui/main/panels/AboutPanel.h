// Windows-only: the About and Donation panels: product and team texts and the address labels,
// which open in the browser.
#pragma once

#include "ui/framework/Gdi.h"
#include "ui/main/PanelHost.h"

namespace vestra::ui {

class AboutPanel : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void Loaded() override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;

private:
    win::UniqueIcon logo_;
};

class DonationPanel : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;
};

}  // namespace vestra::ui
