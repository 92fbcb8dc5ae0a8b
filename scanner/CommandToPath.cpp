#include "scanner/CommandToPath.h"

#include <algorithm>

#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra {
namespace {

bool IsFile(platform::FileSystem& files, std::u16string_view path) {
    const std::uint32_t a = files.GetAttributes(path);
    return a != platform::attr::kInvalid && (a & platform::attr::kDirectory) == 0;
}

// The script of "wscript.exe <script>": unquoted, the text from the drive of its last ":\";
// quoted, the last quoted part that is a file.
std::u16string ScriptOf(const std::u16string& command, platform::FileSystem& files) {
    if (command.find(u'"') == std::u16string::npos) {
        const std::size_t drive = command.rfind(u":\\");
        if (drive == std::u16string::npos || drive == 0)
            return {};
        std::u16string script = Trim(std::u16string_view(command).substr(drive - 1));
        return IsFile(files, script) ? script : std::u16string();
    }
    const std::vector<std::u16string_view> parts = SplitList(command, u'"');
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        std::u16string script = Trim(*part);
        if (!script.empty() && IsFile(files, script))
            return script;
    }
    return {};
}

}  // namespace

std::u16string CommandToPath(std::u16string_view command, platform::FileSystem& files,
                             platform::System& system) {
    if (command.empty())
        return {};
    const std::u16string expanded = Trim(system.ExpandEnvironment(Trim(command)));
    if (LowerCase(expanded).find(u"wscript.exe") != std::u16string::npos) {
        if (std::u16string script = ScriptOf(expanded, files); !script.empty())
            return script;
    }
    std::u16string text = expanded;
    std::erase(text, u'"');
    text = Trim(text);
    if (text.starts_with(u'@'))
        text.erase(0, 1);
    std::size_t dot = text.rfind(u'.');
    if (dot == std::u16string::npos)
        return std::u16string(command);
    const bool absolute = text.size() >= 3 && text.compare(1, 2, u":\\") == 0;
    // Arguments may hold dots of their own ("app.exe -config c:\app.ini"): when the text up to
    // the last dot's word names no file, the earlier dots are tried, last first.
    for (;;) {
        const std::size_t cut = text.find_first_of(u" ,", dot);
        const std::u16string program = Trim(
            std::u16string_view(text).substr(0, cut == std::u16string::npos ? text.size() : cut));
        if (absolute) {
            if (IsFile(files, program))
                return program;
        } else {
            auto longPath = files.LongPathName(program);
            if (longPath.ok() && !longPath.value().empty())
                return longPath.value();
        }
        if (dot == 0 || (dot = text.rfind(u'.', dot - 1)) == std::u16string::npos)
            return {};
    }
}

}  // namespace vestra
