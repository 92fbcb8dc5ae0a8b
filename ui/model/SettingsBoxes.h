// The Settings panel's check boxes without the window: which setting each box shows and stores,
// and what else a click on it sets off. Depends on the settings store and the control ids.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/Settings.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {

// The boxes top to bottom; box n is the control ctl::kCkSet0 + n.
enum class SettingsBox : int {
    NoSplash = 0,
    Resize,
    UsePassword,
    AutoUpdate,
    AutoScan,
    VestLock,
    ShellMenu,  // the Explorer right-click entry: shows the shell extension's registration
    HidePanel,
    VestTurbo,
};
inline constexpr int kSettingsBoxCount = ctl::kSettingsBoxCount;
static_assert(static_cast<int>(SettingsBox::VestTurbo) + 1 == kSettingsBoxCount);

constexpr int ControlOfBox(SettingsBox box) {
    return ctl::kCkSet0 + static_cast<int>(box);
}
std::optional<SettingsBox> BoxOfControl(int controlId);

// The setting a box shows and stores; none for the shell menu box.
struct BoxSetting {
    std::u16string_view name;
    std::int32_t Settings::*field = nullptr;
};
std::optional<BoxSetting> SettingOfBox(SettingsBox box);

// Whether each box shows as checked for these settings (the shell menu box is left clear until
// the extension's registration is known).
std::array<bool, kSettingsBoxCount> BoxStates(const Settings& settings);

// What the window does besides storing the value.
enum class BoxEffect {
    None,           // nothing beyond the stored value
    HidePanel,      // the panel switch applies and stores it
    WindowFrame,    // the window may now be resized and maximised, or no longer
    PasswordGuard,  // the password button follows; a first password may be asked for
};

// A click that leaves the box `checked`: stores the box's setting as 1 or 0 in `settings` and
// under its name, except the hide-panel box, which the panel switch stores itself.
BoxEffect ClickSettingsBox(SettingsBox box, bool checked, Settings& settings, SettingsStore& store);

}  // namespace vestra::ui
