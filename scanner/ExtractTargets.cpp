// Target extraction from shortcut, task and autorun texts.
#include "scanner/ExtractTargets.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/ShellLink.h"

namespace vestra {
namespace {

constexpr std::u16string_view kClimbToRoot = u"..\\..\\..\\..\\..\\";
// A link's string data follows its item list and link information; what lies past this is not
// read as link data.
constexpr std::size_t kLinkReadLimit = 64 * 1024;

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    for (std::size_t at = text.find(from); at != std::u16string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// No name the shell starts is longer than a classic path. Bounding the names also bounds the
// work on a crafted half-megabyte text, which otherwise grows with the square of its length.
constexpr std::size_t kMaxReferenceLength = 260;

// The name from the drive letter before the last ":\" in front of the dot at `dot` up to `end`;
// empty when no ":\" with a letter before it comes first, or when the name would be too long.
std::u16string_view FromDriveLetter(std::u16string_view text, std::size_t dot, std::size_t end,
                                    const std::vector<std::size_t>& markers) {
    auto next = std::lower_bound(markers.begin(), markers.end(), dot);
    if (next == markers.begin())
        return {};
    std::size_t marker = *std::prev(next);
    if (marker == 0 || end - (marker - 1) > kMaxReferenceLength)
        return {};
    return text.substr(marker - 1, end - (marker - 1));
}

bool IsReferenceBreak(char16_t c) {
    return c == u' ' || c == u'\t' || c == u',' || c == u';';
}
bool IsQuoteOrEquals(char16_t c) {
    return c == u'"' || c == u'\'' || c == u'=';
}

}  // namespace

std::vector<std::uint8_t> ReadFileHead(platform::FileSystem& files, std::u16string_view path,
                                       std::size_t limit) {
    auto handle = files.Open(path, platform::FileAccess::Read, platform::share::kAll,
                             platform::Disposition::OpenExisting);
    if (!handle)
        return {};
    auto size = (*handle)->Size();
    std::vector<std::uint8_t> bytes(size ? std::min<std::uint64_t>(*size, limit) : limit);
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        auto read = (*handle)->Read(std::span(bytes).subspan(filled));
        if (!read || *read == 0)
            break;
        filled += *read;
    }
    bytes.resize(filled);
    return bytes;
}

std::u16string ReadTargetText(platform::FileSystem& files, std::u16string_view path) {
    return TargetTextOf(ReadFileHead(files, path, kTargetTextLimit));
}

std::u16string TargetTextOf(std::span<const std::uint8_t> bytes) {
    std::u16string text(bytes.begin(), bytes.end());
    if (std::find(bytes.begin(), bytes.end(), 0) == bytes.end())
        return text;
    text.push_back(u'|');
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return text;
}

// One listing per component: long-path lookups keep the caller's case on some systems.
std::u16string StoredSpelling(platform::FileSystem& files, std::u16string_view path) {
    if (path.size() < 3 || path[1] != u':' || path[2] != u'\\')
        return std::u16string(path);
    std::u16string spelled = {UpperChar(path[0]), u':', u'\\'};
    std::size_t at = 3;
    while (at < path.size()) {
        std::size_t end = std::min(path.find(u'\\', at), path.size());
        std::u16string_view part = path.substr(at, end - at);
        auto entries = files.Find(spelled + std::u16string(part));
        bool found = entries && entries->size() == 1;
        spelled += found ? entries->front().name : std::u16string(part);
        if (end < path.size())
            spelled += u'\\';
        at = end + 1;
    }
    return spelled;
}

std::u16string TargetExtractor::ShortcutTargets(std::u16string_view path) {
    if (auto link = ParseShellLink(ReadFileHead(files_, path, kLinkReadLimit))) {
        std::u16string content = LinkTargetText(*link, FolderOf(path));
        if (!Trim(content).empty()) {
            std::u16string targets = ExtractTargets(path, kDriveMarker, content);
            if (!targets.empty())
                return targets;
        }
    }
    return ExtractTargets(path, kDriveMarker, u"");
}

std::u16string TargetExtractor::ExtractTargets(std::u16string_view file, std::u16string_view marker,
                                               std::u16string_view content) {
    if (marker != kDriveMarker && marker != kEqualsMarker)
        return {};
    std::u16string text =
        Trim(content).empty() ? ReadTargetText(files_, file) : std::u16string(content);
    if (text.find(u'.') == std::u16string::npos)
        return {};
    if (marker == kDriveMarker)
        return DriveMarkerTargets(std::move(text));
    return EqualsMarkerTargets(file, LowerCase(text));
}

// Texts run to half a megabyte: the dots and drive markers are found once, and only the names
// they delimit are lower-cased.
std::u16string TargetExtractor::DriveMarkerTargets(std::u16string text) {
    ReplaceAll(text, kClimbToRoot, systemRoot_);
    std::vector<std::size_t> markers, dots;
    for (std::size_t at = text.find(kDriveMarker); at != std::u16string::npos;
         at = text.find(kDriveMarker, at + 1)) {
        markers.push_back(at);
    }
    std::u16string result;
    if (markers.empty())
        return result;
    for (std::size_t at = text.find(u'.', markers.front()); at != std::u16string::npos;
         at = text.find(u'.', at + 1)) {
        dots.push_back(at);
    }
    auto extensionAt = [&text](std::size_t dot, std::u16string_view extension) {
        if (dot + 1 + extension.size() > text.size())
            return false;
        for (std::size_t k = 0; k < extension.size(); ++k) {
            if (LowerChar(text[dot + 1 + k]) != extension[k])
                return false;
        }
        return true;
    };
    for (std::u16string_view extension : SplitList(kTargetExtensions)) {
        for (std::size_t dot : dots) {
            if (!extensionAt(dot, extension))
                continue;
            std::u16string path =
                LowerCase(FromDriveLetter(text, dot, dot + 1 + extension.size(), markers));
            if (path.empty() || InList(result, path) || !IsFile(path))
                continue;
            AppendToList(result, path);
        }
    }
    return result;
}

std::u16string TargetExtractor::EqualsMarkerTargets(std::u16string_view file,
                                                    std::u16string_view text) {
    std::u16string folder = LowerCase(FolderOf(file));
    std::u16string result;
    auto consider = [&](std::u16string_view reference) {
        std::u16string path;
        if (std::size_t drive = reference.rfind(kDriveMarker);
            drive != std::u16string_view::npos && drive > 0) {
            path = reference.substr(drive - 1);
        } else if (reference.starts_with(u'\\')) {
            path = folder.substr(0, std::min<std::size_t>(2, folder.size())) +
                   std::u16string(reference);
        } else {
            if (reference.starts_with(u".\\"))
                reference.remove_prefix(2);
            path = folder + std::u16string(reference);
        }
        if (!IsFile(path))
            return false;
        if (!InList(result, path))
            AppendToList(result, path);
        return true;
    };
    for (std::size_t lineStart = 0; lineStart < text.size();) {
        std::size_t lineEnd = std::min(text.find_first_of(u"\r\n", lineStart), text.size());
        std::u16string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos)
            continue;
        std::u16string_view value = line.substr(equals + 1);
        for (std::u16string_view extension : SplitList(kTargetExtensions)) {
            std::u16string dotted(1, u'.');
            dotted += extension;
            for (std::size_t at = value.find(dotted); at != std::u16string_view::npos;
                 at = value.find(dotted, at + 1)) {
                std::size_t end = at + dotted.size();
                const std::size_t floor = at > kMaxReferenceLength ? at - kMaxReferenceLength : 0;
                std::size_t low = floor;
                for (std::size_t i = at; i > floor; --i) {
                    if (IsQuoteOrEquals(value[i - 1])) {
                        low = i;
                        break;
                    }
                }
                // A reference may hold blanks; the shortest reading that exists wins.
                for (std::size_t start = at; start-- > low;) {
                    if (start != low && !IsReferenceBreak(value[start - 1]))
                        continue;
                    if (consider(Trim(value.substr(start, end - start))))
                        break;
                }
            }
        }
    }
    return result;
}

bool TargetExtractor::IsFile(std::u16string_view path) {
    std::uint32_t attributes = files_.GetAttributes(path);
    return attributes != platform::attr::kInvalid && (attributes & platform::attr::kDirectory) == 0;
}

}  // namespace vestra
