// File routines over the platform seam.
#include "scanner/FileRoutines.h"

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra {
namespace {

using platform::Disposition;
using platform::FileAccess;
using platform::OsError;

// More numbered names than any folder holds; the loop stops there rather than run forever.
constexpr int kMaxNumberedNames = 100000;

std::u16string WithTrailingBackslash(std::u16string_view path) {
    std::u16string text(path);
    if (text.size() >= 2 && text.back() != u'\\')
        text += u'\\';
    return text;
}

}  // namespace

bool DeletePath(platform::FileSystem& files, std::u16string_view path) {
    std::uint32_t before = files.GetAttributes(path);
    if (before == platform::attr::kInvalid)
        return false;
    bool folder = (before & platform::attr::kDirectory) != 0;
    files.SetAttributes(path, platform::attr::kNormal);
    OsError e = folder ? files.RemoveFolder(path) : files.Delete(path);
    if (e == OsError::None)
        return true;
    // A file that stays keeps its read-only, hidden or system marks.
    files.SetAttributes(path, before & ~platform::attr::kDirectory);
    return false;
}

bool PathVanished(platform::FileSystem& files, std::u16string_view path) {
    if (files.Exists(path))
        return false;
    auto probe =
        files.Open(path, FileAccess::Read, platform::share::kAll, Disposition::OpenExisting);
    return !probe &&
           (probe.error() == OsError::FileNotFound || probe.error() == OsError::PathNotFound);
}

std::u16string NumberedName(std::u16string_view path, int n) {
    if (n <= 1)
        return std::u16string(path);
    std::u16string suffix = u" (" + ToText(n) + u")";
    std::size_t slash = path.rfind(u'\\');
    std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
        return std::u16string(path) + suffix;
    return std::u16string(path.substr(0, dot)) + suffix + std::u16string(path.substr(dot));
}

std::u16string UniqueFileName(platform::FileSystem& files, std::u16string_view path) {
    for (int n = 1; n < kMaxNumberedNames; ++n) {
        std::u16string candidate = NumberedName(path, n);
        if (!files.Exists(candidate))
            return candidate;
    }
    return NumberedName(path, kMaxNumberedNames);
}

std::vector<std::uint8_t> ReadFileBytes(platform::FileSystem& files, std::u16string_view path,
                                        std::size_t limit) {
    auto handle =
        files.Open(path, FileAccess::Read, platform::share::kRead, Disposition::OpenExisting);
    if (!handle)
        return {};
    auto size = (*handle)->Size();
    if (!size)
        return {};
    std::uint64_t want = *size;
    if (limit >= 1 && want > limit)
        want = limit;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(want));
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto got = (*handle)->Read(std::span<std::uint8_t>(bytes).subspan(done));
        if (!got || *got == 0)
            return {};
        done += *got;
    }
    return bytes;
}

OsError WriteNewFile(platform::FileSystem& files, std::u16string_view path,
                     std::span<const std::uint8_t> bytes) {
    OsError error = OsError::None;
    {
        auto handle =
            files.Open(path, FileAccess::Write, platform::share::kNone, Disposition::CreateNew);
        if (!handle)
            return handle.error();
        error = (*handle)->Write(bytes);
        if (error == OsError::None) {
            auto size = (*handle)->Size();
            if (!size)
                error = size.error();
            else if (*size != bytes.size())
                error = OsError::Other;
        }
    }
    // Closed before the delete, so the partial file can go.
    if (error != OsError::None)
        files.Delete(path);
    return error;
}

std::u16string WriteUniqueFile(platform::FileSystem& files, std::u16string_view path,
                               std::span<const std::uint8_t> bytes) {
    for (int n = 1; n < kMaxNumberedNames; ++n) {
        std::u16string candidate = NumberedName(path, n);
        OsError e = WriteNewFile(files, candidate, bytes);
        if (e == OsError::None)
            return candidate;
        // Taken by a file, or by a folder of that name: the next number. Anything else ends it.
        bool taken = e == OsError::AlreadyExists ||
                     (e == OsError::AccessDenied && files.IsFolder(candidate));
        if (!taken)
            return {};
    }
    return {};
}

