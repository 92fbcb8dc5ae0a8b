// Windows-only: the target tree TvDir as a mirror of the scanner's TargetTree model: nodes are
// added as the model makes them, marks follow the model, and the user's expand and check clicks
// go back to it (with its questions and the password gate of the deep registry area).
// Owned by the Scanner panel.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "scanner/TargetTree.h"
#include "ui/framework/Gdi.h"
#include "ui/main/PanelHost.h"

namespace vestra::ui {

class TargetTreeView {
public:
    TargetTreeView(const PanelContext& context, TargetTree& tree);

    // Binds the made tree control (and the preset buttons) to the model.
    void Attach(HWND view);
    // A posted kMsgTreeCheck: the control has toggled the node's box.
    void OnCheckClicked(HTREEITEM item);

private:
    void MirrorTree();
    void AddChildren(NodeId parent);
    void OnTreeChange(TreeChange change, NodeId id);
    LRESULT OnNotify(NMHDR* header);

    PanelContext ctx_;
    TargetTree& tree_;
    HWND view_ = nullptr;
    std::vector<HTREEITEM> items_;  // by node id
    win::UniqueImageList images_;
};

}  // namespace vestra::ui
