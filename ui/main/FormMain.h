// Windows-only: FormMain, the one main window, as a frame around its panels. The frame owns the
// top band and its buttons, the main tab strip, the right-hand information panel, the theme,
// the language switch, geometry and exit; each tab's panel is its own object (ui/main/panels)
// that reaches the frame only through PanelHost. The panels are registered in
// FormMainPanels.cpp; the rules the frame follows live in ui/model.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/main/ControlKit.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PanelHost.h"
#include "ui/main/ScanStatus.h"
#include "ui/model/CaptionTable.h"
#include "ui/model/CommandBindings.h"
#include "ui/model/TabRules.h"
#include "ui/model/Theme.h"

namespace vestra::ui {

class FormCorner;

class FormMain : public win::Window, private PanelHost {
public:
    explicit FormMain(const MainWindowContext& context);
    ~FormMain() override;

    // Creates the window, sets the Scanner part (the window's load) up and shows it.
    bool Open();

    void HidePanel(bool hide) override;
    void SetTheme(Color base) override;
    void TriggerExit(bool ask) override;
    void Cornering(bool toCorner) override;
    // The language option: switches messages and captions when the language changes.
    void ChooseLanguage(int index) override;

    // Binding points for work that lives outside the window: a command id (menu item or
    // button) becomes enabled once something is bound to it.
    void Bind(int commandId, std::function<void()> work);
    bool IsBound(int commandId) const;

protected:
    bool OnCreate() override;
    void OnSize(int width, int height, WPARAM kind) override;
    bool OnClose() override;
    void OnDestroy() override;
    void OnDpiChanged(int dpi, const RECT& suggested) override;
    HBRUSH OnCtlColor(UINT message, HDC dc, HWND child) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // PanelHost.
    void ShowMainTab(MainTab tab) override;
    void SetUpPart(SetupPart part) override;
    bool PassPasswordGate() override;
    void ApplyResizable(bool resizable) override;
    Color ThemeBase() const override { return themeBase_; }
    void RefreshCaptions() override;
    void ScanActivity(bool running) override;
    void RefreshInformation() override;
    void SetQuarantineCount(int count) override;
    void SetQuarantineCaption(std::u16string_view caption) override;
    void QuarantineChanged() override;
    void OpenAddress(std::u16string_view address) override;

    // The panels (FormMainPanels.cpp).
    void CreatePanels();
    void Register(MainTab tab, std::unique_ptr<MainPanel> panel);
    MainPanel& PanelOf(MainTab tab) const;
    void BuildPanels();
    void LayoutPanels(int width, int height);
    std::optional<Color> PanelTextColor(int controlId) const;
    bool PanelMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The frame itself (FormMainFrame.cpp).
    void BuildFrame();
    void BindFrameButtons();
    void LayoutFrame(int width, int height);
    void LayoutAll();
    void InitFormLoad();
    void ApplyPlacement();
    void SaveGeometry();

    // Main tabs.
    bool OnMainTabChanging();  // false vetoes the change
    void OnMainTabChanged();
    void SwitchByClick(MainTab tab);
    bool AskPassword();
    bool ScanRunning() const { return scan_ && scan_->ScanRunning(); }
    COLORREF BackgroundOf(HWND panel) const;
    HBRUSH BrushOf(COLORREF color);

    MainWindowContext ctx_;
    CaptionSet captions_;
    ControlKit kit_;
    CommandBindings bindings_;
    PanelSetup setup_;
    config::PasswordGuard passwordGuard_;
    ThemePalette palette_{};
    Color themeBase_ = kDefaultThemeBase;
    std::array<win::SolidBrush, 6> brushes_;
    win::SolidBrush white_;
    win::UniqueIcon bigIcon_;
    std::array<std::unique_ptr<MainPanel>, kMainTabCount> panels_;
    ScanStatus* scan_ = nullptr;  // the Scanner panel's run
    std::unique_ptr<FormCorner> corner_;
    MainTab currentTab_ = MainTab::Scanner;
    std::optional<MainTab> approvedTab_;  // a clicked tab the rules let through, until it shows
    bool closing_ = false;
};

}  // namespace vestra::ui
