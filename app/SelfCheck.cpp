// The own file's image checksum.
#include "app/SelfCheck.h"

#include <vector>

#include "scanner/FileRoutines.h"

namespace vestra {
namespace {

// Larger than any build of the program; a bigger file is not ours as built.
constexpr std::size_t kMaxImageBytes = std::size_t{256} << 20;
constexpr std::size_t kNewHeaderOffsetAt = 0x3C;
// The checksum's place in the optional header, after the signature (4) and the file header
// (20); the same for 32- and 64-bit images.
constexpr std::size_t kChecksumInHeaders = 4 + 20 + 64;

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

std::uint32_t ImageChecksum(std::span<const std::uint8_t> image, std::size_t checksumOffset) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i + 1 < image.size(); i += 2) {
        if (i == checksumOffset || i == checksumOffset + 2)
            continue;
        sum += static_cast<std::uint32_t>(image[i]) | static_cast<std::uint32_t>(image[i + 1]) << 8;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    if (image.size() % 2 != 0) {
        sum += image.back();
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint32_t>(sum + image.size());
}

OwnFileState CheckImage(std::span<const std::uint8_t> image) {
    if (image.size() < kNewHeaderOffsetAt + 4 || image[0] != 'M' || image[1] != 'Z')
        return OwnFileState::Damaged;
    const std::size_t headers = Read32(image, kNewHeaderOffsetAt);
    const std::size_t checksumAt = headers + kChecksumInHeaders;
    if (headers > image.size() || image.size() - headers < kChecksumInHeaders + 4 ||
        Read32(image, headers) != 0x00004550) {  // "PE\0\0"
        return OwnFileState::Damaged;
    }
    const std::uint32_t stamped = Read32(image, checksumAt);
    if (stamped == 0)
        return OwnFileState::Unchecked;
    return ImageChecksum(image, checksumAt) == stamped ? OwnFileState::Intact
                                                       : OwnFileState::Damaged;
}

OwnFileState CheckOwnFile(platform::FileSystem& files, std::u16string_view path) {
    // A file bigger than the limit is read only that far, and its sum does not come out.
    std::vector<std::uint8_t> image = ReadFileBytes(files, path, kMaxImageBytes);
    if (image.empty())
        return OwnFileState::Unchecked;
    return CheckImage(image);
}

}  // namespace vestra
