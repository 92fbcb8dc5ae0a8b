// Trusted Windows programs by group and folder, and the critical ones no action may end.
#include "processes/TrustedProcesses.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/processes/ProcessFixture.h"

namespace vestra::processes {
namespace {

TEST(TrustedProcessesTest, GroupsAcceptTheirNamesInTheirFoldersOnly) {
    TrustedFolders vista{kWindowsDir, kSystemDir, u"C:\\WINDOWS\\system32\\dllcache\\",
                         u"C:\\Program Files\\", false};
    TrustedFolders xp = vista;
    xp.preVista = true;
    struct Case {
        const char16_t* path;
        bool onVista, onXp;
    };
    const Case cases[] = {
        {u"C:\\WINDOWS\\system32\\svchost.exe", true, true},
        {u" c:\\windows\\SYSTEM32\\Notepad.EXE ", true, true},
        {u"C:\\WINDOWS\\svchost.exe", false,
         false},  // group A is not trusted in the Windows folder
        {u"C:\\WINDOWS\\explorer.exe", true, true},
        {u"C:\\WINDOWS\\system32\\dllcache\\explorer.exe", true, true},
        {u"C:\\WINDOWS\\system32\\explorer.exe", false, false},
        {u"C:\\WINDOWS\\system32\\dwm.exe", true, false},
        {u"C:\\WINDOWS\\system32\\wbem\\WmiPrvSE.exe", true, false},
        {u"C:\\WINDOWS\\servicing\\TrustedInstaller.exe", true, false},
        {u"C:\\Program Files\\Windows Defender\\MSASCui.exe", true, false},
        {u"C:\\Apps\\svchost.exe", false, false},
        {u"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsTrustedProcessPath(c.path, vista), c.onVista) << ToUtf8(c.path);
        EXPECT_EQ(IsTrustedProcessPath(c.path, xp), c.onXp) << ToUtf8(c.path);
    }
}

TEST(TrustedProcessesTest, CriticalOnlyInTheSystemFolderAndTheKernelIds) {
    TrustedFolders folders{kWindowsDir, kSystemDir, u"", u"", false};
    EXPECT_TRUE(IsCriticalProcess(0, u"N/A", folders));
    EXPECT_TRUE(IsCriticalProcess(4, u"N/A", folders));
    EXPECT_TRUE(IsCriticalProcess(500, u"C:\\WINDOWS\\system32\\csrss.exe", folders));
    EXPECT_TRUE(IsCriticalProcess(501, u"C:\\windows\\system32\\WINLOGON.exe", folders));
    EXPECT_FALSE(IsCriticalProcess(502, u"C:\\Users\\x\\csrss.exe", folders));  // a disguise
    EXPECT_FALSE(IsCriticalProcess(503, u"C:\\WINDOWS\\system32\\notepad.exe", folders));
}

}  // namespace
}  // namespace vestra::processes
