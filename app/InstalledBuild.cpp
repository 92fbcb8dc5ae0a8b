// Build stamp of the installed protection copy.
#include "app/InstalledBuild.h"

#include <array>

#include "platform/Text.h"

namespace vestra {
namespace {

constexpr std::size_t kStampSize = 4;

int StampOf(platform::FileSystem& files, const std::u16string& path) {
    auto file = files.Open(path, platform::FileAccess::Read, platform::share::kRead,
                           platform::Disposition::OpenExisting);
    if (!file)
        return 0;
    auto size = (*file)->Size();
    if (!size || *size < kStampSize)
        return 0;
    if ((*file)->Seek(*size - kStampSize) != platform::OsError::None)
        return 0;
    std::array<std::uint8_t, kStampSize> stamp{};
    auto read = (*file)->Read(stamp);
    if (!read || *read != kStampSize)
        return 0;
    std::u16string digits(stamp.begin(), stamp.end());
    // Only plain digits count: a sign or blanks in the stamp are not a build number.
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
    }
    return static_cast<int>(ParseInteger(digits).value_or(0));
}

}  // namespace

int InstalledBuild(platform::FileSystem& files, const PathTable& paths) {
    for (const std::u16string* candidate :
         {&paths.installedProtectionExe, &paths.legacyProtectionExe3, &paths.legacyProtectionExe2,
          &paths.legacyProtectionExe1}) {
        if (!candidate->empty() && files.Exists(*candidate))
            return StampOf(files, *candidate);
    }
    return kNoProtectionInstalled;
}

}  // namespace vestra
