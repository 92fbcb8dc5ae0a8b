// The protection channel, both ends.
#include "protection/ProtectionChannel.h"

#include <random>

#include "platform/Text.h"

namespace vestra::protection {
namespace {
constexpr std::size_t kChannelTextLimit = 256;
constexpr std::int64_t kChannelModulus = 22;
constexpr std::int64_t kChannelOn = 17;
constexpr std::int64_t kChannelOff = 8;
constexpr std::int64_t kChannelEnd = 0;

platform::WindowId ChannelBox(platform::WindowSystem& windows, bool& hostFound) {
    const platform::WindowId host = windows.FindTopWindow(u"", kProtectionWindowCaption);
    hostFound = host != platform::kNoWindow;
    if (!hostFound)
        return platform::kNoWindow;
    return windows.FindChild(host, platform::kNoWindow, kChannelBoxClass);
}
}  // namespace

int ProtectionStatus(platform::WindowSystem& windows) {
    bool hostFound = false;
    const platform::WindowId box = ChannelBox(windows, hostFound);
    if (!hostFound)
        return kProtectionAbsent;
    if (box == platform::kNoWindow)
        return kProtectionOff;
    auto number = ParseInteger(Trim(windows.GetText(box, kChannelTextLimit)));
    if (!number)
        return kProtectionOff;
    // The host only writes positive numbers; a negative one keeps its sign and reads as off.
    return *number % kChannelModulus == kChannelOn ? kProtectionOn : kProtectionOff;
}

std::u16string ChannelText(bool on, std::uint32_t multiple) {
    const std::int64_t value = (static_cast<std::int64_t>(multiple % 10) + 1) * kChannelModulus +
                               (on ? kChannelOn : kChannelOff);
    return ToText(value);
}

namespace {
std::uint32_t RandomMultiple() {
    static std::minstd_rand random{std::random_device{}()};
    return static_cast<std::uint32_t>(random() % 10);
}

bool WriteChannel(platform::WindowSystem& windows, const std::u16string& text) {
    bool hostFound = false;
    const platform::WindowId box = ChannelBox(windows, hostFound);
    return box != platform::kNoWindow && windows.SetText(box, text);
}
}  // namespace

bool SendProtectionState(platform::WindowSystem& windows, bool on) {
    return WriteChannel(windows, ChannelText(on, RandomMultiple()));
}

bool SendProtectionEnd(platform::WindowSystem& windows) {
    return WriteChannel(
        windows, ToText((static_cast<std::int64_t>(RandomMultiple()) + 1) * kChannelModulus));
}

ChannelCommand ReadChannelCommand(std::u16string_view text, int currentState) {
    const std::u16string trimmed = Trim(text);
    if (trimmed.empty())
        return ChannelCommand::None;
    auto number = ParseInteger(trimmed);
    if (!number || *number < 0)
        return ChannelCommand::None;
    switch (*number % kChannelModulus) {
        case kChannelOff:
            return currentState != kProtectionOff ? ChannelCommand::TurnOff : ChannelCommand::None;
        case kChannelOn:
            return currentState != kProtectionOn ? ChannelCommand::TurnOn : ChannelCommand::None;
        case kChannelEnd:
            return ChannelCommand::End;
        default:
            return ChannelCommand::None;
    }
}

}  // namespace vestra::protection
