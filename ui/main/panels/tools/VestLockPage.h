// Windows-only: the tool page "Vest-Lock": the lockable drives with their label and lock state,
// the select-all box and the Lock and Unlock buttons. The rows and the lock itself live in
// protection/; the page shows them and passes on the clicks.
#pragma once

#include <vector>

#include "protection/DriveLockList.h"
#include "ui/framework/Gdi.h"
#include "ui/main/PanelHost.h"

namespace vestra::ui {

class VestLockPage : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
    void Opened() override;

private:
    void Refresh();
    void LockChecked(bool lock);

    std::vector<protection::DriveLockRow> rows_;
    win::UniqueImageList driveIcons_;
};

}  // namespace vestra::ui
