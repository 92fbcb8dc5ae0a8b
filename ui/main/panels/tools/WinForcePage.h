// Windows-only: the tool page "Win-Force": the system programs that malware blocks, each with
// its icon and the button that starts it anyway.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

class WinForcePage : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
};

}  // namespace vestra::ui
