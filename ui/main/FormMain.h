// Windows-only: FormMain, the one main window. This header declares the whole form; its parts
// are built and laid out in one file per panel (FormMain*.cpp), and the rules it follows live
// in ui/model so they are tested without a window.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "remediation/HiddenPaths.h"
#include "scanner/CheckFile.h"
#include "scanner/ScanReport.h"
#include "scanner/ScanRun.h"
#include "scanner/ScanRunView.h"
#include "scanner/TargetTree.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/main/MainWindow.h"
#include "ui/model/CaptionTable.h"
#include "ui/model/ScanDisplay.h"
#include "ui/model/TabRules.h"
#include "ui/model/Theme.h"

namespace vestra::ui {

class FormCorner;

// Layout-only containers that carry no caption.
namespace ctl {
inline constexpr int kPicTop = 1900;
inline constexpr int kPicRightLogo = 1901;
inline constexpr int kPicAboutLogo = 1902;
}  // namespace ctl

// Timers of the main window.
enum MainTimer : UINT_PTR {
    kTimerPB = 1,      // progress and current folder
    kTimerTime = 2,    // elapsed seconds, minimised caption
    kTimerUp = 3,      // counter boxes
    kTimerInfo = 4,    // information box
    kTimerRTP = 5,     // protection status while its panel shows
    kTimerTree = 6,    // target tree refresh while idle
    kTimerUpdate = 7,  // the automatic update check
};

// Posted to the form after a click on a tree node's check box, once the control has toggled it.
inline constexpr UINT kMsgTreeCheck = WM_APP + 0x110;
// Posted at the end of loading when the command line asked for a scan.
inline constexpr UINT kMsgStartScan = WM_APP + 0x111;

class FormMain : public win::Window, public ScanRunView {
public:
    explicit FormMain(const MainWindowContext& context);
    ~FormMain() override;

    // Creates the window, sets part 0 up and shows it.
    bool Open();

    void InitPanel(int part);
    void HidePanel(bool hide);
    void SetTheme(Color base);
    void TriggerExit(bool ask);
    void Cornering(bool toCorner);
    // The language option: switches messages and captions when the language changes.
    void ChooseLanguage(int index);

    // Binding points for work that lives outside the window: a command id (menu item or
    // button) becomes enabled once something is bound to it.
    void Bind(int commandId, std::function<void()> work);
    bool IsBound(int commandId) const;

    // The scan run as the displays see it.
    ScanFigures Figures() const;
    bool ScanRunning() const { return scanRun_ && scanRun_->Running(); }

    // ScanRunView: what the scan run asks of the window (FormMainScanRun.cpp).
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

    HWND Ctl(int id) const;

protected:
    bool OnCreate() override;
    void OnSize(int width, int height, WPARAM kind) override;
    bool OnClose() override;
    void OnDestroy() override;
    void OnDpiChanged(int dpi, const RECT& suggested) override;
    HBRUSH OnCtlColor(UINT message, HDC dc, HWND child) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Control creation: the caption comes from the caption table when the id is in it.
    enum class Kind {
        Button,
        Check,
        Radio,
        RadioFirst,
        Frame,
        Label,
        Edit,
        EditMulti,
        EditReadOnly,
        CounterBox,
        Password,
        Progress,
        Panel,
        IconBox,
        Swatch
    };
    HWND Add(Kind kind, HWND parent, int id, std::u16string_view text = {});
    HWND AddList(HWND parent, int id);
    // Places a control in its parent at 96-DPI coordinates scaled to the window's DPI.
    void Place(int id, int x, int y, int width, int height);
    void Show(int id, bool visible);
    void Enable(int id, bool enabled);
    void SetText(int id, std::u16string_view text);
    int Unscaled(int pixels) const;
    // The width (96-DPI units) a button needs for its caption, never less than `least`.
    int FitWidth(int id, int least) const;
    void MakeFonts();
    void ApplyFonts();

