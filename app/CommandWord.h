// The one argument word that chooses the run mode, read from the raw command line.
#pragma once

#include <string>
#include <string_view>

namespace vestra {

// Drops the first character (the opening quote of the program path), takes what follows the
// next quote (everything, when there is none), trims and lower-cases it.
std::u16string CommandWordFrom(std::u16string_view commandLine);

}  // namespace vestra
