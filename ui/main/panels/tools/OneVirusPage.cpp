// Windows-only: the "One-Virus By-User" tool page.
#include "ui/main/panels/tools/OneVirusPage.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "app/PathTable.h"
#include "platform/Text.h"
#include "ui/forms/FormFileProp.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ExceptionDialog.h"
#include "ui/model/ListLayouts.h"

namespace vestra::ui {
namespace {

using Kind = ControlKit::Kind;

// The controls a file may be dropped on.
constexpr int kDropTargets[] = {ctl::kTxUVPath, ctl::kPicIcon, ctl::kLbUVName, ctl::kLbUVLev};

const SuspectList& NoSuspects() {
    static const SuspectList kNone;
    return kNone;
}

TrustedPlaces TrustedPlacesOf(const AppState& state) {
    return {state.paths.systemDir, state.paths.windowsDir, WithBackslash(state.paths.dllCacheDir),
            WithBackslash(state.paths.programFilesDir), !state.os.IsPreVista()};
}

// The drop targets are plain controls; their drops reach the page through this subclass.
LRESULT CALLBACK DropProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                          DWORD_PTR page) {
    if (message == WM_DROPFILES) {
        reinterpret_cast<OneVirusPage*>(page)->Dropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

win::UniqueIcon FileIcon(std::u16string_view path, bool small) {
    const std::u16string file(path);
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(win::W(file), 0, &info, sizeof(info),
                        SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON)))
        return win::UniqueIcon();
    return win::UniqueIcon(info.hIcon);
}

}  // namespace

OneVirusPage::OneVirusPage(const PanelContext& context) : MainPanel(context) {
    const MainWindowContext& app = context.app;
    if (!app.state.engine)
        return;
    uservir::SuspectFeed suspects{app.recheckSuspects, app.suspects};
    if (!suspects.current)
        suspects.current = []() -> const SuspectList& { return NoSuspects(); };
    model_ = std::make_unique<uservir::UserVirusPage>(
        uservir::UserVirusSeams{app.os.files, app.os.shell, app.os.windows, *app.state.engine,
                                app.messages, app.exceptions, TrustedPlacesOf(app.state),
                                app.state.paths.ownExePath, app.state.paths.ownFolder},
        std::move(suspects), *this);
    model_->showProperties = [this](std::u16string_view path) {
        ShowFileProperties(ctx_.window.hwnd(), {std::u16string(path), 0}, ctx_.app.os,
                           ctx_.app.messages.CurrentLanguage());
    };
}

OneVirusPage::~OneVirusPage() {
    for (int id : kDropTargets) {
        if (HWND control = ctx_.kit.Ctl(id))
            RemoveWindowSubclass(control, DropProc, 1);
    }
}

void OneVirusPage::Build(HWND page) {
    ControlKit& kit = ctx_.kit;
    kit.Add(Kind::Label, page, ctl::kLbUVTitle);
    kit.SetFont(ctl::kLbUVTitle, FontRole::Bold);
    kit.Add(Kind::IconBox, page, ctl::kPicIcon);
    for (int id : {ctl::kLbUVNameCap, ctl::kLbUVName, ctl::kLbUVLevCap, ctl::kLbUVLev,
                   ctl::kLbUVPathCap, ctl::kLbUnwanted})
        kit.Add(Kind::Label, page, id);
    kit.Add(Kind::Edit, page, ctl::kTxUVPath);
    SendMessageW(kit.Ctl(ctl::kTxUVPath), EM_SETREADONLY, TRUE, 0);
    kit.Add(Kind::Button, page, ctl::kCmdUVBrowse);
    kit.Add(Kind::Button, page, ctl::kCmdUVReset);
    kit.AddList(page, ctl::kLVUnwanted);
    HandleListEvents(ctx_, ctl::kLVUnwanted);
    kit.Enable(ctl::kCmdUVBrowse, model_ != nullptr);
    kit.Enable(ctl::kCmdUVReset, false);  // until a file is declared
    if (!model_)
        return;
    const int size = ctx_.window.Scale(16);
    rowIcons_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 8));
    ListView_SetImageList(kit.Ctl(ctl::kLVUnwanted), rowIcons_.get(), LVSIL_SMALL);
    model_->rows.onChange = [this](ListChange change, std::size_t row) { MirrorRow(change, row); };
    ctx_.window.onCommand[ctl::kCmdUVBrowse] = [this](int) { model_->Browse(); };
    ctx_.window.onCommand[ctl::kCmdUVReset] = [this](int) { model_->Reset(); };
    BindCommands();
    AcceptDrops();
}

void OneVirusPage::BindCommands() {
    CommandBindings& bindings = ctx_.bindings;
    auto onRow = [this](void (uservir::UserVirusPage::*command)(std::size_t)) {
        return [this, command] {
            if (std::optional<std::size_t> row = Selected())
                (model_.get()->*command)(*row);
        };
    };
    bindings.Bind(cmd::kPopUserVirAdd, onRow(&uservir::UserVirusPage::AddRowAsVirus));
    bindings.Bind(cmd::kPopUserVirRefresh, [this] {
        model_->Refresh();
        RefreshRowIcons();
    });
    bindings.Bind(cmd::kPopUserVirGetAll, [this] { model_->GetAllFiles(); });
    bindings.Bind(cmd::kPopUserVirExp, onRow(&uservir::UserVirusPage::ExploreRow));
    bindings.Bind(cmd::kPopUserVirExc, onRow(&uservir::UserVirusPage::IgnoreRow));
    if (model_->showProperties)
        bindings.Bind(cmd::kPopUserVirProp, onRow(&uservir::UserVirusPage::PropertiesOfRow));
}

