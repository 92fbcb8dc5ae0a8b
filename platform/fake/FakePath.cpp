// Path splitting and wildcard matching shared by the in-memory file system and its callers. Paths
// are read the way Win32 normalises them before they reach the file system (see AddComponent).
#include "platform/fake/FakePath.h"

#include "platform/Text.h"

namespace vestra::platform::fake {

namespace {
bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// Win32 path normalisation: "." steps vanish, ".." takes back the component before it, a
// component followed by a separator loses one trailing dot, and the last component (when no
// separator follows) loses all trailing dots and spaces. So "X:\a\.\con\" names the folder
// "con" in "a", and a trailing separator keeps a name's trailing spaces.
void AddComponent(std::vector<std::u16string>& parts, std::u16string name, bool last) {
    if (name == u".")
        return;
    if (name == u"..") {
        if (!parts.empty())
            parts.pop_back();
        return;
    }
    if (last) {
        while (!name.empty() && (name.back() == u'.' || name.back() == u' '))
            name.pop_back();
    } else if (!name.empty() && name.back() == u'.') {
        name.pop_back();
    }
    if (!name.empty())
        parts.push_back(std::move(name));
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
    bool trailing = path.size() > 2 && IsSeparator(path.back());
    std::u16string current;
    for (std::size_t i = 2; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) {
            current += path[i];
            continue;
        }
        AddComponent(parsed.parts, std::move(current), i == path.size());
        current.clear();
    }
    parsed.trailingSeparator = trailing && !parsed.parts.empty();
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
