// A Latin-1 code page for tests: U+0000 to U+00FF map to one byte each, the rest to '?', the way
// a Western Windows installation loses characters outside its code page.
#pragma once

#include "platform/CodePage.h"

namespace vestra::platform::fake {

class FakeCodePage : public CodePage {
public:
    std::string ToAnsi(std::u16string_view text) override {
        std::string bytes;
        bytes.reserve(text.size());
        for (char16_t c : text)
            bytes.push_back(c < 0x100 ? static_cast<char>(c) : '?');
        return bytes;
    }
    std::u16string FromAnsi(std::string_view bytes) override {
        std::u16string text;
        text.reserve(bytes.size());
        for (char b : bytes)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(b)));
        return text;
    }
};

}  // namespace vestra::platform::fake
