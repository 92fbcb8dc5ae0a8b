// Windows-only: the About and Donation panels.
#include "ui/main/panels/AboutPanel.h"

#include <windows.h>

#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/model/ControlIds.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

constexpr Color kLinkColor = RGB(0, 0, 0xC0);

// A link label opens its own text (with `prefix` in front) in the browser when clicked.
void OpenOnClick(const PanelContext& context, int id, std::u16string_view prefix = {}) {
    context.window.onCommand[id] = [context, id, prefix](int code) {
        if (code == STN_CLICKED)
            context.host.OpenAddress(std::u16string(prefix) + win::WindowText(context.kit.Ctl(id)));
    };
}

}  // namespace

void AboutPanel::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    logo_ = win::LoadIconResource(IDI_VESTRA, ctx_.window.Scale(48));
    HWND logo = kit.Add(Kind::IconBox, page, ctl::kPicAboutLogo);
    SendMessageW(logo, STM_SETICON, reinterpret_cast<WPARAM>(logo_.get()), 0);
    for (int id : {ctl::kLbAboutTitle, ctl::kLbRevision, ctl::kLbDate, ctl::kLbAboutText,
                   ctl::kLbTeam, ctl::kLbTeamNames, ctl::kLbLinkSite, ctl::kLbLinkMail})
        kit.Add(Kind::Label, page, id);
    kit.SetFont(ctl::kLbAboutTitle, FontRole::Title);
    kit.SetFont(ctl::kLbRevision, FontRole::Bold);
    kit.SetFont(ctl::kLbTeam, FontRole::Bold);
    kit.SetFont(ctl::kLbLinkSite, FontRole::Link);
    kit.SetFont(ctl::kLbLinkMail, FontRole::Link);
    OpenOnClick(ctx_, ctl::kLbLinkSite);
    OpenOnClick(ctx_, ctl::kLbLinkMail, u"mailto:");
}

void AboutPanel::Layout(int w, int) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kPicAboutLogo, 16, 16, 48, 48);
    kit.Place(ctl::kLbAboutTitle, 76, 14, w - 92, 32);
    kit.Place(ctl::kLbRevision, 78, 48, 60, 16);
    kit.Place(ctl::kLbDate, 140, 48, 200, 16);
    kit.Place(ctl::kLbAboutText, 16, 80, w - 32, 48);
    kit.Place(ctl::kLbTeam, 16, 140, w - 32, 16);
    kit.Place(ctl::kLbTeamNames, 16, 158, w - 32, 16);
    kit.Place(ctl::kLbLinkSite, 16, 190, w - 32, 16);
    kit.Place(ctl::kLbLinkMail, 16, 208, w - 32, 16);
}

void AboutPanel::Loaded() {
    ctx_.kit.SetText(ctl::kLbRevision, RevisionCaption());
    ctx_.kit.SetText(ctl::kLbDate, DateCaption());
}

std::optional<Color> AboutPanel::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbLinkSite || controlId == ctl::kLbLinkMail)
        return kLinkColor;
    if (controlId == ctl::kLbAboutTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

void DonationPanel::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    for (int id : {ctl::kLbDonTitle, ctl::kLbDonText, ctl::kLbDonLink})
        kit.Add(Kind::Label, page, id);
    kit.SetFont(ctl::kLbDonTitle, FontRole::Heading);
    kit.SetFont(ctl::kLbDonLink, FontRole::Link);
    OpenOnClick(ctx_, ctl::kLbDonLink);
}

void DonationPanel::Layout(int w, int) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbDonTitle, 16, 16, w - 32, 22);
    kit.Place(ctl::kLbDonText, 16, 46, w - 32, 48);
    kit.Place(ctl::kLbDonLink, 16, 104, w - 32, 16);
}

std::optional<Color> DonationPanel::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbDonLink)
        return kLinkColor;
    if (controlId == ctl::kLbDonTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

}  // namespace vestra::ui
