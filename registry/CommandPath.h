// The program a command text names ("C:\x.exe" /arg, userinit.exe,more), split from what
// follows it. Text only: nothing is looked up on disk.
#pragma once

#include <string>
#include <string_view>

namespace vestra::registry {

struct CommandParts {
    std::u16string program;  // without quotes; empty when the text names nothing
    std::u16string rest;     // what follows the program, trimmed
};

// A quoted program runs to its closing quote; otherwise it runs to the end of the first
// program extension (.exe, .com, .bat, .cmd, .pif, .scr, .dll, .cpl, .vbs, .vbe, .js) that
// is followed by the end, a blank, a comma, a slash or a quote, or else to the first blank.
CommandParts SplitCommand(std::u16string_view command);

}  // namespace vestra::registry
