// The operating-system level the program adapts its rules to, from GetVersionEx's numbers.
#pragma once

#include <string>

#include "platform/System.h"

namespace vestra {

struct OsLevel {
    int level = 0;  // 0 not NT; 1 NT before Vista; 2 Vista (6.0); 3 Windows 7 or later (6.1+)
    bool IsNT() const { return level > 0; }
    bool IsPreVista() const { return level < 2; }
    bool IsWin7Plus() const { return level == 3; }
};

OsLevel OsLevelOf(const platform::OsVersion& version);

// "Windows 98", "Windows XP", ...; empty for NT 6 and later, "Not Recognized" for the unknown.
std::u16string OsNameOf(const platform::OsVersion& version);

}  // namespace vestra
