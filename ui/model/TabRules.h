// The main window's switching rules without the window: which main tab may open while a scan
// runs, the password guard of the powerful tabs, the per-part set-up flags, what each scan tab
// shows, and the remembered select-all state of each result list.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "config/Password.h"

namespace vestra::ui {

// Main tabs count from 1; tab i shows panel i - 1 and is set up by part i - 1.
enum MainTab : int {
    kTabScanner = 1,
    kTabProtection = 2,
    kTabUpdate = 3,
    kTabTools = 4,
    kTabQuarantine = 5,
    kTabSettings = 6,
    kTabAbout = 7,
    kTabDonation = 8,
};
inline constexpr int kMainTabCount = 8;

bool MayOpenDuringScan(int tab);  // Scanner, Settings, About, Donation
bool IsPasswordGuarded(int tab);  // Protection, Tools, Quarantine, Settings

struct TabClickResult {
    enum class Kind {
        Refused,    // reselect the previous tab; nothing else happens
        Unchanged,  // the tab already shown was clicked
        Switched,   // show panel (tab - 1), set it up, follow the side effects below
    };
    Kind kind = Kind::Refused;
    int tab = 0;  // the tab that is selected afterwards
    bool refillQuarantine = false;
    bool protectionTimerOn = false;  // TimerRTP runs only while the Protection panel shows
};

struct TabClickContext {
    int currentTab = kTabScanner;
    bool scanRunning = false;
    bool usePassword = false;
    std::function<bool()> askPassword;  // the modal prompt; true = right password
};

// Runs the click rules in order: the scan restriction, the password guard (which remembers a
// right answer in `guard` for the rest of the run), then the switch itself.
TabClickResult ClickMainTab(int tab, const TabClickContext& context, config::PasswordGuard& guard);

// The nine parts set up on first use (0..7 the panels, 8 the three result lists).
class PanelSetup {
public:
    static constexpr int kParts = 9;
    // True the first time a part is asked for (the caller sets it up then), false afterwards
    // and for parts out of range.
    bool Begin(int part);
    bool IsDone(int part) const;

private:
    std::array<bool, kParts> done_{};
};

// The scan tabs (0..4) and what each shows.
enum ScanTab : int {
    kScanTabTargets = 0,
    kScanTabReport = 1,
    kScanTabVirus = 2,
    kScanTabRegistry = 3,
    kScanTabHidden = 4,
};
inline constexpr int kScanTabCount = 5;

enum class ResultKind : int { None = -1, Virus = 0, Registry = 1, Hidden = 2 };

struct ScanTabView {
    bool targetTree = false;                             // TvDir, FrmTree and cmdScan
    bool report = false;                                 // PicScan
    ResultKind list = ResultKind::None;                  // with CkSelectAll and the cmdScanEx row
    std::array<std::u16string_view, 4> extraCaptions{};  // cmdScanEx(0..3); empty = hidden
    std::array<int, 4> extraCommands{};                  // the pop-up item each button stands for
};

ScanTabView ViewOfScanTab(int scanTab);

// One remembered select-all state per result list.
class SelectAllStates {
public:
    bool Get(ResultKind list) const;
    void Set(ResultKind list, bool checked);

private:
    std::array<bool, 3> states_{};
};

// What the cmdScanEx buttons and the pop-up items of the same captions do on the visible list.
enum class ListCommand { AllRows, CheckedRows, Explore, Properties, GotoKey, None };
ListCommand CommandOfCaption(std::u16string_view caption);

}  // namespace vestra::ui
