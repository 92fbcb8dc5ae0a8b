// Windows-only: the tool page "Process Manager": the running processes in LVProc, kept current
// by its timer while the page shows, and the pop-up menu's commands on the checked or selected
// rows. The rows and commands are the process view model's; this page mirrors them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "processes/ProcessCommands.h"
#include "processes/WindowConcealer.h"
#include "ui/main/PanelHost.h"

namespace vestra::ui {

class ProcessManagerPage : public MainPanel {
public:
    explicit ProcessManagerPage(const PanelContext& context);
    ~ProcessManagerPage() override;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
    void Opened() override;
    void Left() override;

private:
    void Refresh();
    void BindCommands();
    void Act(processes::ProcessAction action);
    void Check(processes::CheckKind kind);
    void MirrorChecks();
    void ShowRowCells(int row);
    void ShowAllRows();
    static processes::ProcessView::CellText CellText();
    // The risk level, size, description and path of a new row, worked out once.
    void FillShownCells(processes::ProcessRow& row);
    void SortBy(int column);
    const processes::ProcessRow* SelectedProcess() const;
    void Shutdown(int flags);
    void ToggleConceal();

    std::unique_ptr<processes::ProcessKit> kit_;
    processes::ProcessView view_;
    std::unique_ptr<processes::CommandParts> parts_;
    std::unique_ptr<processes::WindowConcealer> concealer_;
    bool mirroring_ = false;
};

}  // namespace vestra::ui
