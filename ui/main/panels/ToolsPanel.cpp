// Windows-only: the Tools panel and its strip of tool pages.
#include "ui/main/panels/ToolsPanel.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/framework/Controls.h"
#include "ui/main/panels/tools/OneVirusPage.h"
#include "ui/main/panels/tools/ProcessManagerPage.h"
#include "ui/main/panels/tools/SystemEditorPage.h"
#include "ui/main/panels/tools/VestLockPage.h"
#include "ui/main/panels/tools/WinForcePage.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

ToolsPanel::ToolsPanel(const PanelContext& context) : MainPanel(context) {
    pages_[static_cast<int>(ToolPage::OneVirus)] = std::make_unique<OneVirusPage>(context);
    pages_[static_cast<int>(ToolPage::ProcessManager)] =
        std::make_unique<ProcessManagerPage>(context);
    pages_[static_cast<int>(ToolPage::SystemEditor)] = std::make_unique<SystemEditorPage>(context);
    pages_[static_cast<int>(ToolPage::WinForce)] = std::make_unique<WinForcePage>(context);
    pages_[static_cast<int>(ToolPage::VestLock)] = std::make_unique<VestLockPage>(context);
}

ToolsPanel::~ToolsPanel() = default;

void ToolsPanel::Build(HWND panel) {
    ControlKit& kit = ctx_.kit;
    win::ControlArgs tabArgs(panel, ctl::kTabTool);
    tabArgs.visible = false;  // shown once the tool tabs are set up
    kit.Adopt(ctl::kTabTool, win::MakeTabStrip(tabArgs));
    ctx_.window.onNotify[ctl::kTabTool] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE) {
            const int selected = win::tabs::Selected(ctx_.kit.Ctl(ctl::kTabTool));
            ShowToolPage(static_cast<ToolPage>(selected));
        }
        return 0;
    };
    HWND containers[kToolPageCount];
    for (int i = 0; i < kToolPageCount; ++i) {
        containers[i] = kit.Add(ControlKit::Kind::Panel, panel, ctl::kPicTool0 + i);
        ShowWindow(containers[i], SW_HIDE);
    }
    for (int i = 0; i < kToolPageCount; ++i)
        pages_[i]->Build(containers[i]);
}

void ToolsPanel::Layout(int w, int h) {
    ctx_.kit.Place(ctl::kTabTool, 4, 4, w - 8, 24);
    const int pw = w - 8, ph = h - 36;
    for (int i = 0; i < kToolPageCount; ++i) {
        ctx_.kit.Place(ctl::kPicTool0 + i, 4, 32, pw, ph);
        pages_[i]->Layout(pw, ph);
    }
}

void ToolsPanel::Loaded() {
    for (const auto& page : pages_)
        page->Loaded();
}

void ToolsPanel::SetUp(SetupPart part) {
    HWND tabs = ctx_.kit.Ctl(ctl::kTabTool);
    for (std::u16string_view caption : kToolTabCaptions)
        win::tabs::Add(tabs, caption);
    ShowWindow(tabs, SW_SHOW);
    for (const auto& page : pages_)
        page->SetUp(part);
    ShowToolPage(ToolPage::OneVirus);
}

// The tool page on show is opened again with its tab: its list catches up.
void ToolsPanel::Opened() {
    const int selected = win::tabs::Selected(ctx_.kit.Ctl(ctl::kTabTool));
    if (selected >= 0 && selected < kToolPageCount)
        pages_[selected]->Opened();
}

void ToolsPanel::RefreshCaptions() {
    for (const auto& page : pages_)
        page->RefreshCaptions();
}

void ToolsPanel::SettingsChanged() {
    for (const auto& page : pages_)
        page->SettingsChanged();
}

std::optional<Color> ToolsPanel::TextColor(int controlId, const ThemePalette& palette) const {
    for (const auto& page : pages_) {
        if (auto color = page->TextColor(controlId, palette))
            return color;
    }
    return std::nullopt;
}

bool ToolsPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& page : pages_) {
        if (page->OnMessage(message, wParam, lParam))
            return true;
    }
    return false;
}

void ToolsPanel::ShowToolPage(ToolPage toolPage) {
    win::tabs::Select(ctx_.kit.Ctl(ctl::kTabTool), static_cast<int>(toolPage));
    for (int i = 0; i < kToolPageCount; ++i)
        ctx_.kit.Show(ctl::kPicTool0 + i, i == static_cast<int>(toolPage));
    for (int i = 0; i < kToolPageCount; ++i) {
        if (i == static_cast<int>(toolPage))
            pages_[i]->Opened();
        else
            pages_[i]->Left();
    }
    // Binding points: opening a tool page refreshes its list (start-up entries and suspects,
    // the process list with its timer, the policy boxes, the program icons, the drive list).
}

}  // namespace vestra::ui
