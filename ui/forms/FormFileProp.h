// Windows-only: FormFileProp, the properties window of one file and, while it runs, its process:
// version strings, size and memory figures, loaded modules. Every list of the program opens it
// through ShowFileProperties; what it shows comes from the window-free FileProperties model.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"
#include "ui/model/FileProperties.h"

namespace vestra::ui {

// Shows the window for the file (and the process, when processId is not 0) modally over the
// owner; `language` is the message table's (0 Indonesian, anything else English).
void ShowFileProperties(HWND owner, const FilePropertiesSubject& subject,
                        const platform::Platform& os, int language);

// The Windows properties sheet of a file, owned by `owner`.
bool ShowShellProperties(std::u16string_view path, HWND owner);

class FormFileProp : public win::Window {
public:
    FormFileProp(FilePropertiesSubject subject, const platform::Platform& os, int language);

protected:
    bool OnCreate() override;
    void OnSize(int width, int height, WPARAM kind) override;
    void OnDestroy() override;

private:
    void MakeControls();
    void FillHeader(const FileProperties& shown);
    void ShowTab(int index);
    void FillModules();
    LRESULT OnModuleNotify(NMHDR* header);
    void OnModuleCommand(int command);
    std::u16string SelectedModulePath() const;
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    FilePropertiesSubject subject_;
    const platform::Platform& os_;
    int language_ = 0;
    FilePropertiesSeams seams_;
    win::UniqueFont font_, bold_;
    win::UniqueIcon icon_;
    win::UniqueImageList moduleIcons_;
    bool modulesFilled_ = false;
    bool closing_ = false;
};

}  // namespace vestra::ui
