// Windows-only: FormException, the window that shows and edits the exception list. It is modal
// over the main window and reloads the lists when it closes, so the edits take effect at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "config/ExceptionList.h"
#include "config/MessageTable.h"
#include "platform/Platform.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"

namespace vestra::ui {

class FormException : public win::Window {
public:
    FormException(config::ExceptionList& list, platform::Platform& os,
                  const config::MessageTable& messages);
    static void ShowModal(HWND owner, config::ExceptionList& list, platform::Platform& os,
                          const config::MessageTable& messages);

protected:
    bool OnCreate() override;
    void OnSize(int width, int height, WPARAM kind) override;
    void OnDestroy() override;

private:
    void Refresh();
    void AddEntry(config::ExceptionKind kind, const std::u16string& path);
    void OnAddFile();
    void OnAddFolder();
    void OnAddPath();
    void OnAddReg();
    void OnRemoveChecked();
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    config::ExceptionList& list_;
    platform::Platform& os_;
    const config::MessageTable& messages_;
    win::UniqueFont font_;
    std::vector<std::u16string> keys_;  // value name of each row, in row order
};

}  // namespace vestra::ui
