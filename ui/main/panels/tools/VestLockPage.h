// Windows-only: the tool page "Vest-Lock": the removable drives with their lock state, the
// select-all box and the Lock and Unlock buttons.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

class VestLockPage : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
};

}  // namespace vestra::ui
