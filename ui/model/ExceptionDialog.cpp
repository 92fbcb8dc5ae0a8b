// Exception window rules: filter text, open-file answers, typed paths and the row list.
#include "ui/model/ExceptionDialog.h"

#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra::ui {
namespace {

constexpr std::u16string_view kVirusExtensions =
    u"exe|scr|vbs|com|bat|cmd|pif|lnk|vbe|dls|scx|db|mdb|vmx|tmp|ini|vra|inf|dll|ocx|ini";

// An open-file answer ends at its first double NUL; whatever the buffer holds after it is not
// part of the answer.
std::u16string_view AnswerOf(std::u16string_view buffer) {
    return buffer.substr(0, buffer.find(std::u16string_view(u"\0\0", 2)));
}

}  // namespace

std::u16string ExceptionFileFilter() {
    std::u16string shown, patterns;
    for (std::u16string_view ext : SplitList(kVirusExtensions)) {
        if (!shown.empty()) {
            shown += u',';
            patterns += u';';
        }
        shown.append(u"*.").append(ext);
        patterns.append(u"*.").append(ext);
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
    const std::vector<std::u16string_view> parts = SplitList(AnswerOf(buffer), u'\0');
    std::vector<std::u16string> chosen;
    if (parts.size() == 1) {
        if (files.Exists(parts[0]) && !files.IsFolder(parts[0]))
            chosen.emplace_back(parts[0]);
        return chosen;
    }
    if (parts.size() < 2 || !files.IsFolder(parts[0]))
        return chosen;
    std::u16string folder(parts[0]);
    if (!folder.ends_with(u'\\'))
        folder += u'\\';
    for (std::size_t i = 1; i < parts.size(); ++i)
        chosen.push_back(folder + std::u16string(parts[i]));
    return chosen;
}

std::optional<config::ExceptionKind> KindOfTypedPath(std::u16string_view typed,
                                                     platform::FileSystem& files) {
    return config::ExceptionKindOfPath(files, Trim(typed));
}

std::vector<ExceptionRow> ExceptionRows(const config::ExceptionList& list) {
    std::vector<ExceptionRow> rows;
    for (config::ExceptionKind kind : config::kExceptionKinds) {
        const std::u16string& paths = list.ExceptionPaths(kind);
        if (paths.empty())
            continue;
        const auto pathParts = SplitList(paths);
        const auto nameParts = SplitList(list.ExceptionNames(kind));
        for (std::size_t i = 0; i < pathParts.size(); ++i)
            rows.push_back(
                {config::ExceptionKindWord(kind), std::u16string(pathParts[i]),
                 i < nameParts.size() ? std::u16string(nameParts[i]) : std::u16string()});
    }
    return rows;
}

}  // namespace vestra::ui
