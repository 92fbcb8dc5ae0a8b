// Loading, adding and removing exception entries, and the folder test of the walk.
#include "config/ExceptionList.h"

#include "platform/Text.h"
#include "scanner/TextLists.h"

namespace vestra::config {
namespace {

using platform::Hive;

constexpr std::array<std::u16string_view, kExceptionKinds> kPrefixes = {u"Dir", u"Fil", u"Reg"};
constexpr std::array<std::u16string_view, kExceptionKinds> kWords = {u"Folder", u"File",
                                                                     u"Registry"};
// A key holding this many entries of one kind is not a list anybody keeps; stop looking.
constexpr int kMaxCounter = 100000;

bool IsKind(int kind) {
    return kind >= 0 && kind < kExceptionKinds;
}

std::u16string WithoutTrailingBackslash(std::u16string_view path) {
    if (path.ends_with(u'\\'))
        path.remove_suffix(1);
    return std::u16string(path);
}

std::optional<int> KindOfName(std::u16string_view name) {
    std::u16string start = LowerCase(name.substr(0, 3));
    for (int kind = 0; kind < kExceptionKinds; ++kind) {
        if (start == LowerCase(kPrefixes[kind]))
            return kind;
    }
    return std::nullopt;
}

}  // namespace

std::u16string_view ExceptionPrefix(int kind) {
    return IsKind(kind) ? kPrefixes[kind] : u"";
}
std::u16string_view ExceptionKindWord(int kind) {
    return IsKind(kind) ? kWords[kind] : u"";
}

std::optional<int> ExceptionKindOfPath(platform::FileSystem& files, std::u16string_view path) {
    if (path.empty() || !files.Exists(path))
        return std::nullopt;
    return files.IsFolder(path) ? kExceptionFolder : kExceptionFile;
}

void ExceptionList::LoadExceptions() {
    for (auto& list : paths_)
        list.clear();
    for (auto& list : names_)
        list.clear();
    for (const std::u16string& name : registry_.RegValueNames(Hive::CurrentUser, key_)) {
        std::u16string data = registry_.RegReadString(Hive::CurrentUser, key_, name);
        if (data.empty() || data == registry::kMissingText)
            continue;
        auto kind = KindOfName(name);
        if (!kind)
            continue;
        if (*kind == kExceptionFolder) {
            if (!files_.IsFolder(data))
                continue;
            AddLoaded(*kind, name, WithoutTrailingBackslash(data));
        } else if (*kind == kExceptionFile) {
            if (!files_.Exists(data) || files_.IsFolder(data))
                continue;
            AddLoaded(*kind, name, data);
        } else {
            AddLoaded(*kind, name, data);
        }
    }
}

void ExceptionList::AddLoaded(int kind, std::u16string_view name, std::u16string_view path) {
    AppendToList(paths_[kind], path);
    AppendToList(names_[kind], name);
}

const std::u16string& ExceptionList::ExceptionPaths(int kind) const {
    static const std::u16string kNone;
    return IsKind(kind) ? paths_[kind] : kNone;
}

const std::u16string& ExceptionList::ExceptionNames(int kind) const {
    static const std::u16string kNone;
    return IsKind(kind) ? names_[kind] : kNone;
}

std::u16string ExceptionList::AddException(int kind, std::u16string_view path) {
    if (!IsKind(kind) || path.empty())
        return {};
    if (InList(paths_[kind], path))
        return {};
    if (!registry_.RegKeyExists(Hive::CurrentUser, key_)) {
        registry_.RegMakeKey(Hive::CurrentUser, key_);
    }
    for (int counter = 0; counter < kMaxCounter; ++counter) {
        std::u16string name = std::u16string(kPrefixes[kind]) + ToText(counter);
        if (registry_.RegValueExists(Hive::CurrentUser, key_, name))
            continue;
        int written =
            registry_.RegWriteValue(Hive::CurrentUser, key_, name, path, platform::regtype::kSz);
        return written == registry::kDone ? name : std::u16string();
    }
    return {};
}

bool ExceptionList::RemoveException(std::u16string_view valueName) {
    if (valueName.empty())
        return false;  // never the key's unnamed value
    return registry_.registry().DeleteValue(Hive::CurrentUser, key_, valueName) ==
           platform::OsError::None;
}

bool ExceptionList::IsExcludedFolder(std::u16string_view folder) const {
    const std::u16string& folders = paths_[kExceptionFolder];
    if (folders.empty())
        return false;
    std::u16string wanted = WithoutTrailingBackslash(folder);
    std::u16string_view rest = folders;
    for (;;) {
        std::size_t bar = rest.find(u'|');
        if (EqualsNoCase(rest.substr(0, bar), wanted))
            return true;
        if (bar == std::u16string_view::npos)
            return false;
        rest.remove_prefix(bar + 1);
    }
}

}  // namespace vestra::config
