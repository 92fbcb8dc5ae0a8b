// Shell link parsing. Every read is bounds-checked: a link is attacker-made input.
#include "scanner/ShellLink.h"

#include <array>
#include <vector>

#include "common/TextLists.h"

namespace vestra {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<std::uint8_t, 16> kLinkClsid = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

namespace flag {
constexpr std::uint32_t kHasIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kHasName = 0x4;
constexpr std::uint32_t kHasRelativePath = 0x8;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;
}  // namespace flag

constexpr std::uint32_t kLinkInfoHasLocalPath = 0x1;
constexpr std::uint32_t kLinkInfoUnicodeHeader = 0x24;
constexpr std::uint32_t kLongNameBlock = 0xBEEF0004;

// A bounded view with little-endian reads; out-of-range reads answer nullopt.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
    std::size_t size() const { return data_.size(); }

    std::optional<std::uint32_t> U16(std::size_t at) const {
        if (at + 2 > data_.size())
            return std::nullopt;
        return static_cast<std::uint32_t>(data_[at] | (data_[at + 1] << 8));
    }
    std::optional<std::uint32_t> U32(std::size_t at) const {
        if (at + 4 > data_.size())
            return std::nullopt;
        return static_cast<std::uint32_t>(data_[at]) | (std::uint32_t{data_[at + 1]} << 8) |
               (std::uint32_t{data_[at + 2]} << 16) | (std::uint32_t{data_[at + 3]} << 24);
    }
    Bytes Sub(std::size_t at, std::size_t length) const {
        if (at > data_.size())
            return Bytes({});
        return Bytes(data_.subspan(at, std::min(length, data_.size() - at)));
    }
    // A NUL-terminated string from `at` to the NUL or the end of the view; one byte a character
    // (ANSI is widened as Latin-1, which keeps every path character the scanner looks for).
    std::u16string Ansi(std::size_t at) const {
        std::u16string out;
        for (std::size_t i = at; i < data_.size() && data_[i] != 0; ++i)
            out.push_back(data_[i]);
        return out;
    }
    std::u16string Utf16(std::size_t at) const {
        std::u16string out;
        for (std::size_t i = at; i + 1 < data_.size(); i += 2) {
            char16_t c = static_cast<char16_t>(data_[i] | (data_[i + 1] << 8));
            if (c == 0)
                break;
            out.push_back(c);
        }
        return out;
    }
    // Counted strings of the string-data section.
    std::optional<std::u16string> Counted(std::size_t at, std::size_t count, bool unicode) const {
        std::size_t bytes = unicode ? count * 2 : count;
        if (at + bytes > data_.size())
            return std::nullopt;
        std::u16string out;
        for (std::size_t i = 0; i < count; ++i) {
            out.push_back(
                unicode ? static_cast<char16_t>(data_[at + 2 * i] | (data_[at + 2 * i + 1] << 8))
                        : static_cast<char16_t>(data_[at + i]));
        }
        return out;
    }

private:
    std::span<const std::uint8_t> data_;
};

void AppendComponent(std::u16string& path, std::u16string_view name) {
    if (name.empty())
        return;
    if (!path.empty() && path.back() != u'\\')
        path.push_back(u'\\');
    path.append(name);
}

// The long name of a file-system item, from its 0xBEEF0004 extension block; empty when the
// item carries none. The block layout grew over versions: 3 (XP), 7 (Vista), 8 (7), 9 (8+).
std::u16string LongNameOf(const Bytes& item) {
    auto first = item.U16(item.size() - 2);
    if (!first || *first < 4 || *first + 8 > item.size())
        return {};
    Bytes block = item.Sub(*first, item.size() - *first);
    auto size = block.U16(0);
    auto version = block.U16(2);
    auto signature = block.U32(4);
    if (!size || !version || !signature || *signature != kLongNameBlock || *version < 3)
        return {};
    std::size_t at = *version >= 7 ? 38 : 20;
    if (*version >= 8)
        at += 4;
    if (*version >= 9)
        at += 4;
    return block.Sub(0, *size).Utf16(at);
}

// Items of the target's ID list that spell a path: the volume ("C:\") and the folders and file
// below it. Items before the volume (the computer's own item) add nothing.
std::u16string IdListPath(const Bytes& list) {
    std::u16string path;
    bool onVolume = false;
    std::size_t at = 0;
    while (auto size = list.U16(at)) {
        if (*size == 0)
            break;
        if (*size < 3 || at + *size > list.size())
            break;
        Bytes item = list.Sub(at, *size);
        std::uint8_t type = static_cast<std::uint8_t>(item.U16(2).value_or(0) & 0xFF);
        if ((type & 0x70) == 0x20) {
            // Volume items spell their root ("C:\"); other items of this group hold a GUID.
            std::u16string root = item.Ansi(3);
            if (root.size() >= 2 && root[1] == u':') {
                path = std::move(root);
                onVolume = true;
            }
        } else if ((type & 0x70) == 0x30 && onVolume) {
            constexpr std::size_t kPrimaryName = 14;
            std::u16string name = LongNameOf(item);
            if (name.empty())
                name = (type & 0x04) ? item.Utf16(kPrimaryName) : item.Ansi(kPrimaryName);
            AppendComponent(path, name);
        }
        at += *size;
    }
    return onVolume ? path : std::u16string();
}

