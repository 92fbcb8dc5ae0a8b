// Windows-only: the Tools panel and its five tool pages: one virus by the user, the process
// manager, the system editor, Win-Force and Vest-Lock. Each page is built and laid out by its
// own pair of functions; the work behind the pages is bound from outside.
#pragma once

#include "ui/main/PanelHost.h"

namespace vestra::ui {

// The tool pages, by their position on the tool strip.
enum class ToolPage : int { OneVirus = 0, ProcessManager, SystemEditor, WinForce, VestLock };
inline constexpr int kToolPageCount = 5;

class ToolsPanel : public MainPanel {
public:
    using MainPanel::MainPanel;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void Loaded() override;
    void SetUp(SetupPart part) override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;

private:
    void BuildOneVirus(HWND page);
    void BuildProcessManager(HWND page);
    void BuildSystemEditor(HWND page);
    void BuildWinForce(HWND page);
    void BuildVestLock(HWND page);
    void LayoutOneVirus(int width, int height) const;
    void LayoutProcessManager(int width, int height) const;
    void LayoutSystemEditor(int width, int height) const;
    void LayoutWinForce(int width, int height) const;
    void LayoutVestLock(int width, int height) const;
    void ShowToolPage(ToolPage toolPage);
};

}  // namespace vestra::ui
