// UTF-16 text helpers. The case tables cover the scripts that file names on the target systems
// use in practice; characters outside them compare as they are.
#include "platform/Text.h"

#include <limits>

namespace vestra {

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;  // a lone surrogate cannot be spelled in UTF-8
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        char32_t c = 0xFFFD;
        std::size_t length = 1;
        if (byte < 0x80) {
            c = byte;
        } else if ((byte & 0xE0) == 0xC0) {
            length = 2;
            c = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3;
            c = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4;
            c = byte & 0x07;
        } else {
            length = 0;  // a stray continuation byte
        }
        if (length == 0 || i + length > text.size()) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        bool valid = true;
        for (std::size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        i += length;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

char16_t UpperChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
    }
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs capitals and small letters on even/odd code points, except for
        // the stretch 0x139-0x148 and 0x179-0x17E where the capital is the odd one.
        bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (oddCapital)
            return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
        return (c % 2 == 1) ? static_cast<char16_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x430 && c <= 0x44F)
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<char16_t>(c - 0x50);
    return c;
}

char16_t LowerChar(char16_t c) {
    if (c < 0x80) {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 0x20);
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (oddCapital)
            return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
        return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out)
        c = UpperChar(c);
    return out;
}

std::u16string LowerCase(std::u16string_view text) {
    std::u16string out(text);
    for (auto& c : out)
        c = LowerChar(c);
    return out;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperChar(a[i]) != UpperChar(b[i]))
            return false;
    }
    return true;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::u16string Trim(std::u16string_view text) {
    std::size_t begin = text.find_first_not_of(u' ');
    if (begin == std::u16string_view::npos)
        return {};
    std::size_t end = text.find_last_not_of(u' ');
    return std::u16string(text.substr(begin, end - begin + 1));
}

std::u16string ToText(std::int64_t number) {
    std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

std::optional<std::int64_t> ParseInteger(std::u16string_view text) {
    std::u16string trimmed = Trim(text);
    std::u16string_view view = trimmed;
    bool negative = false;
    if (!view.empty() && (view.front() == u'-' || view.front() == u'+')) {
        negative = view.front() == u'-';
        view.remove_prefix(1);
    }
    if (view.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    for (char16_t c : view) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        unsigned digit = c - u'0';
        if (value > (limit - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    if (negative) {
        return value == limit ? std::numeric_limits<std::int64_t>::min()
                              : -static_cast<std::int64_t>(value);
    }
    return static_cast<std::int64_t>(value);
}

std::u16string ToHex(std::uint32_t number) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out;
    do {
        out.insert(out.begin(), kDigits[number & 0xF]);
        number >>= 4;
    } while (number != 0);
    return out;
}

}  // namespace vestra
