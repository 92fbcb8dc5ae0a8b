// Signatures of the documents a dropper may carry inside itself. The first entry marks where an
// embedded Word or Excel document starts: the compound-document header those formats open with.
#pragma once

#include <array>
#include <string_view>

namespace vestra::remediation {

inline constexpr std::array<std::string_view, 2> kDocumentSignatures = {
    std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8),
    // The Office Open XML container (a zip), kept for the documents of later Office releases.
    std::string_view("PK\x03\x04", 4)};

inline constexpr std::string_view kDocumentStartMarker = kDocumentSignatures[0];

}  // namespace vestra::remediation
