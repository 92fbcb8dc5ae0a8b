// Operating-system level and name.
#include "app/OsLevel.h"

namespace vestra {
namespace {
constexpr std::uint32_t kPlatformWin9x = 1;
constexpr std::uint32_t kPlatformNT = 2;
}  // namespace

OsLevel OsLevelOf(const platform::OsVersion& version) {
    if (version.platformId != kPlatformNT)
        return {0};
    if (version.major < 6)
        return {1};
    return {version.minor == 0 ? 2 : 3};
}

std::u16string OsNameOf(const platform::OsVersion& version) {
    if (version.platformId == kPlatformWin9x) {
        switch (version.minor) {
            case 0:
                return u"Windows 95";
            case 10:
                return u"Windows 98";
            case 90:
                return u"Windows ME";
            default:
                return u"";
        }
    }
    if (version.platformId == kPlatformNT) {
        if (version.major >= 6)
            return u"";
        if (version.major == 3)
            return u"Windows 3.51";
        if (version.major == 4)
            return u"Windows 4.0";
        if (version.major == 5)
            return version.minor == 0 ? u"Windows 2000" : u"Windows XP";
    }
    return u"Not Recognized";
}

}  // namespace vestra
