// The main window's list views and their pop-up menus as data: columns in order with their
// widths, whether rows carry check boxes, and each menu's items with the handler name. Items
// whose work is not bound to the window yet are shown disabled.
#pragma once

#include <span>
#include <string_view>

namespace vestra::ui {

struct ColumnSpec {
    std::u16string_view title;
    int widthTwips = 0;
};

struct MenuItemSpec {
    int id = 0;                                // command id (0 for a separator or a submenu)
    std::u16string_view caption;               // empty = separator
    std::u16string_view handler;               // the handler's name, e.g. PopDetCageSel
    std::span<const MenuItemSpec> children{};  // a submenu when not empty
};

struct ListSpec {
    int controlId = 0;
    std::u16string_view name;
    std::span<const ColumnSpec> columns;
    bool checkBoxes = false;
    std::span<const MenuItemSpec> menu{};  // empty: no pop-up menu
};

// The font of every list view.
inline constexpr std::u16string_view kListFontName = u"Tahoma";

std::span<const ListSpec> MainWindowLists();
const ListSpec* FindList(int controlId);
// The menu item of that command id anywhere in the menus (submenus included), or null.
const MenuItemSpec* FindMenuItem(int commandId);

// Command ids of the pop-up items.
namespace cmd {
enum : int {
    kPopDetClnAll = 3000,
    kPopDetClnSel,
    kPopDetCageAll,
    kPopDetCageSel,
    kPopDetDelAll,
    kPopDetDelSel,
    kPopDetExc,
    kPopDetExp,
    kPopDetProp,
    kPopRegFixAll = 3020,
    kPopRegFixSel,
    kPopRegExc,
    kPopRegGoto,
    kPopRegProp,
    kPopUnhideAll = 3040,
    kPopUnhideSel,
    kPopUnhideExp,
    kPopUnhideProp,
    kPopCageResT = 3060,
    kPopCageResTo,
    kPopCageExp,
    kPopCageDel,
    kPopProcKill = 3080,
    kPopProcRestart,
    kPopProcSuspend,
    kPopProcResume,
    kPopProcCheckTree,
    kPopProcSelUser,
    kPopProcSelVb,
    kPopProcDeselect,
    kPopProcLogOff,
    kPopProcTurnOff,
    kPopProcReboot,
    kPopProcStandBy,
    kPopProcSwitchUser,
    kPopProcConceal,
    kPopProcTree,
    kPopProcCreate,
    kPopProcExplore,
    kPopProcGoogle,
    kPopProcInfo,
    kPopUserVirAdd = 3120,
    kPopUserVirRefresh,
    kPopUserVirGetAll,
    kPopUserVirExp,
    kPopUserVirExc,
    kPopUserVirProp,
};
}  // namespace cmd

}  // namespace vestra::ui
