// Whether the protection host runs, read from the number in its window's text box.
#pragma once

#include "platform/WindowSystem.h"

namespace vestra {

enum ProtectionState : int {
    kProtectionOff = 0,     // the host runs with protection switched off
    kProtectionOn = 1,      // the host runs and protects
    kProtectionAbsent = 2,  // no host window
};

// The host's edit box holds a number whose remainder modulo 22 carries the state: 17 on, 8 off;
// anything else, or text that is not a number, counts as off.
int ProtectionStatus(platform::WindowSystem& windows);

}  // namespace vestra
