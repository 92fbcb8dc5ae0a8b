// Windows-only: FormProcessTree, the running processes as a tree by parent (TvProc). The tree's
// order and parents are the process tree model's; the window only shows them.
#pragma once

#include <windows.h>

#include "processes/ProcessKit.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"

namespace vestra::ui {

class FormProcessTree : public win::Window {
public:
    explicit FormProcessTree(processes::ProcessKit& kit) : kit_(kit) {}

    // Builds the tree from a fresh snapshot.
    void Fill();

protected:
    bool OnCreate() override;
    void OnSize(int width, int height, WPARAM kind) override;

private:
    processes::ProcessKit& kit_;
    HWND tree_ = nullptr;
    win::UniqueFont font_;
};

// Shows the one process tree window over `owner`, created on first use and refilled each time.
void ShowProcessTree(HWND owner, processes::ProcessKit& kit);

}  // namespace vestra::ui
