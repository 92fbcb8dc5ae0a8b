// Failures only the fakes can stage for the exception list: a registry call that fails while an
// entry is added must come back as a failed add that stores nothing and changes no list.
#include <gtest/gtest.h>

#include "config/ExceptionList.h"
#include "platform/fake/FakePlatform.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryAccess.h"

namespace vestra::config {
namespace {

using platform::Hive;
using platform::OsError;
using platform::fake::RegOp;

constexpr char16_t kKey[] = u"SOFTWARE\\VestraFaults\\Exception";
constexpr char16_t kTrusted[] = u"C:\\Trusted";
constexpr char16_t kKept[] = u"C:\\Kept";

struct AddFault {
    const char* name;
    bool keyExists;  // with the older entry Dir0 = C:\Kept stored and loaded
    RegOp op;
    OsError error;
};

class ExceptionListFaultTest : public ::testing::TestWithParam<AddFault> {
protected:
    ExceptionListFaultTest() {
        os.files.AddFolder(kTrusted);
        os.files.AddFolder(kKept);
    }

    std::u16string Stored(std::u16string_view name) {
        return reg.RegReadString(Hive::CurrentUser, kKey, name);
    }

    platform::fake::FakePlatform os;
    registry::RegistryAccess reg{os.registry, os.system};
    ExceptionList list{reg, os.files, kKey};
};

TEST_P(ExceptionListFaultTest, AFailedAddStoresNothingAndChangesNoList) {
    const AddFault& c = GetParam();
    if (c.keyExists) {
        ASSERT_EQ(list.AddException(ExceptionKind::Folder, kKept), u"Dir0");
        list.LoadExceptions();
    }
    const std::u16string pathsBefore = list.ExceptionPaths(ExceptionKind::Folder);
    const std::u16string namesBefore = list.ExceptionNames(ExceptionKind::Folder);

    os.registry.faults().FailNth(c.op, 1, c.error);
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, kTrusted), u"");
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Folder), pathsBefore);
    EXPECT_EQ(list.ExceptionNames(ExceptionKind::Folder), namesBefore);
    EXPECT_FALSE(list.IsExcludedFolder(kTrusted));

    // Nothing half-written turns up at the next load, and the older entry is untouched.
    list.LoadExceptions();
    EXPECT_EQ(list.ExceptionPaths(ExceptionKind::Folder), pathsBefore);
    EXPECT_FALSE(list.IsExcludedFolder(kTrusted));
    EXPECT_EQ(Stored(u"Dir0"), c.keyExists ? kKept : registry::kMissingText);
    EXPECT_EQ(Stored(u"Dir1"), registry::kMissingText);

    // Once the registry answers again, the same add takes the lowest free name.
    EXPECT_EQ(list.AddException(ExceptionKind::Folder, kTrusted), c.keyExists ? u"Dir1" : u"Dir0");
    list.LoadExceptions();
    EXPECT_TRUE(list.IsExcludedFolder(kTrusted));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ExceptionListFaultTest,
    ::testing::Values(AddFault{"WriteRefused", false, RegOp::SetValue, OsError::AccessDenied},
                      AddFault{"WriteFailsBesideAnEntry", true, RegOp::SetValue, OsError::Other},
                      AddFault{"KeyCannotBeMade", false, RegOp::CreateKey, OsError::AccessDenied},
                      // A name whose query fails is not known to be free: writing it could
                      // overwrite the entry stored there.
                      AddFault{"NameQueryFails", true, RegOp::QueryValue, OsError::AccessDenied}),
    [](const ::testing::TestParamInfo<AddFault>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vestra::config
