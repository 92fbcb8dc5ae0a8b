// The system's ANSI code page: the narrow encoding of files that older tools and the program's
// own earlier releases wrote (the scan log, the old quarantine index, the hosts file).
#pragma once

#include <string>
#include <string_view>

namespace vestra::platform {

class CodePage {
public:
    virtual ~CodePage() = default;
    // WideCharToMultiByte(CP_ACP): a character the code page lacks becomes its default character.
    virtual std::string ToAnsi(std::u16string_view text) = 0;
    // MultiByteToWideChar(CP_ACP).
    virtual std::u16string FromAnsi(std::string_view bytes) = 0;

    // Whether the text survives the trip through the code page unchanged.
    bool FitsAnsi(std::u16string_view text) { return FromAnsi(ToAnsi(text)) == text; }
};

}  // namespace vestra::platform
