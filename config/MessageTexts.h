// The texts of the message table in both languages, as data: one row per filled slot.
// Two marks stand for pieces filled in when the table is built: the text of slot 0 and the
// product's web-site address.
#pragma once

#include <span>
#include <string_view>

namespace vestra::config {

struct MessageText {
    int index;
    std::u16string_view text;
};

// Replaced by the text that slot 0 holds when the table is built ("Are you sure you want to ").
inline constexpr std::u16string_view kEntryZeroMark = u"{0}";
// Replaced by kWebSiteAddress.
inline constexpr std::u16string_view kWebSiteMark = u"{site}";
inline constexpr std::u16string_view kWebSiteAddress = u"http://www.vestra-av.web.id";

// Rows in ascending slot order; slot 0 comes first in both.
std::span<const MessageText> EnglishTexts();
std::span<const MessageText> IndonesianTexts();

}  // namespace vestra::config
