// Builds the message table from the text rows and fills placeholders.
#include "config/MessageTable.h"

#include "config/MessageTexts.h"

namespace vestra::config {
namespace {

void ReplaceAll(std::u16string& text, std::u16string_view mark, std::u16string_view with) {
    std::size_t at = 0;
    while ((at = text.find(mark, at)) != std::u16string::npos) {
        text.replace(at, mark.size(), with);
        at += with.size();
    }
}

}  // namespace

void MessageTable::LoadMessages(int language) {
    for (auto& slot : slots_)
        slot.clear();
    auto rows = language != kLanguageIndonesian ? EnglishTexts() : IndonesianTexts();
    // Rows are in slot order, so slot 0 is already written when a later row quotes it.
    for (const MessageText& row : rows) {
        if (row.index < kFirstSlot || row.index > kLastSlot)
            continue;
        std::u16string text(row.text);
        ReplaceAll(text, kEntryZeroMark, slots_[0]);
        ReplaceAll(text, kWebSiteMark, kWebSiteAddress);
        slots_[row.index] = std::move(text);
    }
    currentLanguage_ = language;
}

const std::u16string& MessageTable::Text(int index) const {
    static const std::u16string kEmpty;
    if (index < kFirstSlot || index > kLastSlot)
        return kEmpty;
    return slots_[index];
}

std::u16string MessageTable::FormatMessage(int index, std::u16string_view arg1,
                                           std::u16string_view arg2, std::u16string_view arg3,
                                           std::u16string_view arg4) const {
    return FillPlaceholders(Text(index), arg1, arg2, arg3, arg4);
}

std::u16string FillPlaceholders(std::u16string_view text, std::u16string_view arg1,
                                std::u16string_view arg2, std::u16string_view arg3,
                                std::u16string_view arg4) {
    static constexpr std::u16string_view kPlaceholder = u"%s";
    std::u16string out(text);
    std::size_t at = 0;
    for (std::u16string_view arg : {arg1, arg2, arg3, arg4}) {
        at = out.find(kPlaceholder, at);
        if (at == std::u16string::npos)
            break;
        out.replace(at, kPlaceholder.size(), arg);
        at += arg.size();
    }
    return out;
}

}  // namespace vestra::config
