// Windows-only: the tool page "One-Virus By-User": the file the user declared a virus (its path,
// name, risk level and icon), Browse and Reset, and the suspected-files list with its pop-up
// commands. The page shows what the user-virus model decides; the model lives in uservir/.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "ui/framework/Gdi.h"
#include "ui/main/PanelHost.h"
#include "uservir/UserVirus.h"

namespace vestra::ui {

class OneVirusPage : public MainPanel, public uservir::UserVirusView {
public:
    explicit OneVirusPage(const PanelContext& context);
    ~OneVirusPage() override;

    void Build(HWND page) override;
    void Layout(int width, int height) override;
    void Loaded() override;
    void SetUp(SetupPart part) override;
    void Opened() override;
    std::optional<Color> TextColor(int controlId, const ThemePalette& palette) const override;

    // A file dropped on one of the user-virus controls.
    void Dropped(HDROP drop);

    // uservir::UserVirusView
    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override;
    std::optional<std::u16string> ChooseFile(std::u16string_view title) override;
    void UserVirusChanged(const uservir::UserVirusDisplay& display) override;

private:
    void BindCommands();
    void AcceptDrops();
    void MirrorRow(ListChange change, std::size_t row);
    void RefreshRowIcons();
    std::optional<std::size_t> Selected() const;

    std::unique_ptr<uservir::UserVirusPage> model_;  // null without an engine
    win::UniqueIcon fileIcon_;
    win::UniqueImageList rowIcons_;
};

}  // namespace vestra::ui
