// Quarantine file bytes and the old index text.
#include "remediation/CageFormat.h"

#include <algorithm>

namespace vestra::remediation {
namespace {

void AppendText(std::vector<std::uint8_t>& bytes, std::u16string_view text) {
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
}

std::u16string Utf16Le(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return text;
}

std::vector<std::u16string> Split(std::u16string_view text, std::u16string_view separator) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t at = text.find(separator, start);
        if (at == std::u16string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

// A name inside the old folder: no folder part, drive or parent step that would reach a file
// outside it (the import deletes what it imports).
bool PlainFileName(std::u16string_view name) {
    if (name.empty() || name == u"." || name == u"..")
        return false;
    return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

}  // namespace

std::uint8_t CageKey(std::size_t bodyLength) {
    auto key = static_cast<std::uint8_t>(bodyLength % 256);
    return key == 0 ? kFallbackKey : key;
}

void ScrambleBody(std::span<std::uint8_t> body) {
    std::uint8_t key = CageKey(body.size());
    for (std::size_t i = 0; i < body.size(); ++i)
        body[i] ^= static_cast<std::uint8_t>(i % 256) ^ key;
}

std::vector<std::uint8_t> BuildCageFile(std::u16string_view originPath,
                                        std::u16string_view virusName,
                                        std::u16string_view virusType,
                                        std::span<const std::uint8_t> content) {
    std::vector<std::uint8_t> bytes(std::begin(kCageMagic), std::end(kCageMagic));
    AppendText(bytes, originPath);
    AppendText(bytes, virusName);
    AppendText(bytes, virusType);
    std::size_t bodyStart = bytes.size();
    bytes.insert(bytes.end(), content.begin(), content.end());
    ScrambleBody(std::span<std::uint8_t>(bytes).subspan(bodyStart));
    return bytes;
}

std::optional<CageHeader> ParseCageHeader(std::span<const std::uint8_t> bytes, bool checkMagic) {
    if (checkMagic && (bytes.size() < 4 ||
                       !std::equal(bytes.begin(), bytes.begin() + 4, std::begin(kCageMagic)))) {
        return std::nullopt;
    }
    // Terminators are the zero units at even offsets from 4 on.
    std::vector<std::size_t> ends;
    for (std::size_t at = 4; at + 1 < bytes.size() && ends.size() < 3; at += 2) {
        if (bytes[at] == 0 && bytes[at + 1] == 0)
            ends.push_back(at);
    }
    if (ends.size() < 3)
        return std::nullopt;
    CageHeader header;
    header.originPath = Utf16Le(bytes.subspan(4, ends[0] - 4));
    header.virusName = Utf16Le(bytes.subspan(ends[0] + 2, ends[1] - ends[0] - 2));
    header.virusType = Utf16Le(bytes.subspan(ends[1] + 2, ends[2] - ends[1] - 2));
    header.bodyOffset = ends[2] + 2;
    return header;
}

std::vector<OldCageEntry> ParseOldCageIndex(
    std::span<const std::uint8_t> bytes,
    const std::function<std::u16string(std::string_view)>& fromAnsi) {
    std::u16string text;
    if (std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) != bytes.end()) {
        text = Utf16Le(bytes);
    } else {
        std::string_view narrow(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        text = fromAnsi(narrow);
    }
    std::vector<OldCageEntry> entries;
    for (const std::u16string& record : Split(text, u"||")) {
        std::vector<std::u16string> fields = Split(record, u"|");
        if (fields.size() < 4 || !PlainFileName(fields[3]))
            continue;
        entries.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return entries;
}

}  // namespace vestra::remediation
