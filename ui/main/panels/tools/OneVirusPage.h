// Windows-only: the tool page "One-Virus By-User": a suspect file picked by the user, its name
// and risk, and the list of unwanted programs that may become user signatures.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

class OneVirusPage : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void Loaded() override;
    void SetUp(SetupPart part) override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;
};

}  // namespace vestra::ui
