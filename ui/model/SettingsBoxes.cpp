// The Settings panel's boxes and their settings.
#include "ui/model/SettingsBoxes.h"

namespace vestra::ui {
namespace {

constexpr BoxSetting kBoxSettings[kSettingsBoxCount] = {
    {setting::kNoSplash, &Settings::noSplash},
    {setting::kResize, &Settings::resize},
    {setting::kUsePassword, &Settings::usePassword},
    {setting::kAutoUpdate, &Settings::autoUpdate},
    {setting::kAutoScan, &Settings::autoScan},
    {setting::kVestLock, &Settings::vestLock},
    {{}, nullptr},
    {setting::kHidePanel, &Settings::hidePanel},
    {setting::kVestTurbo, &Settings::vestTurbo},
};

}  // namespace

std::optional<SettingsBox> BoxOfControl(int controlId) {
    const int index = controlId - ctl::kCkSet0;
    if (index < 0 || index >= kSettingsBoxCount)
        return std::nullopt;
    return static_cast<SettingsBox>(index);
}

std::optional<BoxSetting> SettingOfBox(SettingsBox box) {
    const int index = static_cast<int>(box);
    if (index < 0 || index >= kSettingsBoxCount || !kBoxSettings[index].field)
        return std::nullopt;
    return kBoxSettings[index];
}

std::array<bool, kSettingsBoxCount> BoxStates(const Settings& settings) {
    std::array<bool, kSettingsBoxCount> states{};
    for (int i = 0; i < kSettingsBoxCount; ++i) {
        if (auto target = SettingOfBox(static_cast<SettingsBox>(i)))
            states[i] = settings.*(target->field) != 0;
    }
    return states;
}

BoxEffect ClickSettingsBox(SettingsBox box, bool checked, Settings& settings,
                           SettingsStore& store) {
    if (box == SettingsBox::HidePanel)
        return BoxEffect::HidePanel;
    const auto target = SettingOfBox(box);
    if (!target)
        return BoxEffect::None;
    const std::int32_t value = checked ? 1 : 0;
    settings.*(target->field) = value;
    store.SaveSettingNumber(target->name, value);
    if (box == SettingsBox::Resize)
        return BoxEffect::WindowFrame;
    if (box == SettingsBox::UsePassword)
        return BoxEffect::PasswordGuard;
    return BoxEffect::None;
}

}  // namespace vestra::ui