bool WriteFileBytes(platform::FileSystem& files, std::u16string_view path,
                    std::span<const std::uint8_t> bytes) {
    if (files.Exists(path) && !DeletePath(files, path))
        return false;
    return WriteNewFile(files, path, bytes) == OsError::None;
}

bool WriteFileBytes(platform::FileSystem& files, std::u16string_view path, std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return WriteFileBytes(files, path, std::span<const std::uint8_t>(data, bytes.size()));
}

bool MakeFolder(platform::FileSystem& files, std::u16string_view path) {
    return files.CreateFolder(path) == OsError::None;
}

void MakePath(platform::FileSystem& files, std::u16string_view path) {
    if (path.size() < 4)
        return;
    for (std::size_t i = 3; i < path.size(); ++i) {
        if (path[i] != u'\\')
            continue;
        std::u16string_view prefix = path.substr(0, i + 1);
        if (!files.Exists(prefix))
            files.CreateFolder(prefix.substr(0, i));
    }
}

bool ExplorePath(const ExploreSeams& seams, std::u16string_view path) {
    std::u16string part(path);
    while (!part.empty() && !seams.files.Exists(part)) {
        if (part.back() == u'\\')
            part.pop_back();
        std::size_t slash = part.rfind(u'\\');
        part = slash == std::u16string::npos ? std::u16string() : part.substr(0, slash + 1);
    }
    if (part.empty()) {
        seams.windows.MessageBox(u"Couldn't find the file/folder", u"Error",
                                 platform::mb::kOk | platform::mb::kIconCritical);
        return false;
    }
    platform::ShellRequest request;
    if (seams.files.IsFolder(part)) {
        request.verb = u"explore";
        request.file = WithTrailingBackslash(part);
    } else {
        request.verb = u"open";
        request.file = u"Explorer.exe";
        request.parameters = u"/Select, \"" + part + u"\"";
    }
    return seams.shell.Execute(request) > 32;
}

std::array<std::u16string, 12> GetVersionStrings(platform::VersionInfo& versions,
                                                 std::u16string_view path) {
    std::array<std::u16string, 12> strings{};
    auto table = versions.Query(path);
    if (!table)
        return strings;
    for (std::size_t i = 0; i < kVersionStringNames.size(); ++i) {
        auto found = table->find(std::u16string(kVersionStringNames[i]));
        if (found != table->end())
            strings[i] = TextBeforeNul(found->second, false);
    }
    return strings;
}

std::u16string FileSizeText(platform::FileSystem& files, std::u16string_view path, int unit,
                            bool showUnit) {
    auto handle =
        files.Open(path, FileAccess::Read, platform::share::kRead, Disposition::OpenExisting);
    if (!handle)
        return u"N/A";
    auto size = (*handle)->Size();
    if (!size)
        return u"N/A";
    constexpr std::u16string_view kNames[] = {u"Byte", u"KB", u"MB", u"GB"};
    int index = unit >= kUnitByte && unit <= kUnitGB ? unit - 1 : 0;
    std::uint64_t value = *size & 0xFFFFFFFFu;
    std::uint64_t divisor = std::uint64_t{1} << (10 * index);
    std::uint64_t quotient = value / divisor, rest = value % divisor;
    if (rest * 2 > divisor || (rest * 2 == divisor && (quotient & 1) != 0))
        ++quotient;
    std::u16string text = ToText(static_cast<std::int64_t>(quotient));
    if (showUnit)
        text += u" " + std::u16string(kNames[index]);
    return text;
}

std::u16string CenterText(std::u16string_view text, std::size_t width) {
    if (text.size() >= width)
        return std::u16string(text);
    std::size_t shortfall = width - text.size();
    std::size_t left = shortfall / 2;
    return std::u16string(left, u' ') + std::u16string(text) +
           std::u16string(shortfall - left, u' ');
}

}  // namespace vestra
