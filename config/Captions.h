// The two-language captions of the main window's controls: the Indonesian caption sits in
// `caption`, the English one in `tag`, and a swap exchanges them. A window hands its controls
// over as records and copies the result back; the rule lives here so it is tested without one.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "config/MessageTable.h"

namespace vestra::config {

enum class ControlKind : std::uint8_t { CommandButton, Label, Frame, CheckBox, Other };

struct CaptionControl {
    ControlKind kind = ControlKind::Other;
    std::u16string name;  // the control's name; a control array shares one name
    std::u16string caption;
    std::u16string tag;
};

// Only check boxes of this name carry a caption pair (compared in lower case).
inline constexpr std::u16string_view kSettingsCheckName = u"ckset";

// A tag is a translation unless it is empty, holds an "@", or begins with "http" or "www".
bool IsTranslationTag(std::u16string_view tag);
// Buttons, labels, frames and the settings check boxes whose tag is a translation.
bool TakesPartInSwap(const CaptionControl& control);
// Exchanges caption and tag on every qualifying control; doing it twice restores the first state.
void SwapCaptions(std::span<CaptionControl> controls);

// The language option buttons (0 Indonesian, 1 English), clicked to become selected: when the
// language changes, stores it through `storeLanguage`, rebuilds the table and swaps the captions.
// Answers whether anything changed.
bool OptLang_Click(int index, MessageTable& messages, std::span<CaptionControl> controls,
                   const std::function<void(int language)>& storeLanguage);

}  // namespace vestra::config
