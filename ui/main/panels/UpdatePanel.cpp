// Windows-only: the Update panel.
#include "ui/main/panels/UpdatePanel.h"

#include <windows.h>

#include "platform/Text.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

using Kind = ControlKit::Kind;

void UpdatePanel::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Label, page, ctl::kLbUpdTitle);
    kit.SetFont(ctl::kLbUpdTitle, FontRole::Heading);
    kit.Add(Kind::Label, page, ctl::kLbUpd);
    for (int i = 0; i < 3; ++i)
        kit.Add(Kind::Label, page, ctl::kLbDB0 + i);
    kit.AddList(page, ctl::kLVDBViri);
    HandleListEvents(ctx_, ctl::kLVDBViri);
    kit.Add(Kind::Button, page, ctl::kCmdUpdate);
    kit.Add(Kind::Button, page, ctl::kCmdUpSample);
    kit.Enable(ctl::kCmdUpdate, false);  // binding point: the update client
    ctx_.window.onCommand[ctl::kCmdUpSample] = [this](int) {
        ctx_.host.OpenAddress(u"http://www.vestra.example/upload");
    };
}

void UpdatePanel::Layout(int w, int h) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbUpdTitle, 12, 10, w - 24, 22);
    kit.Place(ctl::kLbUpd, 12, 36, w - 24, 16);
    for (int i = 0; i < 3; ++i)
        kit.Place(ctl::kLbDB0 + i, 12, 54 + 18 * i, w - 24, 16);
    kit.Place(ctl::kLVDBViri, 12, 112, w - 24, h - 112 - 44);
    kit.Place(ctl::kCmdUpSample, w - 12 - 120, h - 36, 120, 28);
    kit.Place(ctl::kCmdUpdate, w - 12 - 120 - 8 - 140, h - 36, 140, 28);
}

void UpdatePanel::SetUp(SetupPart) {
    const SignatureCounts& counts = ctx_.app.state.signatureCounts;
    const ControlKit& kit = ctx_.kit;
    // Binding point: the database date and the per-virus list come from the engine's database
    // list; the counts are the engine's own.
    kit.SetText(ctl::kLbUpd, u"Latest Update : -");
    kit.SetText(ctl::kLbDB0, u"Main Database : " + ToText(counts.hashes + counts.patterns));
    kit.SetText(ctl::kLbDB0 + 1, u"Virus Variants : " + ToText(counts.user + counts.reserved));
    kit.SetText(ctl::kLbDB0 + 2, u"Total Signature : " + ToText(counts.Total()));
    kit.AddColumns(ctl::kLVDBViri);
}

std::optional<Color> UpdatePanel::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbUpdTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

}  // namespace vestra::ui
