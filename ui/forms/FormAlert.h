// Windows-only: FormAlert, the protection host's detection alert. The window shows and drives
// the window-free AlertList (protection/AlertList.h), which holds the rows, their file locks and
// every rule; the host owns one FormAlert and reaches it through AddAlert, AddConfirmDrive and
// ShowAlertWindow. It knows the host only by the callbacks it is given.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "config/ExceptionList.h"
#include "config/MessageTable.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "protection/AlertList.h"
#include "remediation/CageStore.h"
#include "remediation/CleanInfected.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"

namespace vestra::ui {

struct FormAlertParts {
    platform::FileSystem& files;
    platform::Shell& shell;
    const config::MessageTable& messages;
    remediation::CageStore& store;
    remediation::Cleaner& cleaner;
    config::ExceptionList& exceptions;
    std::function<void(bool action)> stopDanger;
    std::function<void(std::u16string_view root)> confirmDrive;
    std::u16string installedExe;
};

class FormAlert : public win::Window, private protection::AlertView {
public:
    explicit FormAlert(const FormAlertParts& parts);

    // A detection from the host: listed, locked, and the window shown topmost when it was not.
    void AddAlert(std::u16string_view virusName, std::u16string_view virusType,
                  std::u16string_view fileName, std::u16string_view missingFile,
                  std::u16string_view action) {
        model_.AddAlert(virusName, virusType, fileName, missingFile, action);
    }
    void AddConfirmDrive(std::u16string_view root) { model_.AddConfirmDrive(root); }
    // RefreshForm(true): the host's removable-drive check shows the alert with fitted columns.
    void ShowAlertWindow();

    protection::AlertList& model() { return model_; }

protected:
    bool OnCreate() override;
    void OnSize(int width, int height, WPARAM kind) override;
    bool OnClose() override;

private:
    // protection::AlertView
    void ShowAlert() override;
    void HideAlert() override;
    void RowAdded(std::size_t index) override;
    void RowChanged(std::size_t index) override;
    void RowsCleared() override;
    void FormRefreshed(bool refit) override;
    void TimerEnabled(bool on) override;
    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override;
    void PumpMessages() override;

    bool EnsureWindow();
    void FitColumns();
    void ShowMoreMenu();
    void ReadCheckMarks();
    HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

    const config::MessageTable& messages_;
    win::UniqueFont font_;
    protection::AlertList model_;
};

}  // namespace vestra::ui
