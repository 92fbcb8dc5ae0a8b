// winauto: drives the windows of other programs for end-to-end tests. One command per run; results
// on stdout as UTF-8 lines (see Output.h); exit 0 done, 1 not found or timed out, 2 usage error.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "tools/winauto/Commands.h"
#include "tools/winauto/Finder.h"
#include "tools/winauto/Output.h"

namespace winauto {
namespace {

struct Command {
    const wchar_t* name;
    int (*run)(const Args&);
    std::set<std::wstring> options;
};

const std::set<std::wstring> kControl = {L"--window", L"--id", L"--caption", L"--class",
                                         L"--index"};

std::set<std::wstring> With(std::set<std::wstring> base, std::set<std::wstring> more) {
    base.insert(more.begin(), more.end());
    return base;
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {L"wait",
         CmdWait,
         {L"--title", L"--contains", L"--class", L"--pid", L"--all", L"--timeout"}},
        {L"windows", CmdWindows, {L"--title", L"--contains", L"--class", L"--pid", L"--all"}},
        {L"text", CmdText, With(kControl, {L"--title", L"--contains", L"--pid"})},
        {L"children", CmdChildren, {L"--window"}},
        {L"rect", CmdRect, kControl},
        {L"msgbox", CmdMsgbox, {L"--title", L"--contains", L"--pid", L"--timeout"}},
        {L"press", CmdPress, {L"--window", L"--button"}},
        {L"click", CmdClick, With(kControl, {L"--via"})},
        {L"settext", CmdSetText, With(kControl, {L"--text"})},
        {L"gettext", CmdGetText, kControl},
        {L"check", CmdCheck, With(kControl, {L"--timeout"})},
        {L"uncheck", CmdUncheck, With(kControl, {L"--timeout"})},
        {L"listview", CmdListView, With(kControl, {L"--check", L"--uncheck", L"--select"})},
        {L"treeview", CmdTreeView, With(kControl, {L"--check", L"--uncheck", L"--timeout"})},
        {L"tab", CmdTab, With(kControl, {L"--select", L"--timeout"})},
        {L"popup", CmdPopup, With(kControl, {L"--row", L"--pick", L"--sub", L"--timeout"})},
        {L"folder", CmdFolder, {L"--pid", L"--path", L"--timeout"}},
        {L"close", CmdClose, {L"--window"}},
        {L"wait-gone", CmdWaitGone, {L"--window", L"--timeout"}},
        {L"run", CmdRun, {L"--cmdline", L"--cwd", L"--timeout"}},
        {L"kill", CmdKill, {L"--pid"}},
    };
    return commands;
}

int Usage() {
    std::wstring names;
    for (const Command& command : Commands()) {
        names += std::wstring(names.empty() ? L"" : L" | ") + command.name;
    }
    PrintError(L"usage: winauto COMMAND [--option value]...\n  commands: " + names);
    return kUsage;
}

}  // namespace

std::optional<HWND> TargetControl(const Args& args, const wchar_t* cls) {
    auto window = args.Window();
    if (!window || !IsWindow(*window)) {
        return std::nullopt;
    }
    ControlQuery query;
    if (auto id = args.Number(L"--id")) {
        query.id = static_cast<int>(*id);
    }
    query.caption = args.Text(L"--caption");
    query.cls = args.Text(L"--class");
    query.index = static_cast<int>(args.Number(L"--index").value_or(0));
    bool narrowed = query.id || query.caption || query.cls || args.Has(L"--index");
    if (!narrowed && (cls == nullptr || _wcsicmp(ClassName(*window).c_str(), cls) == 0)) {
        return window;
    }
    if (!query.id && !query.caption && !query.cls && cls != nullptr) {
        query.cls = cls;
    }
    return FindControl(*window, query);
}

int NotFound(const std::wstring& what) {
    PrintError(what);
    return kNotFound;
}

int UsageError(const std::wstring& what) {
    PrintError(what);
    return kUsage;
}

}  // namespace winauto

int wmain(int argc, wchar_t** argv) {
    using namespace winauto;
    std::vector<std::wstring> words(argv + 1, argv + argc);
    auto args = Args::Parse(words);
    if (!args) {
        return Usage();
    }
    for (const Command& command : Commands()) {
        if (args->command() == command.name) {
            if (!args->OnlyUses(command.options)) {
                return UsageError(L"unknown option for " + args->command());
            }
            return command.run(*args);
        }
    }
    return Usage();
}
