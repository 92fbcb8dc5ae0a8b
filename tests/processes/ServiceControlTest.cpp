// Services: the list with image paths, stop requests by each service's own state, uninstalling,
// the hidden "net stop", and stopping the services that run one file.
#include "processes/ServiceControl.h"

#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/processes/ProcessFixture.h"

namespace vestra::processes {
namespace {

class ServiceControlTest : public ::testing::Test, public ProcessFixture {};

TEST_F(ServiceControlTest, ListCarriesImagePathsAndTheirFiles) {
    Clean(u"C:\\WINDOWS\\system32\\evilsvc.exe");
    AddService(u"Evil", u"\"C:\\WINDOWS\\system32\\evilsvc.exe\" -service");
    AddService(u"Rel", u"system32\\evilsvc.exe");
    AddService(u"Kernel", u"\\SystemRoot\\system32\\evilsvc.exe");
    os.services.Add({u"NoKey", u"No key", platform::fake::kServiceStopped, 0x10});
    const auto& listed = services.EnumerateServices();
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(ToUtf8(listed[0].imagePath), "\"C:\\WINDOWS\\system32\\evilsvc.exe\" -service");
    EXPECT_TRUE(listed[3].imagePath.empty());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ToUtf8(LowerCase(services.ServiceFile(listed[i].imagePath))),
                  "c:\\windows\\system32\\evilsvc.exe")
            << i;
    }
    EXPECT_TRUE(services.ServiceFile(u"").empty());
}

TEST_F(ServiceControlTest, StopAndDeleteCountsWhatWasDone) {
    AddService(u"Running", u"C:\\a.exe");
    AddService(u"Stopped", u"C:\\b.exe", platform::fake::kServiceStopped);
    os.services.Add({u"Guarded", u"G", platform::fake::kServiceRunning, 0x10}, true);
    EXPECT_EQ(services.StopAndDeleteService(u"Running", false), kServiceStopped + kServiceDeleted);
    EXPECT_EQ(os.services.Get(u"Running"), nullptr);
    // A stopped service needs no request and counts as stopped.
    EXPECT_EQ(services.StopAndDeleteService(u"Stopped", false), kServiceStopped + kServiceDeleted);
    EXPECT_EQ(services.StopAndDeleteService(u"Guarded", false), 0);
    EXPECT_EQ(services.StopAndDeleteService(u"Missing", false), 0);
    EXPECT_EQ(os.services.stopRequests(), (std::vector<std::u16string>{u"Running", u"Guarded"}));
}

TEST_F(ServiceControlTest, NetStopRunsHiddenForPlainNamesOnly) {
    AddService(u"Evil Svc", u"C:\\a.exe");
    services.StopService(u"Evil Svc", true);
    services.StopService(u"Bad\" & del C:\\x", true);
    ASSERT_EQ(os.shell.requests().size(), 1u);
    const platform::ShellRequest& r = os.shell.requests()[0];
    EXPECT_EQ(ToUtf8(r.file), "net");
    EXPECT_EQ(ToUtf8(r.parameters), "stop \"Evil Svc\"");
    EXPECT_EQ(r.show, 0);
}

TEST_F(ServiceControlTest, StopsEveryServiceOfOneFile) {
    Clean(u"C:\\x\\svc.exe");
    AddService(u"One", u"C:\\x\\svc.exe");
    AddService(u"Two", u"\"c:\\X\\SVC.exe\" /two");
    AddService(u"Other", u"C:\\x\\other.exe");
    EXPECT_EQ(services.StopServicesOfPath(u"C:\\x\\svc.exe", false), 2);
    EXPECT_EQ(os.services.Get(u"Other")->state, platform::fake::kServiceRunning);
    EXPECT_EQ(services.StopServicesOfPath(u"", false), 0);
}

}  // namespace
}  // namespace vestra::processes