std::u16string LocalPathOf(const Bytes& info) {
    auto headerSize = info.U32(4);
    auto infoFlags = info.U32(8);
    if (!headerSize || !infoFlags || (*infoFlags & kLinkInfoHasLocalPath) == 0)
        return {};
    auto base = info.U32(16);
    auto suffix = info.U32(24);
    std::u16string path;
    if (*headerSize >= kLinkInfoUnicodeHeader) {
        auto baseW = info.U32(28);
        auto suffixW = info.U32(32);
        if (baseW && *baseW != 0)
            path = info.Utf16(*baseW);
        if (suffixW && *suffixW != 0 && !path.empty())
            return path + info.Utf16(*suffixW);
    }
    if (path.empty() && base)
        path = info.Ansi(*base);
    if (suffix && *suffix != 0)
        path += info.Ansi(*suffix);
    return path;
}

bool IsLinkHeader(std::span<const std::uint8_t> bytes) {
    Bytes b(bytes);
    if (b.U32(0) != kHeaderSize)
        return false;
    for (std::size_t i = 0; i < kLinkClsid.size(); ++i) {
        if (bytes[4 + i] != kLinkClsid[i])
            return false;
    }
    return true;
}

// The counted strings in their fixed order, each present only when its flag is set.
void ReadStringData(const Bytes& b, std::size_t at, std::uint32_t flags, ShellLink& link) {
    const std::pair<std::uint32_t, std::u16string*> fields[] = {
        {flag::kHasName, &link.name},
        {flag::kHasRelativePath, &link.relativePath},
        {flag::kHasWorkingDir, &link.workingDir},
        {flag::kHasArguments, &link.arguments},
        {flag::kHasIconLocation, &link.iconLocation}};
    bool unicode = (flags & flag::kIsUnicode) != 0;
    for (const auto& [bit, field] : fields) {
        if ((flags & bit) == 0)
            continue;
        auto count = b.U16(at);
        if (!count)
            return;
        auto text = b.Counted(at + 2, *count, unicode);
        if (!text)
            return;
        *field = std::move(*text);
        at += 2 + (unicode ? *count * 2 : *count);
    }
}

// Folder + relative path with "." and ".." steps taken, so the result names the file directly.
std::u16string Resolve(std::u16string_view folder, std::u16string_view relative) {
    std::u16string joined = std::u16string(folder) + std::u16string(relative);
    std::vector<std::u16string_view> parts;
    std::u16string_view rest = joined;
    while (!rest.empty()) {
        std::size_t slash = rest.find(u'\\');
        std::u16string_view part = rest.substr(0, slash);
        rest = slash == std::u16string_view::npos ? std::u16string_view() : rest.substr(slash + 1);
        if (part == u".")
            continue;
        if (part == u".." && parts.size() > 1) {
            parts.pop_back();
            continue;
        }
        if (part == u"..")
            continue;
        parts.push_back(part);
    }
    std::u16string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.push_back(u'\\');
        out.append(parts[i]);
    }
    return out;
}

}  // namespace

std::optional<ShellLink> ParseShellLink(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize || !IsLinkHeader(bytes))
        return std::nullopt;
    Bytes b(bytes);
    std::uint32_t flags = b.U32(0x14).value_or(0);
    ShellLink link;
    std::size_t at = kHeaderSize;
    if (flags & flag::kHasIdList) {
        auto listSize = b.U16(at);
        if (!listSize)
            return link;
        link.idListPath = IdListPath(b.Sub(at + 2, *listSize));
        at += 2 + *listSize;
    }
    if (flags & flag::kHasLinkInfo) {
        auto infoSize = b.U32(at);
        if (!infoSize || *infoSize < 4 || at + *infoSize > b.size())
            return link;
        if ((flags & flag::kForceNoLinkInfo) == 0)
            link.localBasePath = LocalPathOf(b.Sub(at, *infoSize));
        at += *infoSize;
    }
    ReadStringData(b, at, flags, link);
    return link;
}

std::u16string LinkTargetText(const ShellLink& link, std::u16string_view linkFolder) {
    std::u16string text;
    auto add = [&text](std::u16string_view part) {
        if (!part.empty())
            AppendToList(text, part);
    };
    add(link.localBasePath);
    add(link.idListPath);
    if (!link.relativePath.empty()) {
        std::u16string_view relative = link.relativePath;
        if (relative.size() >= 2 && relative[1] == u':') {
            add(relative);
        } else {
            add(Resolve(linkFolder, relative));
        }
    }
    add(link.workingDir);
    add(link.arguments);
    return text;
}

}  // namespace vestra
