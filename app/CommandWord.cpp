// Command word parsing.
#include "app/CommandWord.h"

#include "platform/Text.h"

namespace vestra {

namespace {

// Where the arguments begin, by the rule Windows itself applies to a command line: a path that
// opens with a quote runs to the next quote, an unquoted one to the first space or tab, which
// is skipped (a tab is no blank to the trimming that follows).
std::size_t ArgumentsStart(std::u16string_view commandLine) {
    if (commandLine.front() == u'"') {
        const std::size_t close = commandLine.find(u'"', 1);
        return close == std::u16string_view::npos ? commandLine.size() : close + 1;
    }
    const std::size_t blank = commandLine.find_first_of(u" \t");
    return blank == std::u16string_view::npos ? commandLine.size() : blank + 1;
}

}  // namespace

std::u16string CommandWordFrom(std::u16string_view commandLine) {
    if (commandLine.empty())
        return {};
    return LowerCase(Trim(Trim(commandLine.substr(ArgumentsStart(commandLine)))));
}

}  // namespace vestra
