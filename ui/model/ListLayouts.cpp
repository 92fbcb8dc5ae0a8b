// Column and menu tables of the main window's eight list views.
#include "ui/model/ListLayouts.h"

#include "ui/model/ControlIds.h"

namespace vestra::ui {
namespace {

// clang-format off
constexpr ColumnSpec kDetectColumns[] = {
    {u"Virus Name", 2400}, {u"Type", 1500}, {u"File Path", 3600}, {u"Status", 1500}};
constexpr ColumnSpec kRegDetColumns[] = {
    {u"Value Name", 2000}, {u"Key Path", 3600}, {u"Type", 1500}, {u"Status", 1500}};
constexpr ColumnSpec kHideColumns[] = {
    {u"Name", 2000}, {u"Attributes", 1300}, {u"Type", 1300}, {u"Path", 3800}};
constexpr ColumnSpec kCageColumns[] = {
    {u"Virus Name", 2400}, {u"Type", 1600}, {u"Origin Path", 4500}};
constexpr ColumnSpec kProcColumns[] = {
    {u"Process Name", 1900}, {u"Risk Level", 1100}, {u"Size (KB)", 1000},
    {u"Description", 2200}, {u"File Path", 3600}};
constexpr ColumnSpec kUnwantedColumns[] = {
    {u"Name", 1800}, {u"Risk Level", 1100}, {u"Risk Description", 2400}, {u"Size (KB)", 1000},
    {u"Path", 3600}};
constexpr ColumnSpec kLockColumns[] = {{u"Drive", 3600}, {u"Status", 2400}};
constexpr ColumnSpec kDbColumns[] = {{u"No.", 800}, {u"Virus Name", 3400}, {u"Type", 2200}};

constexpr MenuItemSpec kSeparator{};

constexpr MenuItemSpec kDetectMenu[] = {
    {cmd::kPopDetClnAll, u"Clean &All", u"PopDetClnAll"},
    {cmd::kPopDetClnSel, u"Clean &Checked", u"PopDetClnSel"},
    kSeparator,
    {cmd::kPopDetCageAll, u"Quarantine &All", u"PopDetCageAll"},
    {cmd::kPopDetCageSel, u"Quarantine &Checked", u"PopDetCageSel"},
    kSeparator,
    {cmd::kPopDetDelAll, u"Delete &All", u"PopDetDelAll"},
    {cmd::kPopDetDelSel, u"Delete &Checked", u"PopDetDelSel"},
    kSeparator,
    {cmd::kPopDetExc, u"Ignore (Exception)", u"PopDetExc"},
    {cmd::kPopDetExp, u"&Explore ...", u"PopDetExp"},
    {cmd::kPopDetProp, u"&Properties", u"PopDetProp"},
};
constexpr MenuItemSpec kRegDetMenu[] = {
    {cmd::kPopRegFixAll, u"Repair &All", u"PopRegFixAll"},
    {cmd::kPopRegFixSel, u"Repair &Checked", u"PopRegFixSel"},
    kSeparator,
    {cmd::kPopRegExc, u"Ignore (Exception)", u"PopRegExc"},
    {cmd::kPopRegGoto, u"&Goto Key ...", u"PopRegGoto"},
    {cmd::kPopRegProp, u"&Properties", u"PopRegProp"},
};
constexpr MenuItemSpec kHideMenu[] = {
    {cmd::kPopUnhideAll, u"Unhide &All", u"PopUnhideAll"},
    {cmd::kPopUnhideSel, u"Unhide &Checked", u"PopUnhideSel"},
    kSeparator,
    {cmd::kPopUnhideExp, u"&Explore ...", u"PopUnhideExp"},
    {cmd::kPopUnhideProp, u"&Properties", u"PopUnhideProp"},
};
constexpr MenuItemSpec kCageMenu[] = {
    {cmd::kPopCageResT, u"&Restore", u"PopCageResT"},
    {cmd::kPopCageResTo, u"Restore &To ...", u"PopCageResTo"},
    {cmd::kPopCageExp, u"&Explore", u"PopCageExp"},
    kSeparator,
    {cmd::kPopCageDel, u"&Delete", u"PopCageDel"},
};
constexpr MenuItemSpec kProcActionMenu[] = {
    {cmd::kPopProcKill, u"&Kill", u"PopProcKill"},
    {cmd::kPopProcRestart, u"&Restart", u"PopProcRestart"},
    {cmd::kPopProcSuspend, u"&Suspend", u"PopProcSuspend"},
    {cmd::kPopProcResume, u"R&esume", u"PopProcResume"},
};
constexpr MenuItemSpec kProcSelectMenu[] = {
    {cmd::kPopProcCheckTree, u"Process &Tree", u"PopProcCheckTree"},  // caption set at run time
    {cmd::kPopProcSelUser, u"&User Process", u"PopProcSelUser"},
    {cmd::kPopProcSelVb, u"&Visual Basic Process", u"PopProcSelVb"},
    kSeparator,
    {cmd::kPopProcDeselect, u"D&eselect All", u"PopProcDeselect"},
};
constexpr MenuItemSpec kProcShutdownMenu[] = {
    {cmd::kPopProcLogOff, u"&Log Off", u"PopProcLogOff"},
    {cmd::kPopProcTurnOff, u"&Turn Off", u"PopProcTurnOff"},
    {cmd::kPopProcReboot, u"&Restart", u"PopProcReboot"},
    {cmd::kPopProcStandBy, u"&Stand By", u"PopProcStandBy"},
    {cmd::kPopProcSwitchUser, u"S&witch User", u"PopProcSwitchUser"},
};
constexpr MenuItemSpec kProcMenu[] = {
    {0, u"&Action", u"", kProcActionMenu},
    {0, u"&Select", u"", kProcSelectMenu},
    {0, u"S&hutdown", u"", kProcShutdownMenu},
    kSeparator,
    {cmd::kPopProcConceal, u"Concea&l Windows!", u"PopProcConceal"},
    {cmd::kPopProcTree, u"Process &Tree", u"PopProcTree"},
    {cmd::kPopProcCreate, u"&Create Process ...", u"PopProcCreate"},
    kSeparator,
    {cmd::kPopProcExplore, u"&Explore ...", u"PopProcExplore"},
    {cmd::kPopProcGoogle, u"&Google ...", u"PopProcGoogle"},
    {cmd::kPopProcInfo, u"&Process Information", u"PopProcInfo"},
};
constexpr MenuItemSpec kUnwantedMenu[] = {
    {cmd::kPopUserVirAdd, u"&Add As Virus", u"PopUserVirAdd"},
    {cmd::kPopUserVirRefresh, u"&Refresh", u"PopUserVirRefresh"},
    {cmd::kPopUserVirGetAll, u"&Get All File!", u"PopUserVirGetAll"},
    kSeparator,
    {cmd::kPopUserVirExp, u"&Explore ...", u"PopUserVirExp"},
    {cmd::kPopUserVirExc, u"&Ignore (Exception)", u"PopUserVirExc"},
    {cmd::kPopUserVirProp, u"&Properties", u"PopUserVirProp"},
};

constexpr ListSpec kLists[] = {
    {ctl::kLVDetect, u"LVDetect", kDetectColumns, true, kDetectMenu},
    {ctl::kLVRegDet, u"LVRegDet", kRegDetColumns, true, kRegDetMenu},
    {ctl::kLVHide, u"LVHide", kHideColumns, true, kHideMenu},
    {ctl::kLVCage, u"LVCage", kCageColumns, true, kCageMenu},
    {ctl::kLVProc, u"LVProc", kProcColumns, true, kProcMenu},
    {ctl::kLVUnwanted, u"LVUnwanted", kUnwantedColumns, false, kUnwantedMenu},
    {ctl::kLVLock, u"LVLock", kLockColumns, true},
    {ctl::kLVDBViri, u"LVDBViri", kDbColumns, false},
};
// clang-format on

const MenuItemSpec* FindIn(std::span<const MenuItemSpec> items, int commandId) {
    for (const MenuItemSpec& item : items) {
        if (item.id != 0 && item.id == commandId)
            return &item;
        if (const MenuItemSpec* found = FindIn(item.children, commandId))
            return found;
    }
    return nullptr;
}

}  // namespace

std::span<const ListSpec> MainWindowLists() {
    return kLists;
}

const ListSpec* FindList(int controlId) {
    for (const ListSpec& list : kLists) {
        if (list.controlId == controlId)
            return &list;
    }
    return nullptr;
}

const MenuItemSpec* FindMenuItem(int commandId) {
    for (const ListSpec& list : kLists) {
        if (const MenuItemSpec* found = FindIn(list.menu, commandId))
            return found;
    }
    return nullptr;
}

}  // namespace vestra::ui
