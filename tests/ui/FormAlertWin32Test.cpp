// The alert window on the real calls under Wine: an alert shows it topmost with its four
// columns, the listed file is shut to every other open, Fix All deletes it and the row says so,
// and the countdown hides the window again.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/Text.h"
#include "platform/win32/Win32Platform.h"
#include "registry/RegistryAccess.h"
#include "scanner/FileRoutines.h"
#include "ui/forms/FormAlert.h"

namespace vestra::ui {
namespace {

constexpr wchar_t kKeyRoot[] = L"Software\\VestraAlertWine";

std::u16string TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::u16string(reinterpret_cast<const char16_t*>(temp)) + u"VestraAlert" +
           ToText(static_cast<std::int64_t>(GetCurrentProcessId())) + u"\\";
}

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string Cell(HWND list, int row, int column) {
    wchar_t text[260] = {};
    ListView_GetItemText(list, row, column, text, 260);
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

class FormAlertWin32Test : public ::testing::Test {
protected:
    FormAlertWin32Test() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        MakePath(os.files, folder + u"cage\\");
        messages.LoadMessages(config::kLanguageEnglish);
    }
    ~FormAlertWin32Test() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kKeyRoot);
        for (const char16_t* name : {u"a.exe", u"cage\\a.vra"})
            DeletePath(os.files, folder + name);
        os.files.RemoveFolder(folder + u"cage");
        os.files.RemoveFolder(folder);
    }

    platform::win32::Win32Platform real;
    platform::Platform os = real.platform();
    std::u16string folder = TempFolder();
    config::MessageTable messages;
    registry::RegistryAccess reg{os.registry, os.system};
    config::ExceptionList exceptions{reg, os.files, u"Software\\VestraAlertWine\\Exception"};
    remediation::CageStore store{os.files, {folder + u"cage\\", folder + u"oldcage\\"}};
    remediation::Cleaner cleaner{store, folder + u"hosts"};
    int stopDangerCalls = 0;
    FormAlert alert{FormAlertParts{os.files, os.shell, messages, store, cleaner, exceptions,
                                   [this](bool) { ++stopDangerCalls; }, nullptr,
                                   u"C:\\nothing.exe"}};
};

TEST_F(FormAlertWin32Test, AnAlertIsShownLockedFixedAndDismissedByTheCountdown) {
    const std::u16string file = folder + u"a.exe";
    ASSERT_TRUE(WriteFileBytes(os.files, file, std::string_view("MZ payload")));
    alert.AddAlert(u"W32.Test", u"Virus", file, u"", u"DEL");

    HWND window = alert.hwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(ListView_GetExtendedListViewStyle(list) & LVS_EX_CHECKBOXES, 0u);
    HWND header = ListView_GetHeader(list);
    EXPECT_EQ(Header_GetItemCount(header), 4);
    ASSERT_EQ(ListView_GetItemCount(list), 1);
    EXPECT_EQ(Cell(list, 0, 2), file);
    EXPECT_EQ(ToUtf8(Cell(list, 0, 3)), "Virus File");

    const std::wstring path = Wide(file);
    HANDLE other = CreateFileW(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (other != INVALID_HANDLE_VALUE)
        CloseHandle(other);

    HWND fixAll = FindWindowExW(window, nullptr, L"Button", L"&Fix All");
    ASSERT_NE(fixAll, nullptr);
    SendMessageW(fixAll, BM_CLICK, 0, 0);
    EXPECT_EQ(ToUtf8(Cell(list, 0, 3)), "Deleted");
    EXPECT_FALSE(os.files.Exists(file));
    EXPECT_FALSE(IsWindowEnabled(fixAll));
    HWND ignore = FindWindowExW(window, nullptr, L"Button", L"&Exit");
    EXPECT_NE(ignore, nullptr);

    for (int second = 0; second < 5; ++second)
        alert.model().TimerTick();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_EQ(stopDangerCalls, 1);
}

}  // namespace
}  // namespace vestra::ui
