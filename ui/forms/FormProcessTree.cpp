// Windows-only: the process tree window.
#include "ui/forms/FormProcessTree.h"

#include <commctrl.h>

#include <map>
#include <memory>

#include "processes/ProcessTree.h"
#include "ui/framework/Controls.h"
#include "ui/resources/ResourceIds.h"

namespace vestra::ui {
namespace {

constexpr int kTvProc = 100;

std::unique_ptr<FormProcessTree> g_tree;

}  // namespace

bool FormProcessTree::OnCreate() {
    font_ = win::MakeFont({u"Tahoma", 8, false, false, Dpi()});
    win::ControlArgs args{hwnd(), kTvProc, u"", 0, 0, Scale(320), Scale(400)};
    args.font = font_.get();
    tree_ = win::MakeTreeView(args, false);
    return tree_ != nullptr;
}

void FormProcessTree::OnSize(int width, int height, WPARAM) {
    if (tree_)
        MoveWindow(tree_, 0, 0, width, height, TRUE);
}

void FormProcessTree::Fill() {
    TreeView_DeleteAllItems(tree_);
    kit_.list.Refresh();
    std::map<std::u16string, HTREEITEM> nodes;
    for (const processes::TreeNode& node : processes::BuildProcessTree(kit_.list.entries())) {
        auto parent = nodes.find(node.parentKey);
        HTREEITEM item =
            win::tree::AddNode(tree_, parent == nodes.end() ? TVI_ROOT : parent->second, node.text,
                               0, static_cast<LPARAM>(node.processId));
        nodes[node.key] = item;
    }
    for (const auto& [key, item] : nodes)
        TreeView_Expand(tree_, item, TVE_EXPAND);
}

void ShowProcessTree(HWND owner, processes::ProcessKit& kit) {
    if (!g_tree || !IsWindow(g_tree->hwnd())) {
        g_tree = std::make_unique<FormProcessTree>(kit);
        RECT ownerRect{0, 0, 800, 600};
        if (owner)
            GetWindowRect(owner, &ownerRect);
        const int dpi = win::WindowDpi(owner);
        win::WindowArgs args;
        args.className = u"VestraProcessTree";
        args.title = u"Process Tree";
        args.style = WS_OVERLAPPEDWINDOW;
        args.owner = owner;
        args.iconResource = IDI_VESTRA;
        args.x = ownerRect.left + MulDiv(40, dpi, 96);
        args.y = ownerRect.top + MulDiv(40, dpi, 96);
        args.width = MulDiv(340, dpi, 96);
        args.height = MulDiv(440, dpi, 96);
        if (!g_tree->Create(args))
            return;
    }
    g_tree->Fill();
    ShowWindow(g_tree->hwnd(), SW_SHOW);
    SetForegroundWindow(g_tree->hwnd());
}

}  // namespace vestra::ui
