// Command lines and the files they name.
#include "processes/CommandLineFiles.h"

#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra::processes {

std::u16string StripQuotes(std::u16string_view text) {
    while (!text.empty() && text.front() == u'"')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u'"')
        text.remove_suffix(1);
    return std::u16string(text);
}

std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> tokens;
    std::size_t start = 0;
    while (start <= commandLine.size()) {
        std::size_t end = commandLine.find(u' ', start);
        if (end == std::u16string_view::npos)
            end = commandLine.size();
        tokens.emplace_back(commandLine.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::u16string> arguments;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        std::u16string argument = tokens[i];
        const bool opensQuote = !argument.empty() && argument.front() == u'"' &&
                                (argument.size() == 1 || argument.back() != u'"');
        if (opensQuote) {
            while (i + 1 < tokens.size()) {
                argument += u' ' + tokens[++i];
                if (!tokens[i].empty() && tokens[i].back() == u'"')
                    break;
            }
        }
        arguments.push_back(StripQuotes(argument));
    }
    return arguments;
}

std::optional<CommandLineHit> CheckCommandLineFiles(std::u16string_view commandLine,
                                                    FileChecker& checker,
                                                    platform::FileSystem& files,
                                                    TargetExtractor& extractor) {
    if (commandLine.empty())
        return std::nullopt;
    std::optional<CommandLineHit> hit;
    auto check = [&](std::u16string_view path) {
        if (auto verdict = checker.CheckFile(path))
            hit = CommandLineHit{*verdict, std::u16string(path)};
    };
    for (const std::u16string& argument : SplitCommandLine(commandLine)) {
        if (!argument.empty() && files.Exists(argument))
            check(argument);
    }
    if (hit)
        return hit;
    const std::u16string named = extractor.ExtractTargets(u"", kDriveMarker, commandLine);
    for (std::u16string_view path : SplitList(named))
        check(path);
    return hit;
}

}  // namespace vestra::processes
