// Conversions between raw registry value bytes and the text and numbers the program works with.
#include "platform/Registry.h"

namespace vestra::platform {

RegValue TextValue(std::u16string_view text, std::uint32_t type) {
    RegValue value;
    value.type = type;
    value.data.reserve(text.size() * 2);
    for (char16_t c : text) {
        value.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
        value.data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return value;
}

RegValue DwordValue(std::uint32_t number) {
    RegValue value;
    value.type = regtype::kDword;
    for (int shift = 0; shift < 32; shift += 8) {
        value.data.push_back(static_cast<std::uint8_t>((number >> shift) & 0xFF));
    }
    return value;
}

std::u16string ValueText(const RegValue& value) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        auto c = static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8));
        if (c == 0) break;
        text += c;
    }
    return text;
}

}  // namespace vestra::platform
