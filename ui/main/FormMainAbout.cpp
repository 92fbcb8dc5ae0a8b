// Windows-only: the About and Donation panels; their address labels open in the browser.
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

void FormMain::BuildAboutPanels() {
    HWND about = Ctl(ctl::kPicTab0 + 6);
    HWND logo = Add(Kind::IconBox, about, ctl::kPicAboutLogo);
    SendMessageW(logo, STM_SETICON, reinterpret_cast<WPARAM>(bigIcon_.get()), 0);
    for (int id : {ctl::kLbAboutTitle, ctl::kLbRevision, ctl::kLbDate, ctl::kLbAboutText,
                   ctl::kLbTeam, ctl::kLbTeamNames, ctl::kLbLinkSite, ctl::kLbLinkMail})
        Add(Kind::Label, about, id);
    HWND donation = Ctl(ctl::kPicTab0 + 7);
    for (int id : {ctl::kLbDonTitle, ctl::kLbDonText, ctl::kLbDonLink})
        Add(Kind::Label, donation, id);

    for (int id : {ctl::kLbLinkSite, ctl::kLbDonLink}) {
        onCommand[id] = [this, id](int code) {
            if (code == STN_CLICKED)
                OpenAddress(win::WindowText(Ctl(id)));
        };
    }
    onCommand[ctl::kLbLinkMail] = [this](int code) {
        if (code == STN_CLICKED)
            OpenAddress(u"mailto:" + win::WindowText(Ctl(ctl::kLbLinkMail)));
    };
}

void FormMain::LayoutAboutPanels(int w, int) {
    Place(ctl::kPicAboutLogo, 16, 16, 48, 48);
    Place(ctl::kLbAboutTitle, 76, 14, w - 92, 32);
    Place(ctl::kLbRevision, 78, 48, 60, 16);
    Place(ctl::kLbDate, 140, 48, 200, 16);
    Place(ctl::kLbAboutText, 16, 80, w - 32, 48);
    Place(ctl::kLbTeam, 16, 140, w - 32, 16);
    Place(ctl::kLbTeamNames, 16, 158, w - 32, 16);
    Place(ctl::kLbLinkSite, 16, 190, w - 32, 16);
    Place(ctl::kLbLinkMail, 16, 208, w - 32, 16);
    Place(ctl::kLbDonTitle, 16, 16, w - 32, 22);
    Place(ctl::kLbDonText, 16, 46, w - 32, 48);
    Place(ctl::kLbDonLink, 16, 104, w - 32, 16);
}

}  // namespace vestra::ui
