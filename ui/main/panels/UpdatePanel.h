// Windows-only: the Update panel: the database's date and signature counts, the database list
// and the update buttons.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

class UpdatePanel : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;
};

}  // namespace vestra::ui
