// Splitting a command text into the program it names and the rest.
#include "registry/CommandPath.h"

#include <algorithm>
#include <array>

#include "platform/Text.h"

namespace vestra::registry {
namespace {

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
        text.remove_suffix(1);
    return text;
}

bool EndsProgram(char16_t c) {
    return c == u' ' || c == u',' || c == u'/' || c == u'"' || c == u'\t';
}

// The length of the program part of an unquoted command, or npos when no extension ends it.
std::size_t ProgramLength(std::u16string_view command) {
    static constexpr std::array<std::u16string_view, 11> kExtensions = {
        u".exe", u".com", u".bat", u".cmd", u".pif", u".scr",
        u".dll", u".cpl", u".vbs", u".vbe", u".js"};
    std::u16string lower = LowerCase(command);
    std::size_t best = std::u16string::npos;
    for (std::u16string_view ext : kExtensions) {
        for (std::size_t at = lower.find(ext); at != std::u16string::npos;
             at = lower.find(ext, at + 1)) {
            std::size_t end = at + ext.size();
            if (end == lower.size() || EndsProgram(lower[end])) {
                best = std::min(best, end);
                break;
            }
        }
    }
    return best;
}

}  // namespace

CommandParts SplitCommand(std::u16string_view command) {
    command = TrimBlanks(command);
    CommandParts parts;
    if (!command.empty() && command.front() == u'"') {
        std::size_t close = command.find(u'"', 1);
        if (close == std::u16string_view::npos)
            close = command.size();
        parts.program = std::u16string(TrimBlanks(command.substr(1, close - 1)));
        if (close < command.size())
            parts.rest = std::u16string(TrimBlanks(command.substr(close + 1)));
        return parts;
    }
    std::size_t length = ProgramLength(command);
    if (length == std::u16string::npos)
        length = std::min(command.find(u' '), command.size());
    parts.program = std::u16string(TrimBlanks(command.substr(0, length)));
    parts.rest = std::u16string(TrimBlanks(command.substr(length)));
    return parts;
}

}  // namespace vestra::registry
