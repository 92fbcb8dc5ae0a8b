// Windows-only: the Scanner panel: the scan tabs, the target tree with its presets, the report
// page, the three result lists with their select-all box and buttons, the progress strip, and
// the scan run itself: the panel is the run's view, mirrors the report's lists into the list
// views and keeps the scan display's timers, and the commands that act on the findings (fix,
// quarantine, delete, ignore, unhide, Fix All, the log). Reaches the frame only through PanelHost.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "processes/ProcessKit.h"
#include "registry/RegBackup.h"
#include "registry/RegRepair.h"
#include "registry/RegistryAccess.h"
#include "app/HeuristicsKit.h"
#include "protection/AutorunPhase.h"
#include "remediation/CageStore.h"
#include "remediation/CleanInfected.h"
#include "remediation/FixAll.h"
#include "remediation/FixDetections.h"
#include "remediation/HiddenPaths.h"
#include "scanner/CheckFile.h"
#include "scanner/RegistryFixPass.h"
#include "scanner/RegistryPhases.h"
#include "scanner/ScanReport.h"
#include "scanner/ScanRun.h"
#include "scanner/ScanRunView.h"
#include "scanner/SystemChecks.h"
#include "scanner/TargetTree.h"
#include "ui/framework/Gdi.h"
#include "ui/main/PanelHost.h"
#include "ui/main/ScanStatus.h"
#include "ui/main/panels/TargetTreeView.h"

namespace vestra::ui {

class ScannerPanel : public MainPanel,
                     public ScanRunView,
                     public ScanStatus,
                     public remediation::FixAllView {
public:
    explicit ScannerPanel(const PanelContext& context);
    ~ScannerPanel() override;

    // MainPanel.
    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
    void RefreshCaptions() override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ScanStatus.
    bool ScanRunning() const override { return scanRun_ && scanRun_->Running(); }
    ScanFigures Figures() const override;
    void StopForExit() override;
    void HandOverToCorner() override;
    std::u16string TargetsText() const override;
    void WindowRestored() override;

    // ScanRunView: what the scan run asks of the window (ScannerPanelRun.cpp).
    void SelectScanPage() override;
    void EnterCornerWindow() override;
    void ScanControls(bool running) override;
    void ProgressTimer(bool running) override;
    void StopCaptionChanged(std::u16string_view caption) override;
    void RefreshDisplays() override;
    bool Exiting() override;
    void FinishExit() override;
    void SelectResultTab(int detType) override;
    void TabCaptionsChanged() override;
    void ListButtonsChanged(int detType) override;
    void ReportCleared() override;
    void StatusChanged() override;
    void ProgressChanged() override;
    bool PauseCounters() override;
    void ResumeCounters() override;
    void PumpMessages() override;
    void WriteLog() override;

    // FixAllView: the full-scan question after Fix All.
    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override;

private:
    void BuildTargets(HWND page);
    void BuildReport(HWND page);
    void BuildResultLists(HWND page);
    void BuildProgressStrip(HWND page);
    void LayoutTargets(int width, int top, int content);
    void LayoutResults(int width, int top, int content);
    void LayoutProgressStrip(int width, int height);

    void ShowScanTab(ScanTab scanTab);
    HWND VisibleResultList() const;
    void OnSelectAll();
    void OnScanExtra(int index);
    void OnPathEntered();
    void OnResultItemChanged(HWND list, const NMLISTVIEW& change);

    // The scan run and the mirrors of its lists (ScannerPanelRun.cpp).
    void BuildScanRun();
    void BindScanTimers();
    void RefreshCounters();
    void LoadExceptions();
    void TakeStartupDetections();
    void BindSuspectAndAutorunPhases();
    void StartRequestedScan();
    void MirrorRow(int listId, const ResultList& list, ListChange change, std::size_t row);
    ResultList* ModelOfList(int listId);

    // The commands on the findings (ScannerPanelFix.cpp).
    void BindFixCommands();
    void BindFix(int commandId, std::function<void()> work);
    void RunFixAll();
    void ExploreRow(int listId, std::size_t pathColumn);
    void ShowRowProperties(int listId, std::size_t pathColumn);
    // The path in the selected row of the list; empty when no row is selected.
    std::u16string SelectedRowPath(int listId, std::size_t pathColumn);
    void OpenLog();
    void RefreshLogButton();
    std::vector<std::u16string> RunningImagePaths() const;

    // The registry, start-up and system areas of a scan and the registry list's commands
    // (ScannerPanelRegistry.cpp).
    void InstallRegistryAreas();
    void BindRegistryCommands();
    void FixRegistryRows(FixScope scope, std::u16string_view forced = {});
    void ShowRegistryProperties();
    void GotoRegistryKey();
    void RestartRegedit();
    int SelectedRegistryRow() const;

    TargetTree targetTree_;
    TargetTreeView treeView_;
    ScanReport report_;
    remediation::HiddenPaths hidden_;
    remediation::CageStore cage_;
    remediation::Cleaner cleaner_;
    remediation::DetectionFixer fixer_;
    std::unique_ptr<FileChecker> checker_;  // present when the engine is loaded
    std::unique_ptr<ScanRun> scanRun_;
    // The memory and service phases' parts; present with the scan run.
    std::unique_ptr<processes::ProcessKit> processKit_;
    registry::RegistryAccess regAccess_;
    RegistryScanParts regParts_;
    SystemCheckParts systemParts_;
    registry::RegBackup regBackup_;  // the undo file beside the scan log
    registry::RegRepair regRepair_;
    RegistryFixPass regFix_;
    win::UniqueImageList listImages_;
    SelectAllStates selectAll_;
    ScanTab currentScanTab_ = ScanTab::Targets;
    bool mirroring_ = false;  // the panel is copying the model into a list view
    std::vector<std::u16string> processesBefore_;  // as the scan run started, for the log
    SuspectList suspectsBefore_;                   // likewise
    std::unique_ptr<HeuristicsKit> heuristics_;    // present when the engine is loaded
    std::unique_ptr<TargetExtractor> autorunExtractor_;
    std::unique_ptr<protection::AutorunPhaseParts> autorunPhase_;
    bool fixing_ = false;  // a fix pass runs; it pumps messages, so clicks may come in
};

}  // namespace vestra::ui
