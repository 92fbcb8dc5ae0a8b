// Start-up load of the shared configuration.
#include "app/ProgramConfig.h"

namespace vestra {

void ProgramConfig::LoadSettings(AppState& /*state*/) {
    settings = vestra::LoadSettings(store, exceptions, messages);
}

std::u16string ProgramConfig::FormatMessage(int index, std::u16string_view arg1,
                                            std::u16string_view arg2) {
    return messages.FormatMessage(index, arg1, arg2);
}

void ProgramConfig::SaveSettingNumber(std::u16string_view name, std::int32_t value) {
    store.SaveSettingNumber(name, value);
}

}  // namespace vestra
