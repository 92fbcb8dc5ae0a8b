// Contract of the windows part of the seam, as the protection channel uses it: a top-level window
// found by its caption, its text box found by class, and the box's text read and written.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/platform/ContractEnvironments.h"

namespace vestra::platform::contract {
namespace {

template <class Environment>
class WindowSystemContract : public ::testing::Test {
protected:
    Environment env;
    Platform os = env.platform();
};

TYPED_TEST_SUITE(WindowSystemContract, ContractEnvironments);

constexpr char16_t kCaption[] = u"VesRTP-contract";
constexpr char16_t kBoxClass[] = u"ThunderRT6TextBox";

TYPED_TEST(WindowSystemContract, TopWindowIsFoundByExactCaptionOnly) {
    WindowId top = this->env.AddWindowWithChild(kCaption, kBoxClass, u"17");
    ASSERT_NE(top, kNoWindow);
    EXPECT_EQ(this->os.windows.FindTopWindow(u"", kCaption), top);
    EXPECT_EQ(this->os.windows.FindTopWindow(u"", u"VesRTP-contract-other"), kNoWindow);
    this->env.RemoveWindow(top);
    EXPECT_EQ(this->os.windows.FindTopWindow(u"", kCaption), kNoWindow);
}

TYPED_TEST(WindowSystemContract, ChildBoxIsFoundByClassWithoutRegardToCase) {
    WindowId top = this->env.AddWindowWithChild(kCaption, kBoxClass, u"435");
    WindowId box = this->os.windows.FindChild(top, kNoWindow, u"thunderrt6textbox");
    ASSERT_NE(box, kNoWindow);
    EXPECT_EQ(this->os.windows.FindChild(top, box, kBoxClass), kNoWindow);  // only one
    EXPECT_EQ(this->os.windows.FindChild(top, kNoWindow, u"SomeOtherClass"), kNoWindow);
    this->env.RemoveWindow(top);
}

TYPED_TEST(WindowSystemContract, BoxTextReadsBackWrittenAndCutAtTheLimit) {
    WindowId top = this->env.AddWindowWithChild(kCaption, kBoxClass, u"8");
    WindowId box = this->os.windows.FindChild(top, kNoWindow, kBoxClass);
    ASSERT_NE(box, kNoWindow);
    EXPECT_EQ(ToUtf8(this->os.windows.GetText(box, 256)), "8");
    ASSERT_TRUE(this->os.windows.SetText(box, u"123456"));
    EXPECT_EQ(ToUtf8(this->os.windows.GetText(box, 256)), "123456");
    EXPECT_EQ(ToUtf8(this->os.windows.GetText(box, 4)), "1234");
    this->env.RemoveWindow(top);
    EXPECT_FALSE(this->os.windows.SetText(box, u"1"));
    EXPECT_EQ(this->os.windows.GetText(box, 256), u"");
}

}  // namespace
}  // namespace vestra::platform::contract
