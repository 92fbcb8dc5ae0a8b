// Loading, adding and removing exception entries, and the folder test of the walk.
#include "config/ExceptionList.h"

#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra::config {
namespace {

using platform::Hive;

constexpr std::array<std::u16string_view, kExceptionKinds.size()> kPrefixes = {u"Dir", u"Fil",
                                                                               u"Reg"};
constexpr std::array<std::u16string_view, kExceptionKinds.size()> kWords = {u"Folder", u"File",
                                                                            u"Registry"};
// A key holding this many entries of one kind is not a list anybody keeps; stop looking.
constexpr int kMaxCounter = 100000;

// A kind's place in the lists; kExceptionKinds.size() for a value cast from a stray number.
std::size_t Slot(ExceptionKind kind) {
    auto slot = static_cast<std::size_t>(kind);
    return slot < kExceptionKinds.size() ? slot : kExceptionKinds.size();
}
bool IsKind(ExceptionKind kind) {
    return Slot(kind) < kExceptionKinds.size();
}

// A lone backslash stays: an empty entry would vanish from the split list and shift the names
// that pair with the paths by position.
std::u16string WithoutTrailingBackslash(std::u16string_view path) {
    if (path.size() > 1 && path.ends_with(u'\\'))
        path.remove_suffix(1);
    return std::u16string(path);
}

std::optional<ExceptionKind> KindOfName(std::u16string_view name) {
    std::u16string start = LowerCase(name.substr(0, 3));
    for (ExceptionKind kind : kExceptionKinds) {
        if (start == LowerCase(kPrefixes[Slot(kind)]))
            return kind;
    }
    return std::nullopt;
}

}  // namespace

std::u16string_view ExceptionPrefix(ExceptionKind kind) {
    return IsKind(kind) ? kPrefixes[Slot(kind)] : u"";
}
std::u16string_view ExceptionKindWord(ExceptionKind kind) {
    return IsKind(kind) ? kWords[Slot(kind)] : u"";
}

std::optional<ExceptionKind> ExceptionKindOfPath(platform::FileSystem& files,
                                                 std::u16string_view path) {
    if (path.empty() || !files.Exists(path))
        return std::nullopt;
    return files.IsFolder(path) ? ExceptionKind::Folder : ExceptionKind::File;
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
        if (*kind == ExceptionKind::Folder) {
            if (!files_.IsFolder(data))
                continue;
            AddLoaded(*kind, name, WithoutTrailingBackslash(data));
        } else if (*kind == ExceptionKind::File) {
            if (!files_.Exists(data) || files_.IsFolder(data))
                continue;
            AddLoaded(*kind, name, data);
        } else {
            AddLoaded(*kind, name, data);
        }
    }
}

void ExceptionList::AddLoaded(ExceptionKind kind, std::u16string_view name,
                              std::u16string_view path) {
    AppendToList(paths_[Slot(kind)], path);
    AppendToList(names_[Slot(kind)], name);
}

const std::u16string& ExceptionList::ExceptionPaths(ExceptionKind kind) const {
    static const std::u16string kNone;
    return IsKind(kind) ? paths_[Slot(kind)] : kNone;
}

const std::u16string& ExceptionList::ExceptionNames(ExceptionKind kind) const {
    static const std::u16string kNone;
    return IsKind(kind) ? names_[Slot(kind)] : kNone;
}

std::u16string ExceptionList::AddException(ExceptionKind kind, std::u16string_view path) {
    if (!IsKind(kind) || path.empty())
        return {};
    if (InList(paths_[Slot(kind)], path))
        return {};
    if (!registry_.RegKeyExists(Hive::CurrentUser, key_)) {
        registry_.RegMakeKey(Hive::CurrentUser, key_);
    }
    for (int counter = 0; counter < kMaxCounter; ++counter) {
        std::u16string name = std::u16string(kPrefixes[Slot(kind)]) + ToText(counter);
        platform::OsError taken =
            registry_.registry().QueryValue(Hive::CurrentUser, key_, name).error();
        if (taken == platform::OsError::None)
            continue;
        // Only a name the registry reports absent is free: after a query that failed otherwise,
        // a write could overwrite the entry stored under it.
        if (taken != platform::OsError::FileNotFound && taken != platform::OsError::PathNotFound)
            return {};
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
    const std::u16string& folders = paths_[Slot(ExceptionKind::Folder)];
    if (folders.empty())
        return false;
    std::u16string wanted = WithoutTrailingBackslash(folder);
    for (std::u16string_view entry : SplitList(folders)) {
        if (EqualsNoCase(entry, wanted))
            return true;
    }
    return false;
}

}  // namespace vestra::config
