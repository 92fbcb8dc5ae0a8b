// The message table: 201 numbered texts (slots 0 to 200) in the language last loaded, and the
// filling of "%s" placeholders. Slots that no message uses stay empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// winbase.h maps FormatMessage to FormatMessageW; the catalogue's own FormatMessage must win in
// files that include both (include this header after <windows.h>).
#ifdef FormatMessage
#undef FormatMessage
#endif

namespace vestra::config {

inline constexpr int kLanguageIndonesian = 0;
inline constexpr int kLanguageEnglish = 1;

class MessageTable {
public:
    static constexpr int kFirstSlot = 0;
    static constexpr int kLastSlot = 200;

    // Empties every slot, then writes the English texts for any non-zero language, else the
    // Indonesian ones, and remembers the language.
    void LoadMessages(int language);
    // 0 until the first load; afterwards the language the table was last built with.
    int CurrentLanguage() const { return currentLanguage_; }

    // The text of a slot; the empty text for an unused or out-of-range slot.
    const std::u16string& Text(int index) const;
    // The text with its first four "%s" replaced by the arguments in order; replacements stop
    // when no "%s" is left, and arguments are never searched for further placeholders.
    std::u16string FormatMessage(int index, std::u16string_view arg1 = {},
                                 std::u16string_view arg2 = {}, std::u16string_view arg3 = {},
                                 std::u16string_view arg4 = {}) const;

private:
    std::array<std::u16string, kLastSlot + 1> slots_{};
    int currentLanguage_ = kLanguageIndonesian;
};

// The fill rule by itself, for texts that are not in the table.
std::u16string FillPlaceholders(std::u16string_view text, std::u16string_view arg1,
                                std::u16string_view arg2, std::u16string_view arg3,
                                std::u16string_view arg4);

}  // namespace vestra::config
