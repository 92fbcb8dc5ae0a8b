// Path splitting and wildcard matching shared by the in-memory file system and its callers.
#include "platform/fake/FakePath.h"

#include "platform/Text.h"

namespace vestra::platform::fake {

namespace {
bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}
}  // namespace

std::optional<FakePath> ParseFakePath(std::u16string_view path) {
    if (path.size() < 2 || path[1] != u':')
        return std::nullopt;
    char16_t letter = UpperChar(path[0]);
    if (letter < u'A' || letter > u'Z')
        return std::nullopt;
    if (path.size() > 2 && !IsSeparator(path[2]))
        return std::nullopt;  // "C:dir" is relative
    FakePath parsed;
    parsed.drive = letter;
    std::u16string current;
    for (std::size_t i = 2; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            if (!current.empty())
                parsed.parts.push_back(std::move(current));
            current.clear();
        } else {
            current += path[i];
        }
    }
    if (!current.empty())
        parsed.parts.push_back(std::move(current));
    parsed.trailingSeparator = !parsed.parts.empty() && IsSeparator(path.back());
    return parsed;
}

std::u16string NameKey(std::u16string_view name) {
    return UpperCase(name);
}

bool IsLegalShortName(std::u16string_view name) {
    if (name.empty() || name.size() > 12)
        return false;
    std::size_t dot = name.find(u'.');
    std::u16string_view base = name.substr(0, dot);
    std::u16string_view extension =
        dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3)
        return false;
    if (extension.find(u'.') != std::u16string_view::npos)
        return false;
    for (char16_t c : name) {
        if (c < 0x20 ||
            std::u16string_view(u"\"*+,/:;<=>?[\\]|").find(c) != std::u16string_view::npos) {
            return false;
        }
    }
    return true;
}

bool MatchesPattern(std::u16string_view name, std::u16string_view pattern) {
    if (pattern == u"*.*")
        pattern = u"*";  // the DOS spelling of "everything"
    // Iterative glob with one backtrack point for the last '*' seen.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starP = std::u16string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == u'?' || UpperChar(pattern[p]) == UpperChar(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

}  // namespace vestra::platform::fake
