// Windows-only: the Quarantine panel: the list of quarantined files with its select-all box,
// buttons and progress bar; opening the tab refills the list from the quarantine store and the
// count in its caption. Restore, restore to a folder, delete and explore act on its rows; the
// older store is imported the first time the list fills.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "remediation/CageStore.h"
#include "remediation/QuarantineList.h"
#include "remediation/QuarantineView.h"
#include "ui/main/PanelHost.h"

namespace vestra::ui {

class QuarantinePanel : public MainPanel, public remediation::QuarantineView {
public:
    explicit QuarantinePanel(const PanelContext& context);

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void SetUp(SetupPart part) override;
    void Opened() override;

    // QuarantineView.
    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override;
    std::optional<std::u16string> ChooseFolder(std::u16string_view title) override;
    void ProgressVisible(bool visible) override;
    void ProgressChanged(int percent) override;
    void TabCaptionChanged(std::u16string_view caption) override;
    void SelectAllCleared() override;
    void PumpMessages() override;

private:
    void BindCommands();
    void Refill();
    void Explore();
    void ImportOldStore();
    void OnItemChanged(HWND list, const NMLISTVIEW& change);

    remediation::CageStore cage_;
    remediation::QuarantineList list_;
    bool mirroring_ = false;  // the panel is copying the model into the list view
    bool busy_ = false;       // an operation runs; it pumps messages between files
};

}  // namespace vestra::ui
