// Any bytes as a quarantine file. Besides not crashing, a header that parses must lie within the
// bytes, and rebuilding a file from its texts and body must give back the same texts and body.
#include <cstdint>
#include <vector>

#include "remediation/CageFormat.h"

using namespace vestra::remediation;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    auto strict = ParseCageHeader(bytes, true);
    auto loose = ParseCageHeader(bytes, false);
    if (strict && !loose)
        __builtin_trap();
    if (!loose)
        return 0;
    if (loose->bodyOffset > size)
        __builtin_trap();
    std::vector<std::uint8_t> body(bytes.begin() + static_cast<std::ptrdiff_t>(loose->bodyOffset),
                                   bytes.end());
    ScrambleBody(body);
    std::vector<std::uint8_t> rebuilt =
        BuildCageFile(loose->originPath, loose->virusName, loose->virusType, body);
    auto again = ParseCageHeader(rebuilt, true);
    if (!again || again->originPath != loose->originPath || again->virusName != loose->virusName ||
        again->virusType != loose->virusType) {
        __builtin_trap();
    }
    std::vector<std::uint8_t> back(rebuilt.begin() + static_cast<std::ptrdiff_t>(again->bodyOffset),
                                   rebuilt.end());
    ScrambleBody(back);
    if (back != body)
        __builtin_trap();
    return 0;
}
