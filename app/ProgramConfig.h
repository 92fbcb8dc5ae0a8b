// The configuration the whole program shares: settings, message table and exception lists,
// built on the seam's registry. The entry point loads it; the windows read and change it.
#pragma once

#include "app/Entry.h"
#include "app/Settings.h"

namespace vestra {

class ProgramConfig : public EntryServices {
public:
    explicit ProgramConfig(platform::Platform& os)
        : registry(os.registry, os.system), store(registry), exceptions(registry, os.files) {}

    void LoadSettings(AppState& state) override;
    std::u16string FormatMessage(int index, std::u16string_view arg1,
                                 std::u16string_view arg2) override;
    void SaveSettingNumber(std::u16string_view name, std::int32_t value) override;

    registry::RegistryAccess registry;
    SettingsStore store;
    config::ExceptionList exceptions;
    config::MessageTable messages;
    Settings settings;
};

}  // namespace vestra
