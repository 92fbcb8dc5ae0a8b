// The own file's check: the PE image checksum over small images built here, stamped as the
// linker stamps it, then changed the ways a file infector or a broken copy changes it.
#include "app/SelfCheck.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/FakeFileSystem.h"

namespace vestra {
namespace {

constexpr std::size_t kHeaders = 0x40;
constexpr std::size_t kChecksumAt = kHeaders + 4 + 20 + 64;

void Put32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        image[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// "MZ", the offset of the PE headers, "PE\0\0", zeroed headers and some code bytes; stamped with
// its own sum unless told otherwise.
std::vector<std::uint8_t> Image(bool stamp = true) {
    std::vector<std::uint8_t> image(0x200, 0);
    image[0] = 'M';
    image[1] = 'Z';
    Put32(image, 0x3C, kHeaders);
    Put32(image, kHeaders, 0x00004550);
    for (std::size_t i = 0x100; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    if (stamp)
        Put32(image, kChecksumAt, ImageChecksum(image, kChecksumAt));
    return image;
}

TEST(ImageChecksumTest, WordsWithFoldedCarriesPlusTheLength) {
    EXPECT_EQ(ImageChecksum(std::vector<std::uint8_t>{1, 0, 2, 0}, 100), 3u + 4u);
    EXPECT_EQ(ImageChecksum(std::vector<std::uint8_t>{0xFF, 0xFF, 2, 0}, 100), 2u + 4u);
    EXPECT_EQ(ImageChecksum(std::vector<std::uint8_t>{1, 0, 5}, 100), 6u + 3u);  // odd length
    // The checksum field's own bytes do not count.
    EXPECT_EQ(ImageChecksum(std::vector<std::uint8_t>{1, 0, 9, 9, 9, 9}, 2), 1u + 6u);
}

TEST(SelfCheckTest, TheStampedSumJudgesTheImage) {
    struct Case {
        const char* what;
        void (*change)(std::vector<std::uint8_t>&);
        OwnFileState state;
    };
    const Case cases[] = {
        {"as linked", [](std::vector<std::uint8_t>&) {}, OwnFileState::Intact},
        {"one code byte patched", [](auto& i) { i[0x180] ^= 0x40; }, OwnFileState::Damaged},
        {"a virus appended",
         [](auto& i) {
             i.insert(i.end(), {'V', 'X', 0, 1});
         },
         OwnFileState::Damaged},
        {"cut short", [](auto& i) { i.resize(0x150); }, OwnFileState::Damaged},
        {"cut inside the headers", [](auto& i) { i.resize(kChecksumAt + 2); },
         OwnFileState::Damaged},
        {"headers beyond the end", [](auto& i) { Put32(i, 0x3C, 0x7FFFFFF0); },
         OwnFileState::Damaged},
        {"not a program", [](auto& i) { i[0] = 'X'; }, OwnFileState::Damaged},
        {"no sum stamped", [](auto& i) { Put32(i, kChecksumAt, 0); }, OwnFileState::Unchecked},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> image = Image();
        c.change(image);
        EXPECT_EQ(CheckImage(image), c.state) << c.what;
    }
    EXPECT_EQ(CheckImage({}), OwnFileState::Damaged);
}

TEST(SelfCheckTest, TheFileIsReadWhereItLies) {
    platform::fake::FakeFileSystem files;
    files.AddDrive(u'C', platform::DriveType::Fixed);
    const std::vector<std::uint8_t> image = Image();
    files.AddFile(u"C:\\Vestra\\Vestra.exe", image);
    EXPECT_EQ(CheckOwnFile(files, u"C:\\Vestra\\Vestra.exe"), OwnFileState::Intact);
    EXPECT_EQ(CheckOwnFile(files, u"C:\\Vestra\\gone.exe"), OwnFileState::Unchecked);
    std::vector<std::uint8_t> patched = image;
    patched[0x1F0] ^= 1;
    files.AddFile(u"C:\\Vestra\\Vestra.exe", patched);
    EXPECT_EQ(CheckOwnFile(files, u"C:\\Vestra\\Vestra.exe"), OwnFileState::Damaged);
}

}  // namespace
}  // namespace vestra
