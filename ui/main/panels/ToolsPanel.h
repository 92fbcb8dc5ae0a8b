// Windows-only: the Tools panel: the tool strip over five tool pages (one virus by the user, the
// process manager, the system editor, Win-Force, Vest-Lock). Each page is a panel object of its
// own (panels/tools); this panel makes their containers, switches between them and passes the
// frame's calls on. A new tool page is one file pair there and one line in the constructor.
#pragma once

#include <array>
#include <memory>

#include "ui/main/PanelHost.h"

namespace vestra::ui {

// The tool pages, by their position on the tool strip.
enum class ToolPage : int { OneVirus = 0, ProcessManager, SystemEditor, WinForce, VestLock };
inline constexpr int kToolPageCount = 5;

class ToolsPanel : public MainPanel {
public:
    explicit ToolsPanel(const PanelContext& context);
    ~ToolsPanel() override;

    void Build(HWND panel) override;
    void Layout(int width, int height) override;
    void Loaded() override;
    void SetUp(SetupPart part) override;
    void Opened() override;
    void RefreshCaptions() override;
    void SettingsChanged() override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowToolPage(ToolPage toolPage);

    std::array<std::unique_ptr<MainPanel>, kToolPageCount> pages_;
};

}  // namespace vestra::ui
