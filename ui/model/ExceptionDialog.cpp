// Exception window rules: filter text, open-file answers, typed paths and the row list.
#include "ui/model/ExceptionDialog.h"

#include "platform/Text.h"

namespace vestra::ui {
namespace {

constexpr std::u16string_view kVirusExtensions =
    u"exe|scr|vbs|com|bat|cmd|pif|lnk|vbe|dls|scx|db|mdb|vmx|tmp|ini|vra|inf|dll|ocx|ini";

std::vector<std::u16string> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(separator, start);
        const std::size_t stop = end == std::u16string_view::npos ? text.size() : end;
        parts.emplace_back(text.substr(start, stop - start));
        if (end == std::u16string_view::npos)
            break;
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::u16string ExceptionFileFilter() {
    std::u16string shown, patterns;
    for (const std::u16string& ext : Split(kVirusExtensions, u'|')) {
        if (!shown.empty()) {
            shown += u',';
            patterns += u';';
        }
        shown += u"*." + ext;
        patterns += u"*." + ext;
    }
    std::u16string filter = u"Virus Type (" + shown + u")";
    filter += u'\0';
    filter += patterns;
    filter += u'\0';
    filter += u"All Files (*.*)";
    filter += u'\0';
    filter += u"*.*";
    filter += u'\0';
    return filter;
}

std::vector<std::u16string> FilesOfOpenAnswer(std::u16string_view buffer,
                                              platform::FileSystem& files) {
    std::vector<std::u16string> parts;
    for (std::u16string& part : Split(buffer, u'\0')) {
        if (part.empty())
            break;  // the double NUL ends the answer
        parts.push_back(std::move(part));
    }
    std::vector<std::u16string> chosen;
    if (parts.size() == 1) {
        if (files.Exists(parts[0]) && !files.IsFolder(parts[0]))
            chosen.push_back(parts[0]);
        return chosen;
    }
    if (parts.size() < 2 || !files.IsFolder(parts[0]))
        return chosen;
    std::u16string folder = parts[0];
    if (!folder.ends_with(u'\\'))
        folder += u'\\';
    for (std::size_t i = 1; i < parts.size(); ++i)
        chosen.push_back(folder + parts[i]);
    return chosen;
}

std::optional<int> KindOfTypedPath(std::u16string_view typed, platform::FileSystem& files) {
    const std::u16string path = Trim(typed);
    if (path.empty() || !files.Exists(path))
        return std::nullopt;
    return files.IsFolder(path) ? 0 : 1;
}

std::u16string_view ExceptionKindWord(int kind) {
    switch (kind) {
        case 0:
            return u"Folder";
        case 1:
            return u"File";
        case 2:
            return u"Registry";
        default:
            return u"";
    }
}

std::vector<ExceptionRow> ExceptionRows(const config::ExceptionList& list) {
    std::vector<ExceptionRow> rows;
    for (int kind = 0; kind < 3; ++kind) {
        const std::u16string& paths = list.ExceptionPaths(kind);
        if (paths.empty())
            continue;
        const auto pathParts = Split(paths, u'|');
        const auto nameParts = Split(list.ExceptionNames(kind), u'|');
        for (std::size_t i = 0; i < pathParts.size(); ++i)
            rows.push_back({ExceptionKindWord(kind), pathParts[i],
                            i < nameParts.size() ? nameParts[i] : std::u16string()});
    }
    return rows;
}

}  // namespace vestra::ui
