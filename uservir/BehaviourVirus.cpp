// The "vrs" request.
#include "uservir/BehaviourVirus.h"

#include "platform/Text.h"

namespace vestra::uservir {

std::optional<std::u16string> VrsRequestPath(std::u16string_view commandWord) {
    constexpr std::u16string_view kVrs = u"vrs";
    if (commandWord.size() <= kVrs.size() || !commandWord.starts_with(kVrs))
        return std::nullopt;
    std::u16string path = Trim(commandWord.substr(kVrs.size()));
    // A path with blanks may arrive quoted; the quotes are not part of the file's name.
    if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"')
        path = Trim(std::u16string_view(path).substr(1, path.size() - 2));
    return path;
}

bool AddBehaviourVirus(Engine& engine, std::u16string_view path) {
    if (path.empty())
        return false;
    return engine.AddUserSignature(path, kBehaviourVirusName);
}

}  // namespace vestra::uservir
