// Windows-only: RunMainWindow: common controls, DPI awareness and COM for the shell dialogs, then
// FormMain and its message loop.
#include "ui/main/MainWindow.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/framework/Dialogs.h"
#include "ui/framework/Window.h"
#include "ui/main/FormMain.h"

namespace vestra::ui {

int RunMainWindow(const MainWindowContext& context) {
    win::MakeProcessDpiAware();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    context.state.guiModeFlag = true;
    int exitCode = 1;
    {
        FormMain form(context);
        if (form.Open())
            exitCode = win::RunMessageLoop();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return exitCode;
}

}  // namespace vestra::ui
