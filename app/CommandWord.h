// The one argument word that chooses the run mode, read from the raw command line.
#pragma once

#include <string>
#include <string_view>

namespace vestra {

// Takes what follows the program path (quoted or not, split as Windows splits it), trims and
// lower-cases it.
std::u16string CommandWordFrom(std::u16string_view commandLine);

}  // namespace vestra
