// Windows-only: what a main-window panel may reach. A panel gets a PanelContext at construction:
// the program's context, the frame's window (its handle, DPI, event tables and timers), the
// shared control kit, the command bindings and the PanelHost, the frame's narrow face. Panels
// never see FormMain itself; a new panel needs only these and one line in FormMainPanels.cpp.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/framework/Window.h"
#include "ui/main/ControlKit.h"
#include "ui/main/MainWindow.h"
#include "ui/model/CommandBindings.h"
#include "ui/model/ScanDisplay.h"
#include "ui/model/TabRules.h"
#include "ui/model/Theme.h"

namespace vestra::ui {

// Layout-only containers that carry no caption.
namespace ctl {
inline constexpr int kPicTop = 1900;
inline constexpr int kPicRightLogo = 1901;
inline constexpr int kPicAboutLogo = 1902;
}  // namespace ctl

// Timers of the main window; each is owned by the frame or by one panel.
enum MainTimer : UINT_PTR {
    kTimerPB = 1,      // Scanner: progress and current folder
    kTimerTime = 2,    // Scanner: elapsed seconds, minimised caption
    kTimerUp = 3,      // Scanner: counter boxes
    kTimerInfo = 4,    // frame: information box
    kTimerRTP = 5,     // Protection: status while its panel shows
    kTimerTree = 6,    // Scanner: target tree refresh while idle
    kTimerUpdate = 7,  // the automatic update check
};

// Messages a panel posts to the window for itself (the frame hands them to every panel).
// After a click on a tree node's check box, once the control has toggled it.
inline constexpr UINT kMsgTreeCheck = WM_APP + 0x110;
// At the end of loading when the command line asked for a scan.
inline constexpr UINT kMsgStartScan = WM_APP + 0x111;
// After "Fix All" checked the whole computer for a full scan, once its pass has returned.
inline constexpr UINT kMsgStartFullScan = WM_APP + 0x112;

// The frame as a panel sees it.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    // Shows a main tab (and sets its panel up), as the scan run does for its page.
    virtual void ShowMainTab(MainTab tab) = 0;
    // Sets a part up the first time it is asked for; later calls do nothing.
    virtual void SetUpPart(SetupPart part) = 0;
    // The password gate of the guarded tabs: true when the password was entered in this run
    // or is entered now (or no password is in use).
    virtual bool PassPasswordGate() = 0;
    virtual void Cornering(bool toCorner) = 0;
    virtual void TriggerExit(bool ask) = 0;
    virtual void HidePanel(bool hide) = 0;
    // The resize setting changed: the window may be resized and maximised, or no longer.
    virtual void ApplyResizable(bool resizable) = 0;
    virtual Color ThemeBase() const = 0;
    virtual void SetTheme(Color base) = 0;
    virtual void ChooseLanguage(int index) = 0;
    // Captions that follow the window's state are set again on every panel.
    virtual void RefreshCaptions() = 0;
    // A scan starts or ends: the top buttons and the information box follow.
    virtual void ScanActivity(bool running) = 0;
    virtual void RefreshInformation() = 0;
    virtual void SetQuarantineCount(int count) = 0;
    // The Quarantine tab's caption as the quarantine list words it.
    virtual void SetQuarantineCaption(std::u16string_view caption) = 0;
    // Files went into the quarantine elsewhere (a fix pass): its list and caption catch up.
    virtual void QuarantineChanged() = 0;
    virtual void OpenAddress(std::u16string_view address) = 0;
};

struct PanelContext {
    const MainWindowContext& app;
    win::Window& window;
    ControlKit& kit;
    CommandBindings& bindings;
    PanelHost& host;
};

// One panel: a main tab's page, or a page inside one (the tool pages). Its owner makes the
// container (PicTab, PicTool) and calls these; everything has a do-nothing default so a panel
// overrides only what it has.
class MainPanel {
public:
    explicit MainPanel(const PanelContext& context) : ctx_(context) {}
    MainPanel(const MainPanel&) = delete;
    MainPanel& operator=(const MainPanel&) = delete;
    virtual ~MainPanel() = default;

    // Creates the panel's controls on its page and registers their events.
    virtual void Build(HWND page) = 0;
    // Lays the controls out in the page's size (96-DPI units).
    virtual void Layout(int width, int height) = 0;
    // The window has been created and placed: texts known only at load, before the captions
    // are switched to the stored language.
    virtual void Loaded() {}
    // The panel's set-up part, the first time it is asked for.
    virtual void SetUp(SetupPart /*part*/) {}
    // A click moved the main strip to this tab, or away from it.
    virtual void Opened() {}
    virtual void Left() {}
    // Captions that follow the window's state (and the language).
    virtual void RefreshCaptions() {}
    // A setting that the panel shows changed elsewhere (the hide-panel button).
    virtual void SettingsChanged() {}
    // The text colour of one of the panel's controls, when it has its own.
    virtual std::optional<Color> TextColor(int /*controlId*/,
                                           const ThemePalette& /*palette*/) const {
        return std::nullopt;
    }
    // A message the frame does not handle (posted WM_APP messages, WM_DRAWITEM); true when the
    // panel took it.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

protected:
    PanelContext ctx_;
};

}  // namespace vestra::ui
