// Filling in a rule's texts: key-path constants in braces, the machine's folders and the loop
// entries <1> to <3>.
#include <array>
#include <utility>

#include "registry/KeyPaths.h"
#include "registry/RegChecks.h"

namespace vestra::registry {
namespace {

const std::array<std::pair<std::u16string_view, std::u16string_view>, 26>& Constants() {
    static const std::array<std::pair<std::u16string_view, std::u16string_view>, 26> table = {{
        {u"KeyMicrosoft", KeyMicrosoft},
        {u"KeyPolicies", KeyPolicies},
        {u"KeyControlSet", KeyControlSet},
        {u"KeyCommandProcessor", KeyCommandProcessor},
        {u"KeyCurrentVersion", KeyCurrentVersion},
        {u"KeyNTCurrentVersion", KeyNTCurrentVersion},
        {u"KeyServices", KeyServices},
        {u"KeySafeBoot", KeySafeBoot},
        {u"KeyExplorer", KeyExplorer},
        {u"KeyCVPolicies", KeyCVPolicies},
        {u"KeyPolExplorer", KeyPolExplorer},
        {u"KeyPolSystem", KeyPolSystem},
        {u"KeyGPOPolicies", KeyGPOPolicies},
        {u"KeyWinInstaller", KeyWinInstaller},
        {u"KeyWinExplorer", KeyWinExplorer},
        {u"KeyWinSystem", KeyWinSystem},
        {u"KeySystemRestore", KeySystemRestore},
        {u"KeyAdvanced", KeyAdvanced},
        {u"KeyCabinetState", KeyCabinetState},
        {u"KeyAdvancedFolder", KeyAdvancedFolder},
        {u"KeyShellFolders", KeyShellFolders},
        {u"KeyUserShellFolders", KeyUserShellFolders},
        {u"KeyRegedit", KeyRegedit},
        {u"KeyMUICache", KeyMUICache},
        {u"KeyOpenCommand", KeyOpenCommand},
        {u"KeyIFEO", KeyIFEO},
    }};
    return table;
}

}  // namespace

std::u16string RegChecker::FillText(std::u16string_view text,
                                    std::span<const std::u16string> entries) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'<' && i + 2 < text.size() && text[i + 2] == u'>' && text[i + 1] >= u'1' &&
            text[i + 1] <= u'3') {
            std::size_t slot = static_cast<std::size_t>(text[i + 1] - u'1');
            if (slot < entries.size())
                out += entries[slot];
            i += 2;
            continue;
        }
        if (c == u'{') {
            std::size_t close = text.find(u'}', i);
            std::u16string_view token = text.substr(i + 1, close - i - 1);
            std::u16string_view value;
            bool known = true;
            if (token == u"SysDir")
                value = setup_.systemFolder;
            else if (token == u"WinDir")
                value = setup_.windowsFolder;
            else if (token == u"ProgramFiles")
                value = setup_.programFiles;
            else {
                known = false;
                for (const auto& [name, path] : Constants()) {
                    if (name == token) {
                        value = path;
                        known = true;
                    }
                }
            }
            // Braces that name nothing are part of the text (class ids).
            if (known && close != std::u16string_view::npos) {
                out += value;
                i = close;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace vestra::registry
