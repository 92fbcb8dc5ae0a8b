// Commands on top-level windows: waiting for them, listing them and their children, reading their
// captions, answering message boxes, closing them and waiting until they are gone.
#include "tools/winauto/Commands.h"
#include "tools/winauto/Finder.h"
#include "tools/winauto/Output.h"

namespace winauto {
namespace {

// A message box keeps its text in the static control with this id.
constexpr int kMessageTextId = 0xFFFF;

std::optional<TopLevelQuery> QueryFrom(const Args& args) {
    TopLevelQuery query;
    query.title = args.Text(L"--title");
    query.contains = args.Flag(L"--contains");
    query.cls = args.Text(L"--class");
    query.hidden_too = args.Flag(L"--all");
    if (args.Has(L"--pid")) {
        auto pid = args.Number(L"--pid");
        if (!pid) {
            return std::nullopt;
        }
        query.pid = static_cast<DWORD>(*pid);
    }
    return query;
}

void PrintMessageBox(HWND box) {
    PrintFields({L"window", HandleText(box)});
    PrintFields({L"title", WindowText(box)});
    ControlQuery query;
    query.id = kMessageTextId;
    auto text = FindControl(box, query);
    PrintFields({L"text", text ? WindowText(*text) : L""});
    for (HWND child : Descendants(box)) {
        if (_wcsicmp(ClassName(child).c_str(), L"Button") == 0 && IsWindowVisible(child)) {
            PrintFields({L"button", std::to_wstring(GetDlgCtrlID(child)), WindowText(child)});
        }
    }
}

}  // namespace

int CmdWait(const Args& args) {
    auto query = QueryFrom(args);
    if (!query || (!query->title && !query->cls && query->pid == 0)) {
        return UsageError(L"wait needs --title, --class or --pid");
    }
    std::vector<HWND> found;
    bool seen = WaitUntil(args.Timeout(kDefaultTimeoutMs), [&] {
        found = FindTopLevel(*query);
        return !found.empty();
    });
    if (!seen) {
        return NotFound(L"no such window appeared");
    }
    PrintFields({HandleText(found.front())});
    return kOk;
}

int CmdWindows(const Args& args) {
    auto query = QueryFrom(args);
    if (!query) {
        return UsageError(L"bad --pid");
    }
    for (HWND window : FindTopLevel(*query)) {
        PrintFields({HandleText(window), std::to_wstring(OwnerProcess(window)), ClassName(window),
                     WindowText(window)});
    }
    return kOk;
}

int CmdText(const Args& args) {
    std::optional<HWND> window = args.Window();
    if (!window && args.Has(L"--title")) {
        auto query = QueryFrom(args);
        auto found = query ? FindTopLevel(*query) : std::vector<HWND>{};
        window = found.empty() ? std::nullopt : std::optional<HWND>(found.front());
    } else if (window) {
        window = TargetControl(args);
    }
    if (!window || !IsWindow(*window)) {
        return NotFound(L"no such window");
    }
    PrintFields({WindowText(*window)});
    return kOk;
}

int CmdChildren(const Args& args) {
    auto window = args.Window();
    if (!window || !IsWindow(*window)) {
        return NotFound(L"no such window");
    }
    for (HWND child : Descendants(*window)) {
        PrintFields({HandleText(child), ClassName(child), std::to_wstring(GetDlgCtrlID(child)),
                     WindowText(child), IsWindowVisible(child) ? L"visible" : L"hidden",
                     IsWindowEnabled(child) ? L"enabled" : L"disabled"});
    }
    return kOk;
}

int CmdRect(const Args& args) {
    auto window = TargetControl(args);
    RECT box;
    if (!window || !GetWindowRect(*window, &box)) {
        return NotFound(L"no such window");
    }
    PrintFields({std::to_wstring(box.left), std::to_wstring(box.top),
                 std::to_wstring(box.right - box.left), std::to_wstring(box.bottom - box.top)});
    return kOk;
}

int CmdMsgbox(const Args& args) {
    auto query = QueryFrom(args);
    if (!query) {
        return UsageError(L"bad --pid");
    }
    query->cls = L"#32770";
    std::vector<HWND> found;
    bool seen = WaitUntil(args.Timeout(kDefaultTimeoutMs), [&] {
        found = FindTopLevel(*query);
        return !found.empty();
    });
    if (!seen) {
        return NotFound(L"no message box appeared");
    }
    PrintMessageBox(found.front());
    return kOk;
}

int CmdClose(const Args& args) {
    auto window = args.Window();
    if (!window || !IsWindow(*window)) {
        return NotFound(L"no such window");
    }
    PostMessageW(*window, WM_CLOSE, 0, 0);
    return kOk;
}

int CmdWaitGone(const Args& args) {
    auto window = args.Window();
    if (!window) {
        return UsageError(L"wait-gone needs --window");
    }
    if (!WaitUntil(args.Timeout(kDefaultTimeoutMs), [&] { return !IsWindow(*window); })) {
        return NotFound(L"the window is still there");
    }
    return kOk;
}

}  // namespace winauto
