// Windows-only: the "Process Manager" tool page.
#include "ui/main/panels/tools/ProcessManagerPage.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <random>
#include <vector>

#include "app/MemoryCheck.h"
#include "platform/Text.h"
#include "processes/ProcessTree.h"
#include "scanner/FileRoutines.h"
#include "ui/forms/FormFileProp.h"
#include "ui/forms/FormProcessTree.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/ListEvents.h"
#include "ui/model/ControlIds.h"
#include "ui/model/ListLayouts.h"
#include "uservir/UserVirusCandidate.h"

// <windows.h> makes MessageBox a macro; the seam's method keeps its plain name.
#ifdef MessageBox
#undef MessageBox
#endif

namespace vestra::ui {
namespace {

// The page's own timer; the frame's timers stay below it.
constexpr UINT_PTR kTimerProcess = 20;
constexpr UINT kProcessIntervalMs = 1000;
constexpr UINT_PTR kTimerConceal = 21;
constexpr UINT kConcealIntervalMs = 500;
constexpr std::u16string_view kSearchAddress = u"https://www.google.com/search?q=";

enum ProcColumn : int { kName = 0, kRisk, kSize, kDescription, kPath };

HWND Hwnd(platform::WindowId window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

// The visible top-level windows, in z order. Hidden ones are left alone: no user looks for them,
// and the protection host's own hidden window is found by its title.
std::vector<platform::WindowId> VisibleTopWindows() {
    std::vector<platform::WindowId> windows;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w))
            windows.push_back(reinterpret_cast<std::uintptr_t>(w));
    }
    return windows;
}

std::u16string TitleOf(platform::WindowId window) {
    wchar_t text[256] = {};
    const int n = GetWindowTextW(Hwnd(window), text, 256);
    return std::u16string(reinterpret_cast<const char16_t*>(text), n > 0 ? n : 0);
}

}  // namespace

ProcessManagerPage::ProcessManagerPage(const PanelContext& context) : MainPanel(context) {}
ProcessManagerPage::~ProcessManagerPage() {
    // Other programs' windows keep no scrambled titles once the program has gone.
    if (concealer_ && concealer_->active())
        concealer_->TurnOff();
}

void ProcessManagerPage::Build(HWND page) {
    ctx_.kit.Add(ControlKit::Kind::Label, page, ctl::kLbProcHint);
    ctx_.kit.AddList(page, ctl::kLVProc);
    HandleListEvents(
        ctx_, ctl::kLVProc,
        [this](HWND list, const NMLISTVIEW& change) {
            if (mirroring_ || !CheckMarkChanged(change) || change.iItem < 0)
                return;
            const auto row = static_cast<std::size_t>(change.iItem);
            if (row < view_.rows().size())
                view_.rows()[row].checked = win::list::RowChecked(list, change.iItem);
        },
        [this](int column) { SortBy(column); });
    const MainWindowContext& app = ctx_.app;
    kit_ = std::make_unique<processes::ProcessKit>(app.os, ProcessSetupOf(app.state));
    parts_ = std::make_unique<processes::CommandParts>(
        processes::CommandParts{*kit_, view_, app.os.windows, app.messages,
                                [&os = app.os](std::uint32_t id) {
                                    auto modules = os.processes.Modules(id);
                                    return modules ? *modules : std::vector<std::u16string>{};
                                },
                                app.state.paths.ownExePath});
    ctx_.window.onTimer[kTimerProcess] = [this] { Refresh(); };
    concealer_ = std::make_unique<processes::WindowConcealer>(processes::WindowConcealer::Access{
        VisibleTopWindows,
        [] {
            return static_cast<platform::WindowId>(
                reinterpret_cast<std::uintptr_t>(GetForegroundWindow()));
        },
        TitleOf,
        [](platform::WindowId window, std::u16string_view text) {
            return SetWindowTextW(Hwnd(window), win::W(std::u16string(text))) != FALSE;
        },
        [rng = std::minstd_rand(GetTickCount())]() mutable { return (rng() & 1) != 0; }});
    ctx_.window.onTimer[kTimerConceal] = [this] { concealer_->Tick(); };
    BindCommands();
}

void ProcessManagerPage::Layout(int pw, int ph) {
    ctx_.kit.Place(ctl::kLbProcHint, 8, 6, pw - 16, 16);
    ctx_.kit.Place(ctl::kLVProc, 8, 26, pw - 16, ph - 34);
}

void ProcessManagerPage::SetUp(SetupPart) {
    ctx_.kit.AddColumns(ctl::kLVProc);
}

