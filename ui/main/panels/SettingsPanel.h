// Windows-only: the Settings panel: the settings boxes, the password editor, the language
// option, the theme picker and the exception list's button. The boxes' rules are the
// window-free SettingsBoxes; the window-wide effects (panel, frame, theme, language) go to the
// frame through PanelHost.
#pragma once

#include "ui/main/PanelHost.h"
#include "ui/model/SettingsBoxes.h"

namespace vestra::ui {

class SettingsPanel : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void Loaded() override;
    void SetUp(SetupPart part) override;
    void RefreshCaptions() override;
    void SettingsChanged() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildBoxesAndPassword(HWND page);
    void BuildLanguageAndTheme(HWND page);
    void OnSettingsBox(SettingsBox box);
    void OnPasswordButton();
    void OnThemeText();
    void OnThemeSwatch(int index);
    void DrawSwatch(const DRAWITEMSTRUCT& item) const;

    bool passwordEditing_ = false;
    bool filling_ = false;  // the boxes are being set from the settings, not clicked
};

}  // namespace vestra::ui
