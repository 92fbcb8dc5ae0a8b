// Windows-only: the file properties window. The model gathers the rows; this file copies them into
// the controls, asks the shell for icons and type names, and fills the module list when its tab
// is first shown, pumping messages between modules so the window stays usable.
#include "ui/forms/FormFileProp.h"

#include <shellapi.h>

#include "common/FileNames.h"
#include "scanner/FileRoutines.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialogs.h"
#include "ui/framework/Win32Text.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

enum : int {
    kPicIcon = 100,
    kLbPropName,
    kLbPropDesc,
    kTabMain,
    kLVProcessInfo,
    kLVFileVersion,
    kLVModule,
    kPBMain,
};

enum : int {
    kPopModExp = 200,
    kPopModGoogle,
    kPopModProp,
};

const int kTabModules = 2;  // the tab whose list is filled on first show

struct ShellFileInfo {
    win::UniqueIcon icon;
    std::u16string typeName;
};

// The shell's icon (large or small) and type name of a file.
ShellFileInfo ShellInfoOf(const std::u16string& path, bool large) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | SHGFI_TYPENAME | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    ShellFileInfo result;
    if (SHGetFileInfoW(win::W(path), 0, &info, sizeof(info), flags) != 0) {
        result.icon.Reset(info.hIcon);
        result.typeName = win::U16(info.szTypeName);
    }
    return result;
}

void FillNameValueList(HWND list, const std::vector<PropertyRow>& rows) {
    win::list::Clear(list);
    for (const PropertyRow& row : rows) {
        const int index = win::list::AddRow(list, row.name);
        win::list::SetCell(list, index, 1, row.value);
    }
}

}  // namespace

bool ShowShellProperties(std::u16string_view path, HWND owner) {
    const std::u16string file(path);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    request.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpVerb = L"properties";
    request.lpFile = win::W(file);
    request.nShow = SW_SHOW;
    const bool shown = ShellExecuteExW(&request) != FALSE;
    // The sheet may come with a process handle of its own; this operation does not keep it.
    if (request.hProcess)
        CloseHandle(request.hProcess);
    return shown;
}

void ShowFileProperties(HWND owner, const FilePropertiesSubject& subject,
                        const platform::Platform& os, int language) {
    FormFileProp form(subject, os, language);
    const int dpi = win::WindowDpi(owner);
    RECT ownerRect{0, 0, 800, 600};
    if (owner)
        GetWindowRect(owner, &ownerRect);
    const int width = MulDiv(520, dpi, 96), height = MulDiv(460, dpi, 96);
    win::WindowArgs args;
    args.className = u"VestraFileProp";
    args.title = FilePropertiesTextsFor(language).captionSuffix;
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    args.exStyle = WS_EX_CONTROLPARENT;
    args.owner = owner;
    args.iconResource = IDI_VESTRA;
    args.x = (ownerRect.left + ownerRect.right - width) / 2;
    args.y = (ownerRect.top + ownerRect.bottom - height) / 2;
    args.width = width;
    args.height = height;
    if (!form.Create(args))
        return;
    ShowWindow(form.hwnd(), SW_SHOW);
    win::RunModal(owner, form.hwnd());
}

FormFileProp::FormFileProp(FilePropertiesSubject subject, const platform::Platform& os,
                           int language)
    : subject_(std::move(subject)),
      os_(os),
      language_(language),
      seams_{os.files, os.versions, os.processes} {}

bool FormFileProp::OnCreate() {
    MakeControls();
    const FileProperties shown = GatherFileProperties(seams_, subject_, language_);
    FillHeader(shown);
    FillNameValueList(Item(kLVProcessInfo), shown.processInfo);
    FillNameValueList(Item(kLVFileVersion), shown.fileVersion);
    onCommand[IDCANCEL] = [this](int) { DestroyWindow(hwnd()); };
    onNotify[kTabMain] = [this](NMHDR* header) -> LRESULT {
        if (header->code == TCN_SELCHANGE)
            ShowTab(win::tabs::Selected(Item(kTabMain)));
        return 0;
    };
    onNotify[kLVModule] = [this](NMHDR* header) { return OnModuleNotify(header); };
    ShowTab(0);
    return true;
}

void FormFileProp::MakeControls() {
    const FilePropertiesTexts& texts = FilePropertiesTextsFor(language_);
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    bold_ = win::MakeFont({u"Tahoma", 8, true, false, Dpi()});
    auto add = [&](int id, HFONT font = nullptr) {
        win::ControlArgs args{hwnd(), id, u""};
        args.font = font ? font : font_.get();
        return args;
    };
    win::MakeIconBox(add(kPicIcon));
    win::MakeLabel(add(kLbPropName, bold_.get()));
    win::MakeLabel(add(kLbPropDesc));
    HWND tabs = win::MakeTabStrip(add(kTabMain));
    for (std::u16string_view caption : texts.tabs)
        win::tabs::Add(tabs, caption);
    for (int id : {kLVProcessInfo, kLVFileVersion}) {
        HWND list = win::MakeListView(add(id), false);
        win::list::AddColumn(list, texts.infoColumns[0], Scale(185));
        win::list::AddColumn(list, texts.infoColumns[1], Scale(285));
    }
    // The window keeps the module icons: the list must not destroy them with itself.
    win::ControlArgs moduleArgs = add(kLVModule);
    moduleArgs.style = LVS_SHAREIMAGELISTS;
    HWND modules = win::MakeListView(moduleArgs, false);
    const int widths[] = {120, 110, 150, 260};
    for (std::size_t i = 0; i < texts.moduleColumns.size(); ++i)
        win::list::AddColumn(modules, texts.moduleColumns[i], Scale(widths[i]));
    const int small = GetSystemMetrics(SM_CXSMICON);
    moduleIcons_.Reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 8, 8));
    ListView_SetImageList(modules, moduleIcons_.get(), LVSIL_SMALL);
    win::MakeProgressBar(add(kPBMain));
    win::ShowControl(Item(kPBMain), false);
}

