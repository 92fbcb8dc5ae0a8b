// The programs that running processes and the autostart places refer to, weighed by how they are
// anchored. The heuristics fill it; the log, the user-virus page and the protection host read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vestra {

// Source kinds of a reference, indexing SourceCounts.
enum class SuspectSource : std::uint8_t { Process = 0, Startup = 1, RegistryString = 2, Autorun = 3 };

using SourceCounts = std::array<std::uint32_t, 4>;

struct SuspectLocation {
    std::u16string path;
    SourceCounts counts{};
};

struct Suspect {
    std::u16string path;      // long path of the first place it was found
    std::u16string checksum;  // the engine's checksum text: equal checksums are one suspect
    std::int32_t weight = 0;
    std::int16_t level = 1;
    std::u16string levelText;
    std::vector<SuspectLocation> locations;  // further places of the same program
    SourceCounts counts{};
};

using SuspectList = std::vector<Suspect>;

}  // namespace vestra