    // Parts (FormMain*.cpp).
    void BuildFrame();
    void BuildScannerPanel();
    void BuildProtectionPanel();
    void BuildUpdatePanel();
    void BuildToolsPanel();
    void BuildToolPages(HWND pages[]);
    void BuildQuarantinePanel();
    void BuildSettingsPanel();
    void BuildAboutPanels();
    void LayoutFrame(int width, int height);
    void LayoutScannerPanel(int width, int height);
    void LayoutProtectionPanel(int width, int height);
    void LayoutUpdatePanel(int width, int height);
    void LayoutToolsPanel(int width, int height);
    void LayoutQuarantinePanel(int width, int height);
    void LayoutSettingsPanel(int width, int height);
    void LayoutAboutPanels(int width, int height);
    void LayoutAll();

    void InitFormLoad();
    void InitProtection();
    void InitUpdate();
    void InitTools();
    void InitQuarantine();
    void InitSettings();
    void InitResultLists();
    void AddColumns(int listId);

    // Tabs and lists.
    bool OnMainTabChanging();  // false vetoes the change
    void OnMainTabChanged();
    void ApplyTabSideEffects(int tab);
    void ShowMainTab(int tab);
    void ShowScanTab(int scanTab);
    void ShowToolTab(int toolTab);
    void OnSelectAll();
    void OnScanExtra(int index);
    void ShowListMenu(int listId, int x, int y);
    LRESULT OnListNotify(NMHDR* header);
    HWND VisibleResultList() const;

    // Scan run and result lists (FormMainScanRun.cpp).
    void BuildScanRun();
    void BindScanTimers();
    void MirrorRow(int listId, const ResultList& list, ListChange change, std::size_t row);
    ResultList* ModelOfList(int listId);
    void OnStopClicked();
    void StartRequestedScan();
    void TickInformation();
    void RefreshProtection();
    void RefreshRuntimeCaptions();

    // Target tree (FormMainTargets.cpp).
    void BuildTargetTree();
    void MirrorTree();
    void AddTreeChildren(NodeId parent);
    void OnTreeChange(TreeChange change, NodeId id);
    LRESULT OnTreeNotify(NMHDR* header);
    void OnTreeCheckClicked(HTREEITEM item);

    // Settings panel.
    void OnSettingsBox(int index);
    void OnPasswordButton();
    void OnThemeText();
    void OnThemeSwatch(int index);
    void OnDrawItem(const DRAWITEMSTRUCT& item);

    // Captions and theme.
    void ApplyCaptions();
    COLORREF BackgroundOf(HWND panel) const;
    bool AskPassword();
    void SaveGeometry();
    void ApplyPlacement();
    void OpenAddress(std::u16string_view address);

    MainWindowContext ctx_;
    TargetTree targetTree_;
    std::vector<HTREEITEM> treeItems_;  // by node id
    win::UniqueImageList treeImages_;
    std::map<int, HWND> controls_;
    CaptionSet captions_;
    PanelSetup setup_;
    config::PasswordGuard passwordGuard_;
    SelectAllStates selectAll_;
    ThemePalette palette_{};
    Color themeBase_ = kDefaultThemeBase;
    ScanReport report_;
    remediation::HiddenPaths hidden_;
    std::unique_ptr<FileChecker> checker_;  // present when the engine is loaded
    std::unique_ptr<ScanRun> scanRun_;
    win::UniqueImageList listImages_;
    bool mirroring_ = false;  // the window is copying the model into a list view
    std::map<int, std::function<void()>> bound_;
    std::array<win::SolidBrush, 6> brushes_;
    win::SolidBrush white_;
    win::UniqueFont fontNormal_, fontBold_, fontTitle_, fontHeading_, fontList_, fontLink_;
    win::UniqueIcon bigIcon_;
    std::unique_ptr<FormCorner> corner_;
    int currentTab_ = kTabScanner;
    int approvedTab_ = 0;  // a clicked tab the rules let through, until the strip moves
    int currentScanTab_ = kScanTabTargets;
    int currentToolTab_ = -1;
    bool passwordEditing_ = false;
    bool fillingSettings_ = false;
    bool protectionOn_ = false;
    bool protectionKnown_ = false;
    bool closing_ = false;
};

}  // namespace vestra::ui
