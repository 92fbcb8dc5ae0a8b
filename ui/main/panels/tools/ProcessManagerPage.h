// Windows-only: the tool page "Process Manager": the running processes and their menu.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

class ProcessManagerPage : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
};

}  // namespace vestra::ui
