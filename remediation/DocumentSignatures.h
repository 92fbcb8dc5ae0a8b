// Signatures of the documents a dropper may carry inside itself. The first entry marks where an
// embedded Word or Excel document starts: the compound-document header those formats open with.
#pragma once

#include <array>
#include <string_view>

namespace vestra::remediation {

inline constexpr std::array<std::string_view, 1> kDocumentSignatures = {
    std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)};

inline constexpr std::string_view kDocumentStartMarker = kDocumentSignatures[0];

}  // namespace vestra::remediation
