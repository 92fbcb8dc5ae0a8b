// Caption-pair rule and the language switch.
#include "config/Captions.h"

#include "platform/Text.h"

namespace vestra::config {

bool IsTranslationTag(std::u16string_view tag) {
    if (tag.empty())
        return false;
    if (tag.find(u'@') != std::u16string_view::npos)
        return false;
    return !StartsWithNoCase(tag, u"http") && !StartsWithNoCase(tag, u"www");
}

bool TakesPartInSwap(const CaptionControl& control) {
    switch (control.kind) {
        case ControlKind::CommandButton:
        case ControlKind::Label:
        case ControlKind::Frame:
            break;
        case ControlKind::CheckBox:
            if (LowerCase(control.name) != kSettingsCheckName)
                return false;
            break;
        case ControlKind::Other:
            return false;
    }
    return IsTranslationTag(control.tag);
}

void SwapCaptions(std::span<CaptionControl> controls) {
    for (CaptionControl& control : controls) {
        if (TakesPartInSwap(control))
            std::swap(control.caption, control.tag);
    }
}

bool OptLang_Click(int index, MessageTable& messages, std::span<CaptionControl> controls,
                   const std::function<void(int language)>& storeLanguage) {
    if (index == messages.CurrentLanguage())
        return false;
    if (storeLanguage)
        storeLanguage(index);
    messages.LoadMessages(index);
    SwapCaptions(controls);
    return true;
}

}  // namespace vestra::config
