// Protection channel reading.
#include "app/ProtectionStatus.h"

#include "app/ProductNames.h"
#include "platform/Text.h"

namespace vestra {
namespace {
constexpr std::u16string_view kChannelBoxClass = u"ThunderRT6TextBox";
constexpr std::size_t kChannelTextLimit = 256;
constexpr std::int64_t kChannelModulus = 22;
constexpr std::int64_t kChannelOn = 17;
}  // namespace

int ProtectionStatus(platform::WindowSystem& windows) {
    platform::WindowId host = windows.FindTopWindow(u"", kProtectionWindowCaption);
    if (host == platform::kNoWindow)
        return kProtectionAbsent;
    platform::WindowId box = windows.FindChild(host, platform::kNoWindow, kChannelBoxClass);
    if (box == platform::kNoWindow)
        return kProtectionOff;
    auto number = ParseInteger(Trim(windows.GetText(box, kChannelTextLimit)));
    if (!number)
        return kProtectionOff;
    // The host only writes positive numbers; a negative one keeps its sign and reads as off.
    return *number % kChannelModulus == kChannelOn ? kProtectionOn : kProtectionOff;
}

}  // namespace vestra
