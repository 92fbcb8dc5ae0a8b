// Line parsers of the signature sources.
#include "engine/core/SignatureSource.h"

#include <charconv>

#include "engine/core/Signature.h"

namespace vestra::engine {
namespace {

constexpr std::size_t kMaxErrors = 100;

struct Defaults {
    std::uint8_t category = kCategoryVirus;
    std::uint8_t action = kActionDelete;
};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = text.find(separator, start);
        fields.push_back(text.substr(start, at - start));
        if (at == std::string_view::npos)
            return fields;
        start = at + 1;
    }
}

std::optional<std::uint64_t> Decimal(std::string_view text) {
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool ParseDigest(std::string_view hex, std::size_t bytes, Sha256& digest) {
    if (hex.size() != bytes * 2)
        return false;
    for (std::size_t i = 0; i < bytes; ++i) {
        auto [end, error] =
            std::from_chars(hex.data() + 2 * i, hex.data() + 2 * i + 2, digest[i], 16);
        if (error != std::errc() || end != hex.data() + 2 * i + 2)
            return false;
    }
    return true;
}

// "#@ category=Worm action=CAGE"; returns an error message or nothing.
std::optional<std::string> ApplyDirective(std::string_view line, Defaults& defaults) {
    for (std::string_view token : Split(Trim(line), ' ')) {
        if (token.empty())
            continue;
        std::size_t equals = token.find('=');
        std::string_view key = token.substr(0, equals);
        std::string_view value = equals == std::string_view::npos ? "" : token.substr(equals + 1);
        if (key == "category") {
            auto category = ParseCategory(value);
            if (!category)
                return "unknown category '" + std::string(value) + "'";
            defaults.category = *category;
        } else if (key == "action") {
            auto action = ParseAction(value);
            if (!action)
                return "unknown action '" + std::string(value) + "'";
            defaults.action = *action;
        } else {
            return "unknown setting '" + std::string(key) + "'";
        }
    }
    return std::nullopt;
}

std::optional<std::string> ParseHashLine(DigestKind kind, std::string_view line,
                                         const Defaults& defaults, SignatureSet& set) {
    const char* format = kind == DigestKind::Md5 ? "MD5:size:name" : "SHA256:size:name";
    std::vector<std::string_view> fields = Split(line, ':');
    if (fields.size() != 3)
        return std::string("expected ") + format;
    HashSignature signature{kind,           {}, 0, std::string(fields[2]), defaults.category,
                            defaults.action};
    std::size_t bytes = kind == DigestKind::Md5 ? 16 : 32;
    if (!ParseDigest(fields[0], bytes, signature.digest)) {
        return "digest must be " + std::to_string(bytes * 2) + " hex digits";
    }
    auto size = Decimal(fields[1]);
    if (!size || *size == 0 || *size > (std::uint64_t{1} << 62))
        return "size must be a positive number";
    signature.size = *size;
    if (!ValidSignatureName(signature.name))
        return "name must be 1 to 127 printable characters";
    set.hashes.push_back(std::move(signature));
    return std::nullopt;
}

std::optional<std::string> ParseBodyLine(std::string_view line, const Defaults& defaults,
                                         SignatureSet& set) {
    std::vector<std::string_view> fields = Split(line, ':');
    if (fields.size() != 4)
        return "expected name:target:offset:hex";
    if (!ValidSignatureName(fields[0]))
        return "name must be 1 to 127 printable characters";
    if (fields[1] != "0")
        return "only target 0 (any file) is supported";
    std::optional<std::uint64_t> offset;
    if (fields[2] != "*") {
        offset = Decimal(fields[2]);
        if (!offset || *offset > (std::uint64_t{1} << 62))
            return "offset must be * or a number";
    }
    Outcome<BodyPattern> pattern = ParseHexPattern(fields[3], offset);
    if (!pattern)
        return "pattern: " + pattern.error();
    set.bodies.push_back(
        {std::string(fields[0]), defaults.category, defaults.action, pattern.value()});
    return std::nullopt;
}

}  // namespace

std::optional<SourceKind> SourceKindOf(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == ".hdb")
        return SourceKind::Md5;
    if (extension == ".hsb")
        return SourceKind::Sha256;
    if (extension == ".ndb")
        return SourceKind::Body;
    return std::nullopt;
}

std::vector<SourceError> ParseSource(SourceKind kind, std::string_view fileName,
                                     std::string_view text, SignatureSet& set) {
    std::vector<SourceError> errors;
    Defaults defaults;
    std::vector<std::string_view> lines = Split(text, '\n');
    for (std::size_t i = 0; i < lines.size() && errors.size() < kMaxErrors; ++i) {
        std::string_view line = Trim(lines[i]);
        std::optional<std::string> error;
        if (line.starts_with("#@")) {
            error = ApplyDirective(line.substr(2), defaults);
        } else if (line.empty() || line.starts_with('#')) {
            continue;
        } else if (kind == SourceKind::Body) {
            error = ParseBodyLine(line, defaults, set);
        } else {
            error = ParseHashLine(kind == SourceKind::Md5 ? DigestKind::Md5 : DigestKind::Sha256,
                                  line, defaults, set);
        }
        if (error)
            errors.push_back({std::string(fileName), i + 1, *error});
    }
    return errors;
}

}  // namespace vestra::engine
