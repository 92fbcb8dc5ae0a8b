// The "|"-joined lists the whole program keeps its sets of paths, extensions, names and ids in,
// and the path comparison that goes with them. Below every subsystem: needs only platform/Text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vestra {

inline constexpr std::u16string_view kListSeparator = u"|";

// Whether `item` is one entry of `list`, without regard to case. Both are wrapped in the
// separator first (texts of two or more characters only), so "exe" does not match "exec"; a
// one-character item is searched unwrapped, as the stored lists have always been read.
bool InList(std::u16string_view list, std::u16string_view item,
            std::u16string_view separator = kListSeparator);

// Appends without a duplicate test; an empty list becomes the item itself.
void AppendToList(std::u16string& list, std::u16string_view item,
                  std::u16string_view separator = kListSeparator);

// The items of a list in order. Empty items (a leading, doubled or trailing separator, or an
// empty list) are dropped: no stored list means anything by an empty entry, and every caller
// would otherwise have to skip them. The items are views into `list`, which must outlive them.
std::vector<std::u16string_view> SplitList(std::u16string_view list, char16_t separator = u'|');
// A temporary list would leave the views dangling.
std::vector<std::u16string_view> SplitList(std::u16string&& list,
                                           char16_t separator = u'|') = delete;

// The text up to its first NUL; without one, the whole text or, when asked, the empty text.
std::u16string TextBeforeNul(std::u16string_view text, bool emptyIfNone);

// Paths are the same when they match after trimming blanks, without regard to case.
bool SamePath(std::u16string_view a, std::u16string_view b);

}  // namespace vestra
