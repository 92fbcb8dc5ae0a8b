// Path lists of the command word.
#include "ui/model/StartTargets.h"

#include "platform/Text.h"

namespace vestra::ui {

std::vector<std::u16string> StartScanPaths(std::u16string_view commandWord) {
    const std::u16string word = Trim(commandWord);
    const std::u16string lower = LowerCase(word);
    if (word.empty() || lower == u"rtp" || lower == u"rtc" || lower == u"upd" || lower == u"slt" ||
        lower.starts_with(u"vrs"))
        return {};
    std::u16string joined;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word.compare(i, 3, u"\" \"") == 0) {
            joined += u'|';
            i += 2;
        } else if (word[i] != u'"') {
            joined += word[i];
        }
    }
    std::vector<std::u16string> paths;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t end = joined.find(u'|', start);
        if (end == std::u16string::npos)
            end = joined.size();
        std::u16string piece = Trim(std::u16string_view(joined).substr(start, end - start));
        if (!piece.empty())
            paths.push_back(std::move(piece));
        start = end + 1;
    }
    return paths;
}

}  // namespace vestra::ui
