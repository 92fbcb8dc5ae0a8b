// Windows-only: the "One-Virus By-User" tool page.
#include "ui/main/panels/tools/OneVirusPage.h"

#include <windows.h>

#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

using Kind = ControlKit::Kind;

void OneVirusPage::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Label, page, ctl::kLbUVTitle);
    kit.SetFont(ctl::kLbUVTitle, FontRole::Bold);
    kit.Add(Kind::IconBox, page, ctl::kPicIcon);
    for (int id : {ctl::kLbUVNameCap, ctl::kLbUVName, ctl::kLbUVLevCap, ctl::kLbUVLev,
                   ctl::kLbUVPathCap, ctl::kLbUnwanted})
        kit.Add(Kind::Label, page, id);
    kit.Add(Kind::Edit, page, ctl::kTxUVPath);
    SendMessageW(kit.Ctl(ctl::kTxUVPath), EM_SETREADONLY, TRUE, 0);
    kit.Add(Kind::Button, page, ctl::kCmdUVBrowse);
    kit.Add(Kind::Button, page, ctl::kCmdUVReset);
    kit.AddList(page, ctl::kLVUnwanted);
    HandleListEvents(ctx_, ctl::kLVUnwanted);
    // Binding point: the user-virus list; until bound the buttons are disabled.
    kit.Enable(ctl::kCmdUVBrowse, false);
    kit.Enable(ctl::kCmdUVReset, false);
}

void OneVirusPage::Layout(int pw, int ph) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbUVTitle, 8, 6, pw - 16, 18);
    kit.Place(ctl::kPicIcon, 8, 30, 32, 32);
    kit.Place(ctl::kLbUVNameCap, 50, 30, 84, 16);
    kit.Place(ctl::kLbUVName, 136, 30, pw - 144, 16);
    kit.Place(ctl::kLbUVLevCap, 50, 48, 84, 16);
    kit.Place(ctl::kLbUVLev, 136, 48, pw - 144, 16);
    kit.Place(ctl::kLbUVPathCap, 8, 75, 60, 16);
    kit.Place(ctl::kCmdUVReset, pw - 8 - 70, 70, 70, 25);
    kit.Place(ctl::kCmdUVBrowse, pw - 8 - 70 - 6 - 130, 70, 130, 25);
    kit.Place(ctl::kTxUVPath, 70, 72, pw - 70 - 8 - 70 - 6 - 130 - 6, 21);
    kit.Place(ctl::kLbUnwanted, 8, 104, pw - 16, 16);
    kit.Place(ctl::kLVUnwanted, 8, 122, pw - 16, ph - 130);
}

void OneVirusPage::Loaded() {
    for (int id : {ctl::kLbUVName, ctl::kLbUVLev, ctl::kTxUVPath})
        ctx_.kit.SetText(id, u"-");
}

void OneVirusPage::SetUp(SetupPart) {
    ctx_.kit.AddColumns(ctl::kLVUnwanted);
}

std::optional<Color> OneVirusPage::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbUVTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

}  // namespace vestra::ui
