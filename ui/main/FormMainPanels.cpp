// Windows-only: the main window's panels, one per main tab, and how the frame hands its events
// to them. A new panel is one file pair in ui/main/panels and one Register line here.
#include <windows.h>

#include "ui/main/FormMain.h"
#include "ui/main/panels/AboutPanel.h"
#include "ui/main/panels/ProtectionPanel.h"
#include "ui/main/panels/QuarantinePanel.h"
#include "ui/main/panels/ScannerPanel.h"
#include "ui/main/panels/SettingsPanel.h"
#include "ui/main/panels/ToolsPanel.h"
#include "ui/main/panels/UpdatePanel.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

void FormMain::CreatePanels() {
    const PanelContext context{ctx_, *this, kit_, bindings_, *this};
    auto scanner = std::make_unique<ScannerPanel>(context);
    scan_ = scanner.get();
    Register(MainTab::Scanner, std::move(scanner));
    Register(MainTab::Protection, std::make_unique<ProtectionPanel>(context));
    Register(MainTab::Update, std::make_unique<UpdatePanel>(context));
    Register(MainTab::Tools, std::make_unique<ToolsPanel>(context));
    Register(MainTab::Quarantine, std::make_unique<QuarantinePanel>(context));
    Register(MainTab::Settings, std::make_unique<SettingsPanel>(context));
    Register(MainTab::About, std::make_unique<AboutPanel>(context));
    Register(MainTab::Donation, std::make_unique<DonationPanel>(context));
}

void FormMain::Register(MainTab tab, std::unique_ptr<MainPanel> panel) {
    panels_[static_cast<std::size_t>(StripIndexOf(tab))] = std::move(panel);
}

MainPanel& FormMain::PanelOf(MainTab tab) const {
    return *panels_[static_cast<std::size_t>(StripIndexOf(tab))];
}

void FormMain::BuildPanels() {
    for (int i = 0; i < kMainTabCount; ++i)
        panels_[static_cast<std::size_t>(i)]->Build(kit_.Ctl(ctl::kPicTab0 + i));
}

void FormMain::LayoutPanels(int width, int height) {
    for (const auto& panel : panels_)
        panel->Layout(width, height);
}

std::optional<Color> FormMain::PanelTextColor(int controlId) const {
    for (const auto& panel : panels_) {
        if (auto color = panel->TextColor(controlId, palette_))
            return color;
    }
    return std::nullopt;
}

bool FormMain::PanelMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& panel : panels_) {
        if (panel->OnMessage(message, wParam, lParam))
            return true;
    }
    return false;
}

}  // namespace vestra::ui
