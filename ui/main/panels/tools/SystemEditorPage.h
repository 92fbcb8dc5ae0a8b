// Windows-only: the tool page "System Editor": the policy boxes in three frames and the
// buttons that select and apply them.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

class SystemEditorPage : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void Loaded() override;
};

}  // namespace vestra::ui
