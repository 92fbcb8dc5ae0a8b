// Windows-only: the Quarantine panel: the list of quarantined files with its select-all box,
// buttons and progress bar; opening the tab refills the list and the count in its caption.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

class QuarantinePanel : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
    void Opened() override;

private:
    void Refill();
};

}  // namespace vestra::ui
