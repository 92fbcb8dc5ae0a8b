// "|"-joined list helpers.
#include "common/TextLists.h"

#include <algorithm>

#include "platform/Text.h"

namespace vestra {
namespace {

std::u16string Wrapped(std::u16string_view text, std::u16string_view separator) {
    std::u16string out(text);
    if (text.size() < 2)
        return out;
    if (!text.starts_with(separator))
        out.insert(0, separator);
    if (!text.ends_with(separator))
        out.append(separator);
    return out;
}

}  // namespace

bool InList(std::u16string_view list, std::u16string_view item, std::u16string_view separator) {
    std::u16string haystack = LowerCase(Wrapped(list, separator));
    std::u16string needle = LowerCase(Wrapped(item, separator));
    return haystack.find(needle) != std::u16string::npos;
}

void AppendToList(std::u16string& list, std::u16string_view item, std::u16string_view separator) {
    if (list.empty()) {
        list = item;
        return;
    }
    list.append(separator);
    list.append(item);
}

std::vector<std::u16string_view> SplitList(std::u16string_view list, char16_t separator) {
    std::vector<std::u16string_view> items;
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = std::min(list.find(separator, start), list.size());
        if (end > start)
            items.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::u16string TextBeforeNul(std::u16string_view text, bool emptyIfNone) {
    std::size_t nul = text.find(u'\0');
    if (nul == std::u16string_view::npos)
        return emptyIfNone ? std::u16string() : std::u16string(text);
    return std::u16string(text.substr(0, nul));
}

bool SamePath(std::u16string_view a, std::u16string_view b) {
    return EqualsNoCase(Trim(a), Trim(b));
}

}  // namespace vestra