void OneVirusPage::AcceptDrops() {
    for (int id : kDropTargets) {
        HWND control = ctx_.kit.Ctl(id);
        DragAcceptFiles(control, TRUE);
        SetWindowSubclass(control, DropProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

void OneVirusPage::Dropped(HDROP drop) {
    std::u16string path;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        std::wstring buffer(length + 1, L'\0');
        DragQueryFileW(drop, 0, buffer.data(), length + 1);
        path = win::U16(std::wstring_view(buffer.c_str()));
    }
    DragFinish(drop);
    if (model_ && !path.empty())
        model_->DropFile(path);
}

void OneVirusPage::Layout(int pw, int ph) {
    const ControlKit& kit = ctx_.kit;
    kit.Place(ctl::kLbUVTitle, 8, 6, pw - 16, 18);
    kit.Place(ctl::kPicIcon, 8, 30, 32, 32);
    kit.Place(ctl::kLbUVNameCap, 50, 30, 84, 16);
    kit.Place(ctl::kLbUVName, 136, 30, pw - 144, 16);
    kit.Place(ctl::kLbUVLevCap, 50, 48, 84, 16);
    kit.Place(ctl::kLbUVLev, 136, 48, pw - 144, 16);
    kit.Place(ctl::kLbUVPathCap, 8, 75, 60, 16);
    kit.Place(ctl::kCmdUVReset, pw - 8 - 70, 70, 70, 25);
    kit.Place(ctl::kCmdUVBrowse, pw - 8 - 70 - 6 - 130, 70, 130, 25);
    kit.Place(ctl::kTxUVPath, 70, 72, pw - 70 - 8 - 70 - 6 - 130 - 6, 21);
    kit.Place(ctl::kLbUnwanted, 8, 104, pw - 16, 16);
    kit.Place(ctl::kLVUnwanted, 8, 122, pw - 16, ph - 130);
}

void OneVirusPage::Loaded() {
    UserVirusChanged(model_ ? model_->Display() : uservir::UserVirusDisplay{});
}

void OneVirusPage::SetUp(SetupPart) {
    ctx_.kit.AddColumns(ctl::kLVUnwanted);
}

void OneVirusPage::Opened() {
    if (model_) {
        model_->Opened();
        RefreshRowIcons();
    }
}

std::optional<Color> OneVirusPage::TextColor(int controlId, const ThemePalette& palette) const {
    if (controlId == ctl::kLbUVTitle)
        return ColorOf(palette, PaletteRole::Heading);
    return std::nullopt;
}

void OneVirusPage::MirrorRow(ListChange change, std::size_t row) {
    if (HWND view = ctx_.kit.Ctl(ctl::kLVUnwanted))
        MirrorListRow(view, model_->rows, change, row);
    if (change == ListChange::Cleared)
        ImageList_RemoveAll(rowIcons_.get());
}

// Each row shows its own file's icon; a file without one shows none.
void OneVirusPage::RefreshRowIcons() {
    const ResultList& rows = model_->rows;
    for (std::size_t i = 0; i < rows.Count(); ++i) {
        win::UniqueIcon icon = FileIcon(rows.Row(i).tag, true);
        const int index = icon ? ImageList_AddIcon(rowIcons_.get(), icon.get()) : I_IMAGENONE;
        model_->rows.SetIcon(i, index);
    }
}

std::optional<std::size_t> OneVirusPage::Selected() const {
    const int row = SelectedRow(ctx_.kit.Ctl(ctl::kLVUnwanted));
    if (row < 0 || !model_ || static_cast<std::size_t>(row) >= model_->rows.Count())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

// ---- uservir::UserVirusView ----

int OneVirusPage::MessageBox(std::u16string_view text, std::u16string_view title,
                             std::uint32_t style) {
    return win::ShowMessage(ctx_.window.hwnd(), text, title, style);
}

std::optional<std::u16string> OneVirusPage::ChooseFile(std::u16string_view title) {
    std::wstring buffer(MAX_PATH * 4, L'\0');
    const std::u16string filter = ExceptionFileFilter();
    const std::u16string caption(title);
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = ctx_.window.hwnd();
    request.lpstrFilter = win::W(filter);
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    request.lpstrTitle = win::W(caption);
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                    OFN_OVERWRITEPROMPT;
    if (!GetOpenFileNameW(&request))
        return std::nullopt;
    return win::U16(std::wstring_view(buffer.c_str()));
}

void OneVirusPage::UserVirusChanged(const uservir::UserVirusDisplay& display) {
    const ControlKit& kit = ctx_.kit;
    kit.SetText(ctl::kTxUVPath, display.path);
    kit.SetText(ctl::kLbUVName, display.name);
    kit.SetText(ctl::kLbUVLev, display.level);
    kit.Enable(ctl::kCmdUVReset, display.ResetEnabled());
    // The control lets go of the old icon before it is destroyed.
    win::UniqueIcon icon =
        display.ResetEnabled() ? FileIcon(display.path, false) : win::UniqueIcon();
    SendMessageW(kit.Ctl(ctl::kPicIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    fileIcon_ = std::move(icon);
}

}  // namespace vestra::ui
