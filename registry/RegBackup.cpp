// Writing registry contents in the import format of the registry editor.
#include "registry/RegBackup.h"

#include <vector>

#include "platform/Text.h"

namespace vestra::registry {
namespace {

constexpr std::u16string_view kNewLine = u"\r\n";
constexpr std::size_t kWrapColumn = 76;
constexpr int kMaxDepth = 64;

std::u16string Quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    return out + u"\"";
}

std::u16string HexByte(std::uint8_t byte) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

// The data is a text without a zero inside, with or without its closing zero. Importing writes
// such a text back with its closing zero, which every reader of the value cuts off anyway; data
// with zeros inside or an odd length is written as bytes.
bool IsPlainText(const platform::RegValue& value) {
    std::size_t size = value.data.size();
    if (size % 2 != 0)
        return false;
    if (size >= 2 && value.data[size - 1] == 0 && value.data[size - 2] == 0)
        size -= 2;
    for (std::size_t i = 0; i < size; i += 2) {
        if (value.data[i] == 0 && value.data[i + 1] == 0)
            return false;
    }
    return true;
}

std::u16string HexData(std::u16string prefix, const std::vector<std::uint8_t>& data) {
    std::u16string out = prefix;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        out += HexByte(data[i]);
        if (i + 1 == data.size())
            break;
        out += u',';
        if (out.size() - lineStart >= kWrapColumn) {
            out += u"\\\r\n  ";
            lineStart = out.size() - 2;
        }
    }
    return out;
}

// "[key]", or "[-key]" for a key that importing removes. Built by appending: GCC 12 warns
// falsely about a literal added in front of a temporary string.
std::u16string KeyHeader(Hive hive, std::u16string_view key, bool removal) {
    std::u16string text(removal ? u"[-" : u"[");
    text += RegPathText(hive, key, u"", true);
    text += u']';
    return text;
}

}  // namespace

std::u16string RegFileValueLine(std::u16string_view name, const platform::RegValue* value) {
    std::u16string line = name.empty() ? u"@" : Quoted(name);
    line += u'=';
    if (!value)
        return line + u"-";
    using namespace platform::regtype;
    if (value->type == kSz && IsPlainText(*value))
        return line + Quoted(platform::ValueText(*value));
    if (value->type == kDword && value->data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | value->data[static_cast<std::size_t>(i)];
        std::u16string hex = LowerCase(ToHex(number));
        return line + u"dword:" + std::u16string(8 - hex.size(), u'0') + hex;
    }
    std::u16string prefix =
        value->type == kBinary ? u"hex:" : u"hex(" + LowerCase(ToHex(value->type)) + u"):";
    return HexData(line + prefix, value->data);
}

bool RegBackup::SaveValue(Hive hive, std::u16string_view key, std::u16string_view name) {
    if (UnderMadeKey(hive, key))
        return true;
    auto value = registry_.QueryValue(hive, key, name);
    std::u16string text = KeyHeader(hive, key, false);
    text += kNewLine;
    text += RegFileValueLine(name, value.ok() ? &*value : nullptr);
    text += kNewLine;
    text += kNewLine;
    return Append(text);
}

bool RegBackup::UnderMadeKey(Hive hive, std::u16string_view key) const {
    const std::u16string lower = LowerCase(key);
    for (const auto& [madeHive, made] : madeKeys_) {
        if (madeHive == hive && lower.starts_with(made) &&
            (lower.size() == made.size() || lower[made.size()] == u'\\'))
            return true;
    }
    return false;
}

bool RegBackup::SaveMissingKey(Hive hive, std::u16string_view key) {
    if (UnderMadeKey(hive, key))
        return true;
    // Creating a key creates every missing key on its way; the highest of them goes.
    std::u16string_view top = key;
    for (;;) {
        const std::size_t slash = top.rfind(u'\\');
        if (slash == std::u16string_view::npos || slash == 0)
            break;
        const std::u16string_view parent = top.substr(0, slash);
        if (registry_.OpenKey(hive, parent, platform::KeyAccess::Read) == platform::OsError::None)
            break;
        top = parent;
    }
    std::u16string text = KeyHeader(hive, top, true);
    text += kNewLine;
    text += kNewLine;
    if (!Append(text))
        return false;
    madeKeys_.emplace_back(hive, LowerCase(top));
    return true;
}

bool RegBackup::SaveKeyTree(Hive hive, std::u16string_view key) {
    if (UnderMadeKey(hive, key))
        return true;
    std::u16string text;
    AppendTree(hive, key, text, 0);
    return Append(text);
}

void RegBackup::AppendTree(Hive hive, std::u16string_view key, std::u16string& text, int depth) {
    if (depth > kMaxDepth)
        return;
    text += KeyHeader(hive, key, false);
    text += kNewLine;
    for (std::uint32_t index = 0;; ++index) {
        auto entry = registry_.EnumValue(hive, key, index);
        if (!entry)
            break;
        text += RegFileValueLine(entry->name, &entry->value);
        text += kNewLine;
    }
    text += kNewLine;
    for (std::uint32_t index = 0;; ++index) {
        auto sub = registry_.EnumKey(hive, key, index);
        if (!sub)
            break;
        AppendTree(hive, std::u16string(key) + u"\\" + *sub, text, depth + 1);
    }
}

bool RegBackup::Append(std::u16string_view text) {
    using platform::OsError;
    auto file = files_.Open(path_, platform::FileAccess::ReadWrite, platform::share::kRead,
                            platform::Disposition::OpenAlways);
    if (!file)
        return false;
    auto size = (*file)->Size();
    if (!size)
        return false;
    std::u16string whole;
    if (*size == 0) {
        whole += u'\xFEFF';
        whole += kRegFileHeader;
        whole += kNewLine;
        whole += kNewLine;
    }
    whole += text;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(whole.size() * 2);
    for (char16_t c : whole) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return (*file)->Seek(*size) == OsError::None && (*file)->Write(bytes) == OsError::None;
}

}  // namespace vestra::registry
