// The paths a start of the program asks to scan: a command word that is no run-mode word is the
// shell's list of quoted paths ("a" "b"), turned into single paths.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vestra::ui {

// Empty for an empty word and for the run-mode words (rtp, rtc, upd, slt, vrs ...). Otherwise
// `" "` separates paths, the remaining quotes go, and blank pieces are dropped.
std::vector<std::u16string> StartScanPaths(std::u16string_view commandWord);

}  // namespace vestra::ui
