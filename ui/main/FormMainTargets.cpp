// Windows-only: the target tree TvDir as a mirror of the scanner's TargetTree model: nodes are
// added as the model makes them, marks follow the model, and the user's expand and check clicks
// go back to it (with its questions and the password gate of the deep registry area).
#include <windows.h>

#include <commctrl.h>

#include "scanner/TargetSelection.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
#include "ui/main/FormMain.h"
#include "ui/model/ControlIds.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

int IconResourceOf(NodeIcon icon) {
    switch (icon) {
        case NodeIcon::Registry:
        case NodeIcon::RegistryDefault:
        case NodeIcon::RegistryDeep:
            return IDI_REGISTRY;
        case NodeIcon::Computer:
        case NodeIcon::DriveRemovable:
        case NodeIcon::DriveFixed:
        case NodeIcon::DriveCdRom:
        case NodeIcon::DriveOther:
            return IDI_DRIVE;
        case NodeIcon::Folder:
            return IDI_FOLDER;
        case NodeIcon::Files:
        case NodeIcon::File:
            return IDI_FILE;
        case NodeIcon::SystemArea:
        case NodeIcon::Processes:
        case NodeIcon::Services:
        case NodeIcon::Startup:
            return IDI_AREA;
    }
    return IDI_AREA;
}

constexpr int kTreeIcons[] = {IDI_AREA, IDI_REGISTRY, IDI_DRIVE, IDI_FOLDER, IDI_FILE};

int ImageIndexOf(NodeIcon icon) {
    const int resource = IconResourceOf(icon);
    for (int i = 0; i < static_cast<int>(std::size(kTreeIcons)); ++i) {
        if (kTreeIcons[i] == resource)
            return i;
    }
    return 0;
}

}  // namespace

void FormMain::BuildTargetTree() {
    HWND view = Ctl(ctl::kTvDir);
    const int size = Scale(16);
    treeImages_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 5, 0));
    for (int resource : kTreeIcons) {
        win::UniqueIcon icon = win::LoadIconResource(resource, size);
        ImageList_AddIcon(treeImages_.get(), icon.get());
    }
    TreeView_SetImageList(view, treeImages_.get(), TVSIL_NORMAL);
    targetTree_.onChange = [this](TreeChange change, NodeId id) { OnTreeChange(change, id); };
    MirrorTree();
    onNotify[ctl::kTvDir] = [this](NMHDR* header) { return OnTreeNotify(header); };
    for (int i = 0; i < ctl::kScanKindCount - 1; ++i) {
        onCommand[ctl::kOpt0 + i] = [this, i](int code) {
            if (code == BN_CLICKED && win::IsChecked(Ctl(ctl::kOpt0 + i)))
                ApplyPreset(targetTree_, ctx_.os.files, ctx_.os.system, i);
        };
    }
}

void FormMain::MirrorTree() {
    HWND view = Ctl(ctl::kTvDir);
    SendMessageW(view, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(view);
    treeItems_.assign(targetTree_.NodeCount(), nullptr);
    AddTreeChildren(targetTree_.Root());
    SendMessageW(view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view, nullptr, TRUE);
}

void FormMain::AddTreeChildren(NodeId parent) {
    HWND view = Ctl(ctl::kTvDir);
    if (treeItems_.size() < targetTree_.NodeCount())
        treeItems_.resize(targetTree_.NodeCount(), nullptr);
    HTREEITEM parentItem =
        parent == targetTree_.Root() ? TVI_ROOT : treeItems_[static_cast<std::size_t>(parent)];
    for (NodeId child : targetTree_.Node(parent).children) {
        const TreeNode& node = targetTree_.Node(child);
        if (treeItems_[static_cast<std::size_t>(child)])
            continue;
        TVINSERTSTRUCTW insert{};
        insert.hParent = parentItem;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = const_cast<wchar_t*>(win::W(node.text));
        insert.item.iImage = insert.item.iSelectedImage = ImageIndexOf(node.icon);
        insert.item.lParam = child;
        insert.item.cChildren = (node.expandable || !node.children.empty()) ? 1 : 0;
        HTREEITEM item = TreeView_InsertItem(view, &insert);
        treeItems_[static_cast<std::size_t>(child)] = item;
        TreeView_SetCheckState(view, item, node.checked);
        AddTreeChildren(child);
    }
}

void FormMain::OnTreeChange(TreeChange change, NodeId id) {
    HWND view = Ctl(ctl::kTvDir);
    if (!view)
        return;
    switch (change) {
        case TreeChange::Rebuilt:
            MirrorTree();
            break;
        case TreeChange::ChildrenAdded:
            AddTreeChildren(id);
            break;
        case TreeChange::Marked:
            if (static_cast<std::size_t>(id) < treeItems_.size() && treeItems_[id])
                TreeView_SetCheckState(view, treeItems_[id], targetTree_.Node(id).checked);
            break;
        case TreeChange::Selected:
            if (static_cast<std::size_t>(id) < treeItems_.size() && treeItems_[id])
                TreeView_SelectItem(view, treeItems_[id]);
            break;
    }
}

LRESULT FormMain::OnTreeNotify(NMHDR* header) {
    HWND view = header->hwndFrom;
    switch (header->code) {
        case TVN_ITEMEXPANDINGW: {
            const auto* expand = reinterpret_cast<NMTREEVIEWW*>(header);
            const NodeId id = static_cast<NodeId>(expand->itemNew.lParam);
            if ((expand->action & TVE_EXPAND) && !targetTree_.Node(id).loaded)
                targetTree_.Expand(id);
            return FALSE;
        }
        case NM_CLICK: {
            TVHITTESTINFO hit{};
            const DWORD at = GetMessagePos();
            hit.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
            ScreenToClient(view, &hit.pt);
            if (TreeView_HitTest(view, &hit) && (hit.flags & TVHT_ONITEMSTATEICON))
                PostMessageW(hwnd(), kMsgTreeCheck, reinterpret_cast<WPARAM>(hit.hItem), 0);
            return 0;
        }
        case TVN_KEYDOWN:
            if (reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey == VK_SPACE) {
                if (HTREEITEM item = TreeView_GetSelection(view))
                    PostMessageW(hwnd(), kMsgTreeCheck, reinterpret_cast<WPARAM>(item), 0);
            }
            return 0;
        default:
            return 0;
    }
}

void FormMain::OnTreeCheckClicked(HTREEITEM item) {
    HWND view = Ctl(ctl::kTvDir);
    TVITEMW query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    if (!TreeView_GetItem(view, &query))
        return;
    const NodeId id = static_cast<NodeId>(query.lParam);
    const bool wanted = TreeView_GetCheckState(view, item) == 1;
    if (wanted == targetTree_.Node(id).checked)
        return;
    CheckQuestions questions{ctx_.os.windows, ctx_.messages, !ctx_.state.mainWindowLoadingFlag,
                             [this] {
                                 return passwordGuard_.Pass(ctx_.settings.usePassword != 0,
                                                            [this] { return AskPassword(); });
                             }};
    const bool ended = OnNodeCheck(targetTree_, id, wanted, questions);
    TreeView_SetCheckState(view, item, ended);
}

}  // namespace vestra::ui
