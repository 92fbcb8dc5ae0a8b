// Windows-only: the Quarantine panel. The list view mirrors the quarantine list model; checks go
// to the model, which the operations read.
#include "ui/main/panels/QuarantinePanel.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include "platform/win32/Win32CodePage.h"
#include "remediation/OldCageImport.h"
#include "scanner/CheckFile.h"
#include "scanner/FileRoutines.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

// The buttons stand for the pop-up items of the same captions.
constexpr int kButtonCommands[] = {cmd::kPopCageResT, cmd::kPopCageResTo, cmd::kPopCageDel};
constexpr int kOperations[] = {remediation::kCageRestore, remediation::kCageRestoreTo,
                               remediation::kCageDelete};

remediation::CageFolders FoldersOf(const AppState& state) {
    return {state.paths.cageFolder, state.paths.oldCageFolder};
}

}  // namespace

QuarantinePanel::QuarantinePanel(const PanelContext& context)
    : MainPanel(context),
      cage_(context.app.os.files, FoldersOf(context.app.state)),
      list_(cage_, context.app.messages, *this) {
    if (!context.app.state.appTitle.empty())
        list_.appTitle = context.app.state.appTitle;
    list_.importOldStore = [this] { ImportOldStore(); };
}

void QuarantinePanel::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.AddList(page, ctl::kLVCage);
    HandleListEvents(ctx_, ctl::kLVCage,
                     [this](HWND list, const NMLISTVIEW& change) { OnItemChanged(list, change); });
    list_.rows.onChange = [this](ListChange change, std::size_t row) {
        HWND view = ctx_.kit.Ctl(ctl::kLVCage);
        if (!view)
            return;
        mirroring_ = true;
        MirrorListRow(view, list_.rows, change, row);
        mirroring_ = false;
    };
    kit.Add(Kind::Progress, page, ctl::kPBCage);
    kit.Show(ctl::kPBCage, false);
    kit.Add(Kind::Check, page, ctl::kCkCage);
    ctx_.window.onCommand[ctl::kCkCage] = [this](int code) {
        if (code == BN_CLICKED)
            list_.rows.SetAllChecked(win::IsChecked(ctx_.kit.Ctl(ctl::kCkCage)));
    };
    for (int i = 0; i < 3; ++i) {
        kit.Add(Kind::Button, page, ctl::kCmdCage0 + i);
        const int command = kButtonCommands[i];
        ctx_.window.onCommand[ctl::kCmdCage0 + i] = [this, command](int) {
            ctx_.bindings.Run(command);
        };
    }
    BindCommands();
}

void QuarantinePanel::BindCommands() {
    for (int i = 0; i < 3; ++i) {
        const int operation = kOperations[i];
        ctx_.bindings.Bind(kButtonCommands[i], [this, operation] {
            if (busy_)
                return;
            busy_ = true;
            list_.CageEx(operation);
            busy_ = false;
        });
    }
    ctx_.bindings.Bind(cmd::kPopCageExp, [this] { Explore(); });
}

void QuarantinePanel::OnItemChanged(HWND list, const NMLISTVIEW& change) {
    if (mirroring_ || !CheckMarkChanged(change) || change.iItem < 0 ||
        static_cast<std::size_t>(change.iItem) >= list_.rows.Count())
        return;
    const bool checked = win::list::RowChecked(list, change.iItem);
    list_.rows.SetChecked(static_cast<std::size_t>(change.iItem), checked);
    // Checking a row also selects it.
    if (checked)
        ListView_SetItemState(list, change.iItem, LVIS_SELECTED, LVIS_SELECTED);
    if (!checked)
        win::SetChecked(ctx_.kit.Ctl(ctl::kCkCage), false);
}

void QuarantinePanel::Layout(int w, int h) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLVCage, 8, 8, w - 16, h - 8 - 66);
    kit.Place(ctl::kPBCage, 8, h - 52, w - 16, 12);
    kit.Place(ctl::kCkCage, 10, h - 32, 100, 20);
    int x = w - 8;
    for (int i = 2; i >= 0; --i) {
        x -= 104;
        kit.Place(ctl::kCmdCage0 + i, x, h - 35, 100, 27);
    }
}

void QuarantinePanel::SetUp(SetupPart) {
    Refill();
}

void QuarantinePanel::Opened() {
    Refill();
}

void QuarantinePanel::Refill() {
    ctx_.kit.AddColumns(ctl::kLVCage);
    if (!busy_)
        list_.RefreshCage();
    ctx_.host.SetQuarantineCaption(list_.TabCaption());
    for (int i = 0; i < 3; ++i)
        ctx_.kit.Enable(ctl::kCmdCage0 + i, ctx_.bindings.IsBound(kButtonCommands[i]));
}

void QuarantinePanel::Explore() {
    const int row = SelectedRow(ctx_.kit.Ctl(ctl::kLVCage));
    if (row < 0 || static_cast<std::size_t>(row) >= list_.rows.Count())
        return;
    const platform::Platform& os = ctx_.app.os;
    ExplorePath({os.files, os.shell, os.windows},
                cage_.folders().cage + list_.rows.Row(static_cast<std::size_t>(row)).tag);
}

void QuarantinePanel::ImportOldStore() {
    AppState& state = ctx_.app.state;
    if (!state.engine || state.paths.oldCageFolder.empty())
        return;
    FileChecker checker(*state.engine, ctx_.app.os.files);
    platform::win32::Win32CodePage codePage;
    remediation::OldCageImportParts parts{cage_, codePage,
                                          [&checker](std::u16string_view path, Verdict& verdict) {
                                              auto found = checker.CheckFile(path);
                                              if (found)
                                                  verdict = *found;
                                              return found.has_value();
                                          }};
    remediation::ImportOldCage(parts);
}

// ---- QuarantineView ----

int QuarantinePanel::MessageBox(std::u16string_view text, std::u16string_view title,
                                std::uint32_t style) {
    return win::ShowMessage(ctx_.window.hwnd(), text, title, style);
}

std::optional<std::u16string> QuarantinePanel::ChooseFolder(std::u16string_view title) {
    const std::u16string caption(title);
    BROWSEINFOW browse{};
    browse.hwndOwner = ctx_.window.hwnd();
    browse.lpszTitle = win::W(caption);
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!ok)
        return std::nullopt;
    return win::U16(std::wstring_view(path));
}

void QuarantinePanel::ProgressVisible(bool visible) {
    ctx_.kit.Show(ctl::kPBCage, visible);
}

void QuarantinePanel::ProgressChanged(int percent) {
    SendMessageW(ctx_.kit.Ctl(ctl::kPBCage), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void QuarantinePanel::TabCaptionChanged(std::u16string_view caption) {
    ctx_.host.SetQuarantineCaption(caption);
}

void QuarantinePanel::SelectAllCleared() {
    win::SetChecked(ctx_.kit.Ctl(ctl::kCkCage), false);
}

void QuarantinePanel::PumpMessages() {
    win::PumpWaitingMessages();
}

}  // namespace vestra::ui
