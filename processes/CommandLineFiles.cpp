// Command lines and the files they name.
#include "processes/CommandLineFiles.h"

#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra::processes {
namespace {

bool IsFile(platform::FileSystem& files, std::u16string_view path) {
    const std::uint32_t a = files.GetAttributes(path);
    return a != platform::attr::kInvalid && (a & platform::attr::kDirectory) == 0;
}

// The script of "wscript.exe <script>", when it names an existing file.
std::u16string ScriptOf(const std::u16string& command, platform::FileSystem& files) {
    if (command.find(u'"') == std::u16string::npos) {
        std::size_t marker = command.rfind(u":\\");
        if (marker == std::u16string::npos || marker == 0)
            return {};
        std::u16string script = Trim(std::u16string_view(command).substr(marker - 1));
        return IsFile(files, script) ? script : std::u16string();
    }
    std::u16string found;
    for (std::u16string_view part : SplitList(command, u'"')) {
        std::u16string candidate = Trim(part);
        if (!candidate.empty() && IsFile(files, candidate))
            found = candidate;
    }
    return found;
}

}  // namespace

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

std::u16string CommandToPath(std::u16string_view command, platform::FileSystem& files,
                             platform::System& system) {
    if (command.empty())
        return {};
    const std::u16string original = system.ExpandEnvironment(Trim(command));
    if (LowerCase(original).find(u"wscript.exe") != std::u16string::npos) {
        if (std::u16string script = ScriptOf(original, files); !script.empty())
            return script;
    }
    std::u16string text;
    for (char16_t c : original) {
        if (c != u'"')
            text += c;
    }
    text = Trim(text);
    if (!text.empty() && text.front() == u'@')
        text.erase(0, 1);
    const std::size_t dot = text.rfind(u'.');
    if (dot == std::u16string::npos)
        return original;
    const std::size_t cut = text.find_first_of(u" ,", dot);
    if (cut != std::u16string::npos)
        text = Trim(std::u16string_view(text).substr(0, cut));
    if (text.size() >= 3 && text.compare(1, 2, u":\\") == 0)
        return IsFile(files, text) ? text : std::u16string();
    auto longPath = files.LongPathName(text);
    return longPath ? *longPath : std::u16string();
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