void FormFileProp::FillHeader(const FileProperties& shown) {
    win::SetWindowTextU(hwnd(), shown.caption);
    win::SetWindowTextU(Item(kLbPropName), shown.nameLine);
    win::SetWindowTextU(Item(kLbPropDesc), shown.descriptionLine);
    ShellFileInfo info = ShellInfoOf(subject_.path, true);
    icon_ = std::move(info.icon);
    if (icon_)
        SendMessageW(Item(kPicIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
}

void FormFileProp::OnSize(int width, int height, WPARAM) {
    const int m = Scale(8), header = Scale(48), bar = Scale(12);
    win::MoveControl(Item(kPicIcon), m, m, Scale(32), Scale(32));
    win::MoveControl(Item(kLbPropName), m + Scale(44), m + Scale(2), width - 2 * m - Scale(44),
                     Scale(16));
    win::MoveControl(Item(kLbPropDesc), m + Scale(44), m + Scale(20), width - 2 * m - Scale(44),
                     Scale(16));
    const int tabHeight = height - header - 3 * m - bar;
    HWND tabs = Item(kTabMain);
    win::MoveControl(tabs, m, header, width - 2 * m, tabHeight);
    RECT area = win::tabs::DisplayArea(tabs);
    for (int id : {kLVProcessInfo, kLVFileVersion, kLVModule}) {
        SetWindowPos(Item(id), HWND_TOP, m + area.left, header + area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
    }
    win::MoveControl(Item(kPBMain), m, height - m - bar, width - 2 * m, bar);
}

void FormFileProp::OnDestroy() {
    closing_ = true;
}

void FormFileProp::ShowTab(int index) {
    const int lists[] = {kLVProcessInfo, kLVFileVersion, kLVModule};
    for (int i = 0; i < 3; ++i)
        win::ShowControl(Item(lists[i]), i == index);
    if (win::tabs::Selected(Item(kTabMain)) != index)
        win::tabs::Select(Item(kTabMain), index);
    if (index == kTabModules && !modulesFilled_)
        FillModules();
}

void FormFileProp::FillModules() {
    modulesFilled_ = true;
    HWND list = Item(kLVModule), bar = Item(kPBMain);
    const std::vector<std::u16string> paths = ModulePaths(seams_, subject_);
    win::ShowControl(bar, !paths.empty());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (auto module = DescribeModule(seams_, paths[i])) {
            ShellFileInfo info = ShellInfoOf(module->path, false);
            const int image =
                info.icon ? ImageList_AddIcon(moduleIcons_.get(), info.icon.get()) : -1;
            const int row = win::list::AddRow(list, module->name, image);
            win::list::SetCell(list, row, 1, info.typeName);
            win::list::SetCell(list, row, 2, module->description);
            win::list::SetCell(list, row, 3, module->path);
        }
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>((i + 1) * 100 / paths.size()), 0);
        win::PumpWaitingMessages();
        if (closing_)
            return;  // closed while filling: the controls are gone
    }
    win::ShowControl(bar, false);
}

LRESULT FormFileProp::OnModuleNotify(NMHDR* header) {
    if (header->code != NM_RCLICK || SelectedModulePath().empty())
        return 0;
    const FilePropertiesTexts& texts = FilePropertiesTextsFor(language_);
    win::UniqueMenu menu(CreatePopupMenu());
    const int commands[] = {kPopModExp, kPopModGoogle, kPopModProp};
    for (int i = 0; i < 3; ++i) {
        const std::u16string caption(texts.moduleMenu[i]);
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(commands[i]), win::W(caption));
    }
    POINT at{};
    GetCursorPos(&at);
    const int chosen = static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                       at.x, at.y, 0, hwnd(), nullptr));
    if (chosen != 0)
        OnModuleCommand(chosen);
    return 0;
}

void FormFileProp::OnModuleCommand(int command) {
    const std::u16string path = SelectedModulePath();
    if (path.empty())
        return;
    switch (command) {
        case kPopModExp:
            ExplorePath({os_.files, os_.shell, os_.windows}, path);
            break;
        case kPopModGoogle: {
            platform::ShellRequest request;
            request.verb = u"open";
            request.file = WebSearchAddress(FileNameOf(path, true));
            os_.shell.Execute(request);
            break;
        }
        case kPopModProp:
            ShowShellProperties(path, hwnd());
            break;
        default:
            break;
    }
}

std::u16string FormFileProp::SelectedModulePath() const {
    HWND list = Item(kLVModule);
    const int row = win::list::SelectedRow(list);
    return row < 0 ? std::u16string() : win::list::Cell(list, row, 3);
}

}  // namespace vestra::ui
