// The one channel between the main program and the protection host: a number in the host
// window's text box. Its remainder modulo 22 carries the meaning (17 on, 8 off, 0 end), and the
// multiple of 22 in front of it is random, so the box never reads the same twice in a row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace vestra::protection {

inline constexpr std::u16string_view kProtectionWindowCaption = u"VesRTP";
// The class of the host's text box: the first child of that class is the channel.
inline constexpr std::u16string_view kChannelBoxClass = u"ThunderRT6TextBox";

enum ProtectionState : int {
    kProtectionOff = 0,     // the host runs with protection switched off
    kProtectionOn = 1,      // the host runs and protects
    kProtectionAbsent = 2,  // no host window
};

// What the host reads from the box.
enum class ChannelCommand { None, TurnOff, TurnOn, End };

// The host's state as the main program reads it: absent without a host window; on for a number
// that leaves 17 modulo 22; off for anything else (other numbers, text, a missing box).
int ProtectionStatus(platform::WindowSystem& windows);

// (multiple + 1) * 22 + (17 for on, 8 for off); `multiple` is taken modulo 10.
std::u16string ChannelText(bool on, std::uint32_t multiple);

// Writes on or off into the host's box with a random multiple; false when there is no host
// window or box, or the box did not take the text.
bool SendProtectionState(platform::WindowSystem& windows, bool on);

// Asks the host to end (a multiple of 22); false as above. The installer sends it before it
// replaces the host's file.
bool SendProtectionEnd(platform::WindowSystem& windows);

// The host's reading of a changed box: a number leaving 8 switches off and 17 switches on, each
// only when the state differs (the host's own echo of its state does nothing), 0 ends the host;
// everything else is ignored.
ChannelCommand ReadChannelCommand(std::u16string_view text, int currentState);

}  // namespace vestra::protection
