// Windows-only: the target tree's mirror of the TargetTree model.
#include "ui/main/panels/TargetTreeView.h"

#include <windows.h>

#include <commctrl.h>

#include "scanner/TargetSelection.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Win32Text.h"
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

TargetTreeView::TargetTreeView(const PanelContext& context, TargetTree& tree)
    : ctx_(context), tree_(tree) {}

void TargetTreeView::Attach(HWND view) {
    view_ = view;
    const int size = ctx_.window.Scale(16);
    images_.Reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 5, 0));
    for (int resource : kTreeIcons) {
        win::UniqueIcon icon = win::LoadIconResource(resource, size);
        ImageList_AddIcon(images_.get(), icon.get());
    }
    TreeView_SetImageList(view_, images_.get(), TVSIL_NORMAL);
    tree_.onChange = [this](TreeChange change, NodeId id) { OnTreeChange(change, id); };
    MirrorTree();
    ctx_.window.onNotify[ctl::kTvDir] = [this](NMHDR* header) { return OnNotify(header); };
}

void TargetTreeView::MirrorTree() {
    SendMessageW(view_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(view_);
    items_.assign(tree_.NodeCount(), nullptr);
    AddChildren(tree_.Root());
    SendMessageW(view_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view_, nullptr, TRUE);
}

void TargetTreeView::AddChildren(NodeId parent) {
    if (items_.size() < tree_.NodeCount())
        items_.resize(tree_.NodeCount(), nullptr);
    HTREEITEM parentItem =
        parent == tree_.Root() ? TVI_ROOT : items_[static_cast<std::size_t>(parent)];
    for (NodeId child : tree_.Node(parent).children) {
        const TreeNode& node = tree_.Node(child);
        if (items_[static_cast<std::size_t>(child)])
            continue;
        TVINSERTSTRUCTW insert{};
        insert.hParent = parentItem;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = const_cast<wchar_t*>(win::W(node.text));
        insert.item.iImage = insert.item.iSelectedImage = ImageIndexOf(node.icon);
        insert.item.lParam = child;
        insert.item.cChildren = (node.expandable || !node.children.empty()) ? 1 : 0;
        HTREEITEM item = TreeView_InsertItem(view_, &insert);
        items_[static_cast<std::size_t>(child)] = item;
        TreeView_SetCheckState(view_, item, node.checked);
        AddChildren(child);
    }
}

void TargetTreeView::OnTreeChange(TreeChange change, NodeId id) {
    if (!view_)
        return;
    switch (change) {
        case TreeChange::Rebuilt:
            MirrorTree();
            break;
        case TreeChange::ChildrenAdded:
            AddChildren(id);
            break;
        case TreeChange::Marked:
            if (static_cast<std::size_t>(id) < items_.size() && items_[id])
                TreeView_SetCheckState(view_, items_[id], tree_.Node(id).checked);
            break;
        case TreeChange::Selected:
            if (static_cast<std::size_t>(id) < items_.size() && items_[id])
                TreeView_SelectItem(view_, items_[id]);
            break;
    }
}

LRESULT TargetTreeView::OnNotify(NMHDR* header) {
    HWND view = header->hwndFrom;
    HWND window = ctx_.window.hwnd();
    switch (header->code) {
        case TVN_ITEMEXPANDINGW: {
            const auto* expand = reinterpret_cast<NMTREEVIEWW*>(header);
            const NodeId id = static_cast<NodeId>(expand->itemNew.lParam);
            if ((expand->action & TVE_EXPAND) && !tree_.Node(id).loaded)
                tree_.Expand(id);
            return FALSE;
        }
        case NM_CLICK: {
            TVHITTESTINFO hit{};
            const DWORD at = GetMessagePos();
            hit.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
            ScreenToClient(view, &hit.pt);
            if (TreeView_HitTest(view, &hit) && (hit.flags & TVHT_ONITEMSTATEICON))
                PostMessageW(window, kMsgTreeCheck, reinterpret_cast<WPARAM>(hit.hItem), 0);
            return 0;
        }
        case TVN_KEYDOWN:
            if (reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey == VK_SPACE) {
                if (HTREEITEM item = TreeView_GetSelection(view))
                    PostMessageW(window, kMsgTreeCheck, reinterpret_cast<WPARAM>(item), 0);
            }
            return 0;
        default:
            return 0;
    }
}

void TargetTreeView::OnCheckClicked(HTREEITEM item) {
    TVITEMW query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    if (!TreeView_GetItem(view_, &query))
        return;
    const NodeId id = static_cast<NodeId>(query.lParam);
    const bool wanted = TreeView_GetCheckState(view_, item) == 1;
    if (wanted == tree_.Node(id).checked)
        return;
    const MainWindowContext& app = ctx_.app;
    CheckQuestions questions{app.os.windows, app.messages, !app.state.mainWindowLoadingFlag,
                             [this] { return ctx_.host.PassPasswordGate(); }};
    const bool ended = OnNodeCheck(tree_, id, wanted, questions);
    TreeView_SetCheckState(view_, item, ended);
}

}  // namespace vestra::ui
