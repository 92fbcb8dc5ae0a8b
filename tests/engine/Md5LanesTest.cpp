// The sixteen-lane MD5 against libgcrypt's, in both builds: messages of every length around the
// block and padding edges, lanes that start, end and stand idle at different times.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <vector>

#include "engine/core/Digest.h"
#include "engine/core/Md5Lanes.h"

namespace vestra::engine {
namespace {

Md5 ReferenceMd5(const std::vector<std::uint8_t>& message) {
    StreamDigest digest(DigestKind::Md5);
    digest.Update(message);
    Md5 result;
    std::ranges::copy(digest.Finish(), result.begin());
    return result;
}

// A message followed by its padding, as a lane reads it.
std::vector<std::uint8_t> Padded(const std::vector<std::uint8_t>& message) {
    std::vector<std::uint8_t> padded(message);
    std::array<std::uint8_t, Md5Lanes::kMaxPadding> padding;
    std::size_t size = Md5Lanes::Padding(message.size(), padding);
    padded.insert(padded.end(), padding.begin(), padding.begin() + size);
    return padded;
}

class Md5LanesTest : public ::testing::TestWithParam<Md5Lanes::Build> {};

TEST_P(Md5LanesTest, PaddingFillsWholeBlocks) {
    for (std::uint64_t length = 0; length < 200; ++length) {
        std::array<std::uint8_t, Md5Lanes::kMaxPadding> padding;
        std::size_t size = Md5Lanes::Padding(length, padding);
        EXPECT_EQ((length + size) % Md5Lanes::kBlock, 0u) << length;
        EXPECT_GE(size, 9u) << length;
        EXPECT_EQ(padding[0], 0x80) << length;
    }
}

// Messages handed out one after another to whichever lane is free, lanes advanced together by
// as many blocks as the shortest remainder allows, the way the batch scanner drives them.
TEST_P(Md5LanesTest, EveryLaneMatchesTheReference) {
    std::vector<std::size_t> lengths = {0,    1,    3,    55,   56,    57,    63,  64,  65,  119,
                                        120,  121,  127,  128,  129,   191,   192, 255, 256, 1000,
                                        4095, 4096, 4097, 9999, 65536, 70001, 2,   448, 511};
    std::mt19937 random(7);
    std::deque<std::vector<std::uint8_t>> waiting;
    for (std::size_t length : lengths) {
        std::vector<std::uint8_t> message(length);
        for (std::uint8_t& byte : message)
            byte = static_cast<std::uint8_t>(random());
        waiting.push_back(std::move(message));
    }

    struct Lane {
        std::vector<std::uint8_t> message, padded;
        std::size_t done = 0;
        bool busy = false;
    };
    Md5Lanes lanes(GetParam());
    std::array<Lane, Md5Lanes::kLanes> lane;
    std::size_t checked = 0;
    // Fewer messages than lanes near the end leave lanes idle.
    for (;;) {
        for (std::size_t i = 0; i < lane.size(); ++i) {
            if (lane[i].busy && lane[i].done == lane[i].padded.size()) {
                EXPECT_EQ(lanes.Digest(i), ReferenceMd5(lane[i].message))
                    << "length " << lane[i].message.size() << " in lane " << i;
                ++checked;
                lane[i].busy = false;
            }
            if (!lane[i].busy && !waiting.empty()) {
                lane[i] = {waiting.front(), Padded(waiting.front()), 0, true};
                waiting.pop_front();
                lanes.Start(i);
            }
        }
        Md5Lanes::Inputs inputs{};
        std::size_t blocks = SIZE_MAX;
        for (std::size_t i = 0; i < lane.size(); ++i) {
            if (!lane[i].busy)
                continue;
            inputs[i] = lane[i].padded.data() + lane[i].done;
            blocks = std::min(blocks, (lane[i].padded.size() - lane[i].done) / Md5Lanes::kBlock);
        }
        if (blocks == SIZE_MAX)
            break;
        lanes.Compress(inputs, blocks);
        for (std::size_t i = 0; i < lane.size(); ++i) {
            if (lane[i].busy)
                lane[i].done += blocks * Md5Lanes::kBlock;
        }
    }
    EXPECT_EQ(checked, lengths.size());
}

TEST_P(Md5LanesTest, KnownDigest) {
    Md5Lanes lanes(GetParam());
    std::vector<std::uint8_t> abc = Padded({'a', 'b', 'c'});
    lanes.Start(5);
    Md5Lanes::Inputs inputs{};
    inputs[5] = abc.data();
    lanes.Compress(inputs, 1);
    const Md5 expected = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                          0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
    EXPECT_EQ(lanes.Digest(5), expected);
}

INSTANTIATE_TEST_SUITE_P(Builds, Md5LanesTest,
                         ::testing::Values(Md5Lanes::Build::Best, Md5Lanes::Build::Portable),
                         [](const auto& info) {
                             return std::string(Md5Lanes(info.param).BuildName()) +
                                    (info.param == Md5Lanes::Build::Best ? "_best" : "");
                         });

}  // namespace
}  // namespace vestra::engine
