// Any bytes as the old quarantine store's index "Cage.DaB". Besides not crashing, every record
// it yields must name a plain file inside the old folder, never a path that leaves it.
#include <cstdint>
#include <string>

#include "remediation/CageFormat.h"

using namespace vestra::remediation;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto latin1 = [](std::string_view text) {
        std::u16string wide;
        for (char c : text)
            wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        return wide;
    };
    for (const OldCageEntry& entry : ParseOldCageIndex({data, size}, latin1)) {
        const std::u16string& name = entry.storedName;
        if (name.empty() || name == u"." || name == u".." ||
            name.find_first_of(u"\\/:") != std::u16string::npos) {
            __builtin_trap();
        }
        if (name.find(u'|') != std::u16string::npos)
            __builtin_trap();
    }
    return 0;
}
