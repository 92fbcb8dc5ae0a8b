// Commands on buttons and edit boxes: pressing a dialog's button, clicking a control, setting and
// reading an edit box, checking and unchecking a check box. Clicks are posted, never sent, so a
// click that opens a modal dialog in the target does not block winauto.
#include "tools/winauto/Commands.h"
#include "tools/winauto/Finder.h"
#include "tools/winauto/Output.h"

namespace winauto {
namespace {

void PostCommand(HWND control) {
    PostMessageW(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

int SetCheck(const Args& args, bool wanted) {
    auto box = TargetControl(args);
    if (!box) {
        return NotFound(L"no such check box");
    }
    auto checked = [&] { return Send(*box, BM_GETCHECK, 0, 0).value_or(-1) == BST_CHECKED; };
    // A three-state box may need two clicks to reach the wanted state. A loaded machine may take
    // seconds to get to a posted click, so each waits the full timeout.
    const unsigned long timeout_ms = args.Timeout(kDefaultTimeoutMs);
    for (int attempt = 0; attempt < 3 && checked() != wanted; ++attempt) {
        PostMessageW(*box, BM_CLICK, 0, 0);
        WaitUntil(timeout_ms, [&] { return checked() == wanted; });
    }
    if (checked() != wanted) {
        return NotFound(L"the check box did not change");
    }
    return kOk;
}

}  // namespace

int CmdPress(const Args& args) {
    auto window = args.Window();
    auto button = args.Text(L"--button");
    if (!window || !button) {
        return UsageError(L"press needs --window and --button");
    }
    ControlQuery query;
    query.cls = L"Button";
    if (auto id = ParseNumber(*button)) {
        query.id = static_cast<int>(*id);
    } else {
        query.caption = *button;
    }
    auto control = FindControl(*window, query);
    if (!control) {
        return NotFound(L"no such button");
    }
    PostCommand(*control);
    return kOk;
}

int CmdClick(const Args& args) {
    if (!args.Has(L"--id") && !args.Has(L"--caption")) {
        return UsageError(L"click needs --id or --caption");
    }
    auto control = TargetControl(args);
    if (!control) {
        return NotFound(L"no such control");
    }
    std::wstring via = args.Text(L"--via").value_or(L"bmclick");
    if (via == L"command") {
        PostCommand(*control);
    } else if (via == L"bmclick") {
        PostMessageW(*control, BM_CLICK, 0, 0);
    } else {
        return UsageError(L"--via is command or bmclick");
    }
    return kOk;
}

int CmdSetText(const Args& args) {
    auto text = args.Text(L"--text");
    auto control = TargetControl(args);
    if (!text) {
        return UsageError(L"settext needs --text");
    }
    if (!control) {
        return NotFound(L"no such control");
    }
    // WM_SETTEXT is marshalled across processes, so the text may live here.
    auto done = Send(*control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->c_str()));
    return done && *done ? kOk : NotFound(L"the control refused the text");
}

int CmdGetText(const Args& args) {
    auto control = TargetControl(args);
    if (!control) {
        return NotFound(L"no such control");
    }
    PrintFields({WindowText(*control)});
    return kOk;
}

int CmdCheck(const Args& args) {
    return SetCheck(args, true);
}

int CmdUncheck(const Args& args) {
    return SetCheck(args, false);
}

}  // namespace winauto
