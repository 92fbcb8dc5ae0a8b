// The file properties model on the real calls: this test program itself is the running process,
// so its image path must match what the process list reports, and its modules are known.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/win32/Win32Platform.h"
#include "ui/model/FileProperties.h"

namespace vestra::ui {
namespace {

std::u16string OwnImage() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::u16string(reinterpret_cast<const char16_t*>(path), length);
}

TEST(FilePropertiesWin32Test, OwnProcessShowsFiguresAndLoadedModules) {
    platform::win32::Win32Platform real;
    platform::Platform os = real.platform();
    const FilePropertiesSeams seams{os.files, os.versions, os.processes};
    const FilePropertiesSubject self{OwnImage(), ::GetCurrentProcessId()};

    const FileProperties shown = GatherFileProperties(seams, self, 1);
    EXPECT_TRUE(shown.processRunning);
    EXPECT_NE(ToUtf8(shown.processInfo[2].value), "N/A");
    EXPECT_NE(shown.processInfo[4].value.find(u" KB"), std::u16string::npos);
    EXPECT_FALSE(shown.processInfo[4].value.empty());

    const auto modules = GatherModules(seams, self);
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(LowerCase(modules[0].path), LowerCase(self.path));
    bool kernel = false;
    for (const ModuleEntry& module : modules)
        kernel = kernel || LowerCase(module.name) == u"kernel32.dll";
    EXPECT_TRUE(kernel);

    // Another process's id with this file's path lends nothing.
    const FilePropertiesSubject stranger{self.path, 4};
    EXPECT_FALSE(GatherFileProperties(seams, stranger, 1).processRunning);
}

}  // namespace
}  // namespace vestra::ui