void ProcessManagerPage::Opened() {
    Refresh();
    ctx_.window.StartTimer(kTimerProcess, kProcessIntervalMs);
}

void ProcessManagerPage::Left() {
    ctx_.window.StopTimer(kTimerProcess);
}

void ProcessManagerPage::Refresh() {
    HWND list = ctx_.kit.Ctl(ctl::kLVProc);
    if (!kit_ || !list || ctx_.app.state.exitingFlag || !IsWindowVisible(list))
        return;
    if (kit_->list.Refresh() < 0)
        return;
    platform::FileSystem& files = ctx_.app.os.files;
    const processes::ViewChanges changes =
        view_.Sync(kit_->list, [&files](std::u16string_view path) { return files.Exists(path); });
    mirroring_ = true;
    for (std::size_t row : changes.removed)
        ListView_DeleteItem(list, static_cast<int>(row));
    mirroring_ = false;
    const std::size_t first = view_.rows().size() - changes.added;
    for (std::size_t row = first; row < view_.rows().size(); ++row)
        FillShownCells(view_.rows()[row]);
    if (changes.added > 0 && view_.sortColumn() >= 0) {
        // New rows take their places in the order the user chose.
        view_.Resort(CellText());
        ShowAllRows();
        return;
    }
    mirroring_ = true;
    for (std::size_t row = first; row < view_.rows().size(); ++row) {
        win::list::AddRow(list, view_.rows()[row].process.name);
        ShowRowCells(static_cast<int>(row));
    }
    mirroring_ = false;
}

processes::ProcessView::CellText ProcessManagerPage::CellText() {
    return [](const processes::ProcessRow& row, int column) {
        if (column == kName)
            return row.process.name + row.status;
        const auto at = static_cast<std::size_t>(column - 1);
        return at < row.shown.size() ? row.shown[at] : std::u16string();
    };
}

void ProcessManagerPage::FillShownCells(processes::ProcessRow& model) {
    const std::u16string& path = model.process.path;
    platform::Platform& os = ctx_.app.os;
    const MainWindowContext& app = ctx_.app;
    std::u16string risk, size, description;
    if (path != processes::kNoPath) {
        if (app.state.engine && app.suspects)
            risk = ToText(uservir::UVRiskLevel(*app.state.engine, app.suspects(), path));
        size = FileSizeText(os.files, path, kUnitKB, false);
        description = GetVersionStrings(os.versions, path)[1];
    }
    model.shown = {risk, size, description, path};
}

void ProcessManagerPage::ShowRowCells(int row) {
    HWND list = ctx_.kit.Ctl(ctl::kLVProc);
    const processes::ProcessRow& model = view_.rows()[static_cast<std::size_t>(row)];
    win::list::SetCell(list, row, kName, model.process.name + model.status);
    for (int column = kRisk; column <= kPath; ++column) {
        const auto at = static_cast<std::size_t>(column - 1);
        win::list::SetCell(list, row, column, at < model.shown.size() ? model.shown[at] : u"");
    }
}

