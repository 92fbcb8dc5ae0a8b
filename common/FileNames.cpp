// Path name helpers.
#include "common/FileNames.h"

namespace vestra {

std::u16string FileNameOf(std::u16string_view path, bool withExt) {
    std::size_t slash = path.rfind(u'\\');
    std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    if (!withExt) {
        std::size_t dot = name.rfind(u'.');
        if (dot != std::u16string_view::npos)
            name = name.substr(0, dot);
    }
    return std::u16string(name);
}

std::u16string FileExtOf(std::u16string_view path) {
    std::u16string name = FileNameOf(path, true);
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string FolderOf(std::u16string_view path) {
    std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string_view::npos ? std::u16string()
                                              : std::u16string(path.substr(0, slash + 1));
}

}  // namespace vestra
