// Command word parsing.
#include "app/CommandWord.h"

#include "platform/Text.h"

namespace vestra {

std::u16string CommandWordFrom(std::u16string_view commandLine) {
    if (commandLine.empty())
        return {};
    std::u16string_view rest = commandLine.substr(1);
    std::size_t quote = rest.find(u'"');
    std::u16string_view argument;
    if (quote == std::u16string_view::npos) {
        argument = rest;
    } else if (quote + 1 < rest.size()) {
        argument = rest.substr(quote + 1);
    }
    return LowerCase(Trim(Trim(argument)));
}

}  // namespace vestra