void ProcessManagerPage::ShowAllRows() {
    HWND list = ctx_.kit.Ctl(ctl::kLVProc);
    mirroring_ = true;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (std::size_t row = 0; row < view_.rows().size(); ++row) {
        win::list::AddRow(list, view_.rows()[row].process.name);
        ShowRowCells(static_cast<int>(row));
        win::list::CheckRow(list, static_cast<int>(row), view_.rows()[row].checked);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    mirroring_ = false;
}

void ProcessManagerPage::SortBy(int column) {
    view_.SortBy(column, CellText());
    ShowAllRows();
}

void ProcessManagerPage::MirrorChecks() {
    HWND list = ctx_.kit.Ctl(ctl::kLVProc);
    mirroring_ = true;
    for (std::size_t row = 0; row < view_.rows().size(); ++row)
        win::list::CheckRow(list, static_cast<int>(row), view_.rows()[row].checked);
    mirroring_ = false;
}

const processes::ProcessRow* ProcessManagerPage::SelectedProcess() const {
    const int row = SelectedRow(ctx_.kit.Ctl(ctl::kLVProc));
    if (row < 0 || static_cast<std::size_t>(row) >= view_.rows().size())
        return nullptr;
    return &view_.rows()[static_cast<std::size_t>(row)];
}

void ProcessManagerPage::Act(processes::ProcessAction action) {
    processes::ProcessEx(*parts_, action);
    // Outcomes show in the rows at once; ended processes leave with the next tick.
    for (std::size_t row = 0; row < view_.rows().size(); ++row) {
        if (view_.rows()[row].checked)
            ShowRowCells(static_cast<int>(row));
    }
}

void ProcessManagerPage::Check(processes::CheckKind kind) {
    processes::ProcessCheck(*parts_, kind, SelectedRow(ctx_.kit.Ctl(ctl::kLVProc)));
    MirrorChecks();
}

void ProcessManagerPage::Shutdown(int flags) {
    const std::u16string word(processes::ShutdownWord(flags));
    const std::u16string question = ctx_.app.messages.Text(0) + word + u" Windows?";
    if (ctx_.app.os.windows.MessageBox(question, word,
                                       platform::mb::kYesNo | platform::mb::kIconQuestion) !=
        platform::mb::kAnswerYes) {
        return;
    }
    if (flags == 6)
        SetSystemPowerState(TRUE, TRUE);
    else if (flags == 7)
        LockWorkStation();
    else
        ExitWindowsEx(static_cast<UINT>(flags) | EWX_FORCE, 0);
}

void ProcessManagerPage::ToggleConceal() {
    if (concealer_->active()) {
        ctx_.window.StopTimer(kTimerConceal);
        concealer_->TurnOff();
    } else {
        concealer_->TurnOn();
        ctx_.window.StartTimer(kTimerConceal, kConcealIntervalMs);
    }
}

void ProcessManagerPage::BindCommands() {
    CommandBindings& b = ctx_.bindings;
    using processes::CheckKind;
    using processes::ProcessAction;
    b.Bind(cmd::kPopProcKill, [this] { Act(ProcessAction::Kill); });
    b.Bind(cmd::kPopProcRestart, [this] { Act(ProcessAction::Restart); });
    b.Bind(cmd::kPopProcSuspend, [this] { Act(ProcessAction::Suspend); });
    b.Bind(cmd::kPopProcResume, [this] { Act(ProcessAction::Resume); });
    b.Bind(cmd::kPopProcCheckTree, [this] { Check(CheckKind::Tree); });
    b.Bind(cmd::kPopProcSelUser, [this] { Check(CheckKind::User); });
    b.Bind(cmd::kPopProcSelVb, [this] { Check(CheckKind::VisualBasic); });
    b.Bind(cmd::kPopProcDeselect, [this] { Check(CheckKind::None); });
    b.Bind(cmd::kPopProcConceal, [this] { ToggleConceal(); });
    b.BindCheckMark(cmd::kPopProcConceal, [this] { return concealer_ && concealer_->active(); });
    b.Bind(cmd::kPopProcTree, [this] { ShowProcessTree(ctx_.window.hwnd(), *kit_); });
    b.Bind(cmd::kPopProcExplore, [this] {
        if (const processes::ProcessRow* row = SelectedProcess()) {
            platform::Platform& os = ctx_.app.os;
            ExplorePath({os.files, os.shell, os.windows}, row->process.path);
        }
    });
    b.Bind(cmd::kPopProcGoogle, [this] {
        if (const processes::ProcessRow* row = SelectedProcess()) {
            ctx_.app.os.shell.Execute(
                {u"open", std::u16string(kSearchAddress) + row->process.name, u"", u"", 1});
        }
    });
    b.Bind(cmd::kPopProcCreate, [this] {
        using RunFileDlg = void(WINAPI*)(HWND, HICON, LPCWSTR, LPCWSTR, LPCWSTR, UINT);
        HMODULE shell = GetModuleHandleW(L"shell32.dll");
        auto run = reinterpret_cast<RunFileDlg>(
            reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(61))));
        if (run)
            run(ctx_.window.hwnd(), nullptr, nullptr, L"Create Process ...", nullptr, 0);
    });
    b.Bind(cmd::kPopProcInfo, [this] {
        if (const processes::ProcessRow* row = SelectedProcess())
            ShowFileProperties(ctx_.window.hwnd(), {row->process.path, row->process.processId},
                               ctx_.app.os, ctx_.app.messages.CurrentLanguage());
    });
    const std::pair<int, int> shutdowns[] = {{cmd::kPopProcLogOff, 0},
                                             {cmd::kPopProcTurnOff, 1},
                                             {cmd::kPopProcReboot, 2},
                                             {cmd::kPopProcStandBy, 6},
                                             {cmd::kPopProcSwitchUser, 7}};
    for (const auto& [id, flags] : shutdowns)
        b.Bind(id, [this, flags = flags] { Shutdown(flags); });
}

}  // namespace vestra::ui
