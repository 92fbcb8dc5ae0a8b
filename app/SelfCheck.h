// The program's check of its own file at an ordinary start: the image checksum that the linker
// stamps into the PE header, worked out again over the file as it lies on disk. A virus that
// appends itself to the program or patches its code changes the sum. Whatever is added to the
// file after linking (a build stamp, a signature) must stamp the sum again.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/FileSystem.h"

namespace vestra {

enum class OwnFileState : std::uint8_t {
    Intact,
    Damaged,    // not a whole PE image, or its sum is not the stamped one
    Unchecked,  // the file cannot be read, or no sum was stamped
};

// The PE image checksum: 16-bit words summed with their carries folded back, the checksum
// field itself left out, plus the file's length.
std::uint32_t ImageChecksum(std::span<const std::uint8_t> image, std::size_t checksumOffset);

OwnFileState CheckImage(std::span<const std::uint8_t> image);
OwnFileState CheckOwnFile(platform::FileSystem& files, std::u16string_view path);

}  // namespace vestra
