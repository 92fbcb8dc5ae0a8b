// The clean-drive question's window on the real calls under Wine: shown modally, it offers Yes
// and No (or only OK over an existing autorun.inf) and returns once a button was pressed; Yes
// locks the drive and asks for the balloon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Text.h"
#include "platform/win32/Win32Platform.h"
#include "scanner/FileRoutines.h"
#include "ui/forms/FormConfirm.h"

namespace vestra::ui {
namespace {

// The button a thread timer presses once the question is up, and what it saw there.
std::wstring g_press;
bool g_yesShown = false;
bool g_okShown = false;

void CALLBACK PressButton(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND form = FindWindowW(L"VestraConfirm", nullptr);
    if (!form)
        return;
    KillTimer(nullptr, timer);
    auto shown = [form](const wchar_t* start) {
        for (HWND b = FindWindowExW(form, nullptr, L"Button", nullptr); b;
             b = FindWindowExW(form, b, L"Button", nullptr)) {
            wchar_t text[64] = {};
            GetWindowTextW(b, text, 64);
            if (std::wstring(text).starts_with(start))
                return IsWindowVisible(b) ? b : HWND{};
        }
        return HWND{};
    };
    g_yesShown = shown(L"&Yes") != nullptr;
    g_okShown = shown(L"&OK") != nullptr;
    if (HWND button = shown(g_press.c_str()))
        PostMessageW(button, BM_CLICK, 0, 0);
}

class FormConfirmWin32Test : public ::testing::Test {
protected:
    FormConfirmWin32Test() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        drive = std::u16string(reinterpret_cast<const char16_t*>(temp)) + u"VestraConfirm" +
                ToText(static_cast<std::int64_t>(GetCurrentProcessId())) + u"\\";
        MakePath(os.files, drive);
        messages.LoadMessages(config::kLanguageEnglish);
    }
    ~FormConfirmWin32Test() override {
        DeletePath(os.files, drive + u"autorun.inf");
        os.files.RemoveFolder(drive);
    }
    void Ask(const wchar_t* press) {
        g_press = press;
        SetTimer(nullptr, 0, 200, PressButton);
        FormConfirm::ShowEx(parts, drive);
    }

    platform::win32::Win32Platform real;
    platform::Platform os = real.platform();
    std::u16string drive;
    config::MessageTable messages;
    std::vector<std::u16string> locked, balloons;
    protection::DriveQuestionParts parts{
        os.files,
        os.shell,
        os.windows,
        messages,
        [this](std::u16string_view root) {
            locked.emplace_back(root);
            return 111;
        },
        [this](std::u16string_view text) { balloons.emplace_back(text); }};
};

TEST_F(FormConfirmWin32Test, YesLocksTheDriveAndTellsSoInTheBalloon) {
    Ask(L"&Yes");
    EXPECT_TRUE(g_yesShown);
    EXPECT_FALSE(g_okShown);
    EXPECT_EQ(locked, std::vector<std::u16string>{drive});
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].substr(0, 21), u"Immunization SUCCESS.");
}

TEST_F(FormConfirmWin32Test, OverAnAutorunFileOnlyOkIsOfferedAndNothingIsLocked) {
    ASSERT_TRUE(WriteFileBytes(os.files, drive + u"autorun.inf", std::string_view("[autorun]")));
    Ask(L"&OK");
    EXPECT_FALSE(g_yesShown);
    EXPECT_TRUE(g_okShown);
    EXPECT_TRUE(locked.empty());
    EXPECT_TRUE(balloons.empty());
}

}  // namespace
}  // namespace vestra::ui
