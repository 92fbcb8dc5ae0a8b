// The cleaning routine proper: a replaced hosts file is rewritten, a program that carries a
// victim's Word or Excel document gives the document back, anything else is quarantined.
// The main window's fix pass and the protection alert both call it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "remediation/CageStore.h"

namespace vestra::remediation {

// Results of CleanInfected.
inline constexpr int kNotCleaned = 0;
inline constexpr int kCleaned = 1;
inline constexpr int kQuarantined = 2;

// Kinds of embedded document, by the names the document's tail carries.
inline constexpr int kDocNone = 0;
inline constexpr int kDocWord = 8;
inline constexpr int kDocExcel = 9;
// Word (8), Excel (9) or none (0) from the last 1000 bytes, read one character per byte.
int DocKind(std::span<const std::uint8_t> content);

// The one line a cleaned hosts file holds, without a line end.
inline constexpr std::string_view kCleanHostsLine = "127.0.0.1       localhost";

class Cleaner {
public:
    Cleaner(CageStore& store, std::u16string hostsFile)
        : store_(store), hostsFile_(std::move(hostsFile)) {}

    // 0 not cleaned, 1 cleaned in place, 2 quarantined (then `caged` holds the record).
    int CleanInfected(std::u16string_view path, std::u16string_view virusName,
                      std::u16string_view virusType, CageRecord* caged = nullptr);

private:
    int ExtractDocument(std::u16string_view path, std::span<const std::uint8_t> content);

    CageStore& store_;
    std::u16string hostsFile_;
};

}  // namespace vestra::remediation
