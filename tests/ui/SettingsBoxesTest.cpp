// The Settings panel's boxes: which setting each shows and stores, and what a click sets off.
#include "ui/model/SettingsBoxes.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"

namespace vestra::ui {
namespace {

class SettingsBoxesTest : public ::testing::Test {
protected:
    void SetUp() override { settings = LoadSettings(store, exceptions, messages); }
    std::int32_t Stored(std::u16string_view name) { return store.GetSettingNumber(name, true); }

    platform::fake::FakePlatform fake;
    registry::RegistryAccess reg{fake.registry, fake.system};
    SettingsStore store{reg};
    config::ExceptionList exceptions{reg, fake.files, store.ExceptionKey()};
    config::MessageTable messages;
    Settings settings;
};

struct BoxCase {
    SettingsBox box;
    std::u16string_view name;
    std::int32_t Settings::*field;
    BoxEffect effect;
};

const BoxCase kStoredBoxes[] = {
    {SettingsBox::NoSplash, u"NoSplash", &Settings::noSplash, BoxEffect::None},
    {SettingsBox::Resize, u"Resize", &Settings::resize, BoxEffect::WindowFrame},
    {SettingsBox::UsePassword, u"UsePassword", &Settings::usePassword, BoxEffect::PasswordGuard},
    {SettingsBox::AutoUpdate, u"AutoUpdate", &Settings::autoUpdate, BoxEffect::None},
    {SettingsBox::AutoScan, u"AutoScan", &Settings::autoScan, BoxEffect::None},
    {SettingsBox::VestLock, u"Vest-Lock", &Settings::vestLock, BoxEffect::None},
    {SettingsBox::VestTurbo, u"Vest-Turbo", &Settings::vestTurbo, BoxEffect::None},
};

TEST_F(SettingsBoxesTest, EachBoxStoresItsOwnSettingAndNoOther) {
    for (const BoxCase& c : kStoredBoxes) {
        const Settings before = settings;
        EXPECT_EQ(ClickSettingsBox(c.box, true, settings, store), c.effect)
            << static_cast<int>(c.box);
        EXPECT_EQ(settings.*c.field, 1) << static_cast<int>(c.box);
        EXPECT_EQ(Stored(c.name), 1) << static_cast<int>(c.box);
        for (const BoxCase& other : kStoredBoxes) {
            if (other.box == c.box)
                continue;
            EXPECT_EQ(settings.*other.field, before.*other.field)
                << static_cast<int>(c.box) << " changed " << static_cast<int>(other.box);
        }
        ClickSettingsBox(c.box, false, settings, store);
        EXPECT_EQ(settings.*c.field, 0) << static_cast<int>(c.box);
        EXPECT_EQ(Stored(c.name), 0) << static_cast<int>(c.box);
    }
}

TEST_F(SettingsBoxesTest, HidePanelAndShellMenuStoreNothingThemselves) {
    EXPECT_EQ(ClickSettingsBox(SettingsBox::HidePanel, true, settings, store),
              BoxEffect::HidePanel);
    EXPECT_EQ(settings.hidePanel, 0);  // the panel switch stores it
    EXPECT_EQ(Stored(u"HidePanel"), -1);
    const Settings before = settings;
    EXPECT_EQ(ClickSettingsBox(SettingsBox::ShellMenu, true, settings, store), BoxEffect::None);
    for (const BoxCase& c : kStoredBoxes)
        EXPECT_EQ(settings.*c.field, before.*c.field);
}

TEST_F(SettingsBoxesTest, BoxesShowTheirSettings) {
    Settings shown;  // every box's setting off
    shown.resize = 1;
    shown.hidePanel = 1;
    shown.vestTurbo = 1;
    const auto states = BoxStates(shown);
    for (int i = 0; i < kSettingsBoxCount; ++i) {
        const auto box = static_cast<SettingsBox>(i);
        const bool on = box == SettingsBox::Resize || box == SettingsBox::HidePanel ||
                        box == SettingsBox::VestTurbo;
        EXPECT_EQ(states[i], on) << i;
    }
}

TEST_F(SettingsBoxesTest, ControlIdsAndBoxesMatch) {
    EXPECT_EQ(ControlOfBox(SettingsBox::NoSplash), ctl::kCkSet0);
    EXPECT_EQ(ControlOfBox(SettingsBox::HidePanel), ctl::kCkSet0 + 7);
    for (int i = 0; i < kSettingsBoxCount; ++i)
        EXPECT_EQ(BoxOfControl(ctl::kCkSet0 + i), static_cast<SettingsBox>(i));
    EXPECT_EQ(BoxOfControl(ctl::kCkSet0 - 1), std::nullopt);  // the frame around them
    EXPECT_EQ(BoxOfControl(ctl::kCkSet0 + kSettingsBoxCount), std::nullopt);
    EXPECT_EQ(SettingOfBox(SettingsBox::ShellMenu), std::nullopt);
}

}  // namespace
}  // namespace vestra::ui
