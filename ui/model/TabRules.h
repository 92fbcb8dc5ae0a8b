// The main window's switching rules without the window: which main tab may open while a scan
// runs, the password guard of the powerful tabs, the per-part set-up flags, what each scan tab
// shows, and the remembered select-all state of each result list.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "config/Password.h"

namespace vestra::ui {

// Main tabs are numbered from 1; tab n shows panel n - 1 and is set up by part n - 1.
enum class MainTab : int {
    Scanner = 1,
    Protection,
    Update,
    Tools,
    Quarantine,
    Settings,
    About,
    Donation,
};
inline constexpr int kMainTabCount = 8;

// The tab's position on the strip (0 for the Scanner) and back; a position off the strip is
// no tab.
constexpr int StripIndexOf(MainTab tab) {
    return static_cast<int>(tab) - 1;
}
std::optional<MainTab> MainTabAt(int stripIndex);

bool MayOpenDuringScan(MainTab tab);  // Scanner, Settings, About, Donation
bool IsPasswordGuarded(MainTab tab);  // Protection, Tools, Quarantine, Settings

struct TabClickResult {
    enum class Kind {
        Refused,    // reselect the previous tab; nothing else happens
        Unchanged,  // the tab already shown was clicked
        Switched,   // show panel (tab - 1), set it up, follow the side effects below
    };
    Kind kind = Kind::Refused;
    MainTab tab = MainTab::Scanner;  // the tab that is selected afterwards
    bool refillQuarantine = false;
    bool protectionTimerOn = false;  // TimerRTP runs only while the Protection panel shows
};

struct TabClickContext {
    MainTab currentTab = MainTab::Scanner;
    bool scanRunning = false;
    bool usePassword = false;
    std::function<bool()> askPassword;  // the modal prompt; true = right password
};

// Runs the click rules in order: the scan restriction, the password guard (which remembers a
// right answer in `guard` for the rest of the run), then the switch itself.
TabClickResult ClickMainTab(MainTab tab, const TabClickContext& context,
                            config::PasswordGuard& guard);

// The nine parts set up on first use: one per main tab's panel, then the three result lists.
enum class SetupPart : int {
    Scanner = 0,  // at the window's load
    Protection,
    Update,
    Tools,
    Quarantine,
    Settings,
    About,
    Donation,
    ResultLists,
};
constexpr SetupPart SetupPartOf(MainTab tab) {
    return static_cast<SetupPart>(StripIndexOf(tab));
}
// The tab whose panel sets the part up (the result lists are the Scanner's).
MainTab OwnerOfPart(SetupPart part);

class PanelSetup {
public:
    static constexpr int kParts = 9;
    // True the first time a part is asked for (the caller sets it up then), false afterwards
    // and for parts out of range.
    bool Begin(SetupPart part);
    bool IsDone(SetupPart part) const;

private:
    std::array<bool, kParts> done_{};
};

// The scan tabs, by their position on the scan strip, and what each shows.
enum class ScanTab : int {
    Targets = 0,
    Report,
    Virus,
    Registry,
    Hidden,
};
inline constexpr int kScanTabCount = 5;

enum class ResultKind : int { None = -1, Virus = 0, Registry = 1, Hidden = 2 };

// The result tab of a detection kind as the scan run numbers them (1 viruses, 2 registry,
// 3 hidden); any other number is no result tab.
std::optional<ScanTab> ResultTabOfKind(int detType);

struct ScanTabView {
    bool targetTree = false;                             // TvDir, FrmTree and cmdScan
    bool report = false;                                 // PicScan
    ResultKind list = ResultKind::None;                  // with CkSelectAll and the cmdScanEx row
    std::array<std::u16string_view, 4> extraCaptions{};  // cmdScanEx(0..3); empty = hidden
    std::array<int, 4> extraCommands{};                  // the pop-up item each button stands for
};

ScanTabView ViewOfScanTab(ScanTab scanTab);

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
